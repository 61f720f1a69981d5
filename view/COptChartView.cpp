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
    for (const auto& [id, preview] :
         {std::pair{kFilePrint, false}, std::pair{kFilePrintPreview, true}})
        commands_.Add(id, [this, preview = preview] {
            PrinterChoice::Print(this, preview, [this](QPrinter* target) {
                QPainter painter(target);
                const QRect page = target->pageLayout().paintRectPixels(target->resolution());
                Paint(painter, QRect(0, 0, page.width(), page.width()));
            });
        });
    commands_.AddEnabled(
        kSaveChartData, [this] { SaveData(); }, [this] { return Model() != nullptr; });
}

MolDocState* COptChartView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

CMolData* COptChartView::Model() const {
    const MolDocState* document = GetDocState();
    return document != nullptr && document->data != nullptr && document->data->frameCount > 0
               ? document->data.get()
               : nullptr;
}

void COptChartView::OnUpdate(View*) {
    update();
}

bool COptChartView::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

QRect COptChartView::EnergyArea(const QRect& rect) const {
    const int left = std::max(70, rect.width() / 9), right = std::max(70, rect.width() / 9);
    const int top = std::max(30, rect.height() / 20);
    const int height = (rect.height() - top) * 45 / 100;
    return QRect(rect.left() + left, rect.top() + top, rect.width() - left - right, height);
}

QRect COptChartView::ConvergenceArea(const QRect& rect) const {
    const QRect energy = EnergyArea(rect);
    const int gap = std::max(50, rect.height() / 12);
    return QRect(energy.left(), energy.bottom() + gap, energy.width(),
                 rect.bottom() - energy.bottom() - gap - std::max(40, rect.height() / 12));
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
    CMolData* model = Model();
    const QRect energyArea = EnergyArea(rect), convergenceArea = ConvergenceArea(rect);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = painter.font();
    font.setPixelSize(std::max(10, rect.height() / 45));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(energyArea);
    painter.drawRect(convergenceArea);
    if (model == nullptr)
        return;
    const int steps = model->frameCount;
    const int shown = GetDocState()->ShownFrame();
    // The energies, relative to the first step that has one.
    double first = std::nan(""), low = 0.0, high = 0.0;
    int lowest = -1;
    for (int g = 0; g < steps; ++g) {
        const double e = model->GetFrame(g)->energy;
        if (!std::isfinite(e))
            continue;
        if (std::isnan(first))
            first = e;
        const double relative = (e - first) * kKcalPerHartree;
        low = std::min(low, relative);
        high = std::max(high, relative);
        if (lowest < 0 || e < model->GetFrame(lowest)->energy)
            lowest = g;
    }
    const double spread = std::max(high - low, 1e-3);
    const auto yOf = [&](double relative) {
        return energyArea.bottom() - (relative - low) / spread * energyArea.height() * 0.9 -
               energyArea.height() * 0.05;
    };
    // The caption says how the job stands while it runs or after an error.
    QString caption =
        QCoreApplication::translate("COptChartView", "エネルギー (kcal/mol, 最初のステップから)");
    if (const QString job = JobStateText(*model); !job.isEmpty())
        caption += QStringLiteral("  (%1)").arg(job);
    painter.drawText(QRect(energyArea.left(), rect.top(), energyArea.width(), energyArea.top()),
                     Qt::AlignCenter, caption);
    // The marked geometry, in both panels.
    painter.setPen(QPen(QColor(0, 0, 255), 0, Qt::DashLine));
    for (const QRect& area : {energyArea, convergenceArea})
        painter.drawLine(QPointF(XOf(shown, area), area.top()),
                         QPointF(XOf(shown, area), area.bottom()));
    if (lowest >= 0) {
        // Energy axis texts: kcal/mol on the left, hartree on the right.
        painter.setPen(QPen(Qt::black, 0));
        for (int k = 0; k <= 4; ++k) {
            const double relative = low + spread * k / 4.0;
            const double y = yOf(relative);
            const QString left = QString::number(relative, 'f', 2);
            painter.drawText(QPointF(energyArea.left() - 6 - metrics.horizontalAdvance(left),
                                     y + metrics.ascent() / 2.0),
                             left);
            painter.drawText(QPointF(energyArea.right() + 6, y + metrics.ascent() / 2.0),
                             QString::number(first + relative / kKcalPerHartree, 'f', 5));
        }
        QPainterPath line;
        bool started = false;
        for (int g = 0; g < steps; ++g) {
            const double e = model->GetFrame(g)->energy;
            if (!std::isfinite(e))
                continue;
            const QPointF point(XOf(g, energyArea), yOf((e - first) * kKcalPerHartree));
            started ? line.lineTo(point) : line.moveTo(point);
            started = true;
            painter.setBrush(Qt::black);
            painter.drawEllipse(point, 2.5, 2.5);
        }
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(line);
        painter.setPen(QPen(QColor(0, 150, 0), 2));
        painter.drawEllipse(
            QPointF(XOf(lowest, energyArea),
                    yOf((model->GetFrame(lowest)->energy - first) * kKcalPerHartree)),
            6, 6);
    } else {
        painter.drawText(energyArea, Qt::AlignCenter,
                         QCoreApplication::translate("COptChartView", "エネルギーがありません"));
    }
    // Convergence: log10 of every value and threshold printed.
    double logLow = 0.0, logHigh = 0.0;
    bool any = false;
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
    painter.setPen(QPen(Qt::black, 0));
    painter.drawText(
        QRect(convergenceArea.left(), energyArea.bottom() + 4, convergenceArea.width(),
              convergenceArea.top() - energyArea.bottom() - 4),
        Qt::AlignCenter,
        QCoreApplication::translate("COptChartView", "収束の値 (対数目盛、破線はしきい値)"));
    if (!any) {
        painter.drawText(convergenceArea, Qt::AlignCenter,
                         QCoreApplication::translate("COptChartView", "収束の表がありません"));
        return;
    }
    logLow = std::floor(logLow);
    logHigh = std::max(std::ceil(logHigh), logLow + 1.0);
    const auto yLog = [&](double v) {
        return convergenceArea.bottom() -
               (std::log10(v) - logLow) / (logHigh - logLow) * convergenceArea.height();
    };
    for (int decade = static_cast<int>(logLow); decade <= static_cast<int>(logHigh); ++decade) {
        const QString text = QStringLiteral("1e%1").arg(decade);
        const double y = yLog(std::pow(10.0, decade));
        painter.drawText(QPointF(convergenceArea.left() - 6 - metrics.horizontalAdvance(text),
                                 y + metrics.ascent() / 2.0),
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
        // The legend under the panel.
        const int x = convergenceArea.left() + convergenceArea.width() * k / 4;
        const int y = convergenceArea.bottom() + metrics.height() + 4;
        painter.setPen(QPen(kItemColours[k], 2));
        painter.drawLine(x, y - metrics.ascent() / 2, x + 20, y - metrics.ascent() / 2);
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(QPointF(x + 24, y),
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
    document->data->SetCurrentFrame(step);
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
