#pragma once

#include "measurement/BuildKind.h"
#include "measurement/MeasurementParameters.h"
#include "measurement/Prompts.h"

#include <QDialog>
#include <QString>

#include <cstdint>

class QCheckBox;
class QEventLoop;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// How a use of the setup dialog ended. AlreadyOpen: the dialog was open and waiting already; it
// was brought to the front and the open use will report its own end, so nothing is to be applied.
enum class SetupResult { Accepted, Cancelled, AlreadyOpen };

// The setup dialog: created once, hidden; its controls keep their state between openings.
class TSetupForm : public QDialog {
    Q_OBJECT

public:
    TSetupForm(BuildKind kind, IPrompts& prompts, TMeasurementParameters& parameters,
               QWidget* parent = nullptr);

    // Fill the dialog from the record and the device values before ExecuteSetup. While the
    // dialog is open and waiting they change nothing, so the entries in progress are kept.
    void FillConnected(const QString& deviceName, std::int32_t clockSpeed, std::int32_t resolution,
                       std::int32_t pixelCount, bool singleChannel);
    void FillUnconnected();

    // Shows the dialog (not modal), selects the trigger button of TriggerMode and processes
    // events until OK with entries that all pass, or Cancel; then hides the dialog.
    SetupResult ExecuteSetup();

    bool IsWaiting() const { return Waiting; }
    // 64 with "High Gain" checked, else 65 (always 65 in the standard build, which has no gain).
    std::int32_t GainCode() const;

    QGroupBox* GroupBox3;
    QLabel* Label7;
    QLineEdit* IntegrationEdit;
    QLabel* Label1;
    QLabel* Label12;
    QLineEdit* AveragingEdit;
    QLabel* MinTimeLabel;
    QLabel* MaxTimeLabel;
    QLabel* AveragingRange;
    QGroupBox* GroupBox1;
    QLabel* Label9;
    QLabel* ClockSpeedLabel;
    QLabel* Label10;
    QLabel* ResolutionLabel;
    QLabel* Label11;
    QLabel* PixelLabel;
    QLabel* Label3;
    QLabel* BaseAddressLabel;
    QGroupBox* GroupBox2;
    QRadioButton* IntTrigButton;
    QRadioButton* ExtTrigButton;
    QRadioButton* MultiTrigButton;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3 = nullptr; // thermal build only
    QLineEdit* RecordScansEdit;
    QLabel* NumberRecordScans;
    QRadioButton* SaveAverage;
    QRadioButton* SaveIndividual;
    QGroupBox* GroupBox4;
    QPushButton* Pixelsnm;
    QPushButton* Button1;
    QPushButton* Button2;

    // The Pixelsnm caption as the last filling set it.
    QString CaptionBefore;
    // Set when the dialog is filled for a connected device: the two edits are checked and stored.
    bool EditsEnabled = false;

public slots:
    void Button1Click();
    void Button2Click();
    void PixelsnmClick();
    void IntTrigButtonClick();
    void ExtTrigButtonClick();
    void MultiTrigButtonClick();
    void SaveAverageClick();
    void SaveIndividualClick();

protected:
    // Esc and the window frame's close end the wait as Cancel.
    void reject() override;

private:
    struct Entries {
        std::int32_t integrationTime = 0;
        std::int32_t averaging = 0;
        std::int32_t scansToSave = 0;
    };

    void CreateControls(BuildKind kind);
    void LayOutControls();
    void SetPixelsnmCaption();
    void SelectTrigger(QRadioButton* button, std::int32_t mode);
    bool CheckEntries(Entries& entries);
    bool CheckIntegrationTime(Entries& entries);
    bool CheckAveraging(Entries& entries);
    bool CheckScansToSave(Entries& entries);
    bool ConvertInteger(QLineEdit* edit, std::int32_t& value);
    void RejectEntry(QLineEdit* edit, const QString& text);
    void EndWait(bool accepted);

    IPrompts& prompts_;
    TMeasurementParameters& parameters_;
    std::int32_t pixelCount_ = 0;
    bool Waiting = false;
    bool Accepted = false;
    bool placed_ = false;
    QEventLoop* loop_ = nullptr;
};
