#include "view/ViewMovie.h"

#include "model/CMolData.h"
#include "platform/FileDialog.h"
#include "platform/FileFilter.h"
#include "platform/MessageBox.h"
#include "render/CMolScene.h"
#include "render/ViewState.h"
#include "view/CMovieDlg.h"
#include "view/MovieWriter.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <algorithm>

bool ViewMovie::CanSave(const CMolData* model, const std::vector<NormalMode>* modes) {
    return model != nullptr && (model->frameCount > 1 || modes != nullptr);
}

void ViewMovie::SaveWithDialog(bool gif) {
    const CMolData* model = source_.model;
    if (model == nullptr)
        return;
    const ViewState& state = *source_.state;
    const std::vector<NormalMode>* modes = source_.modes;
    std::vector<double> frequencies;
    if (modes != nullptr)
        for (const NormalMode& mode : *modes)
            frequencies.push_back(mode.frequency);
    // A scan's or an IRC's points, in reaction order, may make the movie too.
    std::vector<int> points;
    for (const ReactionPath::Point& point : model->path.points) {
        if (point.geometry >= 0)
            points.push_back(point.geometry);
    }
    CMovieDlg dialog(model->frameCount, frequencies,
                     state.modeFrame == state.frame ? std::max(0, state.mode) : 0,
                     source_.windowPixels, gif, source_.parent, points);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const MovieRequest request = dialog.Request(source_.vibrationAmplitude);
    const FileFilter filter(gif ? QStringLiteral("GIF file (*.gif)|*.gif||")
                                : QStringLiteral("MP4 file (*.mp4)|*.mp4||"));
    const FileDialog::Result chosen = FileDialog::Run(source_.parent, FileDialog::kSave, filter, 1,
                                                      source_.baseName, QString(), true);
    if (!chosen.accepted)
        return;
    QString path = chosen.path;
    const QString suffix = gif ? QStringLiteral(".gif") : QStringLiteral(".mp4");
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    source_.prepare();
    // The window's view as it stands (its arrows too, if it shows them),
    // the atoms at rest where the movie begins.
    ViewState base = state;
    base.vibrationOffset = 0.0;
    QProgressDialog progress(QCoreApplication::translate("CMolView", "動画を書き出しています..."),
                             QCoreApplication::translate("CMolView", "キャンセル"), 0,
                             request.FrameCount(), source_.parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    MovieWriter::Frames frames;
    frames.width = dialog.FrameSize().width();
    frames.height = dialog.FrameSize().height();
    // Lines and labels grow with the frame's height, as in a picture.
    frames.scale = static_cast<double>(frames.height) / std::max(1, source_.windowPixels.height());
    frames.fps = dialog.Fps();
    frames.loop = dialog.Loop();
    QString error;
    const bool written =
        MovieWriter::Write(*source_.scene, base, request, path, frames, &progress, error);
    progress.reset();
    if (!written && !error.isEmpty())
        MessageBox::ShowCannotSave(source_.parent, path, error);
}
