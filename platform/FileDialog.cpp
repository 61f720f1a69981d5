#include "platform/FileDialog.h"

#include "platform/FileFilter.h"

#include <QFileDialog>

namespace {

FileDialog::Responder& TheResponder() {
    static FileDialog::Responder responder;
    return responder;
}

} // namespace

FileDialog::Result FileDialog::Run(QWidget* parent, Mode mode, const FileFilter& filter,
                                   int initialFilter, const QString& initialName,
                                   const QString& folder) {
    if (TheResponder())
        return TheResponder()(Request{mode, &filter, initialFilter, initialName});

    QFileDialog dialog(parent);
    // Qt's own dialog, so that the filter texts show exactly as written.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(mode == kOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(mode == kOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(filter.NameFilters());
    dialog.selectNameFilter(filter.At(initialFilter));
    if (!folder.isEmpty())
        dialog.setDirectory(folder);
    if (!initialName.isEmpty())
        dialog.selectFile(initialName);
    Result result;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return result;
    result.accepted = true;
    result.path = dialog.selectedFiles().front();
    result.filterIndex = filter.IndexOf(dialog.selectedNameFilter());
    if (result.filterIndex == 0)
        result.filterIndex = 1;
    return result;
}

void FileDialog::SetResponder(Responder responder) {
    TheResponder() = std::move(responder);
}
