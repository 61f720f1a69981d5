#include "app/ScreenshotRun.h"

#include "app/CMainFrame.h"
#include "app/CRavekApp.h"
#include "platform/ChildFrame.h"
#include "res/CommandIds.h"
#include "view/CMolView.h"

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
    mainFrame->OnIdle();
    const QPixmap picture = mainFrame->grab();
    if (!picture.save(outPath_)) {
        std::fprintf(stderr, "ravek: cannot write the picture %s\n", qPrintable(outPath_));
        exitCode_ = 1;
    }
    mainFrame->RunCommand(CommandIds::kAppExit);
}
