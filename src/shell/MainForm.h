#pragma once

#include "camera/CameraThread.h"
#include "camera/DeviceValues.h"
#include "files/SeriesFile.h"
#include "measurement/BuildKind.h"
#include "measurement/MeasurementParameters.h"
#include "measurement/Prompts.h"
#include "measurement/ScanSummation.h"
#include "processing/PlotData.h"
#include "processing/WavelengthCalibration.h"

#include <QAction>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QToolButton>

#include <array>
#include <deque>

class QFrame;
class QTimer;
class QLabel;
class QPushButton;
class SpectrumChart;
class TCorrectionForm;
class TSetupForm;
class StatusPanels;

// Sets a command's caption as its button shows it, leading blanks included.
void setCaption(QAction* action, const QString& caption);

// The main window: tool bar, chart and status bar, and the program's state.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        BuildKind kind = BuildKind::Standard;
        IPrompts* prompts = nullptr;
        CameraThread::Factory createServer;
        // Where the device properties file lives, fixed for the whole run.
        QString settingsFolder;
        // Where the shipped calibration files are.
        QString dataFolder;
    };

    explicit TMainForm(const Options& options);
    ~TMainForm() override;

    void FormCreate();
    // The dialogs come after the start sequence, which must not use them.
    void CreateDialogs();
    void FormDestroy();

    BuildKind kind() const { return kind_; }
    QString devicePropertiesPath() const;

    // Tool bar, halt panel, chart and status bar.
    QToolButton* SingleButton;
    QToolButton* StartButton;
    QToolButton* StopButton;
    QToolButton* typeButton;
    QToolButton* DarkButon;
    QToolButton* WhiteButton;
    QToolButton* SaveScan;
    QToolButton* LoadScan;
    QToolButton* SetupButton;
    QToolButton* PrintChart;
    QToolButton* RecordButton;
    QToolButton* Plot3DButton;
    QToolButton* CalTen = nullptr;
    QToolButton* Cal50 = nullptr;
    QFrame* InProcess;
    QPushButton* Button1;
    SpectrumChart* TChart1;
    StatusPanels* StatusBar1;
    TCorrectionForm* CorrectionForm = nullptr;
    TSetupForm* SetupForm = nullptr;

    // Device values and settings.
    DeviceValues Device;
    TMeasurementParameters MeasurementParameters;
    bool SingleChannel = false;
    bool Continuous = false;
    std::array<double, 4> Ch1Coefficients{};
    std::array<double, 4> Ch2Coefficients{};
    QString CalibrationFileName;
    WavelengthTables Wavelengths;

    // Measurement buffers, sized to the device.
    std::vector<std::int64_t> RawCounts;
    std::vector<double> PlotValues;
    std::vector<double> DarkReference;
    std::vector<double> WhiteReference;
    RawDataValues SeriesData;
    ReferenceFlags Flags;
    std::uint16_t ScansToRecord = 0;

    // Thermal build: detector gain and the two temperature calibration points.
    std::int32_t GainCode = 0;
    std::array<std::int32_t, 3> Cal10Readings{};
    std::array<std::int32_t, 3> Cal50Readings{};
    bool Cal10Done = false;
    bool Cal50Done = false;

    // Series recording.
    bool SeriesFileReady = false;
    bool Recording = false;
    std::uint16_t RecordedScans = 0;

    // Handlers; the buttons run them through command(), so none overlaps a cycle.
    void SingleButtonClick();
    void StartButtonClick();
    void StopButtonClick();
    void Button1Click();
    void DarkButonClick();
    void WhiteButtonClick();
    void typeButtonClick();
    void PrintChartClick();
    void SaveScanClick();
    void LoadScanClick();
    void RecordButtonClick();
    void ToolButton1Click();
    bool StartSeriesFile();
    void StopRecording();
    void SetupButtonClick();
    void CalTenClick();
    void Cal50Click();
    void GetTemperatures();
    void DisplayTemperature(const std::wstring& reply);
    void FormMouseMove();

    void UpdateClick();
    void FormPaint();
    void ShowCursorValues();
    void SendMeasurementSettings();
    void LoadCalibration();
    void SetupChart();
    void MakePlotData();
    void FillChartSeries();
    void RetrieveData(const CountArray& block);

    // Run state, for the progress of a run and for tests.
    bool runActive() const { return runActive_; }
    bool cycleInFlight() const { return cycleInFlight_; }
    int cyclesCompleted() const { return cyclesCompleted_; }
    bool cameraIdle() const { return camera_.pending() == 0; }

signals:
    void runEnded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void connectHandlers();
    void command(const std::function<void()>& handler);
    void bind(QToolButton* button, void (TMainForm::*handler)());
    void RunMeasurement();
    void startCycle(CameraThread::Job prefix = {});
    void applyXAxisUnits();
    void postSetting(CameraThread::Job job);
    CameraThread::Job modeCodeJob(std::int32_t code) const;
    void askTemperatures(std::function<void(std::exception_ptr, const std::wstring&)> answered);
    void calibrateTemperature(const QString& text, std::array<std::int32_t, 3>& readings,
                              bool& done);
    void cycleDone(std::exception_ptr error, const std::shared_ptr<CountArray>& block);
    void afterCycle();
    void endRun();
    void finishRun(bool enableButtons);
    void runDeferred();
    void showProgress(bool running);
    void showRecordingProgress();
    void recordScanBlock();
    QByteArray scanBlock(std::uint16_t number) const;
    bool mayOverwrite(const QString& path);
    // The chart's channel choice and the scan blocks' save mode, as the setup dialog shows them.
    bool displayCh1() const;
    bool displayCh2() const;
    bool saveAverage() const;
    CameraThread::Job settingsJob() const;
    void buildToolBar();
    void buildHaltPanel();
    void connectDevice();
    void notConnected();
    void ReadDeviceProperties();
    void WriteDeviceProperties();
    void resizeBuffers();
    void resizeSeriesData();
    bool run(const std::function<void()>& handler);

    BuildKind kind_;
    IPrompts& prompts_;
    CameraThread camera_;
    CameraThread::Factory createServer_;
    QString settingsFolder_;
    QString dataFolder_;
    bool deviceOpened_ = false;
    // The folder the open-file dialog shows next, and its filter.
    QString openDialogFolder_;
    QString openDialogFilter_;
    QString seriesFileName_;
    std::unique_ptr<SeriesFile> seriesFile_;
    // The last settings sent failed: the next cycle sends them again before measuring.
    bool settingsStale_ = false;
    bool runActive_ = false;
    bool cycleInFlight_ = false;
    bool endCodeInFlight_ = false;
    bool closeRequested_ = false;
    int commandDepth_ = 0;
    int cyclesCompleted_ = 0;
    std::deque<std::function<void()>> deferred_;
    QTimer* progressTimer_;
    QTimer* temperatureTimer_ = nullptr;
    bool temperaturePending_ = false;
    bool temperatureErrorShown_ = false;
    QElapsedTimer cycleClock_;
};
