// Soak run: the real program core on the simulator, a long continuous run recording every cycle
// in each save mode, with Setup and Save Display used along the way; then the series file is
// checked block by block.
#include "setup/SetupForm.h"
#include "shell/MainForm.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <sys/resource.h>

namespace {

// Answers like a user who picks the next file offered and agrees to overwrite.
class SoakPrompts : public IPrompts {
public:
    QString nextFile;
    int messages = 0;
    QString lastMessage;
    PromptAnswer message(const QString& text, const QString&, PromptIcon icon,
                         PromptButtons b) override {
        if (icon == PromptIcon::Error) {
            ++messages;
            lastMessage = text;
        }
        return b == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
    }
    std::optional<QString> openFile(const QString&, const QString&) override { return {}; }
    std::optional<QString> saveFile(const QString&, const QString&) override { return nextFile; }
    bool printDialog(QPrinter&) override { return false; }
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void waitFor(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The resident memory now, which unlike the peak can also shrink.
long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Every block number 0 .. count-1 in order, each ending with its empty line. Read line by line,
// so the check itself does not raise the peak memory it reports.
bool checkSeries(const QString& path, int count, int& blocks) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readLine() != "Multiple\r\n")
        return false;
    blocks = 0;
    QByteArray previous;
    for (QByteArray line = file.readLine(); !line.isEmpty(); line = file.readLine()) {
        if (line.startsWith("Scan ")) {
            if (blocks > 0 && previous != "\r\n")
                return false;
            if (line.mid(5, line.indexOf(',') - 5).toInt() != blocks)
                return false;
            ++blocks;
        } else if (!line.endsWith('\n')) {
            return false;
        }
        previous = line;
    }
    return blocks == count && previous == "\r\n";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir folder;
    SoakPrompts prompts;
    TMainForm::Options options;
    options.prompts = &prompts;
    options.settingsFolder = folder.path();
    TMainForm form(options);
    form.FormCreate();
    form.CreateDialogs();
    form.show();
    prompts.messages = 0;
    // The setup dialog is answered with OK whenever it waits, asking for the whole series.
    QTimer okPresser;
    QObject::connect(&okPresser, &QTimer::timeout, [&] {
        if (!form.SetupForm->IsWaiting())
            return;
        form.SetupForm->RecordScansEdit->setText(QString::number(cycles));
        form.SetupForm->Button1->click();
    });
    okPresser.start(10);
    form.SetupButton->click();

    bool ok = true;
    for (QRadioButton* mode : {form.SetupForm->SaveAverage, form.SetupForm->SaveIndividual}) {
        mode->click();
        const QString series = folder.filePath(QString("series-%1.txt").arg(mode->objectName()));
        prompts.nextFile = series;
        form.RecordButton->click();
        form.RecordButton->click();
        const long startMemory = residentKilobytes();
        QElapsedTimer clock;
        clock.start();
        const int first = form.cyclesCompleted();
        form.StartButton->click();
        int lastExtra = 0;
        waitFor([&] {
            const int done = form.cyclesCompleted() - first;
            if (done - lastExtra >= 300) {
                lastExtra = done;
                prompts.nextFile = folder.filePath("display.txt");
                form.SaveScan->click();
                form.SetupButton->click();
            }
            return !form.Recording;
        });
        const double seconds = clock.elapsed() / 1000.0;
        const int done = form.cyclesCompleted() - first;
        form.StopButton->click();
        waitFor([&] { return !form.runActive(); });
        const long runMemory = residentKilobytes();
        int blocks = 0;
        const bool good = checkSeries(series, cycles, blocks);
        ok = ok && good && prompts.messages == 0;
        std::printf("%s: %d cycles in %.1f s (%.0f cycles/s), %d blocks checked %s, resident "
                    "memory %ld kB before and %ld kB after the run, peak so far %ld kB\n",
                    qPrintable(mode->text()), done, seconds, done / seconds, blocks,
                    good ? "in order" : "WRONG", startMemory, runMemory, peakKilobytes());
    }
    if (prompts.messages)
        std::printf("%d error messages, the last: %s\n", prompts.messages,
                    qPrintable(prompts.lastMessage));
    form.FormDestroy();
    std::printf("%s\n", ok ? "soak passed" : "soak FAILED");
    return ok ? 0 : 1;
}
