#include "display/SpectrumChart.h"
#include "shell/StatusPanels.h"
#include "support/MainFormFixture.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

using Calls = std::vector<std::string>;

namespace {

const QByteArray SavedSettings = "412.5\r\n987.25\r\n888\r\n7\r\n12\r\n1024\r\n1\r\n4\r\n250\r\n"
                                 "2\r\n5\r\n1\r\n0\r\n1\r\n3\r\n/tmp/cal.ini\r\n";

} // namespace

class StartSequence : public MainFormFixture {};

TEST_F(StartSequence, TestPortIsNoDeviceAndLeavesTheSettingsFileAlone) {
    server->devices = {L"TESTPORT", L"Other"};
    writeSettings(SavedSettings);
    start();
    EXPECT_FALSE(form->Device.Connected);
    EXPECT_EQ(form->StatusBar1->text(6), "Not connected!");
    EXPECT_FALSE(form->StopButton->isEnabled());
    EXPECT_TRUE(form->StartButton->isEnabled());
    EXPECT_TRUE(form->SingleButton->isEnabled());
    EXPECT_EQ(form->MeasurementParameters.Averaging, 0);
    EXPECT_EQ(form->MeasurementParameters.TriggerMode, 1);
    EXPECT_EQ(form->MeasurementParameters.ScansToSave, 1);
    EXPECT_EQ(prompts.fileDialogs, QStringList{"open:ini files (*.ini)"});
    EXPECT_EQ(server->log(),
              (Calls{"GetDeviceList()", "OpenDevice(TESTPORT)", "SetMode(TESTPORT,1)",
                     "SetAveraging(TESTPORT,0)", "SetIntegrationTime(TESTPORT,0)"}));
    server->clearLog();
    form->FormDestroy();
    EXPECT_EQ(server->log(), (Calls{"CloseDevice(TESTPORT)"}));
    EXPECT_EQ(readSettings(), SavedSettings);
}

TEST_F(StartSequence, RealDeviceWithoutFileTakesDefaultsAndWritesTheFileAtExit) {
    start();
    const auto& p = form->MeasurementParameters;
    EXPECT_TRUE(form->Device.Connected);
    EXPECT_EQ(form->StatusBar1->text(6), "Connected to FakeSpec");
    EXPECT_EQ(p.DeviceName, L"FakeSpec");
    EXPECT_EQ(p.Averaging, 1);
    EXPECT_EQ(p.IntegrationTime, 1);
    EXPECT_EQ(p.AveragingLimitDivisor, 1);
    EXPECT_EQ(p.TriggerMode, 1);
    EXPECT_EQ(p.ScansToSave, 1);
    EXPECT_FALSE(p.DisplayCh1 || p.DisplayCh2 || p.WavelengthUnits);
    EXPECT_FALSE(form->SingleChannel);
    EXPECT_EQ(form->Device.PortAddress, 0);
    EXPECT_TRUE(form->InProcess->isHidden());
    EXPECT_EQ(form->RecordButton->text(), "Record");
    EXPECT_TRUE(form->Plot3DButton->isHidden());
    EXPECT_EQ(form->SeriesData.size(), 1u);
    EXPECT_EQ(server->log(), (Calls{"GetDeviceList()", "OpenDevice(FakeSpec)",
                                    "SetMode(FakeSpec,1)", "SetMode(FakeSpec,1)",
                                    "SetAveraging(FakeSpec,1)", "SetIntegrationTime(FakeSpec,1)"}));
    EXPECT_TRUE(errors().isEmpty()) << errors().join("|").toStdString();
    form->FormDestroy();
    EXPECT_EQ(readSettings(), "0\r\n0\r\n0\r\n5\r\n16\r\n8\r\n0\r\n1\r\n1\r\n1\r\n1\r\n0\r\n0\r\n"
                              "0\r\n1\r\n\r\n");
}

TEST_F(StartSequence, ThermalBuildStartsSingleChannelWithoutFile) {
    start(BuildKind::Thermal);
    EXPECT_TRUE(form->SingleChannel);
}

TEST_F(StartSequence, SettingsFileRoundTripRestoresTheUsersValues) {
    writeSettings(SavedSettings);
    start();
    const auto& p = form->MeasurementParameters;
    EXPECT_DOUBLE_EQ(form->Wavelengths.WavelengthMin, 412.5);
    EXPECT_EQ(form->Device.PortAddress, 888);
    EXPECT_EQ(form->Device.ClockSpeed, 7);
    EXPECT_EQ(form->Device.Resolution, 16);
    EXPECT_EQ(form->Device.PixelCount, 8);
    EXPECT_TRUE(form->SingleChannel);
    EXPECT_EQ(p.Averaging, 4);
    EXPECT_EQ(p.IntegrationTime, 250);
    EXPECT_EQ(p.AveragingLimitDivisor, 2);
    EXPECT_EQ(p.ScansToSave, 1);
    EXPECT_TRUE(p.DisplayCh1);
    EXPECT_FALSE(p.DisplayCh2);
    EXPECT_TRUE(p.WavelengthUnits);
    EXPECT_EQ(p.TriggerMode, 3);
    EXPECT_EQ(form->CalibrationFileName, "/tmp/cal.ini");
    EXPECT_EQ(form->SeriesData.size(), 4u);
    EXPECT_EQ(server->log(),
              (Calls{"GetDeviceList()", "OpenDevice(FakeSpec)", "SetMode(FakeSpec,3)",
                     "SetMode(FakeSpec,3)", "SetAveraging(FakeSpec,4)",
                     "SetIntegrationTime(FakeSpec,250)"}));
    form->FormDestroy();
    // Lines 5 and 6 come from the device, line 11 is the scans to save after start.
    EXPECT_EQ(readSettings(),
              "412.5\r\n987.25\r\n888\r\n7\r\n16\r\n8\r\n1\r\n4\r\n250\r\n2\r\n1\r\n"
              "1\r\n0\r\n1\r\n3\r\n/tmp/cal.ini\r\n");
}

TEST_F(StartSequence, OnlyTheFirstOfSeveralDevicesIsUsed) {
    server->devices = {L"First", L"Second"};
    start();
    EXPECT_EQ(form->Device.DeviceName, L"First");
    EXPECT_EQ(server->log()[1], "OpenDevice(First)");
}

TEST_F(StartSequence, MissingServerShowsBothMessagesAndTouchesNothing) {
    serverMissing = true;
    writeSettings(SavedSettings);
    start();
    EXPECT_EQ(
        prompts.texts(),
        (QStringList{"Click to Start search for connected devices. This may take a few moments",
                     "Could not start camera server\nno module"}));
    EXPECT_EQ(prompts.shown[1].caption, "Halvane");
    EXPECT_EQ(prompts.shown[1].buttons, PromptButtons::Ok);
    EXPECT_FALSE(form->InProcess->isHidden());
    EXPECT_TRUE(form->StopButton->isEnabled());
    EXPECT_TRUE(form->StartButton->isEnabled());
    form->FormPaint();
    EXPECT_EQ(form->StatusBar1->text(3), "Averaging: 0");
    EXPECT_EQ(form->StatusBar1->text(4), "Integration: 0 ms");
    EXPECT_EQ(form->StatusBar1->text(6), "Not connected!");
    form->FormDestroy();
    EXPECT_TRUE(server->log().empty());
    EXPECT_EQ(readSettings(), SavedSettings);
}

struct FailingStep {
    const char* operation;
    bool connected;
    bool fileWritten;
};

class StartSequenceFailure : public MainFormFixture,
                             public ::testing::WithParamInterface<FailingStep> {};

TEST_P(StartSequenceFailure, ShowsTheServersTextAndLeavesTheWindowReady) {
    server->failures[GetParam().operation] = L"Device says no";
    start();
    EXPECT_EQ(errors(), QStringList{"Device says no"});
    EXPECT_EQ(form->Device.Connected, GetParam().connected);
    EXPECT_TRUE(form->InProcess->isHidden());
    EXPECT_EQ(form->RecordButton->text(), "Record");
    EXPECT_EQ(form->MeasurementParameters.ScansToSave, 1);
    form->FormDestroy();
    EXPECT_EQ(QFile::exists(settingsPath()), GetParam().fileWritten);
}

INSTANTIATE_TEST_SUITE_P(EachStep, StartSequenceFailure,
                         ::testing::Values(FailingStep{"GetDeviceList", false, false},
                                           FailingStep{"OpenDevice", false, false},
                                           FailingStep{"SetMode#1", true, true},
                                           FailingStep{"SetAveraging", true, true},
                                           FailingStep{"SetIntegrationTime", true, true}),
                         [](const ::testing::TestParamInfo<FailingStep>& info) {
                             std::string name = info.param.operation;
                             std::replace(name.begin(), name.end(), '#', '_');
                             return name;
                         });

TEST_F(StartSequence, EmptyDeviceListIsSaidInPlainWords) {
    server->devices.clear();
    start();
    EXPECT_EQ(errors(), QStringList{"The camera server reports no device."});
    EXPECT_FALSE(form->Device.Connected);
    form->FormDestroy();
    EXPECT_TRUE(server->log().size() == 1);
}

TEST_F(StartSequence, UnusablePixelCountIsRefusedAndTheDeviceNotUsed) {
    for (int count : {0, 70000}) {
        prompts.shown.clear();
        server->pixelCount = count;
        start();
        ASSERT_EQ(errors().size(), 1);
        EXPECT_TRUE(errors()[0].contains(QString::number(count)));
        EXPECT_FALSE(form->Device.Connected);
        EXPECT_EQ(form->Device.PixelCount, 0);
        form->FormDestroy();
        EXPECT_FALSE(QFile::exists(settingsPath()));
    }
}

TEST_F(StartSequence, UnconvertibleLineIsReportedKeptAsBadAndDefaultsUsed) {
    writeSettings("412.5\r\n987.25\r\nabc\r\n");
    start();
    EXPECT_EQ(errors(), QStringList{"'abc' is not a valid integer value"});
    EXPECT_TRUE(QFile::exists(settingsPath() + ".bad"));
    EXPECT_DOUBLE_EQ(form->Wavelengths.WavelengthMin, 0.0);
    EXPECT_EQ(form->MeasurementParameters.Averaging, 1);
    EXPECT_TRUE(form->Device.Connected);
}

TEST_F(StartSequence, SettingsFileThatCannotBeWrittenAtExitIsReported) {
    start();
    ASSERT_TRUE(QDir(folder.path()).mkdir("DevicePropertiesFile.ini"));
    form->FormDestroy();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("DevicePropertiesFile.ini")) << errors()[0].toStdString();
    EXPECT_TRUE(QFileInfo(settingsPath()).isDir());
}

TEST_F(StartSequence, FailingCloseDeviceIsShownAndTheSettingsStillWritten) {
    server->failures["CloseDevice"] = L"Cable pulled";
    start();
    form->FormDestroy();
    EXPECT_EQ(errors(), QStringList{"Cable pulled"});
    EXPECT_TRUE(QFile::exists(settingsPath()));
}

struct ModuleCase {
    const char* name;
    QByteArray content;                // of the module file; empty: no file at all
    QString reason;                    // what the message's second line starts with
    const char* builtModule = nullptr; // a module of the test build instead of content
};

class UnloadableModule : public StartSequence, public ::testing::WithParamInterface<ModuleCase> {};

TEST_P(UnloadableModule, MessageAndStandardErrorGiveTheLoadersReason) {
    const QString path = GetParam().builtModule
                             ? QStringLiteral(HALVANE_TEST_MODULE_DIR "/") + GetParam().builtModule
                             : folder.filePath("camera-server.so");
    if (!GetParam().content.isEmpty()) {
        QFile module(path);
        ASSERT_TRUE(module.open(QIODevice::WriteOnly));
        module.write(GetParam().content);
    }
    qputenv("HALVANE_CAMERA_SERVER", QFile::encodeName(path));
    loadRealModule = true;
    testing::internal::CaptureStderr();
    start();
    const std::string printed = testing::internal::GetCapturedStderr();
    qunsetenv("HALVANE_CAMERA_SERVER");
    ASSERT_EQ(prompts.shown.size(), 2u);
    const QStringList lines = prompts.shown[1].text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "Could not start camera server");
    EXPECT_TRUE(lines[1].startsWith(GetParam().reason.arg(path))) << lines[1].toStdString();
    // Qt may print its own notes to stderr too; the reason is one line of its own.
    const std::string line = "Halvane: could not start camera server: " + lines[1].toStdString();
    EXPECT_TRUE(QString::fromStdString(printed).split('\n').contains(QString::fromStdString(line)))
        << printed;
}

INSTANTIATE_TEST_SUITE_P(
    Loader, UnloadableModule,
    ::testing::Values(ModuleCase{"MissingFile", {}, "cannot load %1: "},
                      ModuleCase{"NotAModule", "plain text, no library", "cannot load %1: "},
                      ModuleCase{"WrongInterfaceVersion",
                                 {},
                                 "%1: interface version ",
                                 "wrong-version-module.so"}),
    [](const ::testing::TestParamInfo<ModuleCase>& info) { return std::string(info.param.name); });
