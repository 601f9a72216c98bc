#pragma once

#include "display/ChartSeries.h"

#include <qcustomplot.h>

#include <QPointF>
#include <QVector>

// Draws a ChartSeries straight from its arrays, in index order, through its drawn points only:
// the line breaks at every other point. Dense points are thinned to the first, lowest, highest
// and last point of each pixel column, which looks the same as drawing them all.
class SeriesPlottable : public QCPAbstractPlottable {
    Q_OBJECT
public:
    SeriesPlottable(QCPAxis* keyAxis, QCPAxis* valueAxis, const ChartSeries& series);

    double selectTest(const QPointF& pos, bool onlySelectable,
                      QVariant* details = nullptr) const override;
    QCPRange getKeyRange(bool& foundRange,
                         QCP::SignDomain inSignDomain = QCP::sdBoth) const override;
    QCPRange getValueRange(bool& foundRange, QCP::SignDomain inSignDomain = QCP::sdBoth,
                           const QCPRange& inKeyRange = QCPRange()) const override;

protected:
    void draw(QCPPainter* painter) override;
    void drawLegendIcon(QCPPainter* painter, const QRectF& rect) const override;

private:
    bool isDrawable(std::size_t index) const;
    void closeColumn();
    void flushLine(QCPPainter* painter);

    std::size_t pointCount() const;

    const ChartSeries& m_series;

    // Reused between draws so a refresh allocates nothing once the chart has been drawn.
    QVector<QPointF> m_line;

    struct Column {
        int pixel = 0;
        std::size_t count = 0;
        QPointF first, last, low, high;
        std::size_t lowIndex = 0, highIndex = 0;
    } m_column;
};

// Tick placement with a settable number of minor ticks and a smallest label step.
class ChartTicker : public QCPAxisTicker {
public:
    // A negative count lets the ticker choose.
    void setMinorTicks(int count) { m_minorTicks = count; }
    // 0 lets the ticker choose; otherwise labels are multiples of at least this step.
    void setIncrement(double increment) { m_increment = increment; }

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;

private:
    int m_minorTicks = -1;
    double m_increment = 0.0;
};
