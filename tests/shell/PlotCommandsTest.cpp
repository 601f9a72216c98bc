#include "display/DrawnLines.h"
#include "display/SpectrumChart.h"
#include "measurement/NumberText.h"
#include "setup/SetupForm.h"
#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QCursor>
#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

class PlotCommands : public MainFormFixture {
protected:
    void measure() {
        form->SingleButton->click();
        ASSERT_TRUE(waitUntil([this] { return !form->runActive(); }));
    }
};

TEST_F(PlotCommands, PercentNeedsAWhiteReferenceFirst) {
    start();
    measure();
    prompts.shown.clear();
    form->typeButton->click();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Save White reference first");
    EXPECT_EQ(prompts.shown[0].caption, "Init");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Error);
    EXPECT_TRUE(form->Flags.RawMode);
    EXPECT_EQ(form->TChart1->leftTitle(), "Counts");
}

TEST_F(PlotCommands, WhiteThenPercentShowsHundredAndBackToCountsDropsTheReferences) {
    start();
    form->WhiteButton->click();
    measure();
    EXPECT_TRUE(form->Flags.WhiteValid);
    form->typeButton->click();
    EXPECT_FALSE(form->Flags.RawMode);
    EXPECT_EQ(form->StatusBar1->text(7), "Corrected");
    EXPECT_EQ(form->StatusBar1->text(2), "X units = nm");
    EXPECT_EQ(form->TChart1->leftTitle(), "Percent");
    EXPECT_DOUBLE_EQ(form->TChart1->leftMaximum(), 110);
    EXPECT_DOUBLE_EQ(form->TChart1->Series1.y[0], 100.0);
    form->typeButton->click();
    EXPECT_TRUE(form->Flags.RawMode);
    EXPECT_FALSE(form->Flags.WhiteValid || form->Flags.DarkValid);
    EXPECT_EQ(form->StatusBar1->text(7), "Raw Data");
    EXPECT_EQ(form->TChart1->leftTitle(), "Counts");
    EXPECT_DOUBLE_EQ(form->TChart1->leftMaximum(), 65550);
}

TEST_F(PlotCommands, SaveDarkThenDisplayModeTakesTheDarkFromTheLatestMeasurement) {
    start();
    measure();
    form->DarkButon->click();
    form->typeButton->click();
    EXPECT_TRUE(form->Flags.DarkValid);
    for (int k = 0; k < 4; ++k)
        EXPECT_DOUBLE_EQ(form->TChart1->Series1.y[k], 0.0) << k;
}

TEST_F(PlotCommands, PrintCancelledPrintsNothingAndAcceptedPrintsAPage) {
    start();
    measure();
    const QString pdf = folder.filePath("chart.pdf");
    prompts.onPrint = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    };
    prompts.acceptPrint = false;
    form->PrintChart->click();
    EXPECT_EQ(prompts.printDialogs, 1);
    EXPECT_FALSE(QFileInfo::exists(pdf));
    prompts.acceptPrint = true;
    form->PrintChart->click();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
}

TEST_F(PlotCommands, ThermalTwoChannelDeviceShowsChannelTwoInPixelOrder) {
    server->pixelCount = 8;
    server->data = [](std::int32_t rows, std::int32_t pixels) {
        CountArray block = CountArray::matrix(rows, pixels);
        const std::int32_t scan[] = {10, 20, 11, 21, 12, 22, 13, 23};
        std::copy(std::begin(scan), std::end(scan), block.values.begin());
        return block;
    };
    writeSettings(
        "0\r\n0\r\n0\r\n1\r\n16\r\n8\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n\r\n");
    start(BuildKind::Thermal);
    ASSERT_FALSE(form->SingleChannel);
    measure();
    EXPECT_EQ(form->RawCounts, (std::vector<std::int64_t>{10, 11, 12, 13, 23, 22, 21, 20}));
    EXPECT_EQ(form->SeriesData[0], (std::vector<std::int32_t>{10, 20, 11, 21, 12, 22, 13, 23}));
}

namespace {

const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);

// A device properties file for a connected device: 16-bit, averaging 1, both channels shown,
// x axis in pixel numbers, the given layout and calibration file.
QByteArray DeviceProperties(bool singleChannel, const QString& calibration) {
    return "0\r\n0\r\n0\r\n1\r\n16\r\n2048\r\n" + QByteArray(singleChannel ? "1" : "0") +
           "\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n" + calibration.toUtf8() + "\r\n";
}

QString ShippedCalibration(const char* name) {
    return QStringLiteral(HALVANE_SOURCE_DIR "/data/") + QString::fromLatin1(name);
}

// Element i of every scan: large, distinct counts, so a stray vertex shows in pixels.
std::int32_t Element(std::int32_t i) {
    return 10000 + 20 * i;
}

} // namespace

// The chart of the main window: what it draws against the channels' data as the device
// delivers them, and the readout over it.
class ChartOfTheWindow : public PlotCommands {
protected:
    static constexpr std::int32_t P = 2048;

    void startWith(BuildKind kind, bool singleChannel, const char* calibration) {
        server->pixelCount = P;
        server->data = [](std::int32_t rows, std::int32_t pixels) {
            CountArray block = CountArray::matrix(rows, pixels);
            for (std::size_t i = 0; i < block.values.size(); ++i)
                block.values[i] = Element(static_cast<std::int32_t>(i % pixels));
            return block;
        };
        writeSettings(DeviceProperties(singleChannel,
                                       calibration ? ShippedCalibration(calibration) : QString()));
        start(kind);
        // Shown, so the chart has its laid-out size, and within the offscreen screen, which
        // clamps the pointer to itself.
        form->move(0, 0);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    // The setup dialog with the x-axis units toggled and OK.
    void toggleUnits() {
        QTimer::singleShot(0, form.get(), [this] {
            form->SetupForm->Pixelsnm->click();
            form->SetupForm->Button1->click();
        });
        form->SetupButton->click();
        ASSERT_TRUE(waitUntil([this] { return !form->runActive() && form->cameraIdle(); }));
    }

    // Channel 1's pixel j and channel 2's pixel j as the device delivers them. The thermal
    // build gets channel 2 last pixel first and turns it round; the standard build keeps the
    // order, which its channel-2 calibration runs against.
    double channelOne(std::int32_t j) const {
        return form->SingleChannel ? Element(j) : Element(2 * j);
    }
    double channelTwo(std::int32_t j) const {
        const std::int32_t h = P / 2;
        const std::int32_t pixel = kind == BuildKind::Thermal ? h - 1 - j : j;
        return Element(2 * pixel + 1);
    }

    std::vector<DataPoint> channelOneData() const {
        const bool nm = form->MeasurementParameters.WavelengthUnits;
        const std::int32_t n = form->SingleChannel ? P : P / 2;
        std::vector<DataPoint> points;
        for (std::int32_t j = 0; j < n; ++j)
            points.push_back({nm ? form->Wavelengths.Ch1Wavelengths[j] : j, channelOne(j)});
        return points;
    }

    std::vector<DataPoint> channelTwoData() const {
        const bool nm = form->MeasurementParameters.WavelengthUnits;
        std::vector<DataPoint> points;
        if (form->SingleChannel)
            return points;
        for (std::int32_t j = 0; j < P / 2; ++j)
            points.push_back({nm ? form->Wavelengths.Ch2Wavelengths[j] : j, channelTwo(j)});
        return points;
    }

    // Every drawn vertex is a point of its channel's data, and each channel's line spans it.
    void expectOnlyChannelData(const std::string& step) {
        SpectrumChart& chart = *form->TChart1;
        const auto lines = DrawnLines(chart);
        const std::pair<QColor, std::vector<DataPoint>> series[] = {{Green, channelOneData()},
                                                                    {Red, channelTwoData()}};
        const double pixel = chart.xAxis->pixelToCoord(1.0) - chart.xAxis->pixelToCoord(0.0);
        for (const auto& [colour, data] : series) {
            const auto outside = VerticesOutside(chart, lines, colour, data);
            EXPECT_TRUE(outside.empty())
                << step << ", " << (colour == Green ? "channel 1" : "channel 2") << ": "
                << outside.size() << " vertices off the data, first at (" << outside.front().x()
                << ", " << outside.front().y() << ")";
            if (data.empty())
                continue;
            const auto [lo, hi] = std::minmax({data.front().x, data.back().x});
            const auto [drawnLo, drawnHi] = DrawnXRange(chart, lines, colour);
            EXPECT_NEAR(drawnLo, lo, std::abs(pixel)) << step;
            EXPECT_NEAR(drawnHi, hi, std::abs(pixel)) << step;
        }
    }

    // Runs the readout with the mouse pointer over the bottom-axis value x.
    void pointAt(double x) {
        SpectrumChart& chart = *form->TChart1;
        chart.replot();
        const int px = static_cast<int>(std::lround(chart.xAxis->coordToPixel(x)));
        QCursor::setPos(chart.mapToGlobal(QPoint(px, chart.height() / 2)));
        form->ShowCursorValues();
        cursorX = std::round(chart.axisXAt(chart.mapFromGlobal(QCursor::pos())) * 100.0) / 100.0;
    }

    QString number(double value) const { return formatGeneral(value, systemDecimalSeparator()); }

    // The channel-2 pixel whose wavelength is nearest to x.
    std::int32_t nearestChannelTwoPixel(double x) const {
        const auto& w = form->Wavelengths.Ch2Wavelengths;
        std::int32_t best = 0;
        for (std::int32_t j = 1; j < P / 2; ++j)
            if (std::abs(w[j] - x) < std::abs(w[best] - x))
                best = j;
        return best;
    }

    BuildKind kind = BuildKind::Standard;
    double cursorX = 0.0;
};

struct ChartCase {
    const char* name;
    BuildKind kind;
    bool singleChannel;
    const char* calibration; // none: the x axis stays in pixel numbers
};

class ChartDrawsChannelData : public ChartOfTheWindow,
                              public ::testing::WithParamInterface<ChartCase> {};

TEST_P(ChartDrawsChannelData, ThroughPixelsNanometresAndBack) {
    const ChartCase& c = GetParam();
    kind = c.kind;
    startWith(c.kind, c.singleChannel, c.calibration);
    ASSERT_EQ(form->Wavelengths.WavelengthCalibrated, c.calibration != nullptr);
    measure();
    expectOnlyChannelData("pixel numbers");

    toggleUnits();
    EXPECT_EQ(form->MeasurementParameters.WavelengthUnits, c.calibration != nullptr);
    EXPECT_TRUE(DrawnLines(*form->TChart1).empty()) << "the previous points after the set-up";
    measure();
    expectOnlyChannelData("after the switch to nanometres");

    toggleUnits();
    EXPECT_FALSE(form->MeasurementParameters.WavelengthUnits);
    measure();
    expectOnlyChannelData("after the switch back to pixel numbers");
}

INSTANTIATE_TEST_SUITE_P(
    BuildsAndLayouts, ChartDrawsChannelData,
    ::testing::Values(
        ChartCase{"StandardTwoChannels", BuildKind::Standard, false, "calibration-halves.ini"},
        ChartCase{"StandardOneChannelUncalibrated", BuildKind::Standard, true, nullptr},
        ChartCase{"ThermalOneChannel", BuildKind::Thermal, true, "calibration-single.ini"},
        ChartCase{"ThermalTwoChannels", BuildKind::Thermal, false, "calibration-dual.ini"}),
    [](const ::testing::TestParamInfo<ChartCase>& info) { return info.param.name; });

// The halves calibration: channel 1 covers 350 to about 681 nm, channel 2 about 681 to 1000 nm.
TEST_F(ChartOfTheWindow, HalvesReadoutWritesEachChannelWhereItHasData) {
    startWith(BuildKind::Standard, false, "calibration-halves.ini");
    toggleUnits();
    ASSERT_TRUE(form->MeasurementParameters.WavelengthUnits);
    measure();

    pointAt(850.0);
    ASSERT_NEAR(cursorX, 850.0, 2.0);
    EXPECT_EQ(form->StatusBar1->text(0), number(cursorX));
    EXPECT_EQ(form->StatusBar1->text(1), "");
    EXPECT_EQ(form->StatusBar1->text(2), number(channelTwo(nearestChannelTwoPixel(cursorX))));

    pointAt(500.0);
    ASSERT_NEAR(cursorX, 500.0, 2.0);
    const auto& w1 = form->Wavelengths.Ch1Wavelengths;
    std::int32_t i = 0;
    while (!(w1[i] > cursorX))
        ++i;
    EXPECT_EQ(form->StatusBar1->text(0), number(w1[i]));
    EXPECT_EQ(form->StatusBar1->text(1), number(channelOne(i - 1)));
    EXPECT_EQ(form->StatusBar1->text(2), "");
}

// The dual calibration gives both channels the same range: both panels are written there, and
// neither above it, where only the thermal build's axis goes on.
TEST_F(ChartOfTheWindow, ThermalDualReadoutWritesBothWhereTheyOverlap) {
    kind = BuildKind::Thermal;
    startWith(BuildKind::Thermal, false, "calibration-dual.ini");
    toggleUnits();
    ASSERT_TRUE(form->MeasurementParameters.WavelengthUnits);
    measure();

    pointAt(600.0);
    const auto& w1 = form->Wavelengths.Ch1Wavelengths;
    std::int32_t i = 0;
    while (!(w1[i] > cursorX))
        ++i;
    EXPECT_EQ(form->StatusBar1->text(0), "X = " + number(w1[i]));
    EXPECT_EQ(form->StatusBar1->text(1), "Y = " + number(channelOne(i - 1)));
    EXPECT_EQ(form->StatusBar1->text(2),
              "Y = " + number(channelTwo(nearestChannelTwoPixel(cursorX))));

    const double beyond = form->Wavelengths.Ch1Wavelengths[P / 2] + 50.0;
    ASSERT_LT(beyond, form->Wavelengths.WavelengthMax - 1.0);
    pointAt(beyond);
    EXPECT_EQ(form->StatusBar1->text(0), "X = " + number(cursorX));
    EXPECT_EQ(form->StatusBar1->text(1), "Y = ");
    EXPECT_EQ(form->StatusBar1->text(2), "Y = ");
}
