#include "platform/FileDialog.h"

#include "platform/FileFilter.h"
#include "platform/LocalPath.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Qt's dialog lists a name whose bytes are not UTF-8 with U+FFFD and then
// finds no such file, so it would keep its Open button disabled for it. The
// open dialog therefore takes any name, and its Open looks for the file
// itself (by the name's bytes, see LocalPath) before it closes.
class OpenDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (acceptMode() == QFileDialog::AcceptOpen && !chosen.isEmpty()) {
            const QString path = LocalPath::Resolve(chosen.front());
            if (LocalPath::IsDirectory(path)) {
                // (A folder whose name is not UTF-8 Qt cannot list: the
                // dialog stays where it is, and a file in it is reached by
                // typing its path.)
                setDirectory(path);
                return;
            }
            if (!LocalPath::Exists(path)) {
                QMessageBox::warning(this, windowTitle(),
                                     QCoreApplication::translate(
                                         "FileDialog",
                                         "%1\nファイルが見つかりません。\nファイル名を確認して"
                                         "ください。")
                                         .arg(LocalPath::Display(path)));
                return;
            }
        }
        QFileDialog::accept();
    }
};

} // namespace

FileDialog::Result FileDialog::Run(QWidget* parent, Mode mode, const FileFilter& filter,
                                   int initialFilter, const QString& initialName,
                                   const QString& folder, bool addExtension) {
    OpenDialog dialog(parent);
    // Qt's own dialog, so that the filter texts show exactly as written.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode == kSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(mode == kOpenMany ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
    dialog.setNameFilters(filter.NameFilters());
    dialog.selectNameFilter(filter.At(initialFilter));
    if (addExtension) {
        const auto follow = [&dialog, &filter](const QString& nameFilter) {
            dialog.setDefaultSuffix(filter.Extension(filter.IndexOf(nameFilter)));
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    Result result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    // A name whose bytes are not UTF-8 is listed with U+FFFD: the file it
    // stands for.
    result.path = LocalPath::Resolve(dialog.selectedFiles().front());
    for (const QString& chosen : dialog.selectedFiles())
        result.paths << LocalPath::Resolve(chosen);
    // The filter the user chose, as the dialog reports it; 0 (never the
    // first filter) should a dialog report one that is none of them.
    result.filterIndex = filter.IndexOf(dialog.selectedNameFilter());
    return result;
}
