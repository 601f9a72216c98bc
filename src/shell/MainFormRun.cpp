#include "shell/MainForm.h"

#include "shell/Guard.h"
#include "shell/StatusPanels.h"

#include <QAction>
#include <QProgressBar>
#include <QTimer>
#include <QToolButton>

// Commands never overlap a cycle: one pressed while a cycle is in flight waits for its end and
// runs before the next cycle starts, in the order pressed.
void TMainForm::command(const std::function<void()>& handler) {
    if (cycleInFlight_) {
        deferred_.push_back(handler);
        return;
    }
    ++commandDepth_;
    run(handler);
    --commandDepth_;
    // A command that waited for the user held the run; let it go on.
    if (commandDepth_ == 0 && runActive_ && !cycleInFlight_)
        QTimer::singleShot(0, this, [this] { afterCycle(); });
}

void TMainForm::bind(QToolButton* button, void (TMainForm::*handler)()) {
    connect(button->defaultAction(), &QAction::triggered, this,
            [this, handler] { command([this, handler] { (this->*handler)(); }); });
}

void TMainForm::SingleButtonClick() {
    StopButton->defaultAction()->setEnabled(true);
    StartButton->defaultAction()->setEnabled(false);
    SingleButton->defaultAction()->setEnabled(false);
    Continuous = false;
    RunMeasurement();
}

void TMainForm::StartButtonClick() {
    StopButton->defaultAction()->setEnabled(true);
    StartButton->defaultAction()->setEnabled(false);
    SingleButton->defaultAction()->setEnabled(false);
    Continuous = true;
    StatusBar1->setText(5, "Running");
    if (kind_ == BuildKind::Thermal)
        UpdateClick();
    RunMeasurement();
}

// Stop acts at once: the cycle in flight completes, no further one starts.
void TMainForm::StopButtonClick() {
    StopButton->defaultAction()->setEnabled(false);
    // No run starts over another: Start and Single wait for the run to end.
    StartButton->defaultAction()->setEnabled(!runActive_);
    SingleButton->defaultAction()->setEnabled(!runActive_);
    Continuous = false;
    StatusBar1->setText(5, "Stopped");
    if (kind_ == BuildKind::Thermal)
        UpdateClick();
}

void TMainForm::Button1Click() {
    StartButton->defaultAction()->setEnabled(!runActive_);
    SingleButton->defaultAction()->setEnabled(!runActive_);
}

void TMainForm::RunMeasurement() {
    if (!Device.Connected) {
        prompts_.message("No device found !", "Init", PromptIcon::Error, PromptButtons::Ok);
        StopButton->defaultAction()->setEnabled(false);
        StartButton->defaultAction()->setEnabled(true);
        SingleButton->defaultAction()->setEnabled(true);
        return;
    }
    runActive_ = true;
    if (kind_ == BuildKind::Thermal)
        startCycle(modeCodeJob(162));
    else
        startCycle();
}

CameraThread::Job TMainForm::settingsJob() const {
    return [name = Device.DeviceName, p = MeasurementParameters](Camera& camera) {
        camera.SetMode(name, p.TriggerMode);
        camera.SetAveraging(name, p.Averaging);
        camera.SetIntegrationTime(name, p.IntegrationTime);
    };
}

void TMainForm::startCycle(CameraThread::Job prefix) {
    cycleInFlight_ = true;
    auto block = std::make_shared<CountArray>();
    CameraThread::Job settings = settingsStale_ ? settingsJob() : CameraThread::Job();
    camera_.post(
        [name = Device.DeviceName, block, settings, prefix](Camera& camera) {
            if (prefix)
                prefix(camera);
            if (settings)
                settings(camera);
            camera.Measure(name);
            *block = camera.ReadData(name);
        },
        [this, block, resend = bool(settings)](std::exception_ptr error) {
            if (resend && !error)
                settingsStale_ = false;
            cycleDone(error, block);
        });
    showProgress(true);
}

void TMainForm::cycleDone(std::exception_ptr error, const std::shared_ptr<CountArray>& block) {
    cycleInFlight_ = false;
    showProgress(false);
    bool completed = run([&] {
        if (error)
            std::rethrow_exception(error);
        RetrieveData(*block);
        UpdateClick();
        ++cyclesCompleted_;
        recordScanBlock();
    });
    if (!completed) {
        // The run ends here; the buttons keep their run-time state until Stop.
        finishRun(false);
        return;
    }
    afterCycle();
}

// Between two cycles: the commands pressed meanwhile, then the next cycle or the run's end.
void TMainForm::afterCycle() {
    if (!runActive_ || cycleInFlight_ || endCodeInFlight_ || commandDepth_ > 0)
        return;
    if (!deferred_.empty()) {
        runDeferred();
        return;
    }
    if (Continuous && !closeRequested_)
        startCycle();
    else
        endRun();
}

void TMainForm::runDeferred() {
    auto next = std::move(deferred_.front());
    deferred_.pop_front();
    command(next);
}

// Start and Single stay disabled until the thermal build's end code has been sent too.
void TMainForm::endRun() {
    if (kind_ != BuildKind::Thermal) {
        finishRun(true);
        return;
    }
    // A command pressed meanwhile comes back here; one end code is sent per run.
    endCodeInFlight_ = true;
    camera_.post(modeCodeJob(160), [this](std::exception_ptr error) {
        endCodeInFlight_ = false;
        finishRun(run([&] {
            if (error)
                std::rethrow_exception(error);
        }));
    });
}

// After an error the buttons keep their run-time state; commands pressed during the last
// cycle still run.
void TMainForm::finishRun(bool enableButtons) {
    runActive_ = false;
    if (enableButtons) {
        SingleButton->defaultAction()->setEnabled(true);
        StartButton->defaultAction()->setEnabled(true);
    }
    while (!deferred_.empty() && !cycleInFlight_)
        runDeferred();
    emit runEnded();
    if (closeRequested_)
        close();
}

void TMainForm::showProgress(bool running) {
    QProgressBar* bar = StatusBar1->progress();
    const double expected =
        double(MeasurementParameters.IntegrationTime) * double(MeasurementParameters.Averaging);
    if (!running || expected <= 500) {
        progressTimer_->stop();
        // Short measurements leave the indicator to the recording, if one runs.
        showRecordingProgress();
        return;
    }
    bar->setRange(0, 1000);
    bar->setValue(0);
    bar->setFormat("%p%");
    bar->show();
    cycleClock_.start();
    progressTimer_->disconnect();
    connect(progressTimer_, &QTimer::timeout, this, [this, bar, expected] {
        bar->setValue(int(std::min(1.0, double(cycleClock_.elapsed()) / expected) * 1000));
    });
    progressTimer_->start(100);
}
