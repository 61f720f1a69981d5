#pragma once

#include <QString>

#include <functional>

class FileFilter;
class QWidget;

// The open and save file dialogs, with the filter chosen reported by its
// 1-based number. Tests install a responder that answers in place of the
// dialog.
class FileDialog {
public:
    enum Mode { kOpen, kSave };

    struct Result {
        bool accepted = false;
        QString path;
        int filterIndex = 0;
    };

    // What the dialog is asked, for a responder.
    struct Request {
        Mode mode;
        const FileFilter* filter;
        int initialFilter;
        QString initialName;
    };
    using Responder = std::function<Result(const Request&)>;

    // Shows the dialog with the given filter preselected (1-based) and, for
    // saving, the given file name, in folder when one is given; the save
    // dialog asks before replacing a file.
    static Result Run(QWidget* parent, Mode mode, const FileFilter& filter, int initialFilter,
                      const QString& initialName = QString(), const QString& folder = QString());
    // Answers every later dialog with responder; an empty one restores the
    // real dialog.
    static void SetResponder(Responder responder);
};
