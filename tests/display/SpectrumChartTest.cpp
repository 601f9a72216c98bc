#include "display/SpectrumChart.h"
#include "display/DrawnLines.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QPrinter>
#include <QTemporaryDir>

#include <cmath>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override { qtApp(); }
};

[[maybe_unused]] const ::testing::Environment* const Environment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

class SpectrumChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        chart = std::make_unique<SpectrumChart>();
        chart->resize(800, 600);
        chart->show();
        chart->setBottomRange(0.0, 100.0);
        chart->setLeftRange(0.0, 100.0);
        chart->Series1.appendPoints(102);
        chart->Series2.appendPoints(102);
        chart->setSeriesColor(0, Green);
        chart->setSeriesColor(1, Red);
    }

    // Whether a pixel of colour lies within 2 pixels of the chart point (x, y).
    bool colourNear(const QImage& image, double x, double y, const QColor& colour) const {
        const int px = static_cast<int>(std::lround(chart->xAxis->coordToPixel(x)));
        const int py = static_cast<int>(std::lround(chart->yAxis->coordToPixel(y)));
        for (int dx = -2; dx <= 2; ++dx)
            for (int dy = -2; dy <= 2; ++dy)
                if (image.valid(px + dx, py + dy) &&
                    image.pixelColor(px + dx, py + dy).rgb() == colour.rgb())
                    return true;
        return false;
    }

    QImage render() {
        chart->replot();
        return chart->toPixmap().toImage();
    }

    void sendMouse(QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(pos), QPointF(chart->mapToGlobal(pos)),
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(chart.get(), &event);
    }

    void drag(QPoint from, QPoint to) {
        sendMouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        sendMouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        sendMouse(QEvent::MouseMove, to, Qt::LeftButton);
        sendMouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }

    QPoint at(double x, double y) const {
        return QPoint(static_cast<int>(chart->xAxis->coordToPixel(x)),
                      static_cast<int>(chart->yAxis->coordToPixel(y)));
    }

    std::unique_ptr<SpectrumChart> chart;
};

TEST_F(SpectrumChartTest, DrawsBothSeriesInTheirColours) {
    for (int k = 0; k <= 100; ++k) {
        chart->Series1.x[k] = k;
        chart->Series1.y[k] = 30.0;
        chart->Series2.x[k] = k;
        chart->Series2.y[k] = 70.0;
    }
    chart->Series1.drawFirst(101);
    chart->Series2.drawFirst(101);
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, 50.0, 30.0, Green));
    EXPECT_TRUE(colourNear(image, 50.0, 70.0, Red));
    EXPECT_FALSE(colourNear(image, 50.0, 50.0, Green));
}

// A point that is not drawn ends the line; the next drawn point starts a new one.
TEST_F(SpectrumChartTest, LineBreaksAtPointsNotDrawn) {
    chart->setBottomRange(40.0, 100.0);
    const double xs[] = {50.0, 60.0, 0.0, 70.0, 80.0};
    for (int k = 0; k < 5; ++k) {
        chart->Series1.x[k] = xs[k];
        chart->Series1.y[k] = 50.0;
    }
    chart->Series1.drawFirst(5);
    // Point 2 (0, 0) is not drawn: no segment down to it, none from 60 straight to 70 either.
    chart->Series1.drawn[2] = false;
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, 55.0, 50.0, Green));
    EXPECT_TRUE(colourNear(image, 75.0, 50.0, Green));
    EXPECT_FALSE(colourNear(image, 48.0, 40.0, Green));
    EXPECT_FALSE(colourNear(image, 65.0, 50.0, Green));
    const auto lines = DrawnLines(*chart);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points.size(), 2);
    EXPECT_EQ(lines[1].points.size(), 2);
}

// Appended points are not drawn until they are marked, so a fresh set-up draws nothing.
TEST_F(SpectrumChartTest, FreshPointsDrawNothing) {
    EXPECT_TRUE(DrawnLines(*chart).empty());
    chart->Series1.drawFirst(102);
    EXPECT_FALSE(DrawnLines(*chart).empty());
}

// Far more points than pixel columns: a one-point spike still shows.
TEST_F(SpectrumChartTest, DensePointsKeepTheirExtremes) {
    chart->Series1.appendPoints(200000);
    const std::size_t n = chart->Series1.size();
    for (std::size_t i = 0; i < n; ++i) {
        chart->Series1.x[i] = 100.0 * static_cast<double>(i) / static_cast<double>(n);
        chart->Series1.y[i] = 10.0;
    }
    chart->Series1.y[n / 2] = 90.0;
    chart->Series1.drawFirst(n);
    const QImage image = render();
    EXPECT_TRUE(colourNear(image, 50.0, 85.0, Green));
    EXPECT_TRUE(colourNear(image, 20.0, 10.0, Green));
}

TEST_F(SpectrumChartTest, ProgramRangesAreKeptThroughSeparateSetters) {
    chart->setBottomRange(500.0, 900.0);
    chart->setBottomMaximum(100.0);
    chart->setBottomMinimum(50.0);
    EXPECT_EQ(chart->xAxis->range().lower, 50.0);
    EXPECT_EQ(chart->xAxis->range().upper, 100.0);
    EXPECT_EQ(chart->bottomMinimum(), 50.0);
    EXPECT_EQ(chart->bottomMaximum(), 100.0);
}

TEST_F(SpectrumChartTest, ZoomAndUndoByDoubleClickOrUpLeftDrag) {
    chart->replot();
    drag(at(20, 80), at(60, 20));
    EXPECT_NEAR(chart->xAxis->range().lower, 20.0, 1.0);
    EXPECT_NEAR(chart->xAxis->range().upper, 60.0, 1.0);
    EXPECT_NEAR(chart->yAxis->range().upper, 80.0, 1.0);
    EXPECT_EQ(chart->bottomMaximum(), 100.0);

    sendMouse(QEvent::MouseButtonDblClick, at(30, 30), Qt::LeftButton);
    EXPECT_EQ(chart->xAxis->range(), QCPRange(0.0, 100.0));
    EXPECT_EQ(chart->yAxis->range(), QCPRange(0.0, 100.0));

    chart->replot();
    drag(at(20, 80), at(60, 20));
    chart->replot();
    ASSERT_NE(chart->xAxis->range(), QCPRange(0.0, 100.0));
    drag(at(50, 30), at(30, 50));
    EXPECT_EQ(chart->xAxis->range(), QCPRange(0.0, 100.0));
    EXPECT_EQ(chart->yAxis->range(), QCPRange(0.0, 100.0));
}

TEST_F(SpectrumChartTest, AxisXAtExtendsBeyondThePlot) {
    chart->replot();
    const QRect plot = chart->axisRect()->rect();
    EXPECT_NEAR(chart->axisXAt(QPoint(plot.left(), 0)), 0.0, 0.5);
    EXPECT_NEAR(chart->axisXAt(QPoint(plot.right() + 1, 0)), 100.0, 0.5);
    EXPECT_LT(chart->axisXAt(QPoint(plot.left() - 50, 0)), 0.0);
    EXPECT_GT(chart->axisXAt(QPoint(plot.right() + 50, 0)), 100.0);
}

TEST_F(SpectrumChartTest, MouseMovesAreSignalled) {
    int moves = 0;
    QObject::connect(chart.get(), &SpectrumChart::mouseMovedOverChart, [&moves] { ++moves; });
    sendMouse(QEvent::MouseMove, QPoint(100, 100), Qt::NoButton);
    sendMouse(QEvent::MouseMove, QPoint(120, 100), Qt::NoButton);
    EXPECT_EQ(moves, 2);
}

TEST_F(SpectrumChartTest, PageRenderingStaysWithinPrintMargins) {
    for (int k = 0; k <= 100; ++k) {
        chart->Series1.x[k] = k;
        chart->Series1.y[k] = 50.0;
    }
    chart->Series1.drawFirst(101);
    QImage page(1000, 1400, QImage::Format_ARGB32);
    page.fill(Qt::white);
    {
        QCPPainter painter(&page);
        chart->paintPage(painter, page.rect(), 1.0);
    }
    const QRect area = SpectrumChart::printArea(page.rect());
    EXPECT_EQ(area, QRect(150, 350, 700, 700));
    int insideNonWhite = 0;
    int outsideNonWhite = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            if (page.pixel(x, y) != qRgb(255, 255, 255))
                ++(area.contains(x, y) ? insideNonWhite : outsideNonWhite);
    EXPECT_GT(insideNonWhite, 1000);
    EXPECT_EQ(outsideNonWhite, 0);

    // The screen layout is back for coordinate conversion.
    const QRect plot = chart->axisRect()->rect();
    EXPECT_NEAR(chart->axisXAt(QPoint(plot.left(), 0)), 0.0, 0.5);
    EXPECT_LT(plot.width(), 800);
    EXPECT_GT(plot.width(), 500);
}

TEST_F(SpectrumChartTest, PrintsToPdf) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    chart->printChart(printer);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(4) == "%PDF");
    EXPECT_GT(file.size(), 1000);
}

} // namespace
