#include "shell/MainForm.h"

#include "display/SpectrumChart.h"
#include "files/DisplayFile.h"
#include "files/ScanBlock.h"
#include "files/SeriesFile.h"
#include "shell/Guard.h"
#include "shell/StatusPanels.h"
#include "shell/WidgetColors.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <optional>

namespace {

const QString DataFilesFilter = QStringLiteral("Data Files [*.txt] (*.txt)");
const QString OverwriteQuestion = QStringLiteral("File already exist!Overwrite? ");

} // namespace

QByteArray TMainForm::scanBlock(std::uint16_t number) const {
    return ScanBlockText({number, saveAverage(), SingleChannel,
                          MeasurementParameters.WavelengthUnits, Device.PixelCount,
                          MeasurementParameters.Averaging, TChart1->Series1, TChart1->Series2,
                          SeriesData});
}

bool TMainForm::mayOverwrite(const QString& path) {
    return !QFileInfo::exists(path) ||
           prompts_.message(OverwriteQuestion, ApplicationTitle, PromptIcon::Question,
                            PromptButtons::YesNo) == PromptAnswer::Yes;
}

// A running recording keeps its own file and numbering: the display file is block 0.
void TMainForm::SaveScanClick() {
    auto path = prompts_.saveFile(DataFilesFilter, "txt");
    if (!path || !mayOverwrite(*path))
        return;
    writeDisplayFile(*path, Device.PixelCount, scanBlock(0));
}

void TMainForm::LoadScanClick() {
    auto path = prompts_.openFile(openDialogFilter_, openDialogFolder_);
    if (!path)
        return;
    openDialogFolder_ = QFileInfo(*path).absolutePath();
    const std::optional<LoadedDisplay> loaded = loadDisplayFile(*path, TChart1->Series1);
    if (!loaded)
        return;
    if (loaded->bottomMaximum)
        TChart1->setBottomMaximum(*loaded->bottomMaximum);
    if (loaded->bottomMinimum)
        TChart1->setBottomMinimum(*loaded->bottomMinimum);
    TChart1->refresh();
}

void TMainForm::RecordButtonClick() {
    if (!SeriesFileReady) {
        ToolButton1Click();
        return;
    }
    if (!StartSeriesFile())
        return;
    Recording = true;
    RecordedScans = 0;
    setCaption(RecordButton->defaultAction(), "Recording");
    setTextColor(RecordButton, QColor(255, 0, 0));
    showRecordingProgress();
}

// The series file selection: the chosen name is kept with the recording.
void TMainForm::ToolButton1Click() {
    auto path = prompts_.saveFile(DataFilesFilter, "txt");
    if (!path)
        return;
    if (QFileInfo::exists(*path)) {
        SeriesFileReady = mayOverwrite(*path);
    } else {
        QFile file(*path);
        if (!file.open(QIODevice::WriteOnly))
            throw std::runtime_error(
                QString("Cannot create %1: %2").arg(*path, file.errorString()).toStdString());
        SeriesFileReady = true;
    }
    if (SeriesFileReady)
        seriesFileName_ = *path;
}

// A file that cannot be created starts no recording.
bool TMainForm::StartSeriesFile() {
    auto file = std::make_unique<SeriesFile>(seriesFileName_);
    try {
        file->start(seriesDateTimeLine(QDateTime::currentDateTime(), QLocale::system()));
    } catch (const SeriesFileError& error) {
        prompts_.message("File io error\n" + error.detail(), ApplicationTitle, PromptIcon::Error,
                         PromptButtons::Ok);
        return false;
    }
    seriesFile_ = std::move(file);
    return true;
}

// The recording step of a cycle. A block that cannot be written ends the recording; the blocks
// before it stay in the file.
void TMainForm::recordScanBlock() {
    if (!Recording)
        return;
    try {
        seriesFile_->append(scanBlock(RecordedScans));
    } catch (...) {
        StopRecording();
        throw;
    }
    ++RecordedScans;
    if (RecordedScans >= ScansToRecord)
        StopRecording();
    else
        showRecordingProgress();
}

void TMainForm::StopRecording() {
    Recording = false;
    if (seriesFile_)
        seriesFile_->close();
    seriesFile_.reset();
    SeriesFileReady = false;
    setCaption(RecordButton->defaultAction(), "Record");
    setTextColor(RecordButton, QColor(0, 128, 0));
    showRecordingProgress();
}

void TMainForm::showRecordingProgress() {
    QProgressBar* bar = StatusBar1->progress();
    if (!Recording) {
        bar->hide();
        return;
    }
    bar->setRange(0, std::max<int>(1, ScansToRecord));
    bar->setValue(RecordedScans);
    bar->setFormat(QString("%1 of %2 blocks").arg(RecordedScans).arg(ScansToRecord));
    bar->show();
}
