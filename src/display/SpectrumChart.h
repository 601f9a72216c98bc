#pragma once

#include "display/ChartSeries.h"

#include <qcustomplot.h>

#include <QColor>
#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QSharedPointer>
#include <QString>

class ChartTicker;
class QPrinter;
class SeriesPlottable;

// The spectrum chart: two line series drawn from their own point arrays against the bottom and
// left axes. Axis ranges are only those the program sets; the user may zoom into them and back.
class SpectrumChart : public QCustomPlot {
    Q_OBJECT
public:
    explicit SpectrumChart(QWidget* parent = nullptr);

    // Series 0 (channel 1) and series 1 (channel 2). Overwrite points in place, then refresh().
    ChartSeries Series1;
    ChartSeries Series2;

    void setSeriesColor(int index, const QColor& color);

    // The ranges as the program set them, whatever the user zoomed to.
    void setBottomRange(double minimum, double maximum);
    void setBottomMinimum(double minimum);
    void setBottomMaximum(double maximum);
    double bottomMinimum() const { return m_bottomRange.lower; }
    double bottomMaximum() const { return m_bottomRange.upper; }
    void setLeftRange(double minimum, double maximum);
    void setLeftMinimum(double minimum);
    void setLeftMaximum(double maximum);
    double leftMaximum() const { return m_leftRange.upper; }
    // Back to the ranges the program set.
    void undoZoom();

    void setLeftTitle(const QString& title);
    QString leftTitle() const;
    void setLeftTitleFontSize(int points);
    void setBottomTitle(const QString& title);
    void setBottomTitleFontSize(int points);

    void setLeftMinorTicks(int count);
    void setBottomMinorTicks(int count);
    // Smallest step between left-axis labels; 0 lets the axis choose.
    void setLeftIncrement(double increment);

    // One redraw soon, however often it is asked for before; at most one per screen frame.
    void refresh();

    // The bottom-axis value at a horizontal position in chart coordinates, also outside the plot.
    double axisXAt(QPoint chartPos) const;

    // The part of a page the chart is printed in: 15 % left and right, 25 % top and bottom.
    static QRect printArea(const QRect& page);
    // Draws the chart into the print area of page. deviceScale is device pixels per screen pixel,
    // so texts and lines keep their on-screen proportions.
    void paintPage(QCPPainter& painter, const QRect& page, double deviceScale);
    void printChart(QPrinter& printer);

signals:
    void mouseMovedOverChart();

protected:
    void updateLayout() override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void processRectZoom(QRect rect, QMouseEvent* event) override;

private:
    SeriesPlottable* plottable(int index) const;

    SeriesPlottable* m_plot0 = nullptr;
    SeriesPlottable* m_plot1 = nullptr;
    QSharedPointer<ChartTicker> m_leftTicker;
    QSharedPointer<ChartTicker> m_bottomTicker;
    QCPRange m_bottomRange;
    QCPRange m_leftRange;
    bool m_refreshPending = false;
    QElapsedTimer m_sinceReplot;
};
