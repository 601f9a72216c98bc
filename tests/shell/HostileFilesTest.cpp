#include "display/SpectrumChart.h"
#include "support/HostileFile.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QToolButton>

#include <string>

namespace {

// Where the program meets the file.
enum class Where {
    SettingsAtStart,    // the device properties file itself
    CalibrationAtStart, // the calibration file the settings name
    LoadDisplay,        // chosen in Load Display
    SeriesFile,         // chosen as the series file
};

struct HostileCase {
    const char* name;
    Where where;
    Hostile input;
    const char* message; // a part of the one error box; %1 is the file's path
};

// Valid settings for the fake's four elements; line 16 names the calibration file.
QByteArray Settings(const QString& calibration) {
    return "0\r\n0\r\n0\r\n1\r\n16\r\n4\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n" +
           calibration.toUtf8() + "\r\n";
}

} // namespace

// A hostile file wherever the window reads or writes one: the window answers at once with one
// clear error, goes on measuring, and writes a whole settings file at exit.
class HostileFiles : public MainFormFixture, public ::testing::WithParamInterface<HostileCase> {
protected:
    QString hostile;
};

TEST_P(HostileFiles, AreRefusedAtOnceAndTheProgramGoesOn) {
    const HostileCase& c = GetParam();
    switch (c.where) {
    case Where::SettingsAtStart:
        hostile = settingsPath();
        makeHostileFile(
            hostile, c.input,
            bytesOf(
                "0\r\n0\r\n35\0\r\n1\r\n16\r\n4\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n"
                "\r\n"));
        start();
        break;
    case Where::CalibrationAtStart:
        hostile = folder.filePath("calibration.ini");
        makeHostileFile(hostile, c.input, bytesOf("35\0\r\n1\r\n0\r\n0\r\n900\r\n1\r\n0\r\n0\r\n"));
        writeSettings(Settings(hostile));
        start();
        break;
    case Where::LoadDisplay:
        writeSettings(Settings(""));
        start();
        hostile = folder.filePath("display.txt");
        makeHostileFile(hostile, c.input,
                        bytesOf("Single\r\n2\r\nScan 0,   \r\n0,\0 12.0\n1, 13.0\n"));
        prompts.files.push_back(hostile);
        form->LoadScan->click();
        break;
    case Where::SeriesFile:
        writeSettings(Settings(""));
        start();
        hostile = folder.filePath("series.txt");
        makeHostileFile(hostile, c.input, {});
        prompts.answers.push_back(PromptAnswer::Yes);
        prompts.files.push_back(hostile);
        form->RecordButton->click();
        if (form->SeriesFileReady)
            form->RecordButton->click();
        EXPECT_FALSE(form->Recording);
        break;
    }
    if (HasFatalFailure())
        return;

    ASSERT_EQ(errors().size(), 1) << prompts.texts().join("|").toStdString();
    const QString expected = QString::fromUtf8(c.message).arg(hostile);
    EXPECT_TRUE(errors()[0].contains(expected)) << errors()[0].toStdString() << "\nwithout\n"
                                                << expected.toStdString();
    if (c.where == Where::CalibrationAtStart)
        EXPECT_FALSE(form->Wavelengths.WavelengthCalibrated);

    prompts.shown.clear();
    measureOnce();
    EXPECT_EQ(errors(), QStringList{});

    form->FormDestroy();
    const QList<QByteArray> lines = readSettings().split('\n');
    ASSERT_EQ(lines.size(), 17) << readSettings().toStdString();
    // A calibration file refused unread is not met again at the next start.
    if (c.where == Where::CalibrationAtStart && c.input != Hostile::NulByte) {
        EXPECT_EQ(lines[15], "\r");
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryPlace, HostileFiles,
    ::testing::Values(HostileCase{"SettingsDevZero", Where::SettingsAtStart, Hostile::DevZero,
                                  "\"%1\": it is not a regular file"},
                      HostileCase{"SettingsFifo", Where::SettingsAtStart, Hostile::Fifo,
                                  "\"%1\": it is not a regular file"},
                      HostileCase{"SettingsSparse2GB", Where::SettingsAtStart, Hostile::Sparse2GB,
                                  "\"%1\": line 1 is longer than 1048576 bytes"},
                      HostileCase{"SettingsNulByte", Where::SettingsAtStart, Hostile::NulByte,
                                  "'35\\0' is not a valid integer value"},
                      HostileCase{"CalibrationDevZero", Where::CalibrationAtStart, Hostile::DevZero,
                                  "\"%1\": it is not a regular file"},
                      HostileCase{"CalibrationFifo", Where::CalibrationAtStart, Hostile::Fifo,
                                  "\"%1\": it is not a regular file"},
                      HostileCase{"CalibrationSparse2GB", Where::CalibrationAtStart,
                                  Hostile::Sparse2GB,
                                  "\"%1\": line 1 is longer than 1048576 bytes"},
                      HostileCase{"CalibrationNulByte", Where::CalibrationAtStart, Hostile::NulByte,
                                  "'35\\0' is not a valid floating point value"},
                      HostileCase{"LoadDisplayDevZero", Where::LoadDisplay, Hostile::DevZero,
                                  "\"%1\": it is not a regular file"},
                      HostileCase{"LoadDisplayFifo", Where::LoadDisplay, Hostile::Fifo,
                                  "\"%1\": it is not a regular file"},
                      HostileCase{"LoadDisplaySparse2GB", Where::LoadDisplay, Hostile::Sparse2GB,
                                  "\"%1\": line 1 is longer than 1048576 bytes"},
                      HostileCase{"SeriesLinkToDevFull", Where::SeriesFile, Hostile::DevFull,
                                  "File io error\ncannot create \"%1\": it is not a regular file"}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });
