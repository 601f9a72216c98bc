// Measures the display refresh, the summation and a continuous run against their baselines.
#include "camera/Camera.h"
#include "camera/CoCameraServer.h"
#include "display/ChartSeries.h"
#include "display/SpectrumChart.h"
#include "measurement/ScanSummation.h"
#include "shell/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QToolButton>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

// Answers every prompt as a user who wants no file and no printout would.
class SilentPrompts : public IPrompts {
public:
    PromptAnswer message(const QString&, const QString&, PromptIcon, PromptButtons b) override {
        return b == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
    }
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return {}; }
    bool printDialog(QPrinter&) override { return false; }
};

// Seconds per call of work, over enough repetitions to take about the given time.
double secondsPerCall(const std::function<void()>& work, double budget = 1.0) {
    work();
    QElapsedTimer clock;
    clock.start();
    long calls = 0;
    while (clock.nsecsElapsed() < budget * 1e9) {
        work();
        ++calls;
    }
    return clock.nsecsElapsed() / 1e9 / double(calls);
}

void report(const char* name, double value, const char* unit, double ratio) {
    std::printf("%s: %.4g %s (ratio %.2f)\n", name, value, unit, ratio);
}

void displayRefresh() {
    const int p = 8192;
    SpectrumChart chart;
    chart.resize(1200, 700);
    chart.Series1.appendPoints(p + 2);
    chart.Series2.appendPoints(p + 2);
    chart.setBottomRange(0, p / 2);
    chart.setLeftRange(0, 65550);
    std::vector<double> plot(p + p / 2 + 1), wl(p + 1);
    for (int i = 0; i < p; ++i)
        plot[i] = 30000 + 20000 * std::sin(i / 40.0);
    ChartInputs in{p, false, false, true, true, plot, wl, wl, 0, 0};
    QImage target(1200, 700, QImage::Format_ARGB32_Premultiplied);
    double chartTime = secondsPerCall([&] {
        FillChartSeries(in, chart.Series1, chart.Series2);
        QPainter painter(&target);
        chart.render(&painter);
    });
    QPolygonF line0(p + 1), line1(p + 1);
    double polylineTime = secondsPerCall([&] {
        for (int k = 0; k <= p; ++k) {
            line0[k] = QPointF(k * 1200.0 / p, 700 - plot[k] / 100);
            line1[k] = QPointF(k * 1200.0 / p, 700 - plot[k / 2] / 100);
        }
        target.fill(Qt::white);
        QPainter painter(&target);
        painter.drawPolyline(line0);
        painter.drawPolyline(line1);
    });
    report("display refresh 2 x 8193 points", chartTime * 1e3, "ms", chartTime / polylineTime);

    // The same points through QCustomPlot's own graphs, with their adaptive sampling: copied into
    // each graph every cycle, as a measurement would have to.
    QCustomPlot graphPlot;
    graphPlot.resize(1200, 700);
    graphPlot.xAxis->setRange(0, p / 2);
    graphPlot.yAxis->setRange(0, 65550);
    QCPGraph* graphs[] = {graphPlot.addGraph(), graphPlot.addGraph()};
    const ChartSeries* series[] = {&chart.Series1, &chart.Series2};
    QVector<double> keys, values;
    double graphTime = secondsPerCall([&] {
        FillChartSeries(in, chart.Series1, chart.Series2);
        for (int s = 0; s < 2; ++s) {
            keys.clear();
            values.clear();
            for (std::size_t k = 0; k < series[s]->size(); ++k)
                if (series[s]->drawn[k]) {
                    keys.push_back(series[s]->x[k]);
                    values.push_back(series[s]->y[k]);
                }
            graphs[s]->setData(keys, values, true);
        }
        QPainter painter(&target);
        graphPlot.render(&painter);
    });
    report("display refresh 2 x 8193 points, QCPGraph adaptive sampling", graphTime * 1e3, "ms",
           graphTime / chartTime);
}

void summation() {
    const int rows = 100, p = 8192;
    CountArray block = CountArray::matrix(rows, p);
    for (std::size_t i = 0; i < block.values.size(); ++i)
        block.values[i] = std::int32_t(i * 2654435761u % 65536);
    std::vector<std::int64_t> raw(p);
    RawDataValues series;
    double sumTime = secondsPerCall(
        [&] { RetrieveScans(block, rows, p, true, BuildKind::Standard, raw, series); });
    std::vector<std::int64_t> plain(p);
    double plainTime = secondsPerCall([&] {
        std::fill(plain.begin(), plain.end(), 0);
        const std::int32_t* v = block.values.data();
        for (int s = 0; s < rows; ++s)
            for (int k = 0; k < p; ++k)
                plain[k] += v[std::size_t(s) * p + k];
        asm volatile("" : : "r"(plain.data()) : "memory");
    });
    report("summation 100 x 8192", sumTime * 1e6, "us", sumTime / plainTime);
}

void continuousRun() {
    qputenv("HALVANE_SIM_PIXELS", "2048");
    SilentPrompts prompts;
    double seconds = 3.0;
    // The simulator alone, at the program's settings.
    double aloneRate = 0;
    {
        Camera camera(CoCameraServer::Create());
        auto name = camera.GetDeviceList().at(0);
        camera.OpenDevice(name);
        camera.SetMode(name, 1);
        camera.SetAveraging(name, 1);
        camera.SetIntegrationTime(name, 1);
        QElapsedTimer clock;
        clock.start();
        long cycles = 0;
        while (clock.elapsed() < seconds * 1000) {
            camera.Measure(name);
            camera.ReadData(name);
            ++cycles;
        }
        aloneRate = cycles / (clock.elapsed() / 1000.0);
    }
    TMainForm::Options options;
    options.prompts = &prompts;
    options.settingsFolder = QDir::tempPath() + "/halvane-bench";
    QDir().mkpath(options.settingsFolder);
    TMainForm form(options);
    form.FormCreate();
    form.show();
    form.StartButton->click();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < seconds * 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    int cycles = form.cyclesCompleted();
    double rate = cycles / (clock.elapsed() / 1000.0);
    form.StopButton->click();
    while (form.runActive())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    report("continuous run cycles per second", rate, "/s", rate / aloneRate);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    displayRefresh();
    summation();
    continuousRun();
    return 0;
}
