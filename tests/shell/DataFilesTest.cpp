#include "display/SpectrumChart.h"
#include "setup/SetupForm.h"
#include "support/FileSizeLimit.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

class DataFiles : public MainFormFixture {
protected:
    QString seriesPath() const { return folder.filePath("series.txt"); }

    void measureOnce() {
        form->SingleButton->click();
        ASSERT_TRUE(waitUntil([this] { return !form->runActive() && form->cameraIdle(); }));
    }
    // First press chooses the file, the second starts the recording.
    void startRecording(int scans) {
        form->ScansToRecord = static_cast<std::uint16_t>(scans);
        prompts.files.push_back(seriesPath());
        form->RecordButton->click();
        ASSERT_TRUE(QFileInfo::exists(seriesPath()));
        EXPECT_EQ(form->RecordButton->text(), "Record");
        form->RecordButton->click();
        ASSERT_TRUE(form->Recording);
        EXPECT_EQ(form->RecordButton->text(), "Recording");
    }
    QByteArray series() const {
        QFile file(seriesPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::vector<int> blockNumbers() const {
        std::vector<int> numbers;
        for (const QByteArray& line : series().split('\n'))
            if (line.startsWith("Scan "))
                numbers.push_back(line.mid(5, line.indexOf(',') - 5).toInt());
        return numbers;
    }
};

TEST_F(DataFiles, RecordingOfThreeSingleMeasurementsClosesAfterTheThird) {
    start();
    startRecording(3);
    for (int i = 0; i < 3; ++i)
        measureOnce();
    EXPECT_FALSE(form->Recording);
    EXPECT_EQ(form->RecordButton->text(), "Record");
    EXPECT_TRUE(series().startsWith("Multiple\r\n"));
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0, 1, 2}));
    measureOnce();
    EXPECT_EQ(blockNumbers().size(), 3u);
}

TEST_F(DataFiles, RecordingDuringAContinuousRunEndsWhileTheRunGoesOn) {
    start();
    startRecording(3);
    form->StartButton->click();
    ASSERT_TRUE(waitUntil([this] { return form->cyclesCompleted() >= 5; }));
    EXPECT_TRUE(form->runActive());
    form->StopButton->click();
    ASSERT_TRUE(waitUntil([this] { return !form->runActive(); }));
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0, 1, 2}));
}

TEST_F(DataFiles, IndividualScansRecordEveryScanOfTheMeasurement) {
    start();
    form->SetupForm->SaveIndividual->click();
    startRecording(1);
    measureOnce();
    // Two channels of 4 pixels, one scan: one line holding all of its elements.
    EXPECT_TRUE(series().contains("0,  100,100.0,1,  101,102.0,")) << series().toStdString();
}

TEST_F(DataFiles, PressingRecordDuringARecordingStartsTheFileAgain) {
    start();
    startRecording(5);
    measureOnce();
    measureOnce();
    form->RecordButton->click();
    measureOnce();
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0}));
    EXPECT_TRUE(form->Recording);
}

TEST_F(DataFiles, LoweringTheCountEndsTheRecordingAtTheNextBlock) {
    start();
    startRecording(10);
    measureOnce();
    measureOnce();
    form->ScansToRecord = 1;
    measureOnce();
    EXPECT_FALSE(form->Recording);
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0, 1, 2}));
}

TEST_F(DataFiles, SeriesFileThatCannotBeCreatedIsSaidPlainlyAndStartsNoRecording) {
    start();
    QFile regular(folder.filePath("plain"));
    ASSERT_TRUE(regular.open(QIODevice::WriteOnly));
    regular.close();
    prompts.files.push_back(folder.filePath("plain/series.txt"));
    form->RecordButton->click();
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].startsWith("Cannot create")) << errors()[0].toStdString();
    EXPECT_FALSE(form->SeriesFileReady);

    // Chosen while it could be made, gone when the recording starts.
    prompts.shown.clear();
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    prompts.files.push_back(folder.filePath("sub/series.txt"));
    form->RecordButton->click();
    ASSERT_TRUE(form->SeriesFileReady);
    ASSERT_TRUE(QDir(folder.filePath("sub")).removeRecursively());
    QFile blocker(folder.filePath("sub"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    form->RecordButton->click();
    // The design's text first, then which file and why.
    ASSERT_EQ(errors().size(), 1);
    const QStringList lines = errors()[0].split('\n');
    ASSERT_EQ(lines.size(), 2) << errors()[0].toStdString();
    EXPECT_EQ(lines[0], "File io error");
    EXPECT_TRUE(lines[1].contains(folder.filePath("sub/series.txt"))) << lines[1].toStdString();
    EXPECT_TRUE(lines[1].endsWith("Not a directory")) << lines[1].toStdString();
    EXPECT_EQ(prompts.shown.back().buttons, PromptButtons::Ok);
    EXPECT_FALSE(form->Recording);
    EXPECT_EQ(form->RecordButton->text(), "Record");
}

TEST_F(DataFiles, FailingBlockWriteEndsTheRecordingAndKeepsTheBlocksBefore) {
    start();
    startRecording(10);
    measureOnce();
    measureOnce();
    {
        FileSizeLimit limit(QFileInfo(seriesPath()).size() + 10);
        measureOnce();
    }
    EXPECT_FALSE(form->Recording);
    EXPECT_EQ(form->RecordButton->text(), "Record");
    ASSERT_EQ(errors().size(), 1);
    EXPECT_TRUE(errors()[0].contains("File io error")) << errors()[0].toStdString();
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(series().endsWith("\n\r\n"));
    EXPECT_EQ(form->StopButton->isEnabled(), true);
}

TEST_F(DataFiles, ClosingWhileRecordingKeepsEveryWrittenBlock) {
    start();
    startRecording(10);
    measureOnce();
    measureOnce();
    form->FormDestroy();
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0, 1}));
}

TEST_F(DataFiles, SaveDisplayDuringARecordingLeavesTheSeriesIntact) {
    start();
    startRecording(5);
    measureOnce();
    const QString display = folder.filePath("display.txt");
    prompts.files.push_back(display);
    form->SaveScan->click();
    measureOnce();
    EXPECT_EQ(form->RecordedScans, 2);
    EXPECT_EQ(blockNumbers(), (std::vector<int>{0, 1}));
    QFile file(display);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("Single\r\n8\r\nScan 0,   \r\n"));
}

TEST_F(DataFiles, OverwriteQuestionAnsweredNoLeavesTheFileAndYesReplacesIt) {
    start();
    measureOnce();
    const QString display = folder.filePath("display.txt");
    QFile old(display);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    prompts.files.push_back(display);
    prompts.answers.push_back(PromptAnswer::No);
    form->SaveScan->click();
    EXPECT_EQ(prompts.shown.back().text, "File already exist!Overwrite? ");
    EXPECT_EQ(prompts.shown.back().icon, PromptIcon::Question);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "old");
    old.close();
    prompts.files.push_back(display);
    prompts.answers.push_back(PromptAnswer::Yes);
    form->SaveScan->click();
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_TRUE(old.readAll().startsWith("Single\r\n"));
}

TEST_F(DataFiles, SavedDisplayLoadsBackIntoChannelOne) {
    server->pixelCount = 3;
    writeSettings(
        "0\r\n0\r\n0\r\n1\r\n16\r\n3\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n\r\n");
    start(BuildKind::Thermal);
    measureOnce();
    const QString display = folder.filePath("display.txt");
    prompts.files.push_back(display);
    form->SaveScan->click();
    auto saved = form->TChart1->Series1.y;
    std::fill(form->TChart1->Series1.y.begin(), form->TChart1->Series1.y.end(), 0.0);
    prompts.files.push_back(display);
    form->LoadScan->click();
    for (int k = 0; k < 3; ++k)
        EXPECT_NEAR(form->TChart1->Series1.y[k], saved[k], 0.05) << k;
    EXPECT_DOUBLE_EQ(form->TChart1->bottomMinimum(), 0);
    EXPECT_DOUBLE_EQ(form->TChart1->bottomMaximum(), 2);
}
