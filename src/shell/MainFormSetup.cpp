#include "shell/MainForm.h"

#include "measurement/TemperatureReply.h"
#include "setup/SetupForm.h"
#include "shell/Guard.h"
#include "shell/StatusPanels.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString NoServer = QStringLiteral("No camera server is running.");

} // namespace

bool TMainForm::displayCh1() const {
    return !SetupForm || SetupForm->CheckBox1->isChecked();
}
bool TMainForm::displayCh2() const {
    return !SetupForm || SetupForm->CheckBox2->isChecked();
}
bool TMainForm::saveAverage() const {
    return !SetupForm || SetupForm->SaveAverage->isChecked();
}

void TMainForm::SetupButtonClick() {
    if (Device.Connected)
        SetupForm->FillConnected(QString::fromStdWString(Device.DeviceName), Device.ClockSpeed,
                                 Device.Resolution, Device.PixelCount, SingleChannel);
    else
        SetupForm->FillUnconnected();
    // A second press brings the open dialog to the front; only the first press applies.
    if (SetupForm->ExecuteSetup() == SetupResult::AlreadyOpen)
        return;
    applyXAxisUnits();
    ScansToRecord = static_cast<std::uint16_t>(
        std::clamp<std::int32_t>(MeasurementParameters.ScansToSave, 0, 65535));
    resizeSeriesData();
    if (!camera_.hasServer())
        return;
    if (kind_ == BuildKind::Thermal) {
        GainCode = SetupForm->GainCode();
        postSetting(modeCodeJob(GainCode));
    }
    postSetting(settingsJob());
}

void TMainForm::applyXAxisUnits() {
    const QString caption = SetupForm->Pixelsnm->text();
    if (!MeasurementParameters.SetupAccepted || caption == SetupForm->CaptionBefore)
        return;
    if (caption == "Pixels") {
        MeasurementParameters.WavelengthUnits = false;
    } else if (Wavelengths.WavelengthCalibrated) {
        MeasurementParameters.WavelengthUnits = true;
    } else {
        SetupForm->Pixelsnm->setText("Pixels");
        MeasurementParameters.WavelengthUnits = false;
    }
    SetupChart();
}

// A setting the server refuses is shown; the next cycle sends the settings again.
void TMainForm::postSetting(CameraThread::Job job) {
    camera_.post(std::move(job), [this](std::exception_ptr error) {
        if (!error)
            return;
        settingsStale_ = true;
        run([&] { std::rethrow_exception(error); });
    });
}

// After any mode code other than a trigger mode, the server is given the trigger mode again.
CameraThread::Job TMainForm::modeCodeJob(std::int32_t code) const {
    return
        [name = Device.DeviceName, code, mode = MeasurementParameters.TriggerMode](Camera& camera) {
            camera.SetMode(name, code);
            camera.SetMode(name, mode);
        };
}

void TMainForm::CalTenClick() {
    calibrateTemperature("Doing Cal 10", Cal10Readings, Cal10Done);
}

void TMainForm::Cal50Click() {
    calibrateTemperature("Doing Cal 50", Cal50Readings, Cal50Done);
}

void TMainForm::calibrateTemperature(const QString& text, std::array<std::int32_t, 3>& readings,
                                     bool& done) {
    prompts_.message(text, ApplicationTitle, PromptIcon::None, PromptButtons::Ok);
    if (!camera_.hasServer())
        throw std::runtime_error(NoServer.toStdString());
    askTemperatures([this, &readings, &done](std::exception_ptr error, const std::wstring& reply) {
        run([&] {
            if (error)
                std::rethrow_exception(error);
            StoreTemperatureReadings(reply, readings);
            done = true;
        });
    });
}

void TMainForm::askTemperatures(
    std::function<void(std::exception_ptr, const std::wstring&)> answered) {
    auto reply = std::make_shared<std::wstring>();
    camera_.post([name = Device.DeviceName,
                  reply](Camera& camera) { *reply = camera.SendCommand(name, L"J"); },
                 [reply, answered = std::move(answered)](std::exception_ptr error) {
                     answered(error, *reply);
                 });
}

// Once a second while both calibrations are done; a job posted during a cycle runs after it.
void TMainForm::GetTemperatures() {
    if (!Cal10Done || !Cal50Done || !camera_.hasServer() || temperaturePending_)
        return;
    temperaturePending_ = true;
    askTemperatures([this](std::exception_ptr error, const std::wstring& reply) {
        temperaturePending_ = false;
        try {
            if (error)
                std::rethrow_exception(error);
            DisplayTemperature(reply);
            temperatureErrorShown_ = false;
        } catch (const std::exception& e) {
            for (int k = 0; k < 3; ++k)
                StatusBar1->setText(8 + k, TemperaturePanelText(k + 1, std::nullopt));
            // Said once, not every second.
            if (!temperatureErrorShown_) {
                temperatureErrorShown_ = true;
                showError(prompts_, QString::fromUtf8(e.what()));
            }
        }
    });
}

void TMainForm::DisplayTemperature(const std::wstring& reply) {
    if (!Cal10Done || !Cal50Done)
        return;
    auto raw = SplitTemperatureReply(reply);
    for (int k = 0; k < 3; ++k)
        StatusBar1->setText(8 + k,
                            TemperaturePanelText(k + 1, SensorTemperature(raw[k], Cal10Readings[k],
                                                                          Cal50Readings[k])));
}
