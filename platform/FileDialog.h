#pragma once

#include <QString>
#include <QStringList>

class FileFilter;
class QWidget;

// The open and save file dialogs (Qt's own, so that the filter texts show
// exactly as written), with the filter chosen reported by its 1-based number.
class FileDialog {
public:
    // kOpenMany: one or more existing files, chosen together.
    enum Mode { kOpen, kSave, kOpenMany };

    struct Result {
        bool accepted = false;
        QString path;
        // Every file chosen (path first); one for kOpen and kSave.
        QStringList paths;
        int filterIndex = 0; // 0 when the dialog named no filter of the list
    };

    // Shows the dialog with the given filter preselected (1-based) and, for
    // saving, the given file name, in folder when one is given; the save
    // dialog asks before replacing a file. With addExtension, a name typed
    // without an extension gets the chosen filter's (before the dialog asks
    // about replacing).
    static Result Run(QWidget* parent, Mode mode, const FileFilter& filter, int initialFilter,
                      const QString& initialName = QString(), const QString& folder = QString(),
                      bool addExtension = false);
};
