#include "platform/FileDialog.h"

#include "platform/FileFilter.h"

#include <QFileDialog>

FileDialog::Result FileDialog::Run(QWidget* parent, Mode mode, const FileFilter& filter,
                                   int initialFilter, const QString& initialName,
                                   const QString& folder, bool addExtension) {
    QFileDialog dialog(parent);
    // Qt's own dialog, so that the filter texts show exactly as written.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode == kOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == kOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
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
    result.path = dialog.selectedFiles().front();
    // The filter the user chose, as the dialog reports it; 0 (never the
    // first filter) should a dialog report one that is none of them.
    result.filterIndex = filter.IndexOf(dialog.selectedNameFilter());
    return result;
}
