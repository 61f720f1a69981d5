#include "app/ScreenshotRun.h"

#include "app/CMainFrame.h"
#include "app/CRavekApp.h"
#include "io/WriteFileAtomically.h"
#include "platform/ChildFrame.h"
#include "platform/LocalPath.h"
#include "res/CommandIds.h"
#include "view/CMolView.h"

#include <QBuffer>
#include <QFileInfo>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

namespace {
// Time given to the first picture before the window is taken as it is.
constexpr int kFirstPictureTimeoutMs = 10000;
} // namespace

ScreenshotRun::ScreenshotRun(CRavekApp& app, const QString& outPath)
    : app_(app), outPath_(outPath) {
    ChildFrame* frame = app.MainFrame()->ActiveChildFrame();
    auto* view = frame != nullptr ? dynamic_cast<CMolView*>(frame->GetActiveView()) : nullptr;
    if (view != nullptr)
        connect(view, &CMolView::pictureDrawn, this, [this] {
            // Let the window system show what was drawn before taking it.
            QTimer::singleShot(0, this, &ScreenshotRun::Capture);
        });
    QTimer::singleShot(view != nullptr ? kFirstPictureTimeoutMs : 0, this, &ScreenshotRun::Capture);
}

void ScreenshotRun::Capture() {
    if (done_)
        return;
    done_ = true;
    CMainFrame* mainFrame = app_.MainFrame();
    mainFrame->Refresh();
    const QPixmap picture = mainFrame->grab();
    // Encoded here and written by the name's bytes, which Qt's own save
    // would not keep (see LocalPath); the kind is the name's extension's.
    QByteArray encoded;
    QBuffer buffer(&encoded);
    const QByteArray kind = QFileInfo(outPath_).suffix().toLower().toLatin1();
    std::string error;
    if (!buffer.open(QIODevice::WriteOnly) ||
        !picture.save(&buffer, kind.isEmpty() ? "png" : kind.constData()) ||
        !WriteFileAtomically(LocalPath::Bytes(outPath_),
                             std::string_view(encoded.constData(), encoded.size()), error)) {
        std::fprintf(stderr, "ravek: cannot write the picture %s%s%s\n",
                     qPrintable(LocalPath::Display(outPath_)), error.empty() ? "" : ": ",
                     error.c_str());
        exitCode_ = 1;
    }
    mainFrame->RunCommand(CommandIds::kAppExit);
}
