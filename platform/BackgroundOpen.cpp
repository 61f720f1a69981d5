#include "platform/BackgroundOpen.h"

#include "platform/LocalPath.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QProgressDialog>

#include <chrono>
#include <system_error>
#include <thread>
#include <vector>

namespace {

BackgroundOpen::Batch*& CurrentBatch() {
    static BackgroundOpen::Batch* batch = nullptr;
    return batch;
}

int& ReadingNow() {
    static int reading = 0;
    return reading;
}

// One file opened on its own thread.
struct Job {
    QString path;
    StdioFile::Watch watch;
    BackgroundOpen::Opened opened;
    std::atomic<bool> done{false};
};

// "name (1.2 MB)" for each pipe still read, for the progress box.
QString StillReading(const std::vector<std::unique_ptr<Job>>& jobs) {
    QStringList names;
    int finished = 0;
    for (const auto& job : jobs) {
        if (job->done) {
            ++finished;
            continue;
        }
        names << QStringLiteral("%1 (%2)").arg(
            LocalPath::DisplayName(job->path),
            QLocale().formattedDataSize(static_cast<qint64>(job->watch.bytesRead)));
    }
    QString text = QCoreApplication::translate("BackgroundOpen", "パイプから読み込んでいます: %1")
                       .arg(names.join(QStringLiteral(", ")));
    if (jobs.size() > 1)
        text += QCoreApplication::translate("BackgroundOpen", "\n%1 / %2 件 読み込み済み")
                    .arg(finished)
                    .arg(jobs.size());
    return text;
}

} // namespace

std::vector<BackgroundOpen::Opened> BackgroundOpen::OpenAll(const QStringList& paths,
                                                            QWidget* parent) {
    struct Reading {
        Reading() { ++ReadingNow(); }
        ~Reading() { --ReadingNow(); }
    } reading;
    std::vector<std::unique_ptr<Job>> jobs;
    std::vector<std::thread> threads;
    for (const QString& path : paths) {
        jobs.push_back(std::make_unique<Job>());
        Job* job = jobs.back().get();
        job->path = path;
        try {
            threads.emplace_back([job] {
                auto file = std::make_unique<StdioFile>();
                if (file->Open(LocalPath::Bytes(job->path), StdioFile::modeRead, &job->opened.error,
                               &job->watch))
                    job->opened.file = std::move(file);
                job->opened.cancelled =
                    job->opened.file == nullptr && job->opened.error == StdioFile::kCancelled;
                job->done = true;
            });
        } catch (const std::system_error& error) {
            // No thread to be had (the system's limit): this pipe is not read.
            job->opened.error = std::string("no thread to read it: ") + error.what();
            job->done = true;
        }
    }
    const auto allDone = [&jobs] {
        for (const auto& job : jobs) {
            if (!job->done)
                return false;
        }
        return true;
    };
    std::unique_ptr<QProgressDialog> progress;
    QElapsedTimer clock;
    clock.start();
    while (!allDone()) {
        if (progress == nullptr && clock.elapsed() >= kProgressDelayMs) {
            progress = std::make_unique<QProgressDialog>(
                StillReading(jobs), QCoreApplication::translate("BackgroundOpen", "キャンセル"), 0,
                0, parent);
            progress->setObjectName(QStringLiteral("pipeProgress"));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
            progress->show();
        }
        if (progress != nullptr) {
            progress->setLabelText(StillReading(jobs));
            if (progress->wasCanceled()) {
                for (const auto& job : jobs)
                    job->watch.cancel = true;
            }
        }
        // The windows go on drawing and answering; until the box shows (and
        // its modality keeps them from input) nothing a person does is
        // taken, so no command runs in the middle of this one.
        QApplication::processEvents(progress != nullptr && progress->isVisible()
                                        ? QEventLoop::AllEvents
                                        : QEventLoop::ExcludeUserInputEvents,
                                    30);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (std::thread& thread : threads)
        thread.join();
    std::vector<Opened> opened;
    for (const auto& job : jobs)
        opened.push_back(std::move(job->opened));
    return opened;
}

bool BackgroundOpen::Reading() {
    return ReadingNow() > 0;
}

BackgroundOpen::Opened BackgroundOpen::Open(const QString& path, QWidget* parent) {
    if (Batch* batch = CurrentBatch()) {
        const auto found = batch->opened_.find(path);
        if (found != batch->opened_.end()) {
            Opened opened = std::move(found->second);
            batch->opened_.erase(found);
            return opened;
        }
    }
    if (StdioFile::MayWait(LocalPath::Bytes(path)))
        return std::move(OpenAll({path}, parent).front());
    Opened opened;
    opened.file = std::make_unique<StdioFile>();
    if (!opened.file->Open(LocalPath::Bytes(path), StdioFile::modeRead, &opened.error))
        opened.file.reset();
    return opened;
}

BackgroundOpen::Batch::Batch(const QStringList& paths, QWidget* parent) : outer_(CurrentBatch()) {
    QStringList pipes;
    for (const QString& path : paths) {
        if (StdioFile::MayWait(LocalPath::Bytes(path)) && !pipes.contains(path))
            pipes << path;
    }
    if (!pipes.isEmpty()) {
        std::vector<Opened> opened = OpenAll(pipes, parent);
        for (int i = 0; i < pipes.size(); ++i)
            opened_[pipes[i]] = std::move(opened[static_cast<std::size_t>(i)]);
    }
    CurrentBatch() = this;
}

BackgroundOpen::Batch::~Batch() {
    CurrentBatch() = outer_;
}
