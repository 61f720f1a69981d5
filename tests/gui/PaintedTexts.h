#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QRectF>
#include <QString>
#include <QTextItem>

#include <cmath>
#include <vector>

// A paint device that keeps what is painted on it rather than pixels: every
// text with the box it covers, and every ellipse's box. Tests read the
// numbers a chart painted from it, not from any widget.
class PaintedTexts : public QPaintDevice {
public:
    struct Text {
        QString text;
        QRectF box; // from the ascent above the baseline to the descent below
        double baseline = 0.0;
    };

    PaintedTexts(int width, int height) : width_(width), height_(height) {}
    QPaintEngine* paintEngine() const override { return &engine_; }

    const std::vector<Text>& Texts() const { return engine_.texts; }
    const std::vector<QRectF>& Ellipses() const { return engine_.ellipses; }
    // The texts that are exactly text.
    std::vector<Text> Find(const QString& text) const {
        std::vector<Text> found;
        for (const Text& t : engine_.texts) {
            if (t.text == text)
                found.push_back(t);
        }
        return found;
    }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine() : QPaintEngine(QPaintEngine::AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            const QFontMetricsF metrics(item.font());
            const QPointF at = state != nullptr ? state->transform().map(p) : p;
            // Qt hands a line over in runs of one script each: a run that
            // goes on where the last ended joins it.
            if (!texts.empty() && std::abs(texts.back().baseline - at.y()) < 0.01 &&
                std::abs(texts.back().box.right() - at.x()) < 0.5) {
                texts.back().text += item.text();
                texts.back().box.setRight(at.x() + metrics.horizontalAdvance(item.text()));
                return;
            }
            texts.push_back(
                {item.text(),
                 QRectF(at.x(), at.y() - metrics.ascent(), metrics.horizontalAdvance(item.text()),
                        metrics.ascent() + metrics.descent()),
                 at.y()});
        }
        void drawEllipse(const QRectF& r) override { ellipses.push_back(r); }
        // Lines and shapes are not kept (the defaults would turn them into
        // one another without end).
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawPoints(const QPointF*, int) override {}
        Type type() const override { return QPaintEngine::User; }

        std::vector<Text> texts;
        std::vector<QRectF> ellipses;
    };
    mutable Engine engine_;
    int width_, height_;
};
