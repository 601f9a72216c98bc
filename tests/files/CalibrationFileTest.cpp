#include "files/CalibrationFile.h"

#include "measurement/NumberText.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

class CalibrationFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    void write(const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(content), content.size());
    }

    // Coefficients that no file below holds, to see which ones a read replaced.
    static CalibrationCoefficients old() { return {{-1, -2, -3, -4}, {-5, -6, -7, -8}}; }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("calibration.ini"));
};

TEST_F(CalibrationFileTest, ReadsEightLines) {
    write("1.94222564e2\r\n2.098786253\r\n5.670774894e-4\r\n-2.673861608e-6\r\n"
          "900\r\n0.5\r\n0\r\n-1E-9\r\nignored\r\n");
    CalibrationCoefficients c = old();
    EXPECT_EQ(readCalibrationFile(path, u'.', c), CalibrationReadOutcome::Read);
    EXPECT_EQ(c.ch1,
              (std::array<double, 4>{194.222564, 2.098786253, 5.670774894e-4, -2.673861608e-6}));
    EXPECT_EQ(c.ch2, (std::array<double, 4>{900, 0.5, 0, -1e-9}));
}

TEST_F(CalibrationFileTest, ReadsLfOnlyAndALastLineWithoutLineEnd) {
    write("1\n2\n3\n4\n5\n6\n7\n8");
    CalibrationCoefficients c = old();
    EXPECT_EQ(readCalibrationFile(path, u'.', c), CalibrationReadOutcome::Read);
    EXPECT_EQ(c.ch2[3], 8);
}

TEST_F(CalibrationFileTest, CommaSeparator) {
    write("400,125\r\n0,5\r\n0\r\n0\r\n900\r\n-1,5E-3\r\n0\r\n0\r\n");
    CalibrationCoefficients c = old();
    readCalibrationFile(path, u',', c);
    EXPECT_EQ(c.ch1[0], 400.125);
    EXPECT_EQ(c.ch1[1], 0.5);
    EXPECT_EQ(c.ch2[1], -1.5e-3);
}

// The shipped files use points; they must read under every regional setting.
TEST_F(CalibrationFileTest, PointFileReadsUnderAnyLocale) {
    write("350.0\r\n0.5\r\n0\r\n0\r\n900\r\n-1.5E-3\r\n0\r\n0\r\n");
    for (QChar separator : {QChar(u'.'), QChar(u','), QChar(u'\u066b')}) {
        CalibrationCoefficients c = old();
        EXPECT_EQ(readCalibrationFile(path, separator, c), CalibrationReadOutcome::Read);
        EXPECT_EQ(c.ch1, (std::array<double, 4>{350, 0.5, 0, 0})) << int(separator.unicode());
        EXPECT_EQ(c.ch2, (std::array<double, 4>{900, -1.5e-3, 0, 0})) << int(separator.unicode());
    }
}

TEST_F(CalibrationFileTest, MixedSeparatorsInOneValueFailAndKeepTheValuesBefore) {
    write("350\r\n0,5.1\r\n0\r\n0\r\n900\r\n0\r\n0\r\n0\r\n");
    CalibrationCoefficients c = old();
    try {
        readCalibrationFile(path, u',', c);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'0,5.1' is not a valid floating point value");
    }
    EXPECT_EQ(c.ch1[0], 350);
    EXPECT_EQ(c.ch1[1], -2);
}

TEST_F(CalibrationFileTest, SevenLinesFailOnLineEightAndKeepTheFirstSeven) {
    write("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
    CalibrationCoefficients c = old();
    try {
        readCalibrationFile(path, u'.', c);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'' is not a valid floating point value");
    }
    EXPECT_EQ(c.ch1, (std::array<double, 4>{1, 2, 3, 4}));
    EXPECT_EQ(c.ch2, (std::array<double, 4>{5, 6, 7, -8}));
}

TEST_F(CalibrationFileTest, EmptyLineFails) {
    write("1\r\n\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    CalibrationCoefficients c = old();
    EXPECT_THROW(readCalibrationFile(path, u'.', c), ConversionError);
    EXPECT_EQ(c.ch1, (std::array<double, 4>{1, -2, -3, -4}));
}

TEST_F(CalibrationFileTest, OnlyTheFirst25CharactersOfALineCount) {
    // 30 characters: the digits after the 25th are lost, the next line is read normally.
    write("123456789012345678901234512345\r\n0.5\r\n0\r\n0\r\n900\r\n0\r\n0\r\n0\r\n");
    CalibrationCoefficients c = old();
    readCalibrationFile(path, u'.', c);
    EXPECT_EQ(c.ch1[0], 1234567890123456789012345.0);
    EXPECT_EQ(c.ch1[1], 0.5);
}

TEST_F(CalibrationFileTest, CutTextIsWhatTheErrorNames) {
    write("1.0 this line is much longer than twenty-five characters\r\n" + QByteArray(100000, '7') +
          "\r\n");
    CalibrationCoefficients c = old();
    try {
        readCalibrationFile(path, u'.', c);
        FAIL() << "no error";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(),
                     "'1.0 this line is much lon' is not a valid floating point value");
    }
}

TEST_F(CalibrationFileTest, OverlongDigitLineIsCutAndTheRestSkipped) {
    write(QByteArray(100000, '7') + "\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
    CalibrationCoefficients c = old();
    readCalibrationFile(path, u'.', c);
    EXPECT_EQ(c.ch1[0], 7777777777777777777777777.0);
    EXPECT_EQ(c.ch1[1], 2);
    EXPECT_EQ(c.ch2[3], 8);
}

TEST_F(CalibrationFileTest, MissingFileChangesNothing) {
    CalibrationCoefficients c = old();
    EXPECT_EQ(readCalibrationFile(path, u'.', c), CalibrationReadOutcome::NotOpened);
    EXPECT_EQ(c.ch1, old().ch1);
    EXPECT_EQ(c.ch2, old().ch2);
}

} // namespace
