#include "display/DrawnLines.h"
#include "support/QtApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

// What the chart draws after FillChartSeries, with buffers as the main window holds them: plot
// values up to p + p div 2, both wavelength tables computed for every index up to p (as the
// thermal build does), channel 2's wavelengths falling and its first ten beyond the range.
struct DrawingCase {
    const char* name;
    bool singleChannel;
    bool ch1, ch2;
};

class ChartDrawing : public ::testing::TestWithParam<DrawingCase> {
protected:
    static constexpr int P = 200;
    static constexpr double Lo = 400.0, Hi = 780.0;

    void SetUp() override {
        qtApp();
        chart.resize(800, 600);
        chart.setLeftRange(0.0, 2000.0);
        chart.setSeriesColor(0, Green);
        chart.setSeriesColor(1, Red);
        chart.Series1.appendPoints(P + 2);
        chart.Series2.appendPoints(P + 2);
        for (int k = 0; k < P; ++k)
            plotValues[k] = 1000.0 + 3.0 * k;
        for (int k = 0; k <= P; ++k) {
            ch1[k] = Lo + 2.0 * k;
            ch2[k] = 800.0 - 2.0 * k;
        }
    }

    void fill(bool nm) {
        const DrawingCase& c = GetParam();
        if (nm)
            chart.setBottomRange(Lo, Hi - 1.0);
        else
            chart.setBottomRange(0.0, c.singleChannel ? P : P / 2);
        const ChartInputs in{P, c.singleChannel, nm, c.ch1, c.ch2, plotValues, ch1, ch2, Lo, Hi};
        FillChartSeries(in, chart.Series1, chart.Series2);
    }

    std::vector<DataPoint> channelOne(bool nm) const {
        std::vector<DataPoint> points;
        const int n = GetParam().singleChannel ? P : P / 2;
        for (int k = 0; k < n; ++k)
            points.push_back({nm ? ch1[k] : k, plotValues[k]});
        return points;
    }

    std::vector<DataPoint> channelTwo(bool nm) const {
        std::vector<DataPoint> points;
        if (GetParam().singleChannel)
            return points;
        for (int k = 0; k < P / 2; ++k)
            if (!nm || (ch2[k] >= Lo && ch2[k] <= Hi))
                points.push_back({nm ? ch2[k] : k, plotValues[P / 2 + k]});
        return points;
    }

    // Every drawn vertex is a point of its channel's data, and the line spans that data.
    void expectOnlyChannelData(bool nm, const std::string& step) {
        const DrawingCase& c = GetParam();
        const auto lines = DrawnLines(chart);
        const struct {
            const QColor& colour;
            bool shown;
            std::vector<DataPoint> data;
        } series[] = {{Green, c.ch1, channelOne(nm)}, {Red, c.ch2, channelTwo(nm)}};
        for (const auto& s : series) {
            const char* which = &s == &series[0] ? "series 0" : "series 1";
            const std::vector<DataPoint> none;
            const auto& allowed = s.shown ? s.data : none;
            const auto outside = VerticesOutside(chart, lines, s.colour, allowed);
            EXPECT_TRUE(outside.empty())
                << step << ", " << which << ": " << outside.size()
                << " vertices off the data, first at (" << outside.front().x() << ", "
                << outside.front().y() << ")";
            if (allowed.empty())
                continue;
            double lo = allowed.front().x, hi = lo;
            for (const DataPoint& p : allowed) {
                lo = std::min(lo, p.x);
                hi = std::max(hi, p.x);
            }
            const double pixel = chart.xAxis->pixelToCoord(1.0) - chart.xAxis->pixelToCoord(0.0);
            const auto [drawnLo, drawnHi] = DrawnXRange(chart, lines, s.colour);
            EXPECT_NEAR(drawnLo, lo, pixel) << step << ", " << which;
            EXPECT_NEAR(drawnHi, hi, pixel) << step << ", " << which;
        }
    }

    SpectrumChart chart;
    std::vector<double> plotValues = std::vector<double>(P + P / 2 + 1, 0.0);
    std::vector<double> ch1 = std::vector<double>(P + 1, 0.0);
    std::vector<double> ch2 = std::vector<double>(P + 1, 0.0);
};

TEST_P(ChartDrawing, DrawsOnlyChannelDataThroughPixelsNanometresAndBack) {
    fill(false);
    expectOnlyChannelData(false, "pixel numbers");
    fill(true);
    expectOnlyChannelData(true, "nanometres after pixel numbers");
    fill(false);
    expectOnlyChannelData(false, "pixel numbers after nanometres");
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ChartDrawing,
    ::testing::Values(DrawingCase{"OneChannel", true, true, true},
                      DrawingCase{"TwoChannels", false, true, true},
                      DrawingCase{"TwoChannelsOnlyChannelOne", false, true, false},
                      DrawingCase{"TwoChannelsOnlyChannelTwo", false, false, true}),
    [](const ::testing::TestParamInfo<DrawingCase>& info) { return info.param.name; });

} // namespace
