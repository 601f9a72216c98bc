#include "shell/MainForm.h"

#include "display/SpectrumChart.h"
#include "files/DevicePropertiesFile.h"
#include "processing/CorrectionForm.h"
#include "setup/SetupForm.h"
#include "shell/Guard.h"
#include "shell/StatusPanels.h"
#include "shell/ToolBarImages.h"
#include "shell/WidgetColors.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QToolButton* imageButton(QWidget* parent, const char* name, const QIcon& icon, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(34, 26);
    button->setAutoRaise(true);
    button->setToolTip(tip);
    return button;
}

QPushButton* pushButton(QWidget* parent, const char* name, const QString& caption,
                        const QString& tip) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFixedSize(75, 22);
    button->setFlat(true);
    if (!tip.isEmpty())
        button->setToolTip(tip);
    return button;
}

} // namespace

TMainForm::TMainForm(const Options& options)
    : kind_(options.kind), prompts_(*options.prompts), createServer_(options.createServer),
      settingsFolder_(options.settingsFolder), dataFolder_(options.dataFolder) {
    setObjectName("MainForm");
    setWindowTitle("Corvane Devices Halvane");
    QFont font = this->font();
    font.setPointSize(8);
    setFont(font);
    buildToolBar();
    TChart1 = new SpectrumChart(this);
    TChart1->setObjectName("TChart1");
    setCentralWidget(TChart1);
    StatusBar1 = new StatusPanels(kind_, this);
    setStatusBar(StatusBar1);
    buildHaltPanel();
    // Wide enough that every status panel and the progress indicator at its right end show.
    const QSize design = kind_ == BuildKind::Thermal ? QSize(800, 582) : QSize(652, 445);
    resize(std::max(design.width(), StatusBar1->fullWidth()), design.height());

    progressTimer_ = new QTimer(this);
    connectHandlers();
}

void TMainForm::connectHandlers() {
    bind(SingleButton, &TMainForm::SingleButtonClick);
    bind(StartButton, &TMainForm::StartButtonClick);
    bind(typeButton, &TMainForm::typeButtonClick);
    bind(DarkButon, &TMainForm::DarkButonClick);
    bind(WhiteButton, &TMainForm::WhiteButtonClick);
    bind(PrintChart, &TMainForm::PrintChartClick);
    bind(SaveScan, &TMainForm::SaveScanClick);
    bind(LoadScan, &TMainForm::LoadScanClick);
    bind(RecordButton, &TMainForm::RecordButtonClick);
    bind(SetupButton, &TMainForm::SetupButtonClick);
    if (kind_ == BuildKind::Thermal) {
        bind(CalTen, &TMainForm::CalTenClick);
        bind(Cal50, &TMainForm::Cal50Click);
        temperatureTimer_ = new QTimer(this);
        connect(temperatureTimer_, &QTimer::timeout, this,
                [this] { run([this] { GetTemperatures(); }); });
        temperatureTimer_->start(1000);
    }
    // Stop and the halt button act at once, also while a cycle is in flight.
    connect(StopButton, &QToolButton::clicked, this,
            [this] { run([this] { StopButtonClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { run([this] { Button1Click(); }); });
    connect(TChart1, &SpectrumChart::mouseMovedOverChart, this,
            [this] { run([this] { FormMouseMove(); }); });

    const struct {
        QAbstractButton* button;
        QKeySequence key;
    } keys[] = {
        {StopButton, Qt::Key_Escape}, {SingleButton, Qt::Key_F5}, {StartButton, Qt::Key_F6}};
    for (const auto& k : keys) {
        auto* shortcut = new QShortcut(k.key, this);
        connect(shortcut, &QShortcut::activated, k.button, [button = k.button] {
            if (button->isEnabled())
                button->click();
        });
        k.button->setToolTip(k.button->toolTip() + " (" + k.key.toString() + ")");
    }
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    connect(quit, &QShortcut::activated, this, &QWidget::close);
}

TMainForm::~TMainForm() = default;

void TMainForm::CreateDialogs() {
    CorrectionForm = new TCorrectionForm(this);
    CorrectionForm->hide();
    SetupForm = new TSetupForm(kind_, prompts_, MeasurementParameters, this);
    SetupForm->hide();
}

QString TMainForm::devicePropertiesPath() const {
    return QDir(settingsFolder_).absoluteFilePath(DevicePropertiesFileName);
}

bool TMainForm::run(const std::function<void()>& handler) {
    return guarded(prompts_, handler);
}

void TMainForm::buildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setStyleSheet("QToolBar { background: silver; border-top: 1px solid gray;"
                       " border-bottom: 1px solid gray; }");
    auto* rows = new QWidget(bar);
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(2, 1, 2, 1);
    column->setSpacing(0);
    auto* first = new QHBoxLayout;
    auto* second = new QHBoxLayout;
    first->setSpacing(0);
    second->setSpacing(0);
    column->addLayout(first);
    column->addLayout(second);

    SingleButton = imageButton(rows, "SingleButton", singleImage(), "Single Measurement");
    StartButton = imageButton(rows, "StartButton", startImage(), "Continous Measurement");
    StopButton = imageButton(rows, "StopButton", stopImage(), "Stop Measurement");
    for (auto* button : {SingleButton, StartButton, StopButton})
        first->addWidget(button);
    first->addStretch();

    typeButton = pushButton(rows, "typeButton", "plotType", "Display raw data or transmission");
    DarkButon = pushButton(rows, "DarkButon", "Save Dark", "Sets the dark backgrond level");
    WhiteButton =
        pushButton(rows, "WhiteButton", "Save White", "Save current scan as white reference");
    SaveScan =
        pushButton(rows, "SaveScan", "Save Display", "Saves the current display data in a file");
    LoadScan = pushButton(rows, "LoadScan", " Load Dsiplay", "Fills display from a saved file");
    SetupButton = pushButton(rows, "SetupButton", "Setup", "Set up measurement parameters");
    PrintChart = pushButton(rows, "PrintChart", "Print", "Prints the current display");
    setTextColor(PrintChart, Qt::red);
    RecordButton = pushButton(rows, "RecordButton", "Record series",
                              "Recordes a complete series of data. Use setup to configure");
    setTextColor(RecordButton, QColor(0, 128, 0));
    Plot3DButton = pushButton(rows, "Plot3DButton", "Plot 3D", "Toggles between 2D & 3D display");
    for (auto* button : {typeButton, DarkButon, WhiteButton, SaveScan, LoadScan, SetupButton,
                         PrintChart, RecordButton, Plot3DButton})
        second->addWidget(button);
    if (kind_ == BuildKind::Thermal) {
        CalTen = pushButton(rows, "CalTen", "Cal 10 degC", QString());
        Cal50 = pushButton(rows, "Cal50", "Cal 50 degC", QString());
        second->addWidget(CalTen);
        second->addWidget(Cal50);
    }
    second->addStretch();
    bar->addWidget(rows);
    addToolBar(Qt::TopToolBarArea, bar);
}

void TMainForm::buildHaltPanel() {
    InProcess = new QFrame(this);
    InProcess->setObjectName("InProcess");
    InProcess->setFrameStyle(QFrame::Panel | QFrame::Raised);
    InProcess->setGeometry(202, 124, 156, 52);
    InProcess->setAutoFillBackground(true);
    QFont big = font();
    big.setPixelSize(15);
    auto* label = new QLabel("Measurement in process", InProcess);
    label->setFont(big);
    setTextColor(label, Qt::blue);
    Button1 = new QPushButton("Press to Halt", InProcess);
    Button1->setObjectName("Button1");
    Button1->setFont(big);
    Button1->setFixedSize(131, 20);
    setTextColor(Button1, Qt::red);
    auto* layout = new QVBoxLayout(InProcess);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    InProcess->raise();
}

void TMainForm::UpdateClick() {
    TChart1->setSeriesColor(0, QColor(0, 128, 0));
    TChart1->setSeriesColor(1, QColor(255, 0, 0));
    TChart1->refresh();
    ShowCursorValues();
    FormPaint();
}

void TMainForm::FormPaint() {
    StatusBar1->setText(4,
                        QString("Integration: %1 ms").arg(MeasurementParameters.IntegrationTime));
    StatusBar1->setText(3, QString("Averaging: %1").arg(MeasurementParameters.Averaging));
    StatusBar1->setText(6, Device.Connected
                               ? "Connected to " + QString::fromStdWString(Device.DeviceName)
                               : QString("Not connected!"));
}

void TMainForm::paintEvent(QPaintEvent* event) {
    FormPaint();
    QMainWindow::paintEvent(event);
}

// The close request stops a continuous run; the window closes once the run has ended.
void TMainForm::closeEvent(QCloseEvent* event) {
    Continuous = false;
    if (runActive_ || cycleInFlight_) {
        closeRequested_ = true;
        event->ignore();
        return;
    }
    event->accept();
}
