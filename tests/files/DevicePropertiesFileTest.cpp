#include "files/DevicePropertiesFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <stdexcept>
#include <vector>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

DeviceProperties sampleValues() {
    DeviceProperties v;
    v.WavelengthMin = 350.125;
    v.WavelengthMax = 1373.5;
    v.PortAddress = 888;
    v.ClockSpeed = 2;
    v.Resolution = 16;
    v.PixelCount = 2048;
    v.SingleChannel = true;
    v.Averaging = 10;
    v.IntegrationTime = 250;
    v.AveragingLimitDivisor = 2048;
    v.ScansToSave = 5;
    v.DisplayCh1 = true;
    v.DisplayCh2 = false;
    v.WavelengthUnits = true;
    v.TriggerMode = 3;
    v.CalibrationFileName = QStringLiteral("C:\\Halvane\\Kalibrierung Gerät 1.ini");
    return v;
}

// The 16 lines of a good file, without line ends.
std::vector<QByteArray> goodLines() {
    return {"350.125", "1373.5", "888", "2", "16", "2048", "1", "10",
            "250",     "2048",   "5",   "1", "0",  "1",    "3", "C:/cal.ini"};
}

QByteArray joined(const std::vector<QByteArray>& lines, const QByteArray& lineEnd) {
    QByteArray out;
    for (const QByteArray& line : lines)
        out += line + lineEnd;
    return out;
}

void expectEqual(const DeviceProperties& a, const DeviceProperties& b) {
    EXPECT_EQ(a.WavelengthMin, b.WavelengthMin);
    EXPECT_EQ(a.WavelengthMax, b.WavelengthMax);
    EXPECT_EQ(a.PortAddress, b.PortAddress);
    EXPECT_EQ(a.ClockSpeed, b.ClockSpeed);
    EXPECT_EQ(a.Resolution, b.Resolution);
    EXPECT_EQ(a.PixelCount, b.PixelCount);
    EXPECT_EQ(a.SingleChannel, b.SingleChannel);
    EXPECT_EQ(a.Averaging, b.Averaging);
    EXPECT_EQ(a.IntegrationTime, b.IntegrationTime);
    EXPECT_EQ(a.AveragingLimitDivisor, b.AveragingLimitDivisor);
    EXPECT_EQ(a.ScansToSave, b.ScansToSave);
    EXPECT_EQ(a.DisplayCh1, b.DisplayCh1);
    EXPECT_EQ(a.DisplayCh2, b.DisplayCh2);
    EXPECT_EQ(a.WavelengthUnits, b.WavelengthUnits);
    EXPECT_EQ(a.TriggerMode, b.TriggerMode);
    EXPECT_EQ(a.CalibrationFileName, b.CalibrationFileName);
}

class DevicePropertiesFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(DevicePropertiesFileName));
    const QString badPath = path + QStringLiteral(".bad");
};

TEST_F(DevicePropertiesFileTest, WritesSixteenLinesWithCrLf) {
    DeviceProperties v = sampleValues();
    v.WavelengthMin = -0.5;
    v.WavelengthMax = 1e-6;
    v.PortAddress = -1;
    v.SingleChannel = false;
    v.DisplayCh2 = true;
    v.CalibrationFileName.clear();
    writeDeviceProperties(path, v, u',');
    EXPECT_EQ(readAll(path), QByteArray("-0,5\r\n1E-6\r\n-1\r\n2\r\n16\r\n2048\r\n0\r\n10\r\n"
                                        "250\r\n2048\r\n5\r\n1\r\n1\r\n1\r\n3\r\n\r\n"));
}

TEST_F(DevicePropertiesFileTest, RoundTripRestoresEveryLine) {
    for (QChar separator : {QChar(u'.'), QChar(u',')}) {
        const DeviceProperties written = sampleValues();
        writeDeviceProperties(path, written, separator);
        const ReadResult result = readDeviceProperties(path, separator);
        ASSERT_EQ(result.outcome, ReadOutcome::Read);
        EXPECT_TRUE(result.error.isEmpty());
        expectEqual(result.values, written);
    }
}

TEST_F(DevicePropertiesFileTest, ReplacesAnExistingFile) {
    writeAll(path, QByteArray(4096, 'x'));
    writeDeviceProperties(path, sampleValues(), u'.');
    EXPECT_EQ(readDeviceProperties(path, u'.').outcome, ReadOutcome::Read);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{DevicePropertiesFileName});
}

TEST_F(DevicePropertiesFileTest, AcceptsLfOnlyAndIgnoresLinesAfterTheSixteenth) {
    std::vector<QByteArray> lines = goodLines();
    lines.push_back("not a number");
    lines.push_back("17");
    writeAll(path, joined(lines, "\n"));
    const ReadResult result = readDeviceProperties(path, u'.');
    ASSERT_EQ(result.outcome, ReadOutcome::Read);
    EXPECT_EQ(result.values.TriggerMode, 3);
    EXPECT_EQ(result.values.CalibrationFileName, QStringLiteral("C:/cal.ini"));
}

TEST_F(DevicePropertiesFileTest, KeepsBlanksInTheCalibrationPath) {
    std::vector<QByteArray> lines = goodLines();
    lines[15] = " D:/with blank/cal.ini ";
    writeAll(path, joined(lines, "\r\n"));
    EXPECT_EQ(readDeviceProperties(path, u'.').values.CalibrationFileName,
              QStringLiteral(" D:/with blank/cal.ini "));
}

TEST_F(DevicePropertiesFileTest, SwitchesAreAnyNonZeroValue) {
    std::vector<QByteArray> lines = goodLines();
    lines[6] = "-3";
    lines[11] = "0";
    lines[12] = "7";
    lines[13] = "0";
    writeAll(path, joined(lines, "\r\n"));
    const DeviceProperties v = readDeviceProperties(path, u'.').values;
    EXPECT_TRUE(v.SingleChannel);
    EXPECT_FALSE(v.DisplayCh1);
    EXPECT_TRUE(v.DisplayCh2);
    EXPECT_FALSE(v.WavelengthUnits);
}

// A change of regional settings between two runs must not lose the settings.
TEST_F(DevicePropertiesFileTest, WavelengthLinesReadWithEitherSeparator) {
    struct Case {
        const char* line1;
        const char* line2;
        char separator;
    };
    for (const Case& c : std::vector<Case>{{"350,125", "1373,5", '.'},
                                           {"350.125", "1373.5", ','},
                                           {"350,125", "1373.5", '.'},
                                           {"3,50125E2", "1,3735E3", '.'}}) {
        std::vector<QByteArray> lines = goodLines();
        lines[0] = c.line1;
        lines[1] = c.line2;
        writeAll(path, joined(lines, "\r\n"));
        const ReadResult result = readDeviceProperties(path, QChar(c.separator));
        ASSERT_EQ(result.outcome, ReadOutcome::Read) << c.line1 << " " << c.line2;
        EXPECT_DOUBLE_EQ(result.values.WavelengthMin, 350.125);
        EXPECT_DOUBLE_EQ(result.values.WavelengthMax, 1373.5);
    }
}

TEST_F(DevicePropertiesFileTest, MissingFile) {
    const ReadResult result = readDeviceProperties(path, u'.');
    EXPECT_EQ(result.outcome, ReadOutcome::Missing);
    EXPECT_TRUE(result.error.isEmpty());
    EXPECT_FALSE(QFile::exists(badPath));
}

TEST_F(DevicePropertiesFileTest, BadLineIsReportedAndTheFileSetAside) {
    struct Case {
        int line;
        const char* text;
        const char* error;
    };
    const std::vector<Case> cases = {
        {0, "350.1.2", "'350.1.2' is not a valid floating point value"},
        {1, "", "'' is not a valid floating point value"},
        {1, "1,000.5", "'1,000.5' is not a valid floating point value"},
        {2, "0x378", "'0x378' is not a valid integer value"},
        {4, "16.0", "'16.0' is not a valid integer value"},
        {6, "true", "'true' is not a valid integer value"},
        {9, "99999999999", "'99999999999' is not a valid integer value"},
        {14, " ", "' ' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        std::vector<QByteArray> lines = goodLines();
        lines[c.line] = c.text;
        const QByteArray content = joined(lines, "\r\n");
        writeAll(path, content);
        const ReadResult result = readDeviceProperties(path, u'.');
        EXPECT_EQ(result.outcome, ReadOutcome::Bad) << c.text;
        EXPECT_EQ(result.error, QString::fromLatin1(c.error));
        EXPECT_FALSE(QFile::exists(path));
        EXPECT_EQ(readAll(badPath), content);
    }
}

TEST_F(DevicePropertiesFileTest, ShortFileFailsOnTheFirstMissingLine) {
    const std::vector<QByteArray> all = goodLines();
    const std::vector<QByteArray> first8(all.begin(), all.begin() + 8);
    writeAll(path, joined(first8, "\r\n"));
    const ReadResult result = readDeviceProperties(path, u'.');
    EXPECT_EQ(result.outcome, ReadOutcome::Bad);
    EXPECT_EQ(result.error, QStringLiteral("'' is not a valid integer value"));
    EXPECT_TRUE(QFile::exists(badPath));
}

TEST_F(DevicePropertiesFileTest, EmptyFileFailsOnTheFirstLine) {
    writeAll(path, QByteArray());
    const ReadResult result = readDeviceProperties(path, u',');
    EXPECT_EQ(result.outcome, ReadOutcome::Bad);
    EXPECT_EQ(result.error, QStringLiteral("'' is not a valid floating point value"));
}

// Only line 16 missing: it reads as empty text, which is a valid empty calibration path.
TEST_F(DevicePropertiesFileTest, MissingLastLineReadsAsEmptyPath) {
    const std::vector<QByteArray> all = goodLines();
    writeAll(path, joined({all.begin(), all.begin() + 15}, "\r\n"));
    const ReadResult result = readDeviceProperties(path, u'.');
    ASSERT_EQ(result.outcome, ReadOutcome::Read);
    EXPECT_TRUE(result.values.CalibrationFileName.isEmpty());
}

TEST_F(DevicePropertiesFileTest, SettingAsideReplacesAnOlderBadFile) {
    writeAll(badPath, "older");
    std::vector<QByteArray> lines = goodLines();
    lines[3] = "fast";
    const QByteArray content = joined(lines, "\r\n");
    writeAll(path, content);
    EXPECT_EQ(readDeviceProperties(path, u'.').outcome, ReadOutcome::Bad);
    EXPECT_EQ(readAll(badPath), content);
}

TEST_F(DevicePropertiesFileTest, FailedWriteThrowsAndKeepsTheOldFile) {
    writeAll(path, joined(goodLines(), "\r\n"));
    const QString regularFile = dir.filePath(QStringLiteral("regularfile"));
    writeAll(regularFile, "x");
    for (const QString& target : {regularFile + QStringLiteral("/x.ini"),
                                  dir.filePath(QStringLiteral("no such folder/x.ini"))}) {
        try {
            writeDeviceProperties(target, sampleValues(), u'.');
            ADD_FAILURE() << "no error for " << target.toStdString();
        } catch (const std::runtime_error& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(target)) << error.what();
        }
    }
    EXPECT_EQ(readAll(path), joined(goodLines(), "\r\n"));
    EXPECT_EQ(readAll(regularFile), QByteArray("x"));
}

// Replacing the file goes through a temporary one beside it; a target that cannot be replaced
// (here a folder of that name) leaves everything as it was.
TEST_F(DevicePropertiesFileTest, FailedReplaceLeavesNoTemporaryFile) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QString::fromLatin1(DevicePropertiesFileName)));
    EXPECT_THROW(writeDeviceProperties(path, sampleValues(), u'.'), std::runtime_error);
    EXPECT_TRUE(QFileInfo(path).isDir());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

} // namespace
