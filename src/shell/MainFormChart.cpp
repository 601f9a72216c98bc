#include "shell/MainForm.h"

#include "display/ChartSeries.h"
#include "display/SpectrumChart.h"
#include "files/CalibrationFile.h"
#include "measurement/NumberText.h"
#include "shell/StatusPanels.h"

#include <QFileInfo>

void TMainForm::LoadCalibration() {
    QString path = CalibrationFileName;
    if (path.isEmpty()) {
        QString folder = openDialogFolder_.isEmpty() ? dataFolder_ : openDialogFolder_;
        // The open-file dialog keeps this filter, also for Load Display.
        openDialogFilter_ = "ini files (*.ini)";
        auto chosen = prompts_.openFile(openDialogFilter_, folder);
        if (!chosen)
            return;
        openDialogFolder_ = QFileInfo(*chosen).absolutePath();
        path = *chosen;
    }
    // A file that was read is remembered, and coefficients read before a bad line keep their
    // new values. A file refused unread (a device, a FIFO, no lines) is forgotten, so the next
    // start asks for a file instead of meeting it again.
    CalibrationCoefficients read{Ch1Coefficients, Ch2Coefficients};
    auto remember = [&] {
        CalibrationFileName = path;
        Ch1Coefficients = read.ch1;
        Ch2Coefficients = read.ch2;
    };
    CalibrationReadOutcome outcome;
    try {
        outcome = readCalibrationFile(path, systemDecimalSeparator(), read);
    } catch (const UnreadableFile&) {
        if (CalibrationFileName == path)
            CalibrationFileName.clear();
        throw;
    } catch (...) {
        remember();
        throw;
    }
    if (outcome == CalibrationReadOutcome::NotOpened)
        return;
    remember();
    if (!MarksNoCalibration(Ch1Coefficients))
        ComputeWavelengths(Ch1Coefficients, Ch2Coefficients, Device.PixelCount, kind_,
                           SingleChannel, Wavelengths);
}

void TMainForm::SetupChart() {
    const std::int32_t p = Device.PixelCount;
    if (kind_ == BuildKind::Standard) {
        QFont font = StatusBar1->font();
        font.setPointSize(12);
        StatusBar1->setFont(font);
    }
    const bool nm = MeasurementParameters.WavelengthUnits;
    auto bottom =
        SetupBottomAxis(nm, Wavelengths.WavelengthMin, Wavelengths.WavelengthMax, p, SingleChannel);
    TChart1->setBottomMaximum(bottom.maximum);
    TChart1->setBottomMinimum(bottom.minimum);
    TChart1->setLeftTitleFontSize(10);
    TChart1->setLeftTitle("Counts");
    TChart1->setBottomTitleFontSize(10);
    Flags.RawMode = true;
    TChart1->Series1.appendPoints(static_cast<std::size_t>(p) + 2);
    TChart1->Series2.appendPoints(static_cast<std::size_t>(p) + 2);
    // The points hold values against the axis before this set-up; the next measurement draws
    // them against this one.
    TChart1->Series1.drawFirst(0);
    TChart1->Series2.drawFirst(0);
    TChart1->setLeftMinimum(0);
    if (auto maximum = SetupLeftMaximum(Device.Resolution, kind_))
        TChart1->setLeftMaximum(*maximum);
    TChart1->setBottomTitle(bottom.title);
}
