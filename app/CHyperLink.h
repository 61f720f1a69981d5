#pragma once

#include <QLabel>
#include <QUrl>

// A label that shows an address as a link and opens it in the desktop's
// browser when clicked.
class CHyperLink : public QLabel {
    Q_OBJECT
public:
    CHyperLink(const QString& text, const QUrl& url, QWidget* parent = nullptr);

private:
    QUrl url_;
};
