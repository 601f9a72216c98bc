#include "setup/SetupForm.h"

#include "files/NumberText.h"
#include "setup/SetupChecks.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

const QString Caption = QStringLiteral("Halvane");
const QString PixelsCaption = QStringLiteral("Pixels");
const QString WavelengthCaption = QStringLiteral("Wavelength");

template <typename Widget> Widget* Place(Widget* widget, const char* name, const QRect& geometry) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    return Place(new QLabel(text, parent), name, geometry);
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    return Place(new QLineEdit(text, parent), name, geometry);
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry) {
    return Place(new QRadioButton(text, parent), name, geometry);
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text, bool checked,
                     const QRect& geometry) {
    auto* box = Place(new QCheckBox(text, parent), name, geometry);
    box->setChecked(checked);
    return box;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const QString& title,
                     const QRect& geometry) {
    return Place(new QGroupBox(title, parent), name, geometry);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry) {
    auto* button = Place(new QPushButton(text, parent), name, geometry);
    button->setAutoDefault(false);
    return button;
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
    setFixedSize(357, 274);
    CreateControls(kind);
}

void TSetupForm::CreateControls(BuildKind kind) {
    GroupBox3 = MakeGroup(this, "GroupBox3", QStringLiteral("Individual measurement"),
                          QRect(6, 4, 172, 96));
    GroupBox3->setToolTip(
        QStringLiteral("These settings used to determine parameters for each measurement cycle"));
    Label7 =
        MakeLabel(GroupBox3, "Label7", QStringLiteral("Integration time"), QRect(6, 22, 92, 16));
    IntegrationEdit =
        MakeEdit(GroupBox3, "IntegrationEdit", QStringLiteral("0"), QRect(98, 19, 46, 21));
    Label1 = MakeLabel(GroupBox3, "Label1", QStringLiteral("ms"), QRect(148, 22, 20, 16));
    Label12 = MakeLabel(GroupBox3, "Label12", QStringLiteral("Averaging"), QRect(6, 48, 90, 16));
    AveragingEdit =
        MakeEdit(GroupBox3, "AveragingEdit", QStringLiteral("1"), QRect(98, 45, 46, 21));
    MinTimeLabel = MakeLabel(GroupBox3, "MinTimeLabel", QString(), QRect(6, 72, 40, 16));
    MaxTimeLabel = MakeLabel(GroupBox3, "MaxTimeLabel", QString(), QRect(48, 72, 40, 16));
    AveragingRange = MakeLabel(GroupBox3, "AveragingRange", QString(), QRect(98, 72, 70, 16));

    GroupBox1 = MakeGroup(this, "GroupBox1", QStringLiteral("Camera info"), QRect(184, 4, 167, 96));
    Label9 = MakeLabel(GroupBox1, "Label9", QStringLiteral("Clock Speed:"), QRect(6, 20, 84, 16));
    ClockSpeedLabel = MakeLabel(GroupBox1, "ClockSpeedLabel", QString(), QRect(92, 20, 72, 16));
    Label10 = MakeLabel(GroupBox1, "Label10", QStringLiteral("Resolution:"), QRect(6, 38, 84, 16));
    ResolutionLabel = MakeLabel(GroupBox1, "ResolutionLabel", QString(), QRect(92, 38, 72, 16));
    Label11 = MakeLabel(GroupBox1, "Label11", QStringLiteral("Pixels:"), QRect(6, 56, 84, 16));
    PixelLabel = MakeLabel(GroupBox1, "PixelLabel", QString(), QRect(92, 56, 72, 16));
    Label3 = MakeLabel(GroupBox1, "Label3", QStringLiteral("Device Address"), QRect(6, 74, 86, 16));
    BaseAddressLabel = MakeLabel(GroupBox1, "BaseAddressLabel", QStringLiteral("Not Connected"),
                                 QRect(92, 74, 72, 16));

    GroupBox2 =
        MakeGroup(this, "GroupBox2", QStringLiteral("Trigger Mode"), QRect(6, 104, 172, 82));
    IntTrigButton =
        MakeRadio(GroupBox2, "IntTrigButton", QStringLiteral("int Tmer"), QRect(10, 18, 156, 20));
    IntTrigButton->setToolTip(
        QStringLiteral("Internal Trigger.Integration time set using Integration time"));
    IntTrigButton->setChecked(true);
    ExtTrigButton =
        MakeRadio(GroupBox2, "ExtTrigButton", QStringLiteral("Ext. Trig."), QRect(10, 38, 156, 20));
    ExtTrigButton->setToolTip(QStringLiteral("Uses External trigger input to trigger a scan"));
    MultiTrigButton = MakeRadio(GroupBox2, "MultiTrigButton", QStringLiteral("Mult.Ext. Trigger"),
                                QRect(10, 58, 156, 20));
    MultiTrigButton->setToolTip(QStringLiteral(
        "Counts external trigger pulses and makes a readout after preset number of triggers"));

    CheckBox1 =
        MakeCheck(this, "CheckBox1", QStringLiteral("Display Ch1"), true, QRect(190, 110, 160, 20));
    CheckBox2 =
        MakeCheck(this, "CheckBox2", QStringLiteral("Display Ch2"), true, QRect(190, 130, 160, 20));
    if (kind == BuildKind::Thermal) {
        CheckBox3 = MakeCheck(this, "CheckBox3", QStringLiteral("High Gain"), false,
                              QRect(190, 150, 160, 20));
    }

    GroupBox4 = MakeGroup(this, "GroupBox4", QStringLiteral("X Axis"), QRect(6, 190, 94, 48));
    Pixelsnm =
        MakeButton(GroupBox4, "Pixelsnm", QStringLiteral("Wavelength nm"), QRect(6, 17, 82, 24));
    NumberRecordScans = MakeLabel(this, "NumberRecordScans", QStringLiteral("Scans to Save"),
                                  QRect(106, 194, 84, 16));
    RecordScansEdit =
        MakeEdit(this, "RecordScansEdit", QStringLiteral("1"), QRect(106, 214, 64, 21));
    SaveAverage = MakeRadio(this, "SaveAverage", QStringLiteral("SaveAverage of scans"),
                            QRect(192, 194, 160, 20));
    SaveAverage->setChecked(true);
    SaveIndividual = MakeRadio(this, "SaveIndividual", QStringLiteral("Save individual scans"),
                               QRect(192, 214, 160, 20));

    // Explicit groups: auto-exclusive radio buttons would also reach into the trigger group.
    for (const auto& members :
         {std::initializer_list<QRadioButton*>{IntTrigButton, ExtTrigButton, MultiTrigButton},
          std::initializer_list<QRadioButton*>{SaveAverage, SaveIndividual}}) {
        auto* group = new QButtonGroup(this);
        for (auto* button : members)
            group->addButton(button);
    }

    Button1 = MakeButton(this, "Button1", QStringLiteral("OK"), QRect(190, 244, 75, 24));
    Button1->setDefault(true);
    Button2 = MakeButton(this, "Button2", QStringLiteral("Cancel"), QRect(274, 244, 75, 24));

    connect(Button1, &QPushButton::clicked, this, &TSetupForm::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSetupForm::Button2Click);
    connect(Pixelsnm, &QPushButton::clicked, this, &TSetupForm::PixelsnmClick);
    connect(IntTrigButton, &QRadioButton::clicked, this, &TSetupForm::IntTrigButtonClick);
    connect(ExtTrigButton, &QRadioButton::clicked, this, &TSetupForm::ExtTrigButtonClick);
    connect(MultiTrigButton, &QRadioButton::clicked, this, &TSetupForm::MultiTrigButtonClick);
    connect(SaveAverage, &QRadioButton::clicked, this, &TSetupForm::SaveAverageClick);
    connect(SaveIndividual, &QRadioButton::clicked, this, &TSetupForm::SaveIndividualClick);
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
