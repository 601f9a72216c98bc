#include "display/SpectrumChart.h"
#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

using Calls = std::vector<std::string>;

class RunControl : public MainFormFixture {
protected:
    Gate gate;

    void SetUp() override {
        server->onMeasure = [this] { gate.pass(); };
    }
    void TearDown() override { gate.open(); }

    void startReady(BuildKind kind = BuildKind::Standard) {
        start(kind);
        form->show();
        server->clearLog();
        prompts.shown.clear();
    }
    bool runEnds() {
        return waitUntil([this] { return !form->runActive() && !form->cycleInFlight(); });
    }
    // Holds the next Measure on the camera thread until the gate opens.
    void holdNextCycle() { gate.close(); }
    bool cycleHeld() {
        return waitUntil([this] { return gate.someoneWaiting(); });
    }
    std::vector<bool> buttons() const {
        return {form->SingleButton->isEnabled(), form->StartButton->isEnabled(),
                form->StopButton->isEnabled()};
    }
};

TEST_F(RunControl, SingleMeasurementMeasuresReadsAndShowsTheSpectrum) {
    startReady();
    form->SingleButton->click();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(server->log(), (Calls{"Measure(FakeSpec)", "ReadData(FakeSpec,0)"}));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
    // Two interleaved channels of the fake's 100 + k counts.
    EXPECT_EQ(form->RawCounts, (std::vector<std::int64_t>{100, 102, 104, 106, 101, 103, 105, 107}));
    EXPECT_DOUBLE_EQ(form->TChart1->Series1.y[1], 102.0);
    EXPECT_DOUBLE_EQ(form->TChart1->Series2.y[1], 103.0);
    EXPECT_EQ(form->cyclesCompleted(), 1);
}

TEST_F(RunControl, StopDuringACycleLetsItCompleteAndStartsNoOther) {
    startReady();
    form->StartButton->click();
    EXPECT_EQ(form->StatusBar1->text(5), "Running");
    ASSERT_TRUE(waitUntil([this] { return form->cyclesCompleted() >= 2; }));
    holdNextCycle();
    ASSERT_TRUE(cycleHeld());
    form->StopButton->click();
    EXPECT_FALSE(form->Continuous);
    EXPECT_EQ(form->StatusBar1->text(5), "Stopped");
    // No run starts over the one in flight.
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, false}));
    int before = form->cyclesCompleted();
    gate.open();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(form->cyclesCompleted(), before + 1);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false}));
}

TEST_F(RunControl, CommandPressedDuringACycleRunsAfterItAndIsServedByTheNext) {
    startReady();
    form->StartButton->click();
    holdNextCycle();
    ASSERT_TRUE(cycleHeld());
    form->DarkButon->click();
    EXPECT_FALSE(form->Flags.SaveDarkPending);
    gate.open();
    ASSERT_TRUE(waitUntil([this] { return form->Flags.DarkValid; }));
    // The measurement that supplies the dark level shows 0.
    form->StopButton->click();
    ASSERT_TRUE(runEnds());
}

TEST_F(RunControl, CloseDuringARunEndsItAfterTheCycleInFlight) {
    startReady();
    form->StartButton->click();
    holdNextCycle();
    ASSERT_TRUE(cycleHeld());
    form->close();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->Continuous);
    gate.open();
    ASSERT_TRUE(waitUntil([this] { return !form->isVisible(); }));
    EXPECT_FALSE(form->runActive());
}

TEST_F(RunControl, CloseDuringALongMeasurementSaysTheWindowClosesAfterIt) {
    startReady();
    // Held before the press: a single measurement has no later cycle to hold.
    holdNextCycle();
    form->SingleButton->click();
    ASSERT_TRUE(cycleHeld());
    form->close();
    EXPECT_EQ(form->StatusBar1->text(5), "Closing after this measurement");
    EXPECT_TRUE(
        form->StatusBar1->progress()->format().startsWith("Closing after this measurement"));
    EXPECT_TRUE(prompts.shown.empty());
    form->close();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Halvane closes when the measurement in progress has ended.");
    EXPECT_TRUE(form->isVisible());
    gate.open();
    ASSERT_TRUE(waitUntil([this] { return !form->isVisible(); }));
}

TEST_F(RunControl, CommandPressedWhileTheEndCodeIsWithTheServerSendsNoSecondEndCode) {
    // Outlives the test body, so the exit's end code passes too.
    auto endCode = std::make_shared<Gate>();
    server->onSetMode = [endCode](std::int32_t code) {
        if (code == 160)
            endCode->pass();
    };
    startReady(BuildKind::Thermal);
    endCode->close();
    form->SingleButton->click();
    ASSERT_TRUE(waitUntil([endCode] { return endCode->someoneWaiting(); }));
    form->DarkButon->click();
    EXPECT_TRUE(form->Flags.SaveDarkPending);
    endCode->open();
    ASSERT_TRUE(runEnds());
    ASSERT_TRUE(waitUntil([this] { return form->cameraIdle(); }));
    EXPECT_EQ(server->log(),
              (Calls{"SetMode(FakeSpec,162)", "SetMode(FakeSpec,1)", "Measure(FakeSpec)",
                     "ReadData(FakeSpec,0)", "SetMode(FakeSpec,160)", "SetMode(FakeSpec,1)"}));
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, true}));
}

TEST_F(RunControl, WithoutDeviceSaysSoAndRestoresTheButtons) {
    server->devices = {L"TESTPORT"};
    startReady();
    form->StartButton->click();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "No device found !");
    EXPECT_EQ(prompts.shown[0].caption, "Init");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Error);
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false}));
    EXPECT_EQ(form->StatusBar1->text(5), "Running");
    EXPECT_TRUE(form->Continuous);
    EXPECT_TRUE(server->log().empty());
}

TEST_F(RunControl, ErrorInACycleEndsTheRunAndKeepsTheRunButtonsUntilStop) {
    server->failures["Measure#2"] = L"Trigger timeout";
    startReady();
    form->StartButton->click();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(errors(), QStringList{"Trigger timeout"});
    EXPECT_EQ(buttons(), (std::vector<bool>{false, false, true}));
    EXPECT_TRUE(form->Continuous);
    form->StopButton->click();
    EXPECT_EQ(buttons(), (std::vector<bool>{true, true, false}));
    form->SingleButton->click();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(form->cyclesCompleted(), 2);
}

TEST_F(RunControl, ReplyOfTheWrongShapeIsAClearErrorAndKeepsThePreviousSpectrum) {
    startReady();
    form->SingleButton->click();
    ASSERT_TRUE(runEnds());
    auto previous = form->PlotValues;
    server->data = [](std::int32_t, std::int32_t) {
        return CountArray{{8}, std::vector<std::int32_t>(8, 7)};
    };
    form->SingleButton->click();
    ASSERT_TRUE(runEnds());
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("one-dimensional")) << errors()[0].toStdString();
    EXPECT_EQ(form->PlotValues, previous);
}

TEST_F(RunControl, FailedSettingsAreSentAgainBeforeTheNextMeasure) {
    server->failures["SetAveraging#1"] = L"Busy";
    start();
    server->clearLog();
    form->SingleButton->click();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(server->log(), (Calls{"SetMode(FakeSpec,1)", "SetAveraging(FakeSpec,1)",
                                    "SetIntegrationTime(FakeSpec,1)", "Measure(FakeSpec)",
                                    "ReadData(FakeSpec,0)"}));
    server->clearLog();
    form->SingleButton->click();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(server->log(), (Calls{"Measure(FakeSpec)", "ReadData(FakeSpec,0)"}));
}

TEST_F(RunControl, KeysAreNamedInTheTooltips) {
    startReady();
    EXPECT_EQ(form->SingleButton->toolTip(), "Single Measurement (F5)");
    EXPECT_EQ(form->StartButton->toolTip(), "Continous Measurement (F6)");
    EXPECT_EQ(form->StopButton->toolTip(), "Stop Measurement (Esc)");
}

TEST_F(RunControl, CommandPressedDuringAFailingCycleStillRuns) {
    server->failures["Measure"] = L"Lamp off";
    startReady();
    holdNextCycle();
    form->SingleButton->click();
    ASSERT_TRUE(cycleHeld());
    form->DarkButon->click();
    gate.open();
    ASSERT_TRUE(runEnds());
    EXPECT_EQ(errors(), QStringList{"Lamp off"});
    EXPECT_TRUE(form->Flags.SaveDarkPending);
}
