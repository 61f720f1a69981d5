#pragma once

#include "io/StdioFile.h"

#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string>

class QWidget;

// Opens files for reading without keeping the windows waiting. A named pipe
// is read whole as it is opened (see StdioFile), for as long as its writer
// writes or two seconds of silence before its first bytes: that reading runs
// on a worker thread, every pipe of a batch at once, while the windows go on
// drawing and answering; after a moment a progress box names what is read
// and how much has come, and its キャンセル stops the reading. Any other file
// is opened at once on the calling thread.
class BackgroundOpen {
public:
    struct Opened {
        std::unique_ptr<StdioFile> file; // null when not opened
        std::string error;               // the reason, when not opened
        bool cancelled = false;          // the person stopped the reading
    };

    // Opens path (see above); parent is the window the progress box
    // belongs to. A pipe a Batch has already read is taken from it.
    static Opened Open(const QString& path, QWidget* parent);

    // While it lives, the pipes among paths have been read (together, on
    // their own threads, before the constructor returns), and Open takes
    // them from here; what nobody took goes when it ends.
    class Batch {
    public:
        Batch(const QStringList& paths, QWidget* parent);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        friend class BackgroundOpen;
        std::map<QString, Opened> opened_;
        Batch* outer_;
    };

    // Opens every path at once, each on a thread of its own, showing the
    // progress box while any still reads after kProgressDelayMs; in the
    // order of paths.
    static std::vector<Opened> OpenAll(const QStringList& paths, QWidget* parent);
    static constexpr int kProgressDelayMs = 400;
    // Whether pipes are being read now (the events that come meanwhile are
    // served from within the reading).
    static bool Reading();
};
