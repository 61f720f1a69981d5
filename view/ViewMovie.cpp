#include "view/ViewMovie.h"

#include "model/CMolData.h"
#include "platform/Document.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/MessageBox.h"
#include "render/CMolScene.h"
#include "view/CMolView.h"
#include "view/CMovieDlg.h"
#include "view/MovieWriter.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

bool ViewMovie::CanSave() const {
    const CMolData* model = view_.Model();
    return model != nullptr && (model->frameCount > 1 || view_.ShownModes() != nullptr);
}

void ViewMovie::SaveWithDialog(bool gif) {
    CMolData* model = view_.Model();
    if (model == nullptr)
        return;
    const ViewState& state = view_.state;
    const std::vector<NormalMode>* modes = view_.ShownModes();
    const double ratio = view_.devicePixelRatioF();
    std::vector<double> frequencies;
    if (modes != nullptr)
        for (const NormalMode& mode : *modes)
            frequencies.push_back(mode.frequency);
    CMovieDlg dialog(
        model->frameCount, frequencies,
        state.modeFrame == state.frame ? std::max(0, state.mode) : 0,
        QSize(static_cast<int>(view_.width() * ratio), static_cast<int>(view_.height() * ratio)),
        gif, &view_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const MovieRequest request = dialog.Request(view_.vibrationAmplitude);
    const QString baseName =
        view_.GetDocument() != nullptr ? view_.GetDocument()->DefaultFileName() : QString();
    const FileFilter filter(gif ? QStringLiteral("GIF file (*.gif)|*.gif||")
                                : QStringLiteral("MP4 file (*.mp4)|*.mp4||"));
    const FileDialog::Result chosen =
        FileDialog::Run(&view_, FileDialog::kSave, filter, 1, baseName, QString(), true);
    if (!chosen.accepted)
        return;
    QString path = chosen.path;
    const QString suffix = gif ? QStringLiteral(".gif") : QStringLiteral(".mp4");
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    view_.PrepareToDraw();
    // The window's view as it stands (its arrows too, if it shows them),
    // the atoms at rest where the movie begins.
    ViewState base = state;
    base.vibrationOffset = 0.0;
    QProgressDialog progress(QCoreApplication::translate("CMolView", "動画を書き出しています..."),
                             QCoreApplication::translate("CMolView", "キャンセル"), 0,
                             request.FrameCount(), &view_);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    MovieWriter::Frames frames;
    frames.width = dialog.FrameSize().width();
    frames.height = dialog.FrameSize().height();
    // Lines and labels grow with the frame's height, as in a picture.
    frames.scale = static_cast<double>(frames.height) / std::max(1.0, view_.height() * ratio);
    frames.fps = dialog.Fps();
    frames.loop = dialog.Loop();
    QString error;
    const bool written =
        MovieWriter::Write(*view_.scene, base, request, path, frames, &progress, error);
    progress.reset();
    if (!written && !error.isEmpty())
        MessageBox::ShowCannotSave(&view_, path, error);
}
