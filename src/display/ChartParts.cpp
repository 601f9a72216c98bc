#include "display/ChartParts.h"

#include <algorithm>
#include <cmath>

SeriesPlottable::SeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const ChartSeries& series)
    : QCPAbstractPlottable(keyAxis, valueAxis), m_series(series) {
    setSelectable(QCP::stNone);
    setAntialiased(false);
    setBrush(Qt::NoBrush);
}

double SeriesPlottable::selectTest(const QPointF&, bool, QVariant*) const {
    return -1.0;
}

std::size_t SeriesPlottable::pointCount() const {
    return std::min({m_series.x.size(), m_series.y.size(), m_series.drawn.size()});
}

bool SeriesPlottable::isDrawable(std::size_t index) const {
    return m_series.drawn[index] && std::isfinite(m_series.x[index]) &&
           std::isfinite(m_series.y[index]);
}

QCPRange SeriesPlottable::getKeyRange(bool& foundRange, QCP::SignDomain inSignDomain) const {
    QCPRange range;
    foundRange = false;
    const std::size_t n = pointCount();
    for (std::size_t i = 0; i < n; ++i) {
        const double x = m_series.x[i];
        if (!isDrawable(i) || (inSignDomain == QCP::sdPositive && x <= 0.0) ||
            (inSignDomain == QCP::sdNegative && x >= 0.0))
            continue;
        if (!foundRange)
            range = QCPRange(x, x);
        range.expand(x);
        foundRange = true;
    }
    return range;
}

QCPRange SeriesPlottable::getValueRange(bool& foundRange, QCP::SignDomain inSignDomain,
                                        const QCPRange& inKeyRange) const {
    QCPRange range;
    foundRange = false;
    const bool restrictKeys = inKeyRange != QCPRange();
    const std::size_t n = pointCount();
    for (std::size_t i = 0; i < n; ++i) {
        const double y = m_series.y[i];
        if (!isDrawable(i) || (restrictKeys && !inKeyRange.contains(m_series.x[i])) ||
            (inSignDomain == QCP::sdPositive && y <= 0.0) ||
            (inSignDomain == QCP::sdNegative && y >= 0.0))
            continue;
        if (!foundRange)
            range = QCPRange(y, y);
        range.expand(y);
        foundRange = true;
    }
    return range;
}

void SeriesPlottable::draw(QCPPainter* painter) {
    QCPAxis* keyAxis = mKeyAxis.data();
    QCPAxis* valueAxis = mValueAxis.data();
    if (!keyAxis || !valueAxis)
        return;
    painter->setPen(mPen);
    painter->setBrush(Qt::NoBrush);
    applyDefaultAntialiasingHint(painter);

    // Points far off the plot are pulled in so the rasteriser stays within its range.
    const QRectF plot = clipRect();
    const QRectF bounds = plot.adjusted(-10 * plot.width(), -10 * plot.height(), 10 * plot.width(),
                                        10 * plot.height());
    m_line.clear();
    m_column.count = 0;
    const std::size_t n = pointCount();
    for (std::size_t i = 0; i < n; ++i) {
        if (!isDrawable(i)) {
            closeColumn();
            flushLine(painter);
            continue;
        }
        const QPointF p(
            std::clamp(keyAxis->coordToPixel(m_series.x[i]), bounds.left(), bounds.right()),
            std::clamp(valueAxis->coordToPixel(m_series.y[i]), bounds.top(), bounds.bottom()));
        const int pixel = static_cast<int>(std::floor(p.x()));
        if (m_column.count > 0 && pixel == m_column.pixel) {
            m_column.last = p;
            if (p.y() < m_column.low.y()) {
                m_column.low = p;
                m_column.lowIndex = m_column.count;
            }
            if (p.y() > m_column.high.y()) {
                m_column.high = p;
                m_column.highIndex = m_column.count;
            }
            ++m_column.count;
            continue;
        }
        closeColumn();
        m_column = Column{pixel, 1, p, p, p, p, 0, 0};
    }
    closeColumn();
    flushLine(painter);
}

void SeriesPlottable::closeColumn() {
    const Column& c = m_column;
    if (c.count == 0)
        return;
    m_line.append(c.first);
    // The extremes in the order they occurred, so the line keeps its shape.
    const bool lowFirst = c.lowIndex < c.highIndex;
    const std::size_t firstIndex = lowFirst ? c.lowIndex : c.highIndex;
    const std::size_t secondIndex = lowFirst ? c.highIndex : c.lowIndex;
    const QPointF& firstExtreme = lowFirst ? c.low : c.high;
    const QPointF& secondExtreme = lowFirst ? c.high : c.low;
    const std::size_t lastIndex = c.count - 1;
    if (firstIndex != 0 && firstIndex != lastIndex)
        m_line.append(firstExtreme);
    if (secondIndex != 0 && secondIndex != lastIndex && secondIndex != firstIndex)
        m_line.append(secondExtreme);
    if (lastIndex != 0)
        m_line.append(c.last);
    m_column.count = 0;
}

void SeriesPlottable::flushLine(QCPPainter* painter) {
    if (m_line.size() >= 2)
        painter->drawPolyline(m_line.constData(), static_cast<int>(m_line.size()));
    m_line.clear();
}

void SeriesPlottable::drawLegendIcon(QCPPainter* painter, const QRectF& rect) const {
    painter->setPen(mPen);
    painter->drawLine(QLineF(rect.left(), rect.center().y(), rect.right(), rect.center().y()));
}

double ChartTicker::getTickStep(const QCPRange& range) {
    const double step = QCPAxisTicker::getTickStep(range);
    if (m_increment <= 0.0)
        return step;
    return m_increment * std::max(1.0, std::ceil(step / m_increment));
}

int ChartTicker::getSubTickCount(double tickStep) {
    return m_minorTicks >= 0 ? m_minorTicks : QCPAxisTicker::getSubTickCount(tickStep);
}
