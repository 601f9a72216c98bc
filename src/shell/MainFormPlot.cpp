#include "shell/MainForm.h"

#include "display/CursorReadout.h"
#include "display/SpectrumChart.h"
#include "measurement/NumberText.h"
#include "shell/StatusPanels.h"

#include <QCursor>
#include <QPrinter>

void TMainForm::RetrieveData(const CountArray& block) {
    RetrieveScans(block, MeasurementParameters.Averaging, Device.PixelCount, SingleChannel, kind_,
                  RawCounts, SeriesData);
    MakePlotData();
}

void TMainForm::MakePlotData() {
    ::MakePlotData(RawCounts, Device.PixelCount, MeasurementParameters.Averaging, Flags, PlotValues,
                   DarkReference, WhiteReference);
    FillChartSeries();
}

void TMainForm::FillChartSeries() {
    ChartInputs in{Device.PixelCount,
                   SingleChannel,
                   MeasurementParameters.WavelengthUnits,
                   displayCh1(),
                   displayCh2(),
                   PlotValues,
                   Wavelengths.Ch1Wavelengths,
                   Wavelengths.Ch2Wavelengths,
                   Wavelengths.WavelengthMin,
                   Wavelengths.WavelengthMax};
    ::FillChartSeries(in, TChart1->Series1, TChart1->Series2);
}

void TMainForm::DarkButonClick() {
    Flags.SaveDarkPending = true;
    Flags.DarkValid = false;
}

void TMainForm::WhiteButtonClick() {
    Flags.SaveWhitePending = true;
    Flags.WhiteValid = false;
}

void TMainForm::typeButtonClick() {
    if (Flags.RawMode) {
        if (Flags.WhiteValid) {
            Flags.RawMode = false;
            StatusBar1->setText(7, "Corrected");
            TChart1->setLeftMinimum(0);
            TChart1->setLeftMaximum(110);
            TChart1->setLeftIncrement(0.1);
            TChart1->setLeftMinorTicks(10);
            TChart1->setBottomMinorTicks(4);
            TChart1->setLeftTitle("Percent");
            StatusBar1->setText(2, "X units = nm");
        } else {
            prompts_.message("Save White reference first", "Init", PromptIcon::Error,
                             PromptButtons::Ok);
        }
    } else {
        Flags.RawMode = true;
        Flags.DarkValid = false;
        Flags.WhiteValid = false;
        StatusBar1->setText(7, "Raw Data");
        if (auto maximum = CountsModeLeftMaximum(Device.Resolution, kind_))
            TChart1->setLeftMaximum(*maximum);
        TChart1->setLeftMinorTicks(10);
        TChart1->setBottomMinorTicks(4);
        TChart1->setLeftTitle("Counts");
        StatusBar1->setText(2, "X units = nm");
    }
    MakePlotData();
    UpdateClick();
}

void TMainForm::FormMouseMove() {
    ShowCursorValues();
}

void TMainForm::ShowCursorValues() {
    const CursorInputs in{TChart1->axisXAt(TChart1->mapFromGlobal(QCursor::pos())),
                          MeasurementParameters.WavelengthUnits,
                          Device.PixelCount,
                          SingleChannel,
                          Wavelengths.WavelengthMin,
                          Wavelengths.WavelengthMax,
                          Wavelengths.Ch1Wavelengths,
                          Wavelengths.Ch2Wavelengths};
    auto reading = ::ShowCursorValues(in, TChart1->Series1, TChart1->Series2);
    if (!reading)
        return;
    const QChar separator = systemDecimalSeparator();
    const bool thermal = kind_ == BuildKind::Thermal;
    const QString x = thermal ? "X = " : "";
    const QString y = thermal ? "Y = " : "";
    // A channel without a point under the cursor gets no value, not the one read before.
    auto yText = [&](const std::optional<double>& value) {
        return y + (value ? formatGeneral(*value, separator) : QString());
    };
    StatusBar1->setText(0, x + formatGeneral(reading->x, separator));
    StatusBar1->setText(1, yText(reading->y0));
    StatusBar1->setText(2, yText(reading->y1));
}

void TMainForm::PrintChartClick() {
    QPrinter printer;
    if (prompts_.printDialog(printer))
        TChart1->printChart(printer);
}
