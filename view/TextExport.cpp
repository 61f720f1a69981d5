#include "view/TextExport.h"

#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/LocalPath.h"
#include "platform/MessageBox.h"

QString TextExport::AskPath(QWidget* parent, const QString& suggestedName) {
    const FileFilter filter(QStringLiteral("Text Files (*.txt)|*.txt|All Files (*.*)|*.*||"));
    const FileDialog::Result chosen =
        FileDialog::Run(parent, FileDialog::kSave, filter, 1, suggestedName, QString());
    return chosen.accepted ? chosen.path : QString();
}

bool TextExport::Write(QWidget* parent, const QString& path, const std::string& text) {
    std::string error;
    if (WriteFileAtomically(LocalPath::Bytes(path), text, error))
        return true;
    MessageBox::ShowCannotSave(parent, path, QString::fromStdString(error));
    return false;
}
