#include "shell/MainForm.h"

#include "camera/CoCameraServer.h"
#include "files/DevicePropertiesFile.h"
#include "measurement/NumberText.h"
#include "shell/Guard.h"
#include "shell/StatusPanels.h"

#include <QAction>
#include <QFrame>
#include <QPushButton>
#include <QToolButton>

#include <cstdio>

namespace {

const std::wstring TestPort = L"TESTPORT";

} // namespace

// The start sequence. Each step that fails shows its error and the steps that need no camera
// server still run, so the window is always ready to use.
void TMainForm::FormCreate() {
    Plot3DButton->hide();
    SingleChannel = kind_ == BuildKind::Thermal;
    Wavelengths.WavelengthCalibrated = false;
    Ch1Coefficients = {};
    Ch2Coefficients = {};
    prompts_.message("Click to Start search for connected devices. This may take a few moments",
                     ApplicationTitle, PromptIcon::None, PromptButtons::Ok);
    try {
        camera_.create(createServer_ ? createServer_ : [] { return CoCameraServer::Create(); });
    } catch (const std::exception& error) {
        // The loader's reason is what a user needs to mend the installation.
        const QString reason = QString::fromUtf8(error.what());
        std::fprintf(stderr, "%s: could not start camera server: %s\n",
                     qPrintable(ApplicationTitle), qPrintable(reason));
        prompts_.message("Could not start camera server\n" + reason, ApplicationTitle,
                         PromptIcon::None, PromptButtons::Ok);
        resizeBuffers();
        // Without these the setup dialog would refuse its own "Scans to Save".
        MeasurementParameters.ScansToSave = 1;
        ScansToRecord = 1;
        return;
    }
    run([this] { connectDevice(); });
    resizeBuffers();
    run([this] { LoadCalibration(); });
    if (deviceOpened_)
        run([this] { SendMeasurementSettings(); });
    run([this] { SetupChart(); });
    InProcess->hide();
    Flags.SaveWhitePending = Flags.SaveDarkPending = Flags.DarkValid = Flags.WhiteValid = false;
    setCaption(RecordButton->defaultAction(), "Record");
    resizeSeriesData();
    MeasurementParameters.ScansToSave = 1;
    ScansToRecord = 1;
    run([this] { UpdateClick(); });
    Cal10Done = false;
    Cal50Done = false;
}

// Steps 6 to 10: the first device of the list, opened, and its settings restored.
void TMainForm::connectDevice() {
    MeasurementParameters.TriggerMode = 1;
    QString refused;
    try {
        auto devices = camera_.call<std::vector<std::wstring>>(
            [](Camera& camera) { return camera.GetDeviceList(); });
        if (devices.empty())
            throw CameraServerError("The camera server reports no device.");
        Device.DeviceName = devices.front();
        auto opened = camera_.call<Camera::Opened>(
            [name = Device.DeviceName](Camera& camera) { return camera.OpenDevice(name); });
        deviceOpened_ = true;
        Device.Resolution = opened.resolution;
        Device.ClockSpeed = opened.clock;
        if (opened.pixelCount < 1 || opened.pixelCount > MaxPixelCount)
            refused = QString("The device reports %1 elements per scan; this program handles 1 "
                              "to %2. The device is not used.")
                          .arg(opened.pixelCount)
                          .arg(MaxPixelCount);
        else
            Device.PixelCount = opened.pixelCount;
    } catch (...) {
        notConnected();
        throw;
    }
    Device.Connected = refused.isEmpty() && Device.DeviceName != TestPort;
    if (!Device.Connected) {
        notConnected();
        if (!refused.isEmpty())
            throw std::runtime_error(refused.toStdString());
        return;
    }
    StatusBar1->setText(6, "Connected to " + QString::fromStdWString(Device.DeviceName));
    MeasurementParameters.DeviceName = Device.DeviceName;
    ReadDeviceProperties();
    camera_.call([name = Device.DeviceName, mode = MeasurementParameters.TriggerMode](
                     Camera& camera) { camera.SetMode(name, mode); });
}

void TMainForm::notConnected() {
    StopButton->defaultAction()->setEnabled(false);
    StartButton->defaultAction()->setEnabled(true);
    SingleButton->defaultAction()->setEnabled(true);
    StatusBar1->setText(6, "Not Connected");
}

void TMainForm::ReadDeviceProperties() {
    auto result = readDeviceProperties(devicePropertiesPath(), systemDecimalSeparator());
    if (result.outcome != ReadOutcome::Read) {
        MeasurementParameters.Averaging = 1;
        MeasurementParameters.IntegrationTime = 1;
        MeasurementParameters.AveragingLimitDivisor = 1;
        if (kind_ == BuildKind::Standard)
            SingleChannel = false;
        if (result.outcome == ReadOutcome::Bad)
            showError(prompts_, result.error);
        return;
    }
    const DeviceProperties& v = result.values;
    Wavelengths.WavelengthMin = v.WavelengthMin;
    Wavelengths.WavelengthMax = v.WavelengthMax;
    Device.PortAddress = v.PortAddress;
    Device.ClockSpeed = v.ClockSpeed;
    SingleChannel = v.SingleChannel;
    MeasurementParameters.Averaging = v.Averaging;
    MeasurementParameters.IntegrationTime = v.IntegrationTime;
    MeasurementParameters.AveragingLimitDivisor = v.AveragingLimitDivisor;
    MeasurementParameters.ScansToSave = v.ScansToSave;
    MeasurementParameters.DisplayCh1 = v.DisplayCh1;
    MeasurementParameters.DisplayCh2 = v.DisplayCh2;
    MeasurementParameters.WavelengthUnits = v.WavelengthUnits;
    MeasurementParameters.TriggerMode = v.TriggerMode;
    CalibrationFileName = v.CalibrationFileName;
}

void TMainForm::WriteDeviceProperties() {
    DeviceProperties v;
    v.WavelengthMin = Wavelengths.WavelengthMin;
    v.WavelengthMax = Wavelengths.WavelengthMax;
    v.PortAddress = Device.PortAddress;
    v.ClockSpeed = Device.ClockSpeed;
    v.Resolution = Device.Resolution;
    v.PixelCount = Device.PixelCount;
    v.SingleChannel = SingleChannel;
    v.Averaging = MeasurementParameters.Averaging;
    v.IntegrationTime = MeasurementParameters.IntegrationTime;
    v.AveragingLimitDivisor = MeasurementParameters.AveragingLimitDivisor;
    v.ScansToSave = MeasurementParameters.ScansToSave;
    v.DisplayCh1 = MeasurementParameters.DisplayCh1;
    v.DisplayCh2 = MeasurementParameters.DisplayCh2;
    v.WavelengthUnits = MeasurementParameters.WavelengthUnits;
    v.TriggerMode = MeasurementParameters.TriggerMode;
    v.CalibrationFileName = CalibrationFileName;
    writeDeviceProperties(devicePropertiesPath(), v, systemDecimalSeparator());
}

// The exit sequence. A device error never costs the user's settings, and without a real device
// the settings file is left alone.
void TMainForm::FormDestroy() {
    if (Recording)
        StopRecording();
    if (!camera_.hasServer())
        return;
    if (deviceOpened_)
        run([this] {
            camera_.call([name = Device.DeviceName](Camera& camera) { camera.CloseDevice(name); });
        });
    if (Device.Connected)
        run([this] { WriteDeviceProperties(); });
    if (kind_ == BuildKind::Thermal && deviceOpened_)
        run([this] { camera_.call(modeCodeJob(160)); });
}

// Waits for the server: called by the start sequence, before the window is in view.
void TMainForm::SendMeasurementSettings() {
    try {
        camera_.call(settingsJob());
        settingsStale_ = false;
    } catch (...) {
        settingsStale_ = true;
        throw;
    }
}

void TMainForm::resizeBuffers() {
    const auto p = static_cast<std::size_t>(Device.PixelCount);
    RawCounts.assign(p, 0);
    // The chart reads channel 2 up to index off + P.
    PlotValues.assign(p + p / 2 + 1, 0.0);
    DarkReference.assign(p, 0.0);
    WhiteReference.assign(p, 0.0);
    Wavelengths.Ch1Wavelengths.assign(p + 1, 0.0);
    Wavelengths.Ch2Wavelengths.assign(p + 1, 0.0);
}

void TMainForm::resizeSeriesData() {
    const auto rows = static_cast<std::size_t>(std::max(0, MeasurementParameters.Averaging));
    SeriesData.resize(rows);
    for (auto& row : SeriesData)
        row.resize(static_cast<std::size_t>(Device.PixelCount), 0);
}
