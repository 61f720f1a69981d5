#include "view/CPlotView.h"

CPlotView::CPlotView(Document* document, QWidget* parent) : QWidget(parent), View(document) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

void CPlotView::OnUpdate(View*) {
    update();
}
