#include "display/SpectrumChart.h"
#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"
#include "support/TextFit.h"
#include "support/Waiting.h"

#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

struct PanelCase {
    BuildKind kind;
    std::vector<std::pair<int, QString>> panels;
};

class MainWindowTexts : public MainFormFixture, public ::testing::WithParamInterface<PanelCase> {};

TEST_P(MainWindowTexts, StatusPanelsHaveAtLeastTheirWidthsAndTheirInitialTexts) {
    makeForm(GetParam().kind);
    const auto& expected = GetParam().panels;
    ASSERT_EQ(form->StatusBar1->count(), int(expected.size()));
    for (int i = 0; i < int(expected.size()); ++i) {
        EXPECT_GE(form->StatusBar1->panelWidth(i), expected[i].first) << i;
        EXPECT_EQ(form->StatusBar1->text(i), expected[i].second) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, MainWindowTexts,
                         ::testing::Values(PanelCase{BuildKind::Thermal,
                                                     {{50, "  X:"},
                                                      {50, "Ch1 Y:"},
                                                      {80, ""},
                                                      {80, ""},
                                                      {100, "T1:"},
                                                      {100, "T2: "},
                                                      {100, "T3: "},
                                                      {100, ""},
                                                      {100, ""},
                                                      {100, ""},
                                                      {100, ""}}},
                                           PanelCase{BuildKind::Standard,
                                                     {{80, "X:"},
                                                      {80, "Ch1 Y:"},
                                                      {80, "Ch2 Y: "},
                                                      {100, "Averaging"},
                                                      {105, "Integration "},
                                                      {100, "Stopped"},
                                                      {100, "Not Connected"},
                                                      {50, "Raw Data"}}}),
                         [](const ::testing::TestParamInfo<PanelCase>& info) {
                             return std::string(info.param.kind == BuildKind::Thermal ? "Thermal"
                                                                                      : "Standard");
                         });

TEST_F(MainFormFixture, ToolBarCaptionsAndTooltipsOfBothBuilds) {
    for (BuildKind kind : {BuildKind::Standard, BuildKind::Thermal}) {
        makeForm(kind);
        EXPECT_EQ(form->windowTitle(), "Corvane Devices Halvane");
        const std::vector<std::tuple<QToolButton*, QString, QString>> buttons = {
            {form->typeButton, "plotType", "Display raw data or transmission"},
            {form->DarkButon, "Save Dark", "Sets the dark backgrond level"},
            {form->WhiteButton, "Save White", "Save current scan as white reference"},
            {form->SaveScan, "Save Display", "Saves the current display data in a file"},
            {form->LoadScan, " Load Dsiplay", "Fills display from a saved file"},
            {form->SetupButton, "Setup", "Set up measurement parameters"},
            {form->PrintChart, "Print", "Prints the current display"},
            {form->RecordButton, "Record series",
             "Recordes a complete series of data. Use setup to configure"},
            {form->Plot3DButton, "Plot 3D", "Toggles between 2D & 3D display"}};
        for (const auto& [button, caption, tip] : buttons) {
            EXPECT_EQ(button->text(), caption);
            EXPECT_TRUE(button->toolTip().startsWith(tip)) << tip.toStdString();
            EXPECT_GE(button->minimumWidth(), 75);
            EXPECT_GE(button->minimumHeight(), 22);
            EXPECT_TRUE(button->isEnabled());
        }
        EXPECT_EQ(form->CalTen != nullptr, kind == BuildKind::Thermal);
        EXPECT_EQ(form->Cal50 != nullptr, kind == BuildKind::Thermal);
        if (form->CalTen) {
            EXPECT_EQ(form->CalTen->text(), "Cal 10 degC");
            EXPECT_EQ(form->Cal50->text(), "Cal 50 degC");
        }
        EXPECT_GE(form->SingleButton->minimumWidth(), 34);
        EXPECT_FALSE(form->InProcess->isHidden());
        EXPECT_EQ(form->InProcess->pos(), QPoint(202, 124));
        EXPECT_GE(form->InProcess->width(), 156);
        EXPECT_GE(form->InProcess->height(), 52);
        EXPECT_EQ(form->Button1->text(), "Press to Halt");
    }
}

TEST_F(MainFormFixture, ThermalPanelFiveKeepsItsTextUntilStartOrStop) {
    start(BuildKind::Thermal);
    EXPECT_EQ(form->StatusBar1->text(5), "T2: ");
    EXPECT_EQ(form->StatusBar1->text(3), "Averaging: 1");
    EXPECT_EQ(form->StatusBar1->text(4), "Integration: 1 ms");
    form->StopButton->click();
    EXPECT_EQ(form->StatusBar1->text(5), "Stopped");
}

// Long but real values: the widest texts each panel and button is asked to show.
class TextsFit : public MainFormFixture, public ::testing::WithParamInterface<BuildKind> {};

TEST_P(TextsFit, EveryTextOfTheWindowHasRoomWithLongValues) {
    server->devices = {L"Halvane Simulator Spectrometer"};
    start(GetParam());
    form->MeasurementParameters.Averaging = 65535;
    form->MeasurementParameters.IntegrationTime = 60000;
    form->UpdateClick();
    form->StatusBar1->setText(0, GetParam() == BuildKind::Thermal ? "X = 1040.25" : "1040.25");
    form->StatusBar1->setText(1, GetParam() == BuildKind::Thermal ? "Y = 65535" : "65535");
    form->StatusBar1->setText(2, "X units = nm");
    form->StatusBar1->setText(7, "Corrected");
    form->InProcess->show();
    form->show();
    ASSERT_TRUE(waitUntil([this] { return form->isVisible(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(textsThatDoNotFit(*form), QStringList());
    EXPECT_TRUE(form->StatusBar1->text(6).endsWith("Halvane Simulator Spectrometer"));
}

INSTANTIATE_TEST_SUITE_P(BothBuilds, TextsFit,
                         ::testing::Values(BuildKind::Standard, BuildKind::Thermal),
                         [](const ::testing::TestParamInfo<BuildKind>& info) {
                             return std::string(info.param == BuildKind::Thermal ? "Thermal"
                                                                                 : "Standard");
                         });
