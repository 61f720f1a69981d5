#include "view/CPlotView.h"

#include "model/CMolData.h"
#include "platform/Document.h"
#include "render/LabelFont.h"
#include "render/MolDocState.h"

#include <QCoreApplication>
#include <QPainter>

#include <algorithm>
#include <map>

namespace {

// Hundredths of a millimetre per inch: the plot's points are placed in
// these units, y upwards, so they are 0.6 mm squares on any device.
constexpr double kHimetricPerInch = 2540.0;

QFont CaptionFont() {
    // φ and ψ themselves in an italic serif face.
    QFont font;
    font.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    font.setStyleHint(QFont::Serif);
    font.setItalic(true);
    return WithCellHeight(font, 20);
}

} // namespace

CPlotView::CPlotView(Document* document, QWidget* parent) : QWidget(parent), View(document) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
}

MolDocState* CPlotView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

QString CPlotView::KindName() const {
    return QCoreApplication::translate("CPlotView", "Ramachandran プロット");
}

void CPlotView::OnUpdate(View*) {
    update();
}

int CPlotView::PlotSize(int width, int height) {
    return static_cast<int>(std::min(width, height) * 0.8);
}

void CPlotView::paintEvent(QPaintEvent*) {
    const int plotSize = PlotSize(width(), height());
    const int mid = plotSize / 2;
    QPainter painter(this);
    painter.translate((width() - plotSize) / 2, (height() - plotSize) / 2);

    // The frame (its right and bottom edges just inside the square) and the
    // dotted axes phi = 0 and psi = 0.
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, plotSize - 1, plotSize - 1);
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawLine(mid, 0, mid, plotSize);
    painter.drawLine(0, mid, plotSize, mid);

    painter.setFont(CaptionFont());
    painter.setPen(Qt::black);
    const int big = 100;
    painter.drawText(QRect(mid - 5, plotSize, big, big), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("φ"));
    painter.drawText(QRect(-15, mid - 10, big, big), Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("ψ"));

    const MolDocState* document = GetDocState();
    CMolData* model = document != nullptr ? document->data.get() : nullptr;
    if (model == nullptr)
        return;
    const std::map<int, double>& phi = model->GetPhiAngles(0);
    const std::map<int, double>& psi = model->GetPsiAngles(0);
    // Logical units of 0.01 mm, y upwards, origin at the square's top left.
    const double toDeviceX = physicalDpiX() / kHimetricPerInch;
    const double toDeviceY = physicalDpiY() / kHimetricPerInch;
    const double wh = plotSize / toDeviceX;
    const double hh = plotSize / toDeviceY;
    for (const auto& [k, phiValue] : phi) {
        const auto found = psi.find(k);
        if (found == psi.end())
            continue;
        const int x = static_cast<int>((phiValue + 180.0) / 360.0 * wh);
        const int y = static_cast<int>((found->second - 180.0) / 360.0 * hh);
        const QRectF square(QPointF((x - 30) * toDeviceX, -(y + 30) * toDeviceY),
                            QPointF((x + 30) * toDeviceX, -(y - 30) * toDeviceY));
        painter.fillRect(square.toRect(), QColor(255, 0, 0));
    }
}
