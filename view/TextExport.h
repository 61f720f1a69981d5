#pragma once

#include <QString>

#include <string>

class QWidget;

// Saving a window's numbers as a text file.
class TextExport {
public:
    // The file the user names in the save dialog (text files preselected,
    // name suggested); empty when cancelled.
    static QString AskPath(QWidget* parent, const QString& suggestedName);
    // Writes text to path, replacing a file there only when all of it was
    // written; false, after a message, on failure.
    static bool Write(QWidget* parent, const QString& path, const std::string& text);
};
