#include "view/CPathChartView.h"

#include "model/CMolData.h"
#include "platform/Document.h"
#include "render/Measurement.h"
#include "render/MolDocState.h"
#include "res/CommandIds.h"
#include "view/CMolView.h"
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

const QColor kMeasureColours[] = {QColor(0, 0, 200),   QColor(200, 0, 0),   QColor(0, 140, 0),
                                  QColor(160, 0, 160), QColor(0, 140, 160), QColor(200, 120, 0)};

QString UnitText(ReactionPath::Unit unit) {
    return QString::fromUtf8(ReactionPath::UnitName(unit));
}

// The ends of the finite values, widened a little (and apart when equal).
void Ends(const std::vector<double>& values, double& low, double& high) {
    bool any = false;
    for (const double v : values) {
        if (!std::isfinite(v))
            continue;
        low = any ? std::min(low, v) : v;
        high = any ? std::max(high, v) : v;
        any = true;
    }
    if (!any) {
        low = 0.0;
        high = 1.0;
    }
    const double spread = std::max(high - low, std::max(std::abs(high), 1.0) * 1e-6);
    low -= spread * 0.05;
    high += spread * 0.05;
}

} // namespace

CPathChartView::CPathChartView(Document* document, QWidget* parent)
    : QWidget(parent), View(document) {
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    PrinterChoice::AddChartPrinting(
        commands_, this, 75,
        [this](QPainter& painter, const QRect& page) { Paint(painter, page); });
    commands_.AddEnabled(
        kSavePathData, [this] { SaveData(); }, [this] { return Path() != nullptr; });
    for (const auto& [id, unit] : {std::pair{kPathHartree, ReactionPath::Unit::kHartree},
                                   std::pair{kPathKjPerMol, ReactionPath::Unit::kKjPerMol},
                                   std::pair{kPathKcalPerMol, ReactionPath::Unit::kKcalPerMol}})
        commands_.AddCheck(
            id, [this, unit = unit] { SetUnit(unit); },
            [this, unit = unit] { return unit_ == unit; });
    commands_.AddEnabled(
        kPathAnimate, [this] { Animate(); }, [this] { return Path() != nullptr; });
}

MolDocState* CPathChartView::GetDocState() const {
    return dynamic_cast<MolDocState*>(GetDocument());
}

const CMolData* CPathChartView::Model() const {
    const MolDocState* document = GetDocState();
    return document != nullptr && document->data != nullptr && !document->data->path.Empty()
               ? document->data.get()
               : nullptr;
}

const ReactionPath* CPathChartView::Path() const {
    const CMolData* model = Model();
    return model != nullptr ? &model->path : nullptr;
}

QString CPathChartView::KindName() const {
    return QCoreApplication::translate("CPathChartView", "反応経路");
}

void CPathChartView::OnUpdate(View*) {
    update();
}

bool CPathChartView::OnCmdMsg(int id, CommandUpdate* update) {
    return commands_.Dispatch(id, update);
}

void CPathChartView::SetUnit(ReactionPath::Unit unit) {
    unit_ = unit;
    update();
}

std::vector<double> CPathChartView::Positions() const {
    std::vector<double> x;
    const ReactionPath* path = Path();
    if (path == nullptr)
        return x;
    const bool dihedral = path->kind == ReactionPath::Kind::kScan && !path->coordinates.empty() &&
                          path->coordinates.front().kind == ScanCoordinate::Kind::kDihedral;
    for (std::size_t p = 0; p < path->points.size(); ++p) {
        double v = path->points[p].coordinate;
        if (!std::isfinite(v)) {
            // A point not reached lies one step on from the last one.
            const double last = x.empty() ? 0.0 : x.back();
            const double step = x.size() >= 2 ? x[x.size() - 1] - x[x.size() - 2] : 1.0;
            v = std::isfinite(last) ? last + step : static_cast<double>(p);
        } else if (dihedral && !x.empty() && std::isfinite(x.back())) {
            v += 360.0 * std::round((x.back() - v) / 360.0);
        }
        x.push_back(v);
    }
    return x;
}

QString CPathChartView::EnergyCaption() const {
    QString caption =
        QCoreApplication::translate("CPathChartView", "エネルギー (%1, 最も低い点から)")
            .arg(UnitText(unit_));
    if (const CMolData* model = Model(); model != nullptr) {
        if (const QString job = JobStateText(*model); !job.isEmpty())
            caption += QStringLiteral("  (%1)").arg(job);
    }
    return caption;
}

QString CPathChartView::AxisCaption() const {
    const ReactionPath* path = Path();
    if (path == nullptr)
        return {};
    if (path->kind == ReactionPath::Kind::kIrc)
        return QCoreApplication::translate("CPathChartView", "反応座標 (amu^1/2 bohr)");
    if (path->coordinates.empty())
        return QCoreApplication::translate("CPathChartView", "スキャンの点");
    const ScanCoordinate& c = path->coordinates.front();
    return QStringLiteral("%1 %2 (%3)")
        .arg(QString::fromStdString(c.name), QString::fromStdString(c.definition),
             c.kind == ScanCoordinate::Kind::kDistance ? QStringLiteral("Å") : QStringLiteral("°"));
}

std::vector<Measurement> CPathChartView::Measurements() const {
    for (View* view : GetDocument()->GetViews()) {
        if (const auto* molecule = dynamic_cast<const CMolView*>(view);
            molecule != nullptr && !molecule->state.measurements.empty())
            return molecule->state.measurements;
    }
    return {};
}

CPathChartView::Layout CPathChartView::LayOut(const QRect& rect) const {
    Layout layout;
    layout.font = font();
    layout.font.setPixelSize(std::max(10, std::min(rect.height() / 40, rect.width() / 45)));
    const QFontMetrics metrics(layout.font);
    const int line = metrics.height() + 2, pad = std::max(4, line / 3), tick = 5;
    const ReactionPath* path = Path();
    const CMolData* model = Model();
    const std::vector<double> x = Positions();
    Ends(x, layout.xLow, layout.xHigh);
    std::vector<double> energies;
    for (std::size_t p = 0; path != nullptr && p < path->points.size(); ++p)
        energies.push_back(path->Relative(static_cast<int>(p), unit_));
    Ends(energies, layout.yLow, layout.yHigh);
    // The measurements of the first one's kind.
    const std::vector<Measurement> measures = Measurements();
    std::vector<double> values;
    if (!measures.empty() && model != nullptr) {
        layout.angles = measures.front().atoms.size() > 2;
        for (const Measurement& m : measures) {
            if ((m.atoms.size() > 2) != layout.angles)
                continue;
            for (const ReactionPath::Point& point : path->points)
                values.push_back(point.geometry >= 0 ? m.Value(*model, point.geometry)
                                                     : std::nan(""));
        }
    }
    const bool withMeasures =
        std::any_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
    Ends(values, layout.mLow, layout.mHigh);
    const int left = 6 * line, right = 2 * line;
    const int width = std::max(1, rect.width() - left - right);
    const int fixed = pad + line + pad + (tick + line + pad) + line + pad +
                      (withMeasures ? line + pad + tick + line + pad : 0);
    const int panels = std::max(2, rect.height() - fixed);
    const int profileHeight = withMeasures ? panels * 62 / 100 : panels;
    layout.caption = QRect(rect.left() + left, rect.top() + pad, width, line);
    layout.profile =
        QRect(rect.left() + left, layout.caption.bottom() + 1 + pad, width, profileHeight);
    int below = layout.profile.bottom() + 1 + tick + line + pad;
    if (withMeasures) {
        layout.measuresCaption = QRect(layout.profile.left(), below, width, line);
        layout.measures =
            QRect(layout.profile.left(), below + line + pad, width, panels - profileHeight);
        below = layout.measures.bottom() + 1 + tick + line + pad;
    }
    layout.axisCaption = QRect(layout.profile.left(), below, width, line);
    const int widestX = metrics.horizontalAdvance(QStringLiteral("-000.00"));
    layout.xTicks =
        AxisTicks::Between(layout.xLow, layout.xHigh, std::max(2, width / (widestX + 2 * pad)));
    layout.yTicks =
        AxisTicks::Between(layout.yLow, layout.yHigh, std::max(2, profileHeight * 2 / (3 * line)));
    if (withMeasures)
        layout.mTicks = AxisTicks::Between(layout.mLow, layout.mHigh,
                                           std::max(2, layout.measures.height() * 2 / (3 * line)));
    return layout;
}

QRect CPathChartView::ProfileArea(const QRect& rect) const {
    return LayOut(rect).profile;
}

QPointF CPathChartView::PointOf(int p, const QRect& rect) const {
    return PointIn(LayOut(rect), Positions(), p);
}

QPointF CPathChartView::PointIn(const Layout& layout, const std::vector<double>& x, int p) const {
    const ReactionPath* path = Path();
    if (path == nullptr || p < 0 || p >= static_cast<int>(x.size()))
        return {};
    const QRect& area = layout.profile;
    const double e = path->Relative(p, unit_);
    const double px = area.left() + (x[static_cast<std::size_t>(p)] - layout.xLow) /
                                        (layout.xHigh - layout.xLow) * area.width();
    const double py =
        std::isfinite(e)
            ? area.bottom() - (e - layout.yLow) / (layout.yHigh - layout.yLow) * area.height()
            : area.bottom();
    return {px, py};
}

int CPathChartView::PointAt(const QPoint& position) const {
    const ReactionPath* path = Path();
    if (path == nullptr)
        return -1;
    // One layout for every point looked at.
    const Layout layout = LayOut(rect());
    const std::vector<double> x = Positions();
    int best = -1;
    double nearest = 0.0;
    for (int p = 0; p < static_cast<int>(path->points.size()); ++p) {
        const double distance = std::abs(PointIn(layout, x, p).x() - position.x());
        if (best < 0 || distance < nearest) {
            best = p;
            nearest = distance;
        }
    }
    const double half = layout.profile.width() /
                        (2.0 * static_cast<double>(std::max<std::size_t>(1, path->points.size())));
    return nearest <= std::max(half, 4.0) ? best : -1;
}

void CPathChartView::Paint(QPainter& painter, const QRect& rect) const {
    const Layout layout = LayOut(rect);
    const QRect& area = layout.profile;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(layout.font);
    const QFontMetrics metrics(layout.font);
    const int tick = 5;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(area);
    painter.drawText(layout.caption, Qt::AlignHCenter, EnergyCaption());
    painter.drawText(layout.axisCaption, Qt::AlignHCenter, AxisCaption());
    const ReactionPath* path = Path();
    const CMolData* model = Model();
    if (path == nullptr) {
        painter.drawText(
            area, Qt::AlignCenter,
            QCoreApplication::translate("CPathChartView", "スキャンも IRC もありません"));
        return;
    }
    const std::vector<double> x = Positions();
    const auto xOf = [&](double v) {
        return area.left() + (v - layout.xLow) / (layout.xHigh - layout.xLow) * area.width();
    };
    const auto yOf = [&](const QRect& r, double v, double low, double high) {
        return r.bottom() - (v - low) / (high - low) * r.height();
    };
    const auto leftLabels = [&](const QRect& r, const AxisTicks& ticks, double low, double high) {
        for (const double v : ticks.values) {
            const double y = yOf(r, v, low, high);
            const QString text = QString::number(v, 'f', ticks.decimals);
            painter.drawLine(QPointF(r.left() - tick, y), QPointF(r.left(), y));
            painter.drawText(QPointF(r.left() - tick - 2 - metrics.horizontalAdvance(text),
                                     y + (metrics.ascent() - metrics.descent()) / 2.0),
                             text);
        }
    };
    const auto bottomLabels = [&](const QRect& r) {
        for (const double v : layout.xTicks.values) {
            const double px = xOf(v);
            const QString text = QString::number(v, 'f', layout.xTicks.decimals);
            painter.drawLine(QPointF(px, r.bottom()), QPointF(px, r.bottom() + tick));
            painter.drawText(QPointF(px - metrics.horizontalAdvance(text) / 2.0,
                                     r.bottom() + tick + metrics.ascent()),
                             text);
        }
    };
    leftLabels(area, layout.yTicks, layout.yLow, layout.yHigh);
    bottomLabels(area);
    // The geometry shown, when it is a point of the path.
    const int shown = path->PointOfGeometry(GetDocState()->ShownFrame());
    if (shown >= 0) {
        painter.setPen(QPen(QColor(0, 0, 255), 0, Qt::DashLine));
        const double px = xOf(x[static_cast<std::size_t>(shown)]);
        painter.drawLine(QPointF(px, area.top()), QPointF(px, area.bottom()));
        if (layout.measures.isValid())
            painter.drawLine(QPointF(px, layout.measures.top()),
                             QPointF(px, layout.measures.bottom()));
    }
    QPainterPath profile;
    bool started = false;
    for (int p = 0; p < static_cast<int>(path->points.size()); ++p) {
        const double e = path->Relative(p, unit_);
        if (!std::isfinite(e))
            continue;
        const QPointF at(xOf(x[static_cast<std::size_t>(p)]),
                         yOf(area, e, layout.yLow, layout.yHigh));
        started ? profile.lineTo(at) : profile.moveTo(at);
        started = true;
    }
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(profile);
    for (int p = 0; p < static_cast<int>(path->points.size()); ++p) {
        const ReactionPath::Point& point = path->points[static_cast<std::size_t>(p)];
        const double e = path->Relative(p, unit_);
        if (!std::isfinite(e))
            continue;
        const QPointF at(xOf(x[static_cast<std::size_t>(p)]),
                         yOf(area, e, layout.yLow, layout.yHigh));
        if (!point.converged) {
            // Not converged: a red square, hollow.
            painter.setPen(QPen(QColor(220, 0, 0), 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
        } else {
            painter.setPen(QPen(Qt::black, 0));
            painter.setBrush(point.geometry >= 0 ? QBrush(Qt::black) : QBrush(Qt::white));
            painter.drawEllipse(at, 3.0, 3.0);
        }
    }
    painter.setBrush(Qt::NoBrush);
    if (const int lowest = path->Lowest(); lowest >= 0) {
        painter.setPen(QPen(QColor(0, 150, 0), 2));
        painter.drawEllipse(QPointF(xOf(x[static_cast<std::size_t>(lowest)]),
                                    yOf(area, 0.0, layout.yLow, layout.yHigh)),
                            6, 6);
    }
    if (!layout.measures.isValid() || model == nullptr)
        return;
    // The measurements along the path, each in its colour, named over it.
    const QRect& below = layout.measures;
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(below);
    leftLabels(below, layout.mTicks, layout.mLow, layout.mHigh);
    bottomLabels(below);
    QString names;
    int colour = 0;
    for (const Measurement& m : Measurements()) {
        if ((m.atoms.size() > 2) != layout.angles)
            continue;
        const QColor c = kMeasureColours[colour++ % std::size(kMeasureColours)];
        QPainterPath values;
        bool on = false;
        for (std::size_t p = 0; p < path->points.size(); ++p) {
            const int g = path->points[p].geometry;
            const double v = g >= 0 ? m.Value(*model, g) : std::nan("");
            if (!std::isfinite(v)) {
                on = false;
                continue;
            }
            const QPointF at(xOf(x[p]), yOf(below, v, layout.mLow, layout.mHigh));
            on ? values.lineTo(at) : values.moveTo(at);
            on = true;
        }
        painter.setPen(QPen(c, 1.5));
        painter.drawPath(values);
        QString atoms;
        for (const int a : m.atoms)
            atoms += (atoms.isEmpty() ? QString() : QStringLiteral("–")) +
                     QString::fromUtf8(std::string(model->GetLabel(model->firstShownFrame, a)));
        names += (names.isEmpty() ? QString() : QStringLiteral("   ")) + atoms;
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawText(layout.measuresCaption, Qt::AlignHCenter,
                     QCoreApplication::translate("CPathChartView", "計測値 (%1): %2")
                         .arg(layout.angles ? QStringLiteral("°") : QStringLiteral("Å"), names));
}

void CPathChartView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, rect());
}

void CPathChartView::mousePressEvent(QMouseEvent* event) {
    const int p = PointAt(event->position().toPoint());
    MolDocState* document = GetDocState();
    const ReactionPath* path = Path();
    if (p < 0 || document == nullptr || path == nullptr)
        return;
    const int g = path->points[static_cast<std::size_t>(p)].geometry;
    if (g < 0)
        return;
    document->ChooseFrame(g);
    GetDocument()->UpdateAllViews(nullptr);
}

void CPathChartView::Animate() {
    const ReactionPath* path = Path();
    if (path == nullptr)
        return;
    std::vector<int> geometries;
    for (const ReactionPath::Point& point : path->points) {
        if (point.geometry >= 0)
            geometries.push_back(point.geometry);
    }
    emit animationRequested(geometries);
}

bool CPathChartView::WriteData(const QString& file) const {
    const ReactionPath* path = Path();
    const CMolData* model = Model();
    const std::vector<Measurement> measures = Measurements();
    std::string text = "# point number coordinate energy/hartree relative/";
    text += ReactionPath::UnitName(unit_);
    text += " converged geometry";
    for (std::size_t k = 0; k < measures.size(); ++k)
        text += " measurement" + std::to_string(k + 1);
    text += '\n';
    char number[64];
    const auto add = [&](double value, const char* format) {
        if (std::isfinite(value)) {
            std::snprintf(number, sizeof number, format, value);
            text += ' ';
            text += number;
        } else {
            text += " -";
        }
    };
    for (std::size_t p = 0; path != nullptr && p < path->points.size(); ++p) {
        const ReactionPath::Point& point = path->points[p];
        text += std::to_string(p + 1) + ' ' + std::to_string(point.number);
        add(point.coordinate, "%.6f");
        add(point.energy, "%.9f");
        add(path->Relative(static_cast<int>(p), unit_), "%.6f");
        text += point.converged ? " yes" : " no";
        text += point.geometry >= 0 ? ' ' + std::to_string(point.geometry + 1) : std::string(" -");
        for (const Measurement& m : measures)
            add(point.geometry >= 0 ? m.Value(*model, point.geometry) : std::nan(""), "%.6f");
        text += '\n';
    }
    return TextExport::Write(window(), file, text);
}

void CPathChartView::SaveData() {
    const QString file = TextExport::AskPath(window(), QStringLiteral("path.txt"));
    if (!file.isEmpty())
        WriteData(file);
}
