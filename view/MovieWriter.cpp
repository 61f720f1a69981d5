#include "view/MovieWriter.h"

#include "io/StdioFile.h"
#include "io/WriteFileAtomically.h"
#include "model/CMolData.h"
#include "picture/GifMovie.h"
#include "platform/LocalPath.h"
#include "render/CMolScene.h"
#include "render/MolDocState.h"
#include "render/OffscreenPicture.h"
#include "view/MovieRequest.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <functional>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

bool Cancelled(QProgressDialog* progress) {
    if (progress == nullptr)
        return false;
    QCoreApplication::processEvents();
    return progress->wasCanceled();
}

// Draws every frame of request in turn and hands it to take; false when a
// frame cannot be drawn or taken, when the model drawn was replaced, or when
// the progress dialog's cancel was pressed (error empty).
bool EachFrame(CMolScene& scene, const ViewState& base, const MovieRequest& request,
               const MovieWriter::Frames& frames, QProgressDialog* progress,
               const std::function<bool(const OffscreenPicture&, std::string&)>& take,
               std::string& error) {
    const CMolData* model = scene.document->data.get();
    const int count = request.FrameCount();
    if (progress != nullptr)
        progress->setRange(0, count);
    OffscreenPicture::Options options;
    options.scale = frames.scale;
    for (int k = 0; k < count; ++k) {
        if (progress != nullptr)
            progress->setValue(k);
        if (Cancelled(progress)) {
            error.clear();
            return false;
        }
        const char* why = nullptr;
        if (scene.document->data.get() != model || model == nullptr ||
            !request.Fits(*scene.document->data, base, &why)) {
            error = "the structure changed while the movie was drawn";
            return false;
        }
        OffscreenPicture picture;
        if (!OffscreenPicture::Render(scene, request.StateOf(base, k), frames.width, frames.height,
                                      options, picture, error) ||
            !take(picture, error))
            return false;
    }
    if (progress != nullptr)
        progress->setValue(count);
    if (Cancelled(progress)) {
        error.clear();
        return false;
    }
    return true;
}

// How long ffmpeg may take to take a frame or, after the last one, to finish
// the file: RAVEK_FFMPEG_TIMEOUT seconds, 120 unless it says otherwise.
int FfmpegWaitMs() {
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("RAVEK_FFMPEG_TIMEOUT", &ok);
    return (ok && seconds > 0 ? std::min(seconds, 24 * 3600) : 120) * 1000;
}

// How ffmpeg ended, for a message: its exit status or signal and the last
// line it wrote to its error stream. A program still running is given a
// moment to end first.
std::string HowFfmpegEnded(QProcess& ffmpeg) {
    if (ffmpeg.state() != QProcess::NotRunning)
        ffmpeg.waitForFinished(2000);
    if (ffmpeg.state() != QProcess::NotRunning)
        return "it takes nothing more (RAVEK_FFMPEG_TIMEOUT sets how long it may)";
    const QStringList said = QString::fromLocal8Bit(ffmpeg.readAllStandardError())
                                 .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QString last = said.isEmpty() ? QString() : said.back().trimmed();
    const std::string how = ffmpeg.exitStatus() == QProcess::CrashExit
                                ? "it was ended by a signal"
                                : "it exited with status " + std::to_string(ffmpeg.exitCode());
    return how + (last.isEmpty() ? std::string(", saying nothing") : ": " + last.toStdString());
}

// ffmpeg writing the frames piped to it into path as H.264 in MP4.
bool RunFfmpeg(const QString& path, int width, int height, int fps, QProgressDialog* progress,
               const std::function<bool(QProcess&, std::string&)>& feed, std::string& error) {
    QProcess ffmpeg;
    ffmpeg.setStandardOutputFile(QProcess::nullDevice());
    // ffmpeg ends with this program, however it ends: it must not go on
    // writing the scratch file. (The signal comes when the thread that
    // started it ends: the movie is made on the thread of the windows, which
    // lives as long as the program. A program that ended before the call
    // took effect is seen as a parent that is no longer this one.)
    const pid_t parent = ::getpid();
    ffmpeg.setChildProcessModifier([parent] {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent)
            ::_exit(1);
    });
    // The frames come bottom row first; H.264 in 4:2:0 wants even sides.
    ffmpeg.start(MovieWriter::Ffmpeg(), {QStringLiteral("-hide_banner"),
                                         QStringLiteral("-loglevel"),
                                         QStringLiteral("error"),
                                         QStringLiteral("-y"),
                                         QStringLiteral("-f"),
                                         QStringLiteral("rawvideo"),
                                         QStringLiteral("-pix_fmt"),
                                         QStringLiteral("bgr24"),
                                         QStringLiteral("-s"),
                                         QStringLiteral("%1x%2").arg(width).arg(height),
                                         QStringLiteral("-r"),
                                         QString::number(fps),
                                         QStringLiteral("-i"),
                                         QStringLiteral("-"),
                                         QStringLiteral("-vf"),
                                         QStringLiteral("vflip,pad=ceil(iw/2)*2:ceil(ih/2)*2"),
                                         QStringLiteral("-c:v"),
                                         QStringLiteral("libx264"),
                                         QStringLiteral("-pix_fmt"),
                                         QStringLiteral("yuv420p"),
                                         QStringLiteral("-movflags"),
                                         QStringLiteral("+faststart"),
                                         QStringLiteral("-f"),
                                         QStringLiteral("mp4"),
                                         path});
    if (!ffmpeg.waitForStarted(10000)) {
        error = "ffmpeg did not start: " + ffmpeg.errorString().toStdString();
        return false;
    }
    const bool fed = feed(ffmpeg, error);
    if (!fed) {
        ffmpeg.kill();
        ffmpeg.waitForFinished(10000);
        return false;
    }
    ffmpeg.closeWriteChannel();
    // Encoding the last frames can take a while: the cancel button stays
    // live until ffmpeg is done, and an ffmpeg that never ends is ended.
    QElapsedTimer clock;
    clock.start();
    const int waitMs = FfmpegWaitMs();
    while (!ffmpeg.waitForFinished(100) && ffmpeg.state() != QProcess::NotRunning) {
        const bool cancelled = Cancelled(progress);
        if (cancelled || clock.elapsed() > waitMs) {
            ffmpeg.kill();
            ffmpeg.waitForFinished(10000);
            error = cancelled ? std::string()
                              : "ffmpeg did not finish within " + std::to_string(waitMs / 1000) +
                                    " s of the last frame (RAVEK_FFMPEG_TIMEOUT sets how long)";
            return false;
        }
    }
    if (ffmpeg.exitStatus() != QProcess::NormalExit || ffmpeg.exitCode() != 0) {
        error = "ffmpeg failed: " + HowFfmpegEnded(ffmpeg);
        return false;
    }
    return true;
}

// Hands a frame to ffmpeg, waiting in short steps so that the progress
// dialog's cancel stays live; false when ffmpeg takes nothing for the time
// allowed, ends, or the user cancels (error empty).
bool Pipe(QProcess& ffmpeg, const OffscreenPicture& frame, QProgressDialog* progress,
          std::string& error) {
    if (ffmpeg.write(reinterpret_cast<const char*>(frame.bgrBottomUp.data()),
                     static_cast<qint64>(frame.bgrBottomUp.size())) < 0) {
        error = "ffmpeg stopped taking frames: " + HowFfmpegEnded(ffmpeg);
        return false;
    }
    QElapsedTimer idle;
    idle.start();
    const int waitMs = FfmpegWaitMs();
    while (ffmpeg.bytesToWrite() > 0) {
        const qint64 before = ffmpeg.bytesToWrite();
        ffmpeg.waitForBytesWritten(100);
        if (ffmpeg.bytesToWrite() < before)
            idle.restart();
        if (Cancelled(progress)) {
            error.clear();
            return false;
        }
        if (ffmpeg.state() == QProcess::NotRunning || idle.elapsed() > waitMs) {
            error = "ffmpeg stopped taking frames: " + HowFfmpegEnded(ffmpeg);
            return false;
        }
    }
    return true;
}

} // namespace

bool MovieWriter::FormatOf(const QString& path, Format& format) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gif"))
        format = kGif;
    else if (suffix == QLatin1String("mp4"))
        format = kMp4;
    else
        return false;
    return true;
}

QString MovieWriter::Ffmpeg() {
    return QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
}

bool MovieWriter::Write(CMolScene& scene, const ViewState& base, const MovieRequest& request,
                        const QString& path, const Frames& frames, QProgressDialog* progress,
                        QString& error) {
    Format format = kGif;
    if (!FormatOf(path, format)) {
        error = QStringLiteral("a movie's name must end in .gif or .mp4");
        return false;
    }
    std::string why;
    bool written = false;
    if (format == kGif) {
        GifMovie gif(frames.width, frames.height, static_cast<int>(std::lround(100.0 / frames.fps)),
                     frames.loop);
        const auto take = [&gif](const OffscreenPicture& frame, std::string& e) {
            if (!gif.AddFrame(frame.bgrBottomUp))
                e = gif.Error();
            return e.empty();
        };
        if (EachFrame(scene, base, request, frames, progress, take, why)) {
            const std::string bytes = gif.Finish();
            const auto write = [&bytes](StdioFile& file) { return file.WriteString(bytes); };
            if (bytes.empty())
                why = gif.Error();
            else
                written = WriteFileAtomically(LocalPath::Bytes(path), write, why);
        }
    } else if (Ffmpeg().isEmpty()) {
        why = "MP4 movies need the ffmpeg program, which is not on the PATH";
    } else {
        const auto produce = [&](const std::string& scratch, std::string& e) {
            const auto feed = [&](QProcess& ffmpeg, std::string& fe) {
                const auto take = [&ffmpeg, progress](const OffscreenPicture& frame,
                                                      std::string& te) {
                    return Pipe(ffmpeg, frame, progress, te);
                };
                return EachFrame(scene, base, request, frames, progress, take, fe);
            };
            return RunFfmpeg(QString::fromStdString(scratch), frames.width, frames.height,
                             frames.fps, progress, feed, e);
        };
        written = ProduceFileAtomically(LocalPath::Bytes(path), produce, why);
    }
    error = QString::fromStdString(why);
    return written;
}
