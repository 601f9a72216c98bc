#include "setup/SetupForm.h"
#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

using Calls = std::vector<std::string>;

class SetupAndThermal : public MainFormFixture {
protected:
    void startReady(BuildKind kind) {
        start(kind);
        server->clearLog();
        prompts.shown.clear();
    }
    // Presses Setup and, once the dialog waits, runs the given steps in it.
    void setup(const std::function<void()>& inDialog) {
        QTimer::singleShot(0, form.get(), [this, inDialog] {
            inDialog();
            // A dialog the steps left open would wait for ever.
            if (form->SetupForm->IsWaiting()) {
                ADD_FAILURE() << "the setup dialog is still open";
                form->SetupForm->Button2->click();
            }
        });
        form->SetupButton->click();
    }
    bool idle() {
        return waitUntil(
            [this] { return !form->runActive() && !form->cycleInFlight() && form->cameraIdle(); });
    }
    // The server's calls once every job issued so far has been answered.
    Calls settle() {
        EXPECT_TRUE(idle());
        return server->log();
    }
};

TEST_F(SetupAndThermal, ApplyAfterOkSendsGainThenSettingsInOrder) {
    for (bool high : {true, false}) {
        startReady(BuildKind::Thermal);
        setup([&] {
            form->SetupForm->CheckBox3->setChecked(high);
            form->SetupForm->AveragingEdit->setText("3");
            form->SetupForm->IntegrationEdit->setText("20");
            form->SetupForm->Button1->click();
        });
        const std::string gain = high ? "64" : "65";
        EXPECT_EQ(settle(), (Calls{"SetMode(FakeSpec," + gain + ")", "SetMode(FakeSpec,1)",
                                   "SetMode(FakeSpec,1)", "SetAveraging(FakeSpec,3)",
                                   "SetIntegrationTime(FakeSpec,20)"}));
        EXPECT_EQ(form->GainCode, high ? 64 : 65);
        EXPECT_EQ(form->SeriesData.size(), 3u);
    }
}

TEST_F(SetupAndThermal, StandardBuildSendsOnlyTheSettingsAndCancelStillSendsThem) {
    startReady(BuildKind::Standard);
    setup([&] {
        form->SetupForm->MultiTrigButton->click();
        form->SetupForm->Button2->click();
    });
    EXPECT_EQ(settle(), (Calls{"SetMode(FakeSpec,4)", "SetAveraging(FakeSpec,1)",
                               "SetIntegrationTime(FakeSpec,1)"}));
    EXPECT_EQ(form->MeasurementParameters.TriggerMode, 4);
}

TEST_F(SetupAndThermal, SecondSetupPressBringsTheDialogUpAndAppliesOnce) {
    startReady(BuildKind::Standard);
    setup([&] {
        form->SetupButton->click();
        EXPECT_TRUE(form->SetupForm->isVisible());
        form->SetupForm->Button1->click();
    });
    EXPECT_EQ(settle().size(), 3u);
}

TEST_F(SetupAndThermal, WavelengthUnitsNeedACalibration) {
    startReady(BuildKind::Standard);
    setup([&] {
        form->SetupForm->Pixelsnm->click();
        form->SetupForm->Button1->click();
    });
    EXPECT_EQ(form->SetupForm->Pixelsnm->text(), "Pixels");
    EXPECT_FALSE(form->MeasurementParameters.WavelengthUnits);
}

TEST_F(SetupAndThermal, RefusedSettingIsShownAndSentAgainBeforeTheNextMeasure) {
    startReady(BuildKind::Standard);
    server->failures["SetAveraging"] = L"Averaging refused";
    setup([&] { form->SetupForm->Button1->click(); });
    settle();
    EXPECT_EQ(errors(), QStringList{"Averaging refused"});
    server->failures.clear();
    server->clearLog();
    form->SingleButton->click();
    ASSERT_TRUE(idle());
    EXPECT_EQ(server->log(), (Calls{"SetMode(FakeSpec,1)", "SetAveraging(FakeSpec,1)",
                                    "SetIntegrationTime(FakeSpec,1)", "Measure(FakeSpec)",
                                    "ReadData(FakeSpec,0)"}));
}

TEST_F(SetupAndThermal, WithoutServerNothingIsCalledAndCalibrationSaysSo) {
    serverMissing = true;
    startReady(BuildKind::Thermal);
    setup([&] { form->SetupForm->Button1->click(); });
    form->CalTen->click();
    EXPECT_EQ(prompts.texts(), (QStringList{"Doing Cal 10", "No camera server is running."}));
    EXPECT_FALSE(form->Cal10Done);
}

TEST_F(SetupAndThermal, RunCodesBracketSingleAndContinuousRunsAndTheExit) {
    startReady(BuildKind::Thermal);
    form->SingleButton->click();
    ASSERT_TRUE(idle());
    EXPECT_EQ(server->log(),
              (Calls{"SetMode(FakeSpec,162)", "SetMode(FakeSpec,1)", "Measure(FakeSpec)",
                     "ReadData(FakeSpec,0)", "SetMode(FakeSpec,160)", "SetMode(FakeSpec,1)"}));
    server->clearLog();
    form->StartButton->click();
    ASSERT_TRUE(waitUntil([this] { return form->cyclesCompleted() >= 3; }));
    form->StopButton->click();
    ASSERT_TRUE(idle());
    auto log = server->log();
    EXPECT_EQ(std::count(log.begin(), log.end(), "SetMode(FakeSpec,160)"), 1);
    EXPECT_EQ(log.front(), "SetMode(FakeSpec,162)");
    EXPECT_EQ(log[log.size() - 2], "SetMode(FakeSpec,160)");
    server->clearLog();
    form->FormDestroy();
    EXPECT_EQ(server->log(),
              (Calls{"CloseDevice(FakeSpec)", "SetMode(FakeSpec,160)", "SetMode(FakeSpec,1)"}));
}

struct Readout {
    const char* name;
    std::wstring cal10, cal50, now;
    QStringList panels;
};

class TemperatureReadout : public SetupAndThermal, public ::testing::WithParamInterface<Readout> {};

TEST_P(TemperatureReadout, ShowsWholeDegreesOrAQuestionMark) {
    startReady(BuildKind::Thermal);
    server->temperatureReply = GetParam().cal10;
    form->CalTen->click();
    ASSERT_TRUE(waitUntil([this] { return form->Cal10Done; }));
    server->temperatureReply = GetParam().cal50;
    form->Cal50->click();
    ASSERT_TRUE(waitUntil([this] { return form->Cal50Done; }));
    server->temperatureReply = GetParam().now;
    form->GetTemperatures();
    ASSERT_TRUE(waitUntil([this] { return !form->StatusBar1->text(8).isEmpty(); }));
    EXPECT_EQ((QStringList{form->StatusBar1->text(8), form->StatusBar1->text(9),
                           form->StatusBar1->text(10)}),
              GetParam().panels);
    EXPECT_EQ(form->StatusBar1->text(7), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, TemperatureReadout,
                         ::testing::Values(Readout{"AllSensorsCalibrated",
                                                   L"700 700 700 ",
                                                   L"1500 1500 1500 ",
                                                   L"980 1030 956 ",
                                                   {"T1 is 24", "T2 is 26", "T3 is 22"}},
                                           Readout{"SensorWithoutStepShowsQuestionMark",
                                                   L"700 700 700 ",
                                                   L"1500 720 1500 ",
                                                   L"980 1030 956 ",
                                                   {"T1 is 24", "T2 is ?", "T3 is 22"}},
                                           Readout{"UnreadableReplyShowsQuestionMarks",
                                                   L"700 700 700 ",
                                                   L"1500 1500 1500 ",
                                                   L"garbage",
                                                   {"T1 is ?", "T2 is ?", "T3 is ?"}}),
                         [](const ::testing::TestParamInfo<Readout>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(SetupAndThermal, UnreadableReadoutIsReportedOnce) {
    startReady(BuildKind::Thermal);
    form->Cal10Done = form->Cal50Done = true;
    server->failures["SendCommand"] = L"No reply";
    for (int i = 0; i < 3; ++i) {
        form->GetTemperatures();
        settle();
    }
    EXPECT_EQ(errors(), QStringList{"No reply"});
    EXPECT_EQ(form->StatusBar1->text(8), "T1 is ?");
}

TEST_F(SetupAndThermal, CalibrationReplyThatDoesNotConvertKeepsTheFlagClear) {
    startReady(BuildKind::Thermal);
    server->temperatureReply = L" 812 905 1013 ";
    form->CalTen->click();
    settle();
    EXPECT_EQ(errors(), QStringList{"'' is not a valid integer value"});
    EXPECT_FALSE(form->Cal10Done);
}
