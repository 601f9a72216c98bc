#include "setup/SetupForm.h"

#include "support/QtApp.h"
#include "support/ScriptedPrompts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

class SetupFormTest : public ::testing::Test {
protected:
    ScriptedPrompts prompts;
    TMeasurementParameters parameters;
    std::unique_ptr<TSetupForm> form;

    void SetUp() override {
        qtApp();
        parameters.Averaging = 10;
        parameters.IntegrationTime = 100;
        parameters.AveragingLimitDivisor = 1;
        parameters.ScansToSave = 1;
        parameters.TriggerMode = 1;
        make(BuildKind::Standard);
    }

    void make(BuildKind kind) { form = std::make_unique<TSetupForm>(kind, prompts, parameters); }

    void fillConnected(std::int32_t pixels = 2048, bool singleChannel = false) {
        form->FillConnected("Spec1", 5, 16, pixels, singleChannel);
    }

    // Runs the dialog; `whileOpen` acts on it from inside the wait. If the dialog is still
    // waiting afterwards, stillOpen is set and it is cancelled so the test goes on.
    SetupResult run(const std::function<void()>& whileOpen) {
        stillOpen = false;
        QTimer::singleShot(0, form.get(), [&] {
            whileOpen();
            if (form->IsWaiting()) {
                stillOpen = true;
                form->Button2->click();
            }
        });
        return form->ExecuteSetup();
    }

    // Enters the texts and presses OK once.
    SetupResult okWith(const QString& integration, const QString& averaging,
                       const QString& scans = "1") {
        return run([&] {
            form->IntegrationEdit->setText(integration);
            form->AveragingEdit->setText(averaging);
            form->RecordScansEdit->setText(scans);
            form->Button1->click();
        });
    }

    bool stillOpen = false;
};

TEST_F(SetupFormTest, StartsWithTheControlsOfTheDialog) {
    EXPECT_EQ(form->windowTitle(), "Spectrometer Setup");
    // Sized by its texts, never below the drawn 357 x 274, and not resizable.
    EXPECT_GE(form->width(), 357);
    EXPECT_GE(form->height(), 274);
    EXPECT_EQ(form->size(), form->sizeHint());
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(form->isModal());
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->toolTip(),
              "Use these settings to set how often the individual measurements are repeated");

    struct Text {
        const char* name;
        QString text;
    };
    const std::vector<Text> texts{{"IntegrationEdit", "0"},
                                  {"AveragingEdit", "1"},
                                  {"RecordScansEdit", "1"},
                                  {"Label7", "Integration time"},
                                  {"Label1", "ms"},
                                  {"Label12", "Averaging"},
                                  {"MinTimeLabel", ""},
                                  {"MaxTimeLabel", ""},
                                  {"AveragingRange", ""},
                                  {"Label9", "Clock Speed:"},
                                  {"ClockSpeedLabel", ""},
                                  {"Label10", "Resolution:"},
                                  {"ResolutionLabel", ""},
                                  {"Label11", "Pixels:"},
                                  {"PixelLabel", ""},
                                  {"Label3", "Device Address"},
                                  {"BaseAddressLabel", "Not Connected"},
                                  {"NumberRecordScans", "Scans to Save"},
                                  {"IntTrigButton", "int Tmer"},
                                  {"ExtTrigButton", "Ext. Trig."},
                                  {"MultiTrigButton", "Mult.Ext. Trigger"},
                                  {"CheckBox1", "Display Ch1"},
                                  {"CheckBox2", "Display Ch2"},
                                  {"SaveAverage", "SaveAverage of scans"},
                                  {"SaveIndividual", "Save individual scans"},
                                  {"Pixelsnm", "Wavelength nm"},
                                  {"Button1", "OK"},
                                  {"Button2", "Cancel"},
                                  {"GroupBox3", "Individual measurement"},
                                  {"GroupBox1", "Camera info"},
                                  {"GroupBox2", "Trigger Mode"},
                                  {"GroupBox4", "X Axis"}};
    for (const auto& t : texts) {
        auto* widget = form->findChild<QWidget*>(t.name);
        ASSERT_NE(widget, nullptr) << t.name;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            text = edit->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(widget))
            text = group->title();
        EXPECT_EQ(text, t.text) << t.name;
    }

    EXPECT_TRUE(form->IntTrigButton->isChecked());
    EXPECT_FALSE(form->ExtTrigButton->isChecked());
    EXPECT_TRUE(form->CheckBox1->isChecked());
    EXPECT_TRUE(form->CheckBox2->isChecked());
    EXPECT_TRUE(form->SaveAverage->isChecked());
    EXPECT_FALSE(form->SaveIndividual->isChecked());
    EXPECT_TRUE(form->Button1->isDefault());
    EXPECT_EQ(form->CheckBox3, nullptr);
    EXPECT_EQ(form->findChild<QCheckBox*>("CheckBox3"), nullptr);
    EXPECT_EQ(form->GroupBox3->toolTip(),
              "These settings used to determine parameters for each measurement cycle");
    EXPECT_EQ(form->IntTrigButton->toolTip(),
              "Internal Trigger.Integration time set using Integration time");
    EXPECT_EQ(form->ExtTrigButton->toolTip(), "Uses External trigger input to trigger a scan");
    EXPECT_EQ(form->MultiTrigButton->toolTip(),
              "Counts external trigger pulses and makes a readout after preset number of "
              "triggers");
    for (auto* child : form->findChildren<QWidget*>())
        EXPECT_TRUE(form->rect().contains(child->mapTo(form.get(), child->rect().bottomRight())))
            << child->objectName().toStdString();
}

TEST_F(SetupFormTest, ThermalBuildHasTheHighGainBox) {
    make(BuildKind::Thermal);
    ASSERT_NE(form->CheckBox3, nullptr);
    EXPECT_EQ(form->CheckBox3->objectName(), "CheckBox3");
    EXPECT_EQ(form->CheckBox3->text(), "High Gain");
    EXPECT_FALSE(form->CheckBox3->isChecked());
    EXPECT_EQ(form->GainCode(), 65);
    form->CheckBox3->setChecked(true);
    EXPECT_EQ(form->GainCode(), 64);
}

TEST_F(SetupFormTest, FillsFromAConnectedDevice) {
    parameters.ScansToSave = 7;
    parameters.WavelengthUnits = true;
    fillConnected();
    EXPECT_EQ(form->BaseAddressLabel->text(), "Spec1");
    EXPECT_EQ(form->ClockSpeedLabel->text(), "5 µs");
    EXPECT_EQ(form->ResolutionLabel->text(), "16 bit");
    EXPECT_EQ(form->PixelLabel->text(), "2048");
    EXPECT_EQ(form->IntegrationEdit->text(), "100");
    EXPECT_EQ(form->AveragingEdit->text(), "10");
    EXPECT_EQ(form->RecordScansEdit->text(), "7");
    EXPECT_EQ(form->AveragingRange->text(), "(1-32)");
    EXPECT_EQ(form->MinTimeLabel->text(), "");
    EXPECT_TRUE(form->IntegrationEdit->isEnabled());
    EXPECT_TRUE(form->AveragingEdit->isEnabled());
    EXPECT_TRUE(form->EditsEnabled);
    EXPECT_EQ(form->Pixelsnm->text(), "Wavelength");
    EXPECT_EQ(form->CaptionBefore, "Wavelength");
    EXPECT_FALSE(form->CheckBox1->isHidden());
}

TEST_F(SetupFormTest, SingleChannelDeviceHidesTheChannelBoxesForGood) {
    fillConnected(2048, true);
    EXPECT_TRUE(form->CheckBox1->isHidden());
    EXPECT_TRUE(form->CheckBox2->isHidden());
    fillConnected(2048, false);
    EXPECT_TRUE(form->CheckBox1->isHidden());
}

TEST_F(SetupFormTest, NoDeviceShowsQuestionMarksAndDisablesTheEdits) {
    parameters.Averaging = 0;
    form->FillUnconnected();
    for (auto* label : {form->ClockSpeedLabel, form->ResolutionLabel, form->PixelLabel,
                        form->MinTimeLabel, form->MaxTimeLabel})
        EXPECT_EQ(label->text(), "?") << label->objectName().toStdString();
    EXPECT_EQ(form->AveragingRange->text(), "(1- ? )");
    EXPECT_EQ(form->BaseAddressLabel->text(), "Not Connected");
    EXPECT_FALSE(form->IntegrationEdit->isEnabled());
    EXPECT_FALSE(form->AveragingEdit->isEnabled());
    EXPECT_EQ(form->IntegrationEdit->text(), "1");
    EXPECT_EQ(form->AveragingEdit->text(), "0");
    EXPECT_EQ(form->Pixelsnm->text(), "Pixels");
    EXPECT_EQ(form->CaptionBefore, "Pixels");
}

// No device: the disabled edits are neither checked (averaging 0, divisor 0 would fail) nor
// stored; scans, channels and units are.
TEST_F(SetupFormTest, OkWithoutDeviceStoresOnlyTheEnabledEntries) {
    parameters.Averaging = 0;
    parameters.IntegrationTime = 0;
    parameters.AveragingLimitDivisor = 0;
    form->FillUnconnected();
    const auto result = run([&] {
        form->RecordScansEdit->setText("4");
        form->CheckBox2->setChecked(false);
        form->PixelsnmClick();
        form->Button1->click();
    });
    EXPECT_EQ(result, SetupResult::Accepted);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(parameters.Averaging, 0);
    EXPECT_EQ(parameters.IntegrationTime, 0);
    EXPECT_EQ(parameters.ScansToSave, 4);
    EXPECT_TRUE(parameters.DisplayCh1);
    EXPECT_FALSE(parameters.DisplayCh2);
    EXPECT_TRUE(parameters.WavelengthUnits);
    EXPECT_TRUE(parameters.SetupAccepted);
    EXPECT_FALSE(form->isVisible());
}

struct AcceptCase {
    const char* name;
    const char* integration;
    const char* averaging;
    const char* scans;
    std::int32_t integrationTime;
    std::int32_t averagingStored;
    std::int32_t scansToSave;
    const char* averagingShown;
};

class SetupAcceptTest : public SetupFormTest, public ::testing::WithParamInterface<AcceptCase> {};

TEST_P(SetupAcceptTest, OkStoresTheEntries) {
    const auto& c = GetParam();
    fillConnected();
    EXPECT_EQ(okWith(c.integration, c.averaging, c.scans), SetupResult::Accepted);
    EXPECT_FALSE(stillOpen);
    EXPECT_TRUE(prompts.shown.empty());
    EXPECT_EQ(parameters.IntegrationTime, c.integrationTime);
    EXPECT_EQ(parameters.Averaging, c.averagingStored);
    EXPECT_EQ(parameters.ScansToSave, c.scansToSave);
    EXPECT_EQ(form->AveragingEdit->text(), c.averagingShown);
    EXPECT_TRUE(parameters.SetupAccepted);
    EXPECT_TRUE(parameters.DisplayCh1);
    EXPECT_TRUE(parameters.DisplayCh2);
    EXPECT_FALSE(parameters.WavelengthUnits);
    EXPECT_FALSE(form->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SetupAcceptTest,
    ::testing::Values(AcceptCase{"PlainNumbers", "20", "500", "3", 20, 500, 3, "500"},
                      AcceptCase{"AveragingTrailingTextDropped", "1", "12abc", "1", 1, 12, 1, "12"},
                      AcceptCase{"BlanksAroundTheEntries", " 7 ", " 1", "2", 7, 1, 2, "1"},
                      // 2048 pixels: the scan buffer bounds the averaging at 32768.
                      AcceptCase{"AveragingAtTheBufferBound", "5", "32768", "1", 5, 32768, 1,
                                 "32768"}),
    [](const ::testing::TestParamInfo<AcceptCase>& info) { return std::string(info.param.name); });

struct RejectCase {
    const char* name;
    const char* integration;
    const char* averaging;
    const char* scans;
    const char* message;
    const char* focusEdit;
};

class SetupRejectTest : public SetupFormTest, public ::testing::WithParamInterface<RejectCase> {};

// A rejected OK shows one message, moves the focus, stores nothing and keeps the dialog waiting.
TEST_P(SetupRejectTest, OkRejectsTheEntry) {
    const auto& c = GetParam();
    fillConnected();
    const TMeasurementParameters before = parameters;
    QWidget* focused = nullptr;
    const auto result = run([&] {
        form->IntegrationEdit->setText(c.integration);
        form->AveragingEdit->setText(c.averaging);
        form->RecordScansEdit->setText(c.scans);
        form->CheckBox1->setChecked(false);
        form->Button1->click();
        focused = form->focusWidget();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, SetupResult::Cancelled);
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, c.message);
    EXPECT_EQ(prompts.shown[0].caption, "Halvane");
    EXPECT_EQ(prompts.shown[0].icon, PromptIcon::Error);
    EXPECT_EQ(prompts.shown[0].buttons, PromptButtons::Ok);
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), c.focusEdit);
    EXPECT_EQ(parameters.IntegrationTime, before.IntegrationTime);
    EXPECT_EQ(parameters.Averaging, before.Averaging);
    EXPECT_EQ(parameters.ScansToSave, before.ScansToSave);
    EXPECT_EQ(parameters.DisplayCh1, before.DisplayCh1);
    EXPECT_FALSE(parameters.SetupAccepted);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SetupRejectTest,
    ::testing::Values(
        RejectCase{"IntegrationZero", "0", "10", "1", "Value must be >0!", "IntegrationEdit"},
        RejectCase{"IntegrationNegative", "-5", "10", "1", "Value must be >0!", "IntegrationEdit"},
        RejectCase{"IntegrationLetters", "abc", "10", "1", "Value must be >0!", "IntegrationEdit"},
        RejectCase{"IntegrationFraction", "2.5", "10", "1", "'2.5' is not a valid integer value",
                   "IntegrationEdit"},
        RejectCase{"IntegrationBeyond32Bits", "9999999999", "10", "1",
                   "'9999999999' is not a valid integer value", "IntegrationEdit"},
        RejectCase{"AveragingZero", "10", "0", "1", "Value must be between 1 and 32768 !",
                   "AveragingEdit"},
        RejectCase{"AveragingNegative", "10", "-3", "1", "Value must be between 1 and 32768 !",
                   "AveragingEdit"},
        RejectCase{"AveragingAboveTheBufferBound", "10", "32769", "1",
                   "Value must be between 1 and 32768 !", "AveragingEdit"},
        RejectCase{"AveragingFarAboveTheBound", "10", "1048576", "1",
                   "Value must be between 1 and 32768 !", "AveragingEdit"},
        RejectCase{"ScansZero", "10", "10", "0", "Value must be >0!", "RecordScansEdit"},
        RejectCase{"ScansNegative", "10", "10", "-2", "Value must be >0!", "RecordScansEdit"},
        RejectCase{"ScansLetters", "10", "10", "x", "'x' is not a valid integer value",
                   "RecordScansEdit"},
        RejectCase{"ScansEmpty", "10", "10", "", "'' is not a valid integer value",
                   "RecordScansEdit"}),
    [](const ::testing::TestParamInfo<RejectCase>& info) { return std::string(info.param.name); });

// With few pixels the divisor decides: the bound named is 1048575 for divisor 1.
TEST_F(SetupFormTest, AveragingBoundFollowsTheDivisor) {
    fillConnected(16);
    okWith("10", "1048576");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Value must be between 1 and 1048575 !");
    prompts.shown.clear();
    parameters.AveragingLimitDivisor = 64;
    okWith("10", "16384");
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Value must be between 1 and 16383 !");
}

TEST_F(SetupFormTest, CorrectedEntryPassesOnTheNextOk) {
    fillConnected();
    const auto result = run([&] {
        form->IntegrationEdit->setText("2.5");
        form->Button1->click();
        ASSERT_TRUE(form->IsWaiting());
        form->IntegrationEdit->setText("25");
        form->Button1->click();
    });
    EXPECT_EQ(result, SetupResult::Accepted);
    EXPECT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(parameters.IntegrationTime, 25);
    EXPECT_TRUE(parameters.SetupAccepted);
}

TEST_F(SetupFormTest, OpensWithTheButtonOfTheTriggerMode) {
    fillConnected();
    const std::vector<std::pair<std::int32_t, QRadioButton*>> modes{
        {3, form->ExtTrigButton}, {4, form->MultiTrigButton}, {1, form->IntTrigButton}};
    for (const auto& [mode, button] : modes) {
        parameters.TriggerMode = mode;
        bool checked = false;
        run([&, button = button] { checked = button->isChecked(); });
        EXPECT_TRUE(checked) << mode;
        EXPECT_EQ(parameters.TriggerMode, mode);
    }
}

TEST_F(SetupFormTest, TriggerChoiceStaysAfterCancel) {
    fillConnected();
    const auto result = run([&] {
        form->MultiTrigButton->click();
        form->Button2->click();
    });
    EXPECT_EQ(result, SetupResult::Cancelled);
    EXPECT_EQ(parameters.TriggerMode, 4);
    EXPECT_TRUE(form->MultiTrigButton->isChecked());
    EXPECT_FALSE(form->IntTrigButton->isChecked());
    EXPECT_FALSE(parameters.SetupAccepted);
    EXPECT_EQ(parameters.IntegrationTime, 100);
    form->ExtTrigButton->click();
    EXPECT_EQ(parameters.TriggerMode, 3);
}

TEST_F(SetupFormTest, XAxisButtonToggles) {
    fillConnected();
    EXPECT_EQ(form->Pixelsnm->text(), "Pixels");
    form->Pixelsnm->click();
    EXPECT_EQ(form->Pixelsnm->text(), "Wavelength");
    form->Pixelsnm->click();
    EXPECT_EQ(form->Pixelsnm->text(), "Pixels");
    form->Pixelsnm->setText("Wavelength nm");
    form->PixelsnmClick();
    EXPECT_EQ(form->Pixelsnm->text(), "Pixels");
    EXPECT_EQ(form->CaptionBefore, "Pixels");
}

// The two button sets are apart: a save mode does not touch the trigger mode.
TEST_F(SetupFormTest, SaveModeButtonsExcludeEachOther) {
    form->ExtTrigButton->click();
    form->SaveIndividual->click();
    EXPECT_TRUE(form->ExtTrigButton->isChecked());
    EXPECT_TRUE(form->SaveIndividual->isChecked());
    EXPECT_FALSE(form->SaveAverage->isChecked());
    form->SaveAverageClick();
    EXPECT_TRUE(form->SaveAverage->isChecked());
    EXPECT_FALSE(form->SaveIndividual->isChecked());
    EXPECT_TRUE(form->ExtTrigButton->isChecked());
    EXPECT_FALSE(form->IntTrigButton->isChecked());
}

TEST_F(SetupFormTest, ClosingByTheFrameCancels) {
    fillConnected();
    const auto result = run([&] {
        form->IntegrationEdit->setText("55");
        form->close();
    });
    EXPECT_EQ(result, SetupResult::Cancelled);
    EXPECT_FALSE(stillOpen);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(parameters.IntegrationTime, 100);
    EXPECT_FALSE(parameters.SetupAccepted);
}

TEST_F(SetupFormTest, EscapeCancels) {
    fillConnected();
    const auto result = run([&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(form->IntegrationEdit, &escape);
    });
    EXPECT_EQ(result, SetupResult::Cancelled);
    EXPECT_FALSE(stillOpen);
}

TEST_F(SetupFormTest, EnterPressesOk) {
    fillConnected();
    const auto result = run([&] {
        form->AveragingEdit->setText("7");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(form->AveragingEdit, &enter);
    });
    EXPECT_EQ(result, SetupResult::Accepted);
    EXPECT_EQ(parameters.Averaging, 7);
}

// A second use while the dialog waits neither refills it nor waits again; the first use ends
// with the one OK.
TEST_F(SetupFormTest, SecondUseWhileOpenReturnsAtOnce) {
    fillConnected();
    SetupResult second = SetupResult::Cancelled;
    const auto first = run([&] {
        form->IntegrationEdit->setText("42");
        parameters.IntegrationTime = 7;
        fillConnected();
        second = form->ExecuteSetup();
        EXPECT_TRUE(form->isVisible());
        EXPECT_EQ(form->IntegrationEdit->text(), "42");
        form->Button1->click();
    });
    EXPECT_EQ(second, SetupResult::AlreadyOpen);
    EXPECT_EQ(first, SetupResult::Accepted);
    EXPECT_EQ(parameters.IntegrationTime, 42);
    EXPECT_FALSE(form->isVisible());
}

TEST_F(SetupFormTest, ControlsKeepTheirStateBetweenOpenings) {
    fillConnected();
    run([&] {
        form->CheckBox2->setChecked(false);
        form->SaveIndividual->click();
        form->Button2->click();
    });
    bool stateKept = false;
    run([&] {
        stateKept =
            form->isVisible() && !form->CheckBox2->isChecked() && form->SaveIndividual->isChecked();
        form->Button1->click();
    });
    EXPECT_TRUE(stateKept);
    EXPECT_FALSE(parameters.DisplayCh2);
}

} // namespace
