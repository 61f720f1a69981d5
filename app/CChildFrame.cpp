#include "app/CChildFrame.h"

#include "app/AppIcon.h"
#include "res/SettingsKeys.h"

#include <QMdiArea>

#include <algorithm>

CChildFrame::CChildFrame(DocTemplate* docTemplate)
    : ChildFrame(docTemplate), openMaximised(Profile::Read(Settings::kChildFrameMaxWnd)) {
    setWindowIcon(AppIcon());
}

void CChildFrame::ActivateFrame() {
    if (openMaximised != 0) {
        showMaximized();
        return;
    }
    // A new window takes three quarters of the area, each one a step further
    // down and right than the one before, as windows placed by the system do.
    if (QMdiArea* area = mdiArea()) {
        const QSize areaSize = area->viewport()->size();
        const int step = 24 * static_cast<int>((area->subWindowList().size() - 1) % 8);
        setGeometry(step, step, std::max(200, areaSize.width() * 3 / 4),
                    std::max(150, areaSize.height() * 3 / 4));
    }
    show();
}
