#include "display/SpectrumChart.h"

#include <QScreen>
#include <QTimer>

#include "display/ChartParts.h"

#include <QFont>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPrinter>

#include <cmath>

namespace {

QFont PixelFont(const QFont& base, int pixels) {
    QFont font(base);
    font.setPixelSize(pixels);
    return font;
}

QFont PointFont(const QFont& base, int points) {
    QFont font(base);
    font.setPointSize(points);
    return font;
}

// Any count of a 16-bit detector fits until the set-up chooses the maximum for the resolution.
constexpr double InitialLeftMaximum = 65550.0;
constexpr double OuterMarginFraction = 0.02;

} // namespace

SpectrumChart::SpectrumChart(QWidget* parent) : QCustomPlot(parent) {
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);

    QLinearGradient gradient(0.0, 0.0, 0.0, 1.0);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0.0, QColor(192, 192, 192));
    gradient.setColorAt(0.53, Qt::white);
    gradient.setColorAt(1.0, QColor(128, 128, 128));
    setBackground(QBrush(gradient));

    plotLayout()->insertRow(0);
    auto* title =
        new QCPTextElement(this, QStringLiteral("Corvane Devices"), PixelFont(font(), 16));
    title->setTextColor(Qt::white);
    plotLayout()->addElement(0, 0, title);
    plotLayout()->setAutoMargins(QCP::msNone);

    m_leftTicker = QSharedPointer<ChartTicker>::create();
    m_leftTicker->setMinorTicks(10);
    m_bottomTicker = QSharedPointer<ChartTicker>::create();
    for (QCPAxis* axis : {xAxis, yAxis}) {
        axis->setVisible(true);
        axis->setTickLabelFont(PixelFont(font(), 13));
        axis->setLabelFont(PixelFont(font(), 16));
    }
    yAxis->setTicker(m_leftTicker);
    yAxis->setLabelPadding(11);
    xAxis->setTicker(m_bottomTicker);

    m_plot0 = new SeriesPlottable(xAxis, yAxis, Series1);
    m_plot0->setName(QStringLiteral("PlotValues1"));
    m_plot0->setPen(QPen(Qt::red));
    m_plot1 = new SeriesPlottable(xAxis, yAxis, Series2);
    m_plot1->setPen(QPen(Qt::green));

    m_bottomRange = QCPRange(0.0, 1.0);
    m_leftRange = QCPRange(0.0, InitialLeftMaximum);
    undoZoom();

    // Only the program moves the axes; the user zooms with a red rectangle.
    setInteractions(QCP::Interactions());
    axisRect()->setRangeZoomAxes(xAxis, yAxis);
    setSelectionRectMode(QCP::srmZoom);
    selectionRect()->setPen(QPen(Qt::red));
    selectionRect()->setBrush(Qt::NoBrush);
}

SeriesPlottable* SpectrumChart::plottable(int index) const {
    if (index == 0)
        return m_plot0;
    if (index == 1)
        return m_plot1;
    return nullptr;
}

void SpectrumChart::setSeriesColor(int index, const QColor& color) {
    if (SeriesPlottable* p = plottable(index))
        p->setPen(QPen(color));
}

void SpectrumChart::setBottomRange(double minimum, double maximum) {
    m_bottomRange.lower = minimum;
    m_bottomRange.upper = maximum;
    xAxis->setRange(minimum, maximum);
}

// The minimum and the maximum are set one at a time, so each setter applies the pair as the
// program last gave it; an inverted pair in between does not survive the second call.
void SpectrumChart::setBottomMinimum(double minimum) {
    setBottomRange(minimum, m_bottomRange.upper);
}

void SpectrumChart::setBottomMaximum(double maximum) {
    setBottomRange(m_bottomRange.lower, maximum);
}

void SpectrumChart::setLeftRange(double minimum, double maximum) {
    m_leftRange.lower = minimum;
    m_leftRange.upper = maximum;
    yAxis->setRange(minimum, maximum);
}

void SpectrumChart::setLeftMinimum(double minimum) {
    setLeftRange(minimum, m_leftRange.upper);
}

void SpectrumChart::setLeftMaximum(double maximum) {
    setLeftRange(m_leftRange.lower, maximum);
}

void SpectrumChart::undoZoom() {
    xAxis->setRange(m_bottomRange.lower, m_bottomRange.upper);
    yAxis->setRange(m_leftRange.lower, m_leftRange.upper);
}

void SpectrumChart::setLeftTitle(const QString& title) {
    yAxis->setLabel(title);
}

QString SpectrumChart::leftTitle() const {
    return yAxis->label();
}

void SpectrumChart::setLeftTitleFontSize(int points) {
    yAxis->setLabelFont(PointFont(yAxis->labelFont(), points));
}

void SpectrumChart::setBottomTitle(const QString& title) {
    xAxis->setLabel(title);
}

void SpectrumChart::setBottomTitleFontSize(int points) {
    xAxis->setLabelFont(PointFont(xAxis->labelFont(), points));
}

void SpectrumChart::setLeftMinorTicks(int count) {
    m_leftTicker->setMinorTicks(count);
}

void SpectrumChart::setBottomMinorTicks(int count) {
    m_bottomTicker->setMinorTicks(count);
}

void SpectrumChart::setLeftIncrement(double increment) {
    m_leftTicker->setIncrement(increment);
}

void SpectrumChart::refresh() {
    if (m_refreshPending)
        return;
    m_refreshPending = true;
    const double rate = screen() && screen()->refreshRate() > 0 ? screen()->refreshRate() : 60.0;
    const auto frame = static_cast<qint64>(1000.0 / rate);
    const qint64 wait =
        m_sinceReplot.isValid() ? std::max<qint64>(0, frame - m_sinceReplot.elapsed()) : 0;
    QTimer::singleShot(wait, this, [this] {
        m_refreshPending = false;
        m_sinceReplot.start();
        replot();
    });
}

double SpectrumChart::axisXAt(QPoint chartPos) const {
    return xAxis->pixelToCoord(chartPos.x());
}

QRect SpectrumChart::printArea(const QRect& page) {
    const int left = static_cast<int>(std::lround(page.width() * 0.15));
    const int right = static_cast<int>(std::lround(page.width() * 0.15));
    const int top = static_cast<int>(std::lround(page.height() * 0.25));
    const int bottom = static_cast<int>(std::lround(page.height() * 0.25));
    return page.adjusted(left, top, -right, -bottom);
}

void SpectrumChart::paintPage(QCPPainter& painter, const QRect& page, double deviceScale) {
    const QRect area = printArea(page);
    if (area.isEmpty() || !(deviceScale > 0.0))
        return;
    const int width = std::max(1, static_cast<int>(std::lround(area.width() / deviceScale)));
    const int height = std::max(1, static_cast<int>(std::lround(area.height() / deviceScale)));
    painter.save();
    painter.setClipRect(area);
    painter.translate(area.topLeft());
    painter.scale(static_cast<double>(area.width()) / width,
                  static_cast<double>(area.height()) / height);
    toPainter(&painter, width, height);
    painter.restore();
    // Rendering laid the chart out for the page; the screen needs its own layout back for
    // coordinate conversion before the next redraw.
    updateLayout();
}

void SpectrumChart::printChart(QPrinter& printer) {
    QCPPainter painter;
    if (!painter.begin(&printer))
        return;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const double scale = static_cast<double>(printer.logicalDpiX()) / logicalDpiX();
    paintPage(painter, QRect(0, 0, printer.width(), printer.height()), scale);
    painter.end();
}

void SpectrumChart::updateLayout() {
    const QRect view = viewport();
    const int horizontal = static_cast<int>(std::lround(view.width() * OuterMarginFraction));
    const int vertical = static_cast<int>(std::lround(view.height() * OuterMarginFraction));
    plotLayout()->setMargins(QMargins(horizontal, vertical, horizontal, vertical));
    QCustomPlot::updateLayout();
}

void SpectrumChart::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    emit mouseMovedOverChart();
}

void SpectrumChart::mouseDoubleClickEvent(QMouseEvent* event) {
    QCustomPlot::mouseDoubleClickEvent(event);
    undoZoom();
    replot(QCustomPlot::rpQueuedReplot);
}

// A drag that ends left of or above where it started undoes the zoom instead of zooming.
void SpectrumChart::processRectZoom(QRect rect, QMouseEvent* event) {
    if (event && (event->pos().x() < mMousePressPos.x() || event->pos().y() < mMousePressPos.y())) {
        undoZoom();
        replot(QCustomPlot::rpQueuedReplot);
        return;
    }
    QCustomPlot::processRectZoom(rect, event);
}
