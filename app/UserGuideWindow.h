#pragma once

#include <QTextBrowser>

// The user guide in a window of the program: its Markdown drawn by Qt, its
// links to the other guides followed inside the window, those to web pages
// opened by the desktop. One window; asking again brings it to the front.
class UserGuideWindow : public QTextBrowser {
    Q_OBJECT
public:
    // Shows the guide at path (a Markdown file that exists) in the one
    // window, made on first use.
    static UserGuideWindow* Show(const QString& path);

private:
    UserGuideWindow();
};
