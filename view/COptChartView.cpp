#include "view/COptChartView.h"

#include "model/CMolData.h"
#include "platform/Document.h"
#include "render/MolDocState.h"
#include "res/CommandIds.h"
#include "view/JobStateText.h"
#include "view/PrinterChoice.h"
#include "view/TextExport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>

#include <algorithm>
#include <cmath>

using namespace CommandIds;

namespace {

const QColor kItemColours[StepConvergence::kItems] = {QColor(200, 0, 0), QColor(230, 120, 0),
                                                      QColor(0, 0, 200), QColor(0, 140, 160)};
const char* const kItemLabels[StepConvergence::kItems] = {
    QT_TRANSLATE_NOOP("COptChartView", "最大力"), QT_TRANSLATE_NOOP("COptChartView", "RMS 力"),
    QT_TRANSLATE_NOOP("COptChartView", "最大変位"), QT_TRANSLATE_NOOP("COptChartView", "RMS 変位")};

// Whether a value has a place on a log axis.
bool Positive(double v) {
    return v > 0.0 && std::isfinite(v);
}

} // namespace

COptChartView::COptChartView(Document* document, QWidget* parent)
    : QWidget(parent), View(document) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    PrinterChoice::AddChartPrinting(
        commands_, this, 100,
        [this](QPainter& painter, const QRect& page) { Paint(painter, page); });
    commands_.AddEnabled(
        kSaveChartData, [this] { SaveData(); }, [this] { return Model() != nullptr; });
}

MolDocState* COptChartView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

const CMolData* COptChartView::Model() const {
    const MolDocState* document = GetDocState();
    return document != nullptr && document->data != nullptr && document->data->frameCount > 0
               ? document->data.get()
               : nullptr;
}

QString COptChartView::KindName() const {
    return QCoreApplication::translate("COptChartView", "最適化チャート");
}

void COptChartView::OnUpdate(View*) {
    update();
}

bool COptChartView::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

COptChartView::Energies COptChartView::EnergiesOf(const CMolData& model) {
    Energies e;
    for (int g = 0; g < model.frameCount; ++g) {
        const double energy = model.GetFrame(g)->energy;
        if (!std::isfinite(energy))
            continue;
        if (std::isnan(e.first))
            e.first = energy;
        const double relative = (energy - e.first) * kKcalPerHartree;
        e.low = std::min(e.low, relative);
        e.high = std::max(e.high, relative);
        if (e.lowest < 0 || energy < model.GetFrame(e.lowest)->energy)
            e.lowest = g;
    }
    return e;
}

QString COptChartView::EnergyCaption() const {
    QString caption =
        QCoreApplication::translate("COptChartView", "エネルギー (kcal/mol, 最初のステップから)");
    if (const CMolData* model = Model(); model != nullptr) {
        // The caption says how the job stands while it runs or after an error.
        if (const QString job = JobStateText(*model); !job.isEmpty())
            caption += QStringLiteral("  (%1)").arg(job);
    }
    return caption;
}

QString COptChartView::ConvergenceCaption() {
    return QCoreApplication::translate("COptChartView", "収束の値 (対数目盛、破線はしきい値)");
}

QString COptChartView::HartreeUnit() {
    return QStringLiteral("hartree");
}

QFont COptChartView::ChartFont(const QRect& rect) const {
    QFont chartFont = font();
    chartFont.setPixelSize(std::max(10, std::min(rect.height() / 45, rect.width() / 40)));
    return chartFont;
}

COptChartView::Layout COptChartView::LayOut(const QRect& rect) const {
    Layout layout;
    layout.font = ChartFont(rect);
    const QFontMetrics metrics(layout.font);
    // A line's height with room for the glyphs' rounding.
    const int line = metrics.height() + 2, pad = std::max(4, line / 3), tick = 5;
    const CMolData* model = Model();
    const int steps = model != nullptr ? model->frameCount : 0;
    const Energies energies = model != nullptr ? EnergiesOf(*model) : Energies();
    layout.energies = energies;
    // The convergence values' decades.
    bool any = false;
    double logLow = 0.0, logHigh = 0.0;
    for (int g = 0; g < steps; ++g) {
        const StepConvergence& c = model->GetFrame(g)->convergence;
        for (int k = 0; k < StepConvergence::kItems; ++k) {
            for (double v : {c.value[k], c.threshold[k]}) {
                if (!c.present[k] || !Positive(v))
                    continue;
                const double l = std::log10(v);
                logLow = any ? std::min(logLow, l) : l;
                logHigh = any ? std::max(logHigh, l) : l;
                any = true;
            }
        }
    }
    layout.decades = any;
    layout.logLow = std::floor(logLow);
    layout.logHigh = std::max(std::ceil(logHigh), layout.logLow + 1.0);
    const double spread = std::max(energies.high - energies.low, 1e-3);
    layout.axisLow = energies.low - spread * 0.05;
    layout.axisHigh = energies.high + spread * 0.05;

    // The captions stand over the plots, wrapped when they are narrow.
    const auto textHeight = [&](const QString& text, int width) {
        return metrics
            .boundingRect(QRect(0, 0, width, 100000), Qt::AlignHCenter | Qt::TextWordWrap, text)
            .height();
    };
    // The axis labels decide the margins, the margins the plot's size and
    // the plot's size how many labels there is room for: a few rounds
    // settle it.
    int left = 4 * line, right = 4 * line, legendRows = 1, caption1 = line, caption2 = line;
    for (int round = 0; round < 3; ++round) {
        const int width = std::max(1, rect.width() - left - right);
        caption1 = std::max(line, textHeight(EnergyCaption(), width));
        caption2 = std::max(line, textHeight(ConvergenceCaption(), width));
        const int fixed = pad + caption1 + pad + (tick + line + pad) + caption2 + pad +
                          (tick + line + pad) + legendRows * line + pad;
        const int panels = std::max(2, rect.height() - fixed);
        const int energyHeight = panels * 50 / 100;
        const int convergenceHeight = panels - energyHeight;
        const int top = rect.top() + pad + caption1 + pad;
        layout.energy = QRect(rect.left() + left, top, width, energyHeight);
        layout.convergence = QRect(layout.energy.left(),
                                   layout.energy.bottom() + 1 + tick + line + pad + caption2 + pad,
                                   width, convergenceHeight);
        // Labels stand a line and a half apart at least.
        layout.energyTicks = AxisTicks::Between(layout.axisLow, layout.axisHigh,
                                                std::max(2, energyHeight * 2 / (3 * line)));
        // A digit more than the step needs, so that the labels' steps look
        // even.
        layout.hartreeDecimals =
            AxisTicks::DecimalsOf(layout.energyTicks.step / kKcalPerHartree) + 1;
        const int decades = static_cast<int>(layout.logHigh - layout.logLow);
        const int room = std::max(1, convergenceHeight * 2 / (3 * line));
        layout.decadeStep = std::max(1, (decades + room - 1) / std::max(1, room - 1));
        int widestLeft = 0, widestRight = 0;
        for (const double v : layout.energyTicks.values) {
            widestLeft = std::max(widestLeft, metrics.horizontalAdvance(EnergyLabel(layout, v)));
            widestRight = std::max(widestRight, metrics.horizontalAdvance(HartreeLabel(layout, v)));
        }
        for (int decade = static_cast<int>(layout.logLow); decade <= layout.logHigh;
             decade += layout.decadeStep)
            widestLeft =
                std::max(widestLeft, metrics.horizontalAdvance(QStringLiteral("1e%1").arg(decade)));
        // Step numbers: as many as fit side by side with a gap of two digits.
        const int widestStep = metrics.horizontalAdvance(QString::number(std::max(1, steps)));
        layout.stepTicks = AxisTicks::Between(
            1.0, std::max(1, steps),
            std::max(1, width / (widestStep + metrics.horizontalAdvance(QStringLiteral("00")))),
            1.0);
        left = widestLeft + tick + 2 * pad;
        widestRight = std::max(widestRight, metrics.horizontalAdvance(HartreeUnit()));
        right = std::max(widestRight + tick + 2 * pad, widestStep / 2 + pad);
        // The legend: items side by side, a new row where the next one
        // would pass the right edge.
        layout.legend.clear();
        int x = layout.energy.left(), row = 0;
        for (int k = 0; k < StepConvergence::kItems; ++k) {
            const int itemWidth = kLegendLine + pad +
                                  metrics.horizontalAdvance(
                                      QCoreApplication::translate("COptChartView", kItemLabels[k]));
            if (k > 0 && x + itemWidth > rect.right() - pad) {
                x = layout.energy.left();
                ++row;
            }
            layout.legend.push_back(QRect(x, row, itemWidth, line));
            x += itemWidth + 3 * pad;
        }
        legendRows = row + 1;
    }
    const int legendTop = layout.convergence.bottom() + 1 + tick + line + pad;
    for (QRect& item : layout.legend)
        item.moveTop(legendTop + item.top() * line);
    layout.caption1 =
        QRect(layout.energy.left(), rect.top() + pad, layout.energy.width(), caption1);
    layout.caption2 = QRect(layout.energy.left(), layout.convergence.top() - pad - caption2,
                            layout.energy.width(), caption2);
    return layout;
}

QString COptChartView::EnergyLabel(const Layout& layout, double relative) {
    return QString::number(relative, 'f', layout.energyTicks.decimals);
}

QString COptChartView::HartreeLabel(const Layout& layout, double relative) {
    return QString::number(layout.energies.first + relative / kKcalPerHartree, 'f',
                           layout.hartreeDecimals);
}

QRect COptChartView::EnergyArea(const QRect& rect) const {
    return LayOut(rect).energy;
}

double COptChartView::XOf(int g, const QRect& area) const {
    const CMolData* model = Model();
    const int steps = model != nullptr ? model->frameCount : 1;
    if (steps <= 1)
        return area.center().x();
    return area.left() + area.width() * (g + 0.5) / steps;
}

int COptChartView::StepAt(int x) const {
    const CMolData* model = Model();
    if (model == nullptr)
        return -1;
    const QRect area = EnergyArea(rect());
    int best = -1;
    double nearest = 0.0;
    for (int g = 0; g < model->frameCount; ++g) {
        const double distance = std::abs(XOf(g, area) - x);
        if (best < 0 || distance < nearest) {
            best = g;
            nearest = distance;
        }
    }
    // Within half a step's width of its point.
    const double half = area.width() / (2.0 * std::max(1, model->frameCount));
    return nearest <= std::max(half, 3.0) ? best : -1;
}

void COptChartView::Paint(QPainter& painter, const QRect& rect) const {
    const CMolData* model = Model();
    const Layout layout = LayOut(rect);
    const QRect& energyArea = layout.energy;
    const QRect& convergenceArea = layout.convergence;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(layout.font);
    const QFontMetrics metrics(layout.font);
    const int tick = 5;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(energyArea);
    painter.drawRect(convergenceArea);
    painter.drawText(layout.caption1, Qt::AlignHCenter | Qt::TextWordWrap, EnergyCaption());
    painter.drawText(layout.caption2, Qt::AlignHCenter | Qt::TextWordWrap, ConvergenceCaption());
    // The right axis's unit, over its labels.
    painter.drawText(
        QPointF(energyArea.right() + tick + 2, layout.caption1.top() + metrics.ascent()),
        HartreeUnit());
    if (model == nullptr)
        return;
    const int steps = model->frameCount;
    const int shown = GetDocState()->ShownFrame();
    const Energies& energies = layout.energies;
    const auto yOf = [&](double relative) {
        return energyArea.bottom() - (relative - layout.axisLow) /
                                         (layout.axisHigh - layout.axisLow) * energyArea.height();
    };
    // Step numbers under both panels.
    for (const QRect& area : {energyArea, convergenceArea}) {
        for (const double step : layout.stepTicks.values) {
            const double x = XOf(static_cast<int>(std::lround(step)) - 1, area);
            painter.drawLine(QPointF(x, area.bottom()), QPointF(x, area.bottom() + tick));
            const QString text = QString::number(std::lround(step));
            painter.drawText(QPointF(x - metrics.horizontalAdvance(text) / 2.0,
                                     area.bottom() + tick + metrics.ascent()),
                             text);
        }
    }
    // The marked geometry, in both panels.
    painter.setPen(QPen(QColor(0, 0, 255), 0, Qt::DashLine));
    for (const QRect& area : {energyArea, convergenceArea})
        painter.drawLine(QPointF(XOf(shown, area), area.top()),
                         QPointF(XOf(shown, area), area.bottom()));
    if (energies.lowest >= 0) {
        // Energy axis texts at the same heights: kcal/mol on the left,
        // hartree on the right.
        painter.setPen(QPen(Qt::black, 0));
        for (const double relative : layout.energyTicks.values) {
            const double y = yOf(relative);
            const QString left = EnergyLabel(layout, relative);
            const double baseline = y + (metrics.ascent() - metrics.descent()) / 2.0;
            painter.drawLine(QPointF(energyArea.left() - tick, y), QPointF(energyArea.left(), y));
            painter.drawLine(QPointF(energyArea.right(), y), QPointF(energyArea.right() + tick, y));
            painter.drawText(
                QPointF(energyArea.left() - tick - 2 - metrics.horizontalAdvance(left), baseline),
                left);
            painter.drawText(QPointF(energyArea.right() + tick + 2, baseline),
                             HartreeLabel(layout, relative));
        }
        QPainterPath line;
        bool started = false;
        for (int g = 0; g < steps; ++g) {
            const double e = model->GetFrame(g)->energy;
            if (!std::isfinite(e))
                continue;
            const QPointF point(XOf(g, energyArea), yOf((e - energies.first) * kKcalPerHartree));
            started ? line.lineTo(point) : line.moveTo(point);
            started = true;
            painter.setBrush(Qt::black);
            painter.drawEllipse(point, 2.5, 2.5);
        }
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(line);
        painter.setPen(QPen(QColor(0, 150, 0), 2));
        painter.drawEllipse(
            QPointF(
                XOf(energies.lowest, energyArea),
                yOf((model->GetFrame(energies.lowest)->energy - energies.first) * kKcalPerHartree)),
            6, 6);
    } else {
        painter.drawText(energyArea, Qt::AlignCenter,
                         QCoreApplication::translate("COptChartView", "エネルギーがありません"));
    }
    painter.setPen(QPen(Qt::black, 0));
    if (!layout.decades) {
        painter.drawText(convergenceArea, Qt::AlignCenter,
                         QCoreApplication::translate("COptChartView", "収束の表がありません"));
        return;
    }
    const auto yLog = [&](double v) {
        return convergenceArea.bottom() - (std::log10(v) - layout.logLow) /
                                              (layout.logHigh - layout.logLow) *
                                              convergenceArea.height();
    };
    for (int decade = static_cast<int>(layout.logLow); decade <= layout.logHigh;
         decade += layout.decadeStep) {
        const QString text = QStringLiteral("1e%1").arg(decade);
        const double y = yLog(std::pow(10.0, decade));
        painter.drawLine(QPointF(convergenceArea.left() - tick, y),
                         QPointF(convergenceArea.left(), y));
        painter.drawText(
            QPointF(convergenceArea.left() - tick - 2 - metrics.horizontalAdvance(text),
                    y + (metrics.ascent() - metrics.descent()) / 2.0),
            text);
    }
    for (int k = 0; k < StepConvergence::kItems; ++k) {
        QPainterPath values, thresholds;
        bool started = false, thresholdStarted = false;
        for (int g = 0; g < steps; ++g) {
            const StepConvergence& c = model->GetFrame(g)->convergence;
            if (!c.present[k])
                continue;
            if (Positive(c.value[k])) {
                const QPointF point(XOf(g, convergenceArea), yLog(c.value[k]));
                started ? values.lineTo(point) : values.moveTo(point);
                started = true;
            }
            if (Positive(c.threshold[k])) {
                const QPointF point(XOf(g, convergenceArea), yLog(c.threshold[k]));
                thresholdStarted ? thresholds.lineTo(point) : thresholds.moveTo(point);
                thresholdStarted = true;
            }
        }
        painter.setPen(QPen(kItemColours[k], 1.5));
        painter.drawPath(values);
        painter.setPen(QPen(kItemColours[k], 1, Qt::DashLine));
        painter.drawPath(thresholds);
        // The legend under the panel, laid out so that no item overlaps.
        const QRect& item = layout.legend[static_cast<std::size_t>(k)];
        const double middle = item.top() + metrics.ascent() / 2.0;
        painter.setPen(QPen(kItemColours[k], 2));
        painter.drawLine(QPointF(item.left(), middle), QPointF(item.left() + kLegendLine, middle));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(QPointF(item.right() + 1 -
                                     metrics.horizontalAdvance(QCoreApplication::translate(
                                         "COptChartView", kItemLabels[k])),
                                 item.top() + metrics.ascent()),
                         QCoreApplication::translate("COptChartView", kItemLabels[k]));
    }
}

void COptChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, rect());
}

void COptChartView::mousePressEvent(QMouseEvent* event) {
    const int step = StepAt(event->position().toPoint().x());
    MolDocState* document = GetDocState();
    if (step < 0 || document == nullptr || document->data == nullptr)
        return;
    document->ChooseFrame(step);
    GetDocument()->UpdateAllViews(nullptr);
}

bool COptChartView::WriteData(const QString& path) const {
    const CMolData* model = Model();
    std::string text = "# step energy/hartree maximumForce rmsForce maximumDisplacement "
                       "rmsDisplacement\n";
    char number[48];
    for (int g = 0; model != nullptr && g < model->frameCount; ++g) {
        const CMolFrame& frame = *const_cast<CMolData*>(model)->GetFrame(g);
        text += std::to_string(g + 1);
        const auto add = [&](bool present, double value, const char* format) {
            if (present && std::isfinite(value)) {
                std::snprintf(number, sizeof number, format, value);
                text += ' ';
                text += number;
            } else {
                text += " -";
            }
        };
        add(true, frame.energy, "%.9f");
        for (int k = 0; k < StepConvergence::kItems; ++k)
            add(frame.convergence.present[k], frame.convergence.value[k], "%.6f");
        text += '\n';
    }
    return TextExport::Write(window(), path, text);
}

void COptChartView::SaveData() {
    const QString path = TextExport::AskPath(window(), QStringLiteral("optimisation.txt"));
    if (!path.isEmpty())
        WriteData(path);
}
