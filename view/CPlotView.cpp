#include "view/CPlotView.h"

#include "model/BackboneAngles.h"
#include "model/CMolData.h"
#include "platform/Document.h"
#include "platform/Profile.h"
#include "render/LabelFont.h"
#include "render/MolDocState.h"
#include "res/SettingsKeys.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>
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

CPlotView::CPlotView(Document* document, QWidget* parent)
    : QWidget(parent), View(document), regionsChoice_(new QComboBox(this)) {
    setMouseTracking(true);
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    // In the order of RamachandranRegions::Kind, then none.
    regionsChoice_->setObjectName(QStringLiteral("ramachandranRegions"));
    for (const char* kind :
         {QT_TRANSLATE_NOOP("CPlotView", "一般"), QT_TRANSLATE_NOOP("CPlotView", "グリシン"),
          QT_TRANSLATE_NOOP("CPlotView", "プロリン"),
          QT_TRANSLATE_NOOP("CPlotView", "プロリンの前"),
          QT_TRANSLATE_NOOP("CPlotView", "Ile・Val"), QT_TRANSLATE_NOOP("CPlotView", "領域なし")})
        regionsChoice_->addItem(QCoreApplication::translate("CPlotView", kind));
    regionsChoice_->setToolTip(QCoreApplication::translate(
        "CPlotView", "背景に描く好ましい領域と許容領域の残基の種類。Top8000 の参照分布 "
                     "(Richardson 研究室) から: 好ましい領域は参照残基の 98 %、許容領域は "
                     "99.95 % (一般) または 99.8 % (その他) を含む"));
    regionsChoice_->move(2, 2);
    regionsChoice_->adjustSize();
    // None by default: the plain plot of points; the choice last made is kept
    // for the next plot.
    const int stored = Profile::Read(Settings::kPlotRegions);
    regionsChoice_->setCurrentIndex(stored >= 1 && stored <= RamachandranRegions::kKindCount
                                        ? stored - 1
                                        : RamachandranRegions::kKindCount);
    ShowRegionsChoice();
    connect(regionsChoice_, &QComboBox::currentIndexChanged, this, [this](int choice) {
        Profile::Write(Settings::kPlotRegions,
                       choice >= 0 && choice < RamachandranRegions::kKindCount ? choice + 1 : 0);
        update();
    });
}

MolDocState* CPlotView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

void CPlotView::OnUpdate(View*) {
    ShowRegionsChoice();
    update();
}

const CMolFrame* CPlotView::PlottedFrame() const {
    MolDocState* document = GetDocState();
    const CMolData* model = document != nullptr ? document->data.get() : nullptr;
    if (model == nullptr || model->frameCount == 0)
        return nullptr;
    const int g = std::clamp(document->ShownFrame(), 0, model->frameCount - 1);
    ComputeBackboneAngles(*model, g);
    return model->GetFrame(g);
}

bool CPlotView::RegionsShown() const {
    const int choice = regionsChoice_->currentIndex();
    return choice >= 0 && choice < RamachandranRegions::kKindCount;
}

bool CPlotView::Analysed() const {
    const CMolFrame* frame = PlottedFrame();
    return frame != nullptr && !frame->angleResidues.empty();
}

void CPlotView::ShowRegionsChoice() {
    regionsChoice_->setVisible(Analysed());
}

QImage CPlotView::RegionPicture() {
    if (!RegionsShown())
        return {};
    const int choice = regionsChoice_->currentIndex();
    QImage& picture = regionPictures_[static_cast<std::size_t>(choice)];
    if (!picture.isNull())
        return picture;
    const RamachandranRegions& regions =
        RamachandranRegions::Of(static_cast<RamachandranRegions::Kind>(choice));
    picture = QImage(360, 360, QImage::Format_RGB32);
    const QRgb colours[] = {FavouredColour().rgb(), AllowedColour().rgb(), qRgb(255, 255, 255)};
    for (int row = 0; row < 360; ++row) {
        const double psi = 179.5 - row;
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(row));
        for (int column = 0; column < 360; ++column)
            line[column] = colours[static_cast<int>(regions.ZoneAt(column - 179.5, psi))];
    }
    return picture;
}

QString CPlotView::ZoneName(RamachandranRegions::Zone zone) {
    switch (zone) {
    case RamachandranRegions::Zone::kFavoured:
        return QCoreApplication::translate("CPlotView", "好ましい");
    case RamachandranRegions::Zone::kAllowed:
        return QCoreApplication::translate("CPlotView", "許容");
    case RamachandranRegions::Zone::kOutlier:
        break;
    }
    return QCoreApplication::translate("CPlotView", "外れ");
}

std::map<int, RamachandranRegions::Zone> CPlotView::Zones(const CMolFrame& frame) {
    std::map<int, RamachandranRegions::Zone> zones;
    for (const auto& [k, residue] : frame.angleResidues) {
        if (frame.anglesAcrossBreaks.count(k) == 0 && frame.phiAngles.count(k) != 0 &&
            frame.psiAngles.count(k) != 0)
            zones.emplace(k, RamachandranRegions::ZoneOfResidue(frame, k));
    }
    return zones;
}

void CPlotView::PaintShares(QPainter& painter,
                            const std::map<int, RamachandranRegions::Zone>& zones, int plotSize) {
    std::array<int, 3> counts{};
    for (const auto& [k, zone] : zones)
        ++counts[static_cast<std::size_t>(zone)];
    const int total = counts[0] + counts[1] + counts[2];
    if (total == 0)
        return;
    QFont font;
    font.setPixelSize(std::clamp(plotSize / 30, 8, 12));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int swatch = metrics.ascent() * 3 / 4;
    const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
    std::array<QString, 3> texts;
    int width = 0;
    for (std::size_t z = 0; z < 3; ++z) {
        texts[z] = QStringLiteral("%1 %2 %")
                       .arg(ZoneName(static_cast<RamachandranRegions::Zone>(z)))
                       .arg(100.0 * counts[z] / total, 0, 'f', 1);
        width += swatch + gap + metrics.horizontalAdvance(texts[z]) + (z < 2 ? 3 * gap : 0);
    }
    // On the box's row at the window's right, or under the box where the
    // row has no room, never down into the square.
    painter.save();
    painter.resetTransform();
    painter.setBrush(Qt::NoBrush);
    const QRect box = regionsChoice_->geometry();
    int x = this->width() - 4 - width;
    int baseline = box.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    if (x < box.right() + 2 * gap)
        baseline = std::min(box.bottom() + 2 + metrics.ascent(),
                            (height() - plotSize) / 2 - metrics.descent() - 2);
    for (std::size_t z = 0; z < 3; ++z) {
        const QRect square(x, baseline - swatch, swatch, swatch);
        painter.fillRect(square, z == 2   ? QColor(255, 0, 0)
                                 : z == 0 ? FavouredColour()
                                          : AllowedColour());
        painter.setPen(QPen(z == 2 ? Qt::black : Qt::gray, 0));
        painter.drawRect(square.adjusted(0, 0, -1, -1));
        x += swatch + gap;
        painter.setPen(Qt::black);
        painter.drawText(x, baseline, texts[z]);
        x += metrics.horizontalAdvance(texts[z]) + 3 * gap;
    }
    painter.restore();
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
    const CMolFrame* plotted = PlottedFrame();
    // Zones (the shares and the outliers' frames) only with regions drawn.
    const std::map<int, RamachandranRegions::Zone> zones =
        plotted != nullptr && RegionsShown() ? Zones(*plotted)
                                             : std::map<int, RamachandranRegions::Zone>();
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, plotSize - 1, plotSize - 1);
    if (Analysed() && RegionsShown()) {
        const QImage regions = RegionPicture();
        if (!regions.isNull())
            painter.drawImage(QRect(1, 1, plotSize - 2, plotSize - 2), regions);
        PaintShares(painter, zones, plotSize);
    }
    painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
    painter.drawLine(mid, 0, mid, plotSize);
    painter.drawLine(0, mid, plotSize, mid);

    // Numbers every 60° below and left of the square, with ticks inside it.
    QFont numbers;
    numbers.setPixelSize(std::clamp(plotSize / 30, 8, 12));
    painter.setFont(numbers);
    const QFontMetrics metrics(numbers);
    const int gap = 3;
    painter.setPen(QPen(Qt::black, 0));
    for (int angle = -180; angle <= 180; angle += 60) {
        const int at = static_cast<int>(std::lround((angle + 180) / 360.0 * (plotSize - 1)));
        const QString text = QString::number(angle);
        painter.drawLine(at, plotSize - 1, at, plotSize - 5);
        painter.drawLine(0, plotSize - 1 - at, 4, plotSize - 1 - at);
        painter.drawText(QRect(at - 20, plotSize + gap, 40, metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, text);
        painter.drawText(
            QRect(-gap - 40, plotSize - 1 - at - metrics.height() / 2, 40, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, text);
    }

    painter.setFont(CaptionFont());
    painter.setPen(Qt::black);
    const int big = 100;
    const int numberWidth = metrics.horizontalAdvance(QStringLiteral("-180"));
    painter.drawText(QRect(mid - 5, plotSize + gap + metrics.height(), big, big),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("φ"));
    painter.drawText(QRect(-gap - numberWidth - 20, mid - 10, big, big),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("ψ"));

    if (plotted == nullptr)
        return;
    const CMolFrame& frame = *plotted;
    const std::map<int, double>& phi = frame.phiAngles;
    const std::map<int, double>& psi = frame.psiAngles;
    // Logical units of 0.01 mm, y upwards, origin at the square's top left.
    const double toDeviceX = physicalDpiX() / kHimetricPerInch;
    const double toDeviceY = physicalDpiY() / kHimetricPerInch;
    const double wh = plotSize / toDeviceX;
    const double hh = plotSize / toDeviceY;
    for (const auto& [k, phiValue] : phi) {
        const auto found = psi.find(k);
        if (found == psi.end() || frame.anglesAcrossBreaks.count(k) != 0)
            continue;
        const int x = static_cast<int>((phiValue + 180.0) / 360.0 * wh);
        const int y = static_cast<int>((found->second - 180.0) / 360.0 * hh);
        const QRectF square(QPointF((x - 30) * toDeviceX, -(y + 30) * toDeviceY),
                            QPointF((x + 30) * toDeviceX, -(y - 30) * toDeviceY));
        painter.fillRect(square.toRect(), QColor(255, 0, 0));
        if (const auto zone = zones.find(k);
            zone != zones.end() && zone->second == RamachandranRegions::Zone::kOutlier) {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(square.toRect().adjusted(-1, -1, 0, 0));
        }
    }
}

QPointF CPlotView::PlotPoint(double phi, double psi) const {
    const int plotSize = PlotSize(width(), height());
    return {(width() - plotSize) / 2 + (phi + 180.0) / 360.0 * plotSize,
            (height() - plotSize) / 2 + (180.0 - psi) / 360.0 * plotSize};
}

int CPlotView::KeyAt(const QPoint& at) const {
    const CMolFrame* plotted = PlottedFrame();
    if (plotted == nullptr)
        return -1;
    const CMolFrame& frame = *plotted;
    // Within a point's half side and two pixels more; of points in one
    // place, the first residue's.
    const double reach = 0.3 / 25.4 * physicalDpiX() + 2.0;
    double nearest = reach * reach + 1e-9;
    int key = -1;
    for (const auto& [k, phi] : frame.phiAngles) {
        const auto psi = frame.psiAngles.find(k);
        if (psi == frame.psiAngles.end() || frame.angleResidues.count(k) == 0 ||
            frame.anglesAcrossBreaks.count(k) != 0)
            continue;
        const QPointF d = PlotPoint(phi, psi->second) - QPointF(at);
        const double distance = d.x() * d.x() + d.y() * d.y();
        if (distance < nearest) {
            nearest = distance;
            key = k;
        }
    }
    return key;
}

int CPlotView::ResidueAt(const QPoint& at) const {
    const int key = KeyAt(at);
    return key >= 0 ? PlottedFrame()->angleResidues.at(key) : -1;
}

void CPlotView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int key = KeyAt(at);
    QString text;
    if (key >= 0) {
        const CMolFrame& frame = *PlottedFrame();
        const int r = frame.angleResidues.at(key);
        std::string name;
        if (r < static_cast<int>(frame.residueIds.size())) {
            const ResidueId& id = frame.residueIds[static_cast<std::size_t>(r)];
            name = id.chain + " " + id.name + " " + std::to_string(id.number) + id.insertion;
        } else if (frame.residueLabels.count(r) != 0) {
            name = frame.residueLabels.at(r);
        }
        text = QStringLiteral("%1  φ %2°  ψ %3°  %4")
                   .arg(QString::fromStdString(name).trimmed())
                   .arg(frame.phiAngles.at(key), 0, 'f', 1)
                   .arg(frame.psiAngles.at(key), 0, 'f', 1)
                   .arg(ZoneName(RamachandranRegions::ZoneOfResidue(frame, key)));
    }
    if (text != hoverText_) {
        hoverText_ = text;
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(event->globalPosition().toPoint(), text, this);
    }
    QWidget::mouseMoveEvent(event);
}

void CPlotView::mousePressEvent(QMouseEvent* event) {
    const int residue = ResidueAt(event->position().toPoint());
    if (residue < 0 || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    emit residueChosen(residue);
}
