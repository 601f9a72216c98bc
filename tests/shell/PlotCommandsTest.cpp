#include "display/SpectrumChart.h"
#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QFileInfo>
#include <QPrinter>
#include <QPushButton>
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
