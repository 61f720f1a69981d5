#include "view/ViewPrinter.h"

#include "platform/MessageBox.h"
#include "render/OffscreenPicture.h"
#include "render/PrintLayout.h"
#include "render/ViewState.h"
#include "view/PrinterChoice.h"
#include "view/ViewPicture.h"

#include <QPainter>
#include <QPrinter>

PrintLayout ViewPrinter::PrintOn(QPaintDevice& device, int pageWidth) {
    const PrintLayout layout =
        PrintLayoutFor(pageWidth, device.logicalDpiX(), device.logicalDpiY(),
                       source_.windowPixels.width(), source_.windowPixels.height());
    source_.prepare();
    ViewState& state = *source_.state;
    state.printScale = layout.printScale;
    OffscreenPicture picture;
    std::string error;
    const bool drawn = OffscreenPicture::Render(*source_.scene, state, layout.width, layout.height,
                                                picture, error);
    state.printScale = 1.0;
    if (!drawn) {
        MessageBox::Show(source_.parent, QString::fromStdString(error));
        return layout;
    }
    ViewPicture::PaintLegend(*source_.scene, state, layout.printScale, picture);
    QPainter painter(&device);
    painter.drawImage(0, 0, picture.ToImage());
    return layout;
}

void ViewPrinter::Print(bool preview) {
    PrinterChoice::Print(source_.parent, preview, [this](QPrinter* target) {
        PrintOn(*target, target->pageLayout().paintRectPixels(target->resolution()).width());
    });
}
