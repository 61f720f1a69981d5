#pragma once

#include <QString>

#include <functional>

class QWidget;

// Message boxes captioned with the program's name. Tests install a responder
// that sees each text and answers questions in place of the user.
class MessageBox {
public:
    enum Kind { kError, kWarning, kInformation, kQuestion };
    using Responder = std::function<bool(const QString& text, Kind kind)>;

    static void Show(QWidget* parent, const QString& text, Kind kind = kError);
    // A Yes/No question; true for Yes.
    static bool AskYesNo(QWidget* parent, const QString& text);

    // "A file could not be opened / written" with the path and the reason.
    static void ShowCannotOpen(QWidget* parent, const QString& path, const QString& reason);
    static void ShowCannotSave(QWidget* parent, const QString& path, const QString& reason);

    static void SetResponder(Responder responder);
};
