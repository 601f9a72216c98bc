#include "setup/SetupForm.h"

#include "measurement/NumberText.h"
#include "setup/SetupChecks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace {

const QString Caption = QStringLiteral("Halvane");
const QString PixelsCaption = QStringLiteral("Pixels");
const QString WavelengthCaption = QStringLiteral("Wavelength");
// The averaging bound reaches 1048575, so the entries keep room for seven digits.
const QString WidestEntry = QStringLiteral("0000000");

// Sizes the controls had when the dialog was drawn for the small Windows font; a larger font
// may widen them, nothing narrows them.
constexpr QSize EntrySize(46, 21);
constexpr QSize ScansEntrySize(64, 21);
constexpr QSize AxisButtonSize(82, 24);
constexpr QSize DialogButtonSize(75, 24);

template <typename Widget> Widget* Name(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
    return Name(new QLabel(text, parent), name);
}

// An entry is as wide as its longest value needs: the line edit's own hint would make room
// for 17 characters.
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, QSize design) {
    auto* edit = Name(new QLineEdit(text, parent), name);
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QFontMetrics metrics = edit->fontMetrics();
    // A line edit keeps 2 pixels each side of its text.
    const QSize contents(metrics.horizontalAdvance(WidestEntry) + 4, metrics.height());
    const QSize needed =
        edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, edit);
    edit->setFixedWidth(std::max(design.width(), needed.width()));
    edit->setMinimumHeight(design.height());
    return edit;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text) {
    return Name(new QRadioButton(text, parent), name);
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text, bool checked) {
    auto* box = Name(new QCheckBox(text, parent), name);
    box->setChecked(checked);
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title, QSize design) {
    auto* group = Name(new QGroupBox(title, parent), name);
    group->setMinimumSize(design);
    return group;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QSize design) {
    auto* button = Name(new QPushButton(text, parent), name);
    button->setAutoDefault(false);
    button->setMinimumSize(design);
    return button;
}

// The close spacing of the drawn dialog, kept for the compact font.
template <typename Layout> Layout* Compact(Layout* layout) {
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    return layout;
}

} // namespace

TSetupForm::TSetupForm(BuildKind kind, IPrompts& prompts, TMeasurementParameters& parameters,
                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      prompts_(prompts), parameters_(parameters) {
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Spectrometer Setup"));
    setToolTip(QStringLiteral("Use these settings to set how often the individual measurements are "
                              "repeated"));
    setModal(false);
    QFont compact = font();
    compact.setPointSize(8);
    setFont(compact);
    CreateControls(kind);
    LayOutControls();
    adjustSize();
}

// Created in tab order: the focus passes through the controls in the order they are made.
void TSetupForm::CreateControls(BuildKind kind) {
    GroupBox3 =
        MakeGroup(this, "GroupBox3", QStringLiteral("Individual measurement"), QSize(172, 96));
    GroupBox3->setToolTip(
        QStringLiteral("These settings used to determine parameters for each measurement cycle"));
    Label7 = MakeLabel(GroupBox3, "Label7", QStringLiteral("Integration time"));
    IntegrationEdit = MakeEdit(GroupBox3, "IntegrationEdit", QStringLiteral("0"), EntrySize);
    Label1 = MakeLabel(GroupBox3, "Label1", QStringLiteral("ms"));
    Label12 = MakeLabel(GroupBox3, "Label12", QStringLiteral("Averaging"));
    AveragingEdit = MakeEdit(GroupBox3, "AveragingEdit", QStringLiteral("1"), EntrySize);
    MinTimeLabel = MakeLabel(GroupBox3, "MinTimeLabel", QString());
    MaxTimeLabel = MakeLabel(GroupBox3, "MaxTimeLabel", QString());
    AveragingRange = MakeLabel(GroupBox3, "AveragingRange", QString());

    GroupBox1 = MakeGroup(this, "GroupBox1", QStringLiteral("Camera info"), QSize(167, 96));
    Label9 = MakeLabel(GroupBox1, "Label9", QStringLiteral("Clock Speed:"));
    ClockSpeedLabel = MakeLabel(GroupBox1, "ClockSpeedLabel", QString());
    Label10 = MakeLabel(GroupBox1, "Label10", QStringLiteral("Resolution:"));
    ResolutionLabel = MakeLabel(GroupBox1, "ResolutionLabel", QString());
    Label11 = MakeLabel(GroupBox1, "Label11", QStringLiteral("Pixels:"));
    PixelLabel = MakeLabel(GroupBox1, "PixelLabel", QString());
    Label3 = MakeLabel(GroupBox1, "Label3", QStringLiteral("Device Address"));
    BaseAddressLabel = MakeLabel(GroupBox1, "BaseAddressLabel", QStringLiteral("Not Connected"));

    GroupBox2 = MakeGroup(this, "GroupBox2", QStringLiteral("Trigger Mode"), QSize(172, 82));
    IntTrigButton = MakeRadio(GroupBox2, "IntTrigButton", QStringLiteral("int Tmer"));
    IntTrigButton->setToolTip(
        QStringLiteral("Internal Trigger.Integration time set using Integration time"));
    IntTrigButton->setChecked(true);
    ExtTrigButton = MakeRadio(GroupBox2, "ExtTrigButton", QStringLiteral("Ext. Trig."));
    ExtTrigButton->setToolTip(QStringLiteral("Uses External trigger input to trigger a scan"));
    MultiTrigButton = MakeRadio(GroupBox2, "MultiTrigButton", QStringLiteral("Mult.Ext. Trigger"));
    MultiTrigButton->setToolTip(QStringLiteral(
        "Counts external trigger pulses and makes a readout after preset number of triggers"));

    CheckBox1 = MakeCheck(this, "CheckBox1", QStringLiteral("Display Ch1"), true);
    CheckBox2 = MakeCheck(this, "CheckBox2", QStringLiteral("Display Ch2"), true);
    if (kind == BuildKind::Thermal)
        CheckBox3 = MakeCheck(this, "CheckBox3", QStringLiteral("High Gain"), false);

    GroupBox4 = MakeGroup(this, "GroupBox4", QStringLiteral("X Axis"), QSize(94, 48));
    Pixelsnm = MakeButton(GroupBox4, "Pixelsnm", QStringLiteral("Wavelength nm"), AxisButtonSize);
    NumberRecordScans = MakeLabel(this, "NumberRecordScans", QStringLiteral("Scans to Save"));
    RecordScansEdit = MakeEdit(this, "RecordScansEdit", QStringLiteral("1"), ScansEntrySize);
    SaveAverage = MakeRadio(this, "SaveAverage", QStringLiteral("SaveAverage of scans"));
    SaveAverage->setChecked(true);
    SaveIndividual = MakeRadio(this, "SaveIndividual", QStringLiteral("Save individual scans"));

    // Explicit groups: auto-exclusive radio buttons would also reach into the trigger group.
    for (const auto& members :
         {std::initializer_list<QRadioButton*>{IntTrigButton, ExtTrigButton, MultiTrigButton},
          std::initializer_list<QRadioButton*>{SaveAverage, SaveIndividual}}) {
        auto* group = new QButtonGroup(this);
        for (auto* button : members)
            group->addButton(button);
    }

    Button1 = MakeButton(this, "Button1", QStringLiteral("OK"), DialogButtonSize);
    Button1->setDefault(true);
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancel"), DialogButtonSize);

    connect(Button1, &QPushButton::clicked, this, &TSetupForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSetupForm::Button2Click);
    connect(Pixelsnm, &QPushButton::clicked, this, &TSetupForm::PixelsnmClick);
    connect(IntTrigButton, &QRadioButton::clicked, this, &TSetupForm::IntTrigButtonClick);
    connect(ExtTrigButton, &QRadioButton::clicked, this, &TSetupForm::ExtTrigButtonClick);
    connect(MultiTrigButton, &QRadioButton::clicked, this, &TSetupForm::MultiTrigButtonClick);
    connect(SaveAverage, &QRadioButton::clicked, this, &TSetupForm::SaveAverageClick);
    connect(SaveIndividual, &QRadioButton::clicked, this, &TSetupForm::SaveIndividualClick);
}

// Two columns as drawn: measurement, trigger and recording on the left; camera info, channels
// and save mode on the right; OK and Cancel below, to the right.
void TSetupForm::LayOutControls() {
    auto* measurement = Compact(new QGridLayout(GroupBox3));
    measurement->setHorizontalSpacing(6);
    measurement->addWidget(Label7, 0, 0);
    measurement->addWidget(IntegrationEdit, 0, 1);
    measurement->addWidget(Label1, 0, 2);
    measurement->addWidget(Label12, 1, 0);
    measurement->addWidget(AveragingEdit, 1, 1);
    auto* times = new QHBoxLayout;
    times->addWidget(MinTimeLabel);
    times->addWidget(MaxTimeLabel);
    times->addStretch();
    measurement->addLayout(times, 2, 0);
    measurement->addWidget(AveragingRange, 2, 1, 1, 2);
    measurement->setColumnStretch(2, 1);

    auto* camera = Compact(new QGridLayout(GroupBox1));
    camera->setHorizontalSpacing(6);
    const std::initializer_list<std::pair<QLabel*, QLabel*>> rows{{Label9, ClockSpeedLabel},
                                                                  {Label10, ResolutionLabel},
                                                                  {Label11, PixelLabel},
                                                                  {Label3, BaseAddressLabel}};
    int row = 0;
    for (const auto& [name, value] : rows) {
        camera->addWidget(name, row, 0);
        camera->addWidget(value, row, 1);
        ++row;
    }
    camera->setColumnStretch(1, 1);

    auto* trigger = Compact(new QVBoxLayout(GroupBox2));
    for (auto* button : {IntTrigButton, ExtTrigButton, MultiTrigButton})
        trigger->addWidget(button);

    auto* channels = new QVBoxLayout;
    channels->setSpacing(0);
    channels->setContentsMargins(6, 4, 0, 0);
    for (auto* box : {CheckBox1, CheckBox2, CheckBox3})
        if (box)
            channels->addWidget(box);
    channels->addStretch();

    auto* axis = Compact(new QVBoxLayout(GroupBox4));
    axis->addWidget(Pixelsnm);

    auto* scans = new QVBoxLayout;
    scans->setSpacing(4);
    scans->setContentsMargins(0, 4, 0, 0);
    scans->addWidget(NumberRecordScans);
    scans->addWidget(RecordScansEdit);
    scans->addStretch();
    auto* recording = new QHBoxLayout;
    recording->setSpacing(6);
    recording->addWidget(GroupBox4);
    recording->addLayout(scans);
    recording->addStretch();

    auto* saving = new QVBoxLayout;
    saving->setSpacing(0);
    saving->setContentsMargins(6, 4, 0, 0);
    saving->addWidget(SaveAverage);
    saving->addWidget(SaveIndividual);
    saving->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(9);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    // With the drawn control sizes, these margins and spaces add up to the drawn 357 x 274.
    auto* window = new QGridLayout(this);
    window->setContentsMargins(6, 4, 6, 8);
    window->setHorizontalSpacing(6);
    window->setVerticalSpacing(4);
    window->addWidget(GroupBox3, 0, 0);
    window->addWidget(GroupBox1, 0, 1);
    window->addWidget(GroupBox2, 1, 0);
    window->addLayout(channels, 1, 1);
    window->addLayout(recording, 2, 0);
    window->addLayout(saving, 2, 1);
    window->addLayout(buttons, 3, 0, 1, 2);
    // The window keeps the size its contents need, and follows them when a filling changes it.
    window->setSizeConstraint(QLayout::SetFixedSize);
}

void TSetupForm::FillConnected(const QString& deviceName, std::int32_t clockSpeed,
                               std::int32_t resolution, std::int32_t pixelCount,
                               bool singleChannel) {
    if (Waiting)
        return;
    if (singleChannel) {
        CheckBox1->hide();
        CheckBox2->hide();
    }
    BaseAddressLabel->setText(deviceName);
    IntegrationEdit->setEnabled(true);
    AveragingEdit->setEnabled(true);
    ClockSpeedLabel->setText(QString::number(clockSpeed) + QStringLiteral(" µs"));
    ResolutionLabel->setText(QString::number(resolution) + QStringLiteral(" bit"));
    PixelLabel->setText(QString::number(pixelCount));
    IntegrationEdit->setText(QString::number(parameters_.IntegrationTime));
    RecordScansEdit->setText(QString::number(parameters_.ScansToSave));
    AveragingEdit->setText(QString::number(parameters_.Averaging));
    AveragingRange->setText(AveragingRangeText(pixelCount, true));
    pixelCount_ = pixelCount;
    EditsEnabled = true;
    SetPixelsnmCaption();
}

void TSetupForm::FillUnconnected() {
    if (Waiting)
        return;
    IntegrationEdit->setEnabled(false);
    IntegrationEdit->setText(QStringLiteral("1"));
    AveragingEdit->setEnabled(false);
    AveragingEdit->setText(QString::number(parameters_.Averaging));
    for (auto* label : {ClockSpeedLabel, ResolutionLabel, PixelLabel, MinTimeLabel, MaxTimeLabel})
        label->setText(QStringLiteral("?"));
    AveragingRange->setText(AveragingRangeText(0, false));
    BaseAddressLabel->setText(QStringLiteral("Not Connected"));
    RecordScansEdit->setText(QString::number(parameters_.ScansToSave));
    EditsEnabled = false;
    SetPixelsnmCaption();
}

void TSetupForm::SetPixelsnmCaption() {
    Pixelsnm->setText(parameters_.WavelengthUnits ? WavelengthCaption : PixelsCaption);
    CaptionBefore = Pixelsnm->text();
}

SetupResult TSetupForm::ExecuteSetup() {
    if (Waiting) {
        raise();
        activateWindow();
        return SetupResult::AlreadyOpen;
    }
    if (!placed_) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            // Centre the size the current texts need, not the size before the last filling.
            adjustSize();
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
    Waiting = true;
    Accepted = false;
    switch (parameters_.TriggerMode) {
    case 1:
        IntTrigButtonClick();
        break;
    case 3:
        ExtTrigButtonClick();
        break;
    case 4:
        MultiTrigButtonClick();
        break;
    default:
        break;
    }
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    Waiting = false;
    hide();
    return Accepted ? SetupResult::Accepted : SetupResult::Cancelled;
}

std::int32_t TSetupForm::GainCode() const {
    return CheckBox3 && CheckBox3->isChecked() ? 64 : 65;
}

void TSetupForm::Button1Click() {
    Entries entries;
    if (!CheckEntries(entries))
        return;
    if (EditsEnabled) {
        parameters_.IntegrationTime = entries.integrationTime;
        parameters_.Averaging = entries.averaging;
    }
    parameters_.ScansToSave = entries.scansToSave;
    parameters_.DisplayCh1 = CheckBox1->isChecked();
    parameters_.DisplayCh2 = CheckBox2->isChecked();
    parameters_.WavelengthUnits = Pixelsnm->text() != PixelsCaption;
    parameters_.SetupAccepted = true;
    EndWait(true);
}

void TSetupForm::Button2Click() {
    EndWait(false);
}

void TSetupForm::reject() {
    if (Waiting)
        Button2Click();
    else
        hide();
}

void TSetupForm::EndWait(bool accepted) {
    Accepted = accepted;
    Waiting = false;
    if (loop_)
        loop_->quit();
}

void TSetupForm::PixelsnmClick() {
    Pixelsnm->setText(Pixelsnm->text() == PixelsCaption ? WavelengthCaption : PixelsCaption);
}

void TSetupForm::SelectTrigger(QRadioButton* button, std::int32_t mode) {
    button->setChecked(true);
    parameters_.TriggerMode = mode;
}

void TSetupForm::IntTrigButtonClick() {
    SelectTrigger(IntTrigButton, 1);
}

void TSetupForm::ExtTrigButtonClick() {
    SelectTrigger(ExtTrigButton, 3);
}

void TSetupForm::MultiTrigButtonClick() {
    SelectTrigger(MultiTrigButton, 4);
}

void TSetupForm::SaveAverageClick() {
    SaveAverage->setChecked(true);
}

void TSetupForm::SaveIndividualClick() {
    SaveIndividual->setChecked(true);
}

// Every entry is checked before any is stored, so a rejected OK leaves the record as it was.
bool TSetupForm::CheckEntries(Entries& entries) {
    if (EditsEnabled && !(CheckIntegrationTime(entries) && CheckAveraging(entries)))
        return false;
    return CheckScansToSave(entries);
}

bool TSetupForm::CheckIntegrationTime(Entries& entries) {
    if (!(LeadingReal(IntegrationEdit->text()) > 0)) {
        RejectEntry(IntegrationEdit, QStringLiteral("Value must be >0!"));
        return false;
    }
    return ConvertInteger(IntegrationEdit, entries.integrationTime);
}

bool TSetupForm::CheckAveraging(Entries& entries) {
    const std::int32_t value = LeadingInteger(AveragingEdit->text());
    AveragingEdit->setText(QString::number(value));
    const std::int32_t limit = AveragingLimit(parameters_.AveragingLimitDivisor, pixelCount_);
    if (value <= 0 || value >= limit) {
        RejectEntry(AveragingEdit,
                    QStringLiteral("Value must be between 1 and %1 !").arg(limit - 1));
        return false;
    }
    entries.averaging = value;
    return true;
}

bool TSetupForm::CheckScansToSave(Entries& entries) {
    if (!ConvertInteger(RecordScansEdit, entries.scansToSave))
        return false;
    if (entries.scansToSave < 1) {
        RejectEntry(RecordScansEdit, QStringLiteral("Value must be >0!"));
        return false;
    }
    return true;
}

bool TSetupForm::ConvertInteger(QLineEdit* edit, std::int32_t& value) {
    try {
        value = parseInteger(edit->text());
        return true;
    } catch (const ConversionError& error) {
        RejectEntry(edit, QString::fromUtf8(error.what()));
        return false;
    }
}

void TSetupForm::RejectEntry(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    prompts_.message(text, Caption, PromptIcon::Error, PromptButtons::Ok);
}
