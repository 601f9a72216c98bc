#pragma once

#include "display/SpectrumChart.h"

#include <QColor>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <span>
#include <vector>

// A polyline as the chart hands it to the painter, in the chart's pixels.
struct DrawnLine {
    QColor colour;
    QPolygonF points;
};

// A paint device that keeps the polylines painted on it and nothing else. The chart draws its
// series as polylines; axes, grid and texts are lines, rectangles and paths.
class LineRecorder : public QPaintDevice {
public:
    LineRecorder(int width, int height) : width_(width), height_(height) {}
    QPaintEngine* paintEngine() const override { return &engine_; }
    const std::vector<DrawnLine>& lines() const { return engine_.lines; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return width_;
        case PdmHeight:
            return height_;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        Engine() : QPaintEngine(AllFeatures) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyPen)
                pen_ = state.pen();
            if (state.state() & DirtyTransform)
                transform_ = state.transform();
        }
        void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
            if (mode != PolylineMode)
                return;
            QPolygonF line;
            for (int i = 0; i < count; ++i)
                line << transform_.map(points[i]);
            lines.push_back({pen_.color(), line});
        }
        void drawPath(const QPainterPath&) override {}
        void drawLines(const QLineF*, int) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        Type type() const override { return User; }

        std::vector<DrawnLine> lines;

    private:
        QPen pen_;
        QTransform transform_;
    };

    int width_, height_;
    mutable Engine engine_;
};

// The polylines of the chart at its own size, in the order they are drawn. The chart is laid out
// for that size, so its axes convert between values and the recorded pixels afterwards.
inline std::vector<DrawnLine> DrawnLines(SpectrumChart& chart) {
    LineRecorder recorder(chart.width(), chart.height());
    {
        QCPPainter painter(&recorder);
        chart.toPainter(&painter, chart.width(), chart.height());
    }
    return recorder.lines();
}

// One point of a channel's data, in axis values.
struct DataPoint {
    double x, y;
};

// Vertices of the lines of one colour that are none of the given points to the pixel. The
// chart thins dense points but draws only points it holds, so every vertex is one of them.
inline std::vector<QPointF> VerticesOutside(const SpectrumChart& chart,
                                            const std::vector<DrawnLine>& lines,
                                            const QColor& colour,
                                            std::span<const DataPoint> points) {
    std::vector<QPointF> pixels;
    for (const DataPoint& p : points)
        pixels.emplace_back(chart.xAxis->coordToPixel(p.x), chart.yAxis->coordToPixel(p.y));
    std::vector<QPointF> outside;
    for (const DrawnLine& line : lines) {
        if (line.colour.rgb() != colour.rgb())
            continue;
        for (const QPointF& v : line.points) {
            bool found = false;
            for (const QPointF& p : pixels)
                if (std::abs(p.x() - v.x()) <= 0.5 && std::abs(p.y() - v.y()) <= 0.5) {
                    found = true;
                    break;
                }
            if (!found)
                outside.emplace_back(chart.xAxis->pixelToCoord(v.x()),
                                     chart.yAxis->pixelToCoord(v.y()));
        }
    }
    return outside;
}

// The lowest and highest x of the vertices of one colour, in axis values; both 0 without any.
inline std::pair<double, double>
DrawnXRange(const SpectrumChart& chart, const std::vector<DrawnLine>& lines, const QColor& colour) {
    bool any = false;
    double lo = 0.0, hi = 0.0;
    for (const DrawnLine& line : lines) {
        if (line.colour.rgb() != colour.rgb())
            continue;
        for (const QPointF& v : line.points) {
            const double x = chart.xAxis->pixelToCoord(v.x());
            lo = any ? std::min(lo, x) : x;
            hi = any ? std::max(hi, x) : x;
            any = true;
        }
    }
    return {lo, hi};
}
