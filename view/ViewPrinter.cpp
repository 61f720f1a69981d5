#include "view/ViewPrinter.h"

#include "platform/MessageBox.h"
#include "render/OffscreenPicture.h"
#include "render/PrintLayout.h"
#include "view/CMolView.h"
#include "view/PrinterChoice.h"
#include "view/ViewPicture.h"

#include <QPainter>
#include <QPrinter>

PrintLayout ViewPrinter::PrintOn(QPaintDevice& device, int pageWidth) {
    const double ratio = view_.devicePixelRatioF();
    const PrintLayout layout = PrintLayoutFor(pageWidth, device.logicalDpiX(), device.logicalDpiY(),
                                              static_cast<int>(view_.width() * ratio),
                                              static_cast<int>(view_.height() * ratio));
    view_.PrepareToDraw();
    ViewState& state = view_.state;
    state.printScale = layout.printScale;
    OffscreenPicture picture;
    std::string error;
    const bool drawn =
        OffscreenPicture::Render(*view_.scene, state, layout.width, layout.height, picture, error);
    state.printScale = 1.0;
    if (!drawn) {
        MessageBox::Show(&view_, QString::fromStdString(error));
        return layout;
    }
    ViewPicture::PaintLegend(*view_.scene, state, layout.printScale, picture);
    QPainter painter(&device);
    painter.drawImage(0, 0, picture.ToImage());
    return layout;
}

void ViewPrinter::Print(bool preview) {
    PrinterChoice::Print(&view_, preview, [this](QPrinter* target) {
        PrintOn(*target, target->pageLayout().paintRectPixels(target->resolution()).width());
    });
}
