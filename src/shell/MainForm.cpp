#include "shell/MainForm.h"

#include "display/SpectrumChart.h"
#include "files/DevicePropertiesFile.h"
#include "setup/CorrectionForm.h"
#include "setup/SetupForm.h"
#include "shell/Guard.h"
#include "shell/StatusPanels.h"
#include "shell/ToolBarImages.h"
#include "shell/WidgetColors.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString ClosingStatus = QStringLiteral("Closing after this measurement");
const QString ClosingMessage =
    QStringLiteral("Halvane closes when the measurement in progress has ended.");

} // namespace

// The caption as written: a button shows the icon text, which Qt would otherwise trim.
void setCaption(QAction* action, const QString& caption) {
    action->setText(caption);
    action->setIconText(caption);
}

namespace {

// The tooltip of a command with a key names the key.
QString tipWithKey(const QString& tip, const QKeySequence& key) {
    if (key.isEmpty())
        return tip;
    const QString name = key.toString(QKeySequence::NativeText);
    return tip.isEmpty() ? name : tip + " (" + name + ")";
}

QAction* newCommand(QWidget* window, const QString& text, const QString& tip,
                    const QKeySequence& key = {}) {
    auto* action = new QAction(window);
    setCaption(action, text);
    action->setShortcut(key);
    action->setToolTip(tipWithKey(tip, key));
    // The key works wherever the focus is in the window, also while the button is hidden.
    window->addAction(action);
    return action;
}

QToolButton* imageButton(QWidget* parent, const char* name, QAction* action, const QIcon& icon) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    action->setIcon(icon);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setIconSize(QSize(24, 24));
    button->setMinimumSize(34, 26);
    button->setAutoRaise(true);
    return button;
}

QToolButton* textButton(QWidget* parent, const char* name, QAction* action) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The design's size is the least; a longer caption widens the button.
    button->setMinimumSize(75, 22);
    button->setAutoRaise(true);
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
    // Wide enough for the tool bar and for every status panel with the progress indicator at its
    // right end, which is hidden until a long measurement.
    const QSize design = kind_ == BuildKind::Thermal ? QSize(800, 582) : QSize(652, 445);
    resize(std::max({design.width(), StatusBar1->fullWidth(), minimumSizeHint().width()}),
           design.height());

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
    connect(StopButton->defaultAction(), &QAction::triggered, this,
            [this] { run([this] { StopButtonClick(); }); });
    connect(Button1, &QPushButton::clicked, this, [this] { run([this] { Button1Click(); }); });
    connect(TChart1, &SpectrumChart::mouseMovedOverChart, this,
            [this] { run([this] { FormMouseMove(); }); });
    auto* quit = newCommand(this, "Quit", "Quit", QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setObjectName("QuitAction");
    connect(quit, &QAction::triggered, this, &QWidget::close);
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

    SingleButton = imageButton(
        rows, "SingleButton",
        newCommand(this, "Single Measurement", "Single Measurement", Qt::Key_F5), singleImage());
    StartButton =
        imageButton(rows, "StartButton",
                    newCommand(this, "Continous Measurement", "Continous Measurement", Qt::Key_F6),
                    startImage());
    StopButton = imageButton(
        rows, "StopButton",
        newCommand(this, "Stop Measurement", "Stop Measurement", Qt::Key_Escape), stopImage());
    for (auto* button : {SingleButton, StartButton, StopButton})
        first->addWidget(button);
    first->addStretch();

    typeButton = textButton(rows, "typeButton",
                            newCommand(this, "plotType", "Display raw data or transmission"));
    DarkButon = textButton(rows, "DarkButon",
                           newCommand(this, "Save Dark", "Sets the dark backgrond level"));
    WhiteButton =
        textButton(rows, "WhiteButton",
                   newCommand(this, "Save White", "Save current scan as white reference"));
    SaveScan =
        textButton(rows, "SaveScan",
                   newCommand(this, "Save Display", "Saves the current display data in a file",
                              QKeySequence(Qt::CTRL | Qt::Key_S)));
    LoadScan = textButton(rows, "LoadScan",
                          newCommand(this, " Load Dsiplay", "Fills display from a saved file",
                                     QKeySequence(Qt::CTRL | Qt::Key_O)));
    SetupButton =
        textButton(rows, "SetupButton", newCommand(this, "Setup", "Set up measurement parameters"));
    PrintChart = textButton(rows, "PrintChart",
                            newCommand(this, "Print", "Prints the current display",
                                       QKeySequence(Qt::CTRL | Qt::Key_P)));
    setTextColor(PrintChart, Qt::red);
    RecordButton =
        textButton(rows, "RecordButton",
                   newCommand(this, "Record series",
                              "Recordes a complete series of data. Use setup to configure"));
    setTextColor(RecordButton, QColor(0, 128, 0));
    Plot3DButton = textButton(rows, "Plot3DButton",
                              newCommand(this, "Plot 3D", "Toggles between 2D & 3D display"));
    for (auto* button : {typeButton, DarkButon, WhiteButton, SaveScan, LoadScan, SetupButton,
                         PrintChart, RecordButton, Plot3DButton})
        second->addWidget(button);
    if (kind_ == BuildKind::Thermal) {
        CalTen = textButton(rows, "CalTen", newCommand(this, "Cal 10 degC", QString()));
        Cal50 = textButton(rows, "Cal50", newCommand(this, "Cal 50 degC", QString()));
        // The calibration buttons have no hint of their own.
        for (auto* button : {CalTen, Cal50}) {
            button->setToolTip(QString());
            second->addWidget(button);
        }
    }
    second->addStretch();
    bar->addWidget(rows);
    addToolBar(Qt::TopToolBarArea, bar);
}

void TMainForm::buildHaltPanel() {
    InProcess = new QFrame(this);
    InProcess->setObjectName("InProcess");
    InProcess->setFrameStyle(QFrame::Panel | QFrame::Raised);
    InProcess->setAutoFillBackground(true);
    QFont big = font();
    big.setPixelSize(15);
    auto* label = new QLabel("Measurement in process", InProcess);
    label->setObjectName("InProcessLabel");
    label->setFont(big);
    setTextColor(label, Qt::blue);
    Button1 = new QPushButton("Press to Halt", InProcess);
    Button1->setObjectName("Button1");
    Button1->setFont(big);
    Button1->setMinimumSize(131, 20);
    setTextColor(Button1, Qt::red);
    auto* layout = new QVBoxLayout(InProcess);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    layout->addWidget(label, 0, Qt::AlignHCenter);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
    // The design's place and size; larger where the texts need it.
    InProcess->setMinimumSize(156, 52);
    InProcess->move(202, 124);
    InProcess->resize(InProcess->sizeHint().expandedTo(InProcess->minimumSize()));
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

// The close request stops a continuous run; the window closes once the run has ended. A long
// measurement can keep it for a while, so the request is acknowledged where the run is shown.
void TMainForm::closeEvent(QCloseEvent* event) {
    Continuous = false;
    if (runActive_ || cycleInFlight_) {
        event->ignore();
        if (closeRequested_)
            prompts_.message(ClosingMessage, ApplicationTitle, PromptIcon::None, PromptButtons::Ok);
        closeRequested_ = true;
        StatusBar1->setText(5, ClosingStatus);
        StatusBar1->progress()->setFormat(ClosingStatus + " %p%");
        return;
    }
    event->accept();
}
