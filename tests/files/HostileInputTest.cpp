#include "files/CalibrationFile.h"
#include "files/DevicePropertiesFile.h"
#include "files/DisplayFile.h"
#include "processing/ChartPoints.h"
#include "support/HostileFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

enum class Reader { Settings, Calibration, Display };

struct HostileCase {
    const char* name;
    Reader reader;
    Hostile input;
    const char* message; // %1 is the file's path; empty when the file reads without a message
};

const QByteArray SettingsWithNul =
    bytesOf("0\r\n0\r\n35\0\r\n1\r\n16\r\n4\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n\r\n");
const QByteArray CalibrationWithNul = bytesOf("35\0\r\n1\r\n0\r\n0\r\n900\r\n1\r\n0\r\n0\r\n");
const QByteArray DisplayWithNul = bytesOf("Single\r\n2\r\nScan 0,   \r\n0,\0 12.0\n1, 13.0\n");

// Each input the readers may meet in a hostile file system: each ends at once with its message,
// and none is read to its end.
class HostileInput : public ::testing::TestWithParam<HostileCase> {
protected:
    QTemporaryDir dir;

    QString pathFor(Reader reader) const {
        switch (reader) {
        case Reader::Settings:
            return dir.filePath(QString::fromLatin1(DevicePropertiesFileName));
        case Reader::Calibration:
            return dir.filePath("calibration.ini");
        case Reader::Display:
            return dir.filePath("display.txt");
        }
        return {};
    }

    // The message the reader ends with; empty when it read the file.
    static QString readWith(Reader reader, const QString& path) {
        try {
            switch (reader) {
            case Reader::Settings: {
                const ReadResult result = readDeviceProperties(path, u'.');
                return result.outcome == ReadOutcome::Read ? QString() : result.error;
            }
            case Reader::Calibration: {
                CalibrationCoefficients c;
                EXPECT_EQ(readCalibrationFile(path, u'.', c), CalibrationReadOutcome::Read);
                return {};
            }
            case Reader::Display: {
                ChartSeries series;
                series.appendPoints(4);
                const std::optional<LoadedDisplay> loaded = loadDisplayFile(path, series);
                EXPECT_TRUE(loaded && loaded->loaded);
                EXPECT_EQ(series.y[0], 0.0);
                EXPECT_EQ(series.y[1], 13.0);
                return {};
            }
            }
        } catch (const std::runtime_error& error) {
            return QString::fromUtf8(error.what());
        }
        return {};
    }
};

TEST_P(HostileInput, EndsAtOnceWithItsMessage) {
    const HostileCase& c = GetParam();
    ASSERT_TRUE(dir.isValid());
    const QString path = pathFor(c.reader);
    makeHostileFile(path, c.input,
                    c.reader == Reader::Settings      ? SettingsWithNul
                    : c.reader == Reader::Calibration ? CalibrationWithNul
                                                      : DisplayWithNul);
    if (HasFatalFailure())
        return;
    const QString expected = *c.message ? QString::fromUtf8(c.message).arg(path) : QString();
    EXPECT_EQ(readWith(c.reader, path), expected);
    // A settings file that cannot be used is set aside, so the next start does not meet it.
    if (c.reader == Reader::Settings) {
        EXPECT_FALSE(QFileInfo(path).exists() || QFileInfo(path).isSymLink());
        EXPECT_TRUE(QFileInfo(path + ".bad").exists() || QFileInfo(path + ".bad").isSymLink());
    }
}

constexpr const char* NotRegularSettings =
    "Could not read the device properties file \"%1\": it is not a regular file";
constexpr const char* NotRegularCalibration =
    "Could not read the calibration file \"%1\": it is not a regular file";
constexpr const char* NotRegularDisplay =
    "Could not read the display file \"%1\": it is not a regular file";

INSTANTIATE_TEST_SUITE_P(
    EveryReader, HostileInput,
    ::testing::Values(
        HostileCase{"SettingsDevZero", Reader::Settings, Hostile::DevZero, NotRegularSettings},
        HostileCase{"SettingsDevFull", Reader::Settings, Hostile::DevFull, NotRegularSettings},
        HostileCase{"SettingsFifo", Reader::Settings, Hostile::Fifo, NotRegularSettings},
        HostileCase{"SettingsSparse2GB", Reader::Settings, Hostile::Sparse2GB,
                    "Could not read the device properties file \"%1\": line 1 is longer than "
                    "1048576 bytes"},
        HostileCase{"SettingsNulByte", Reader::Settings, Hostile::NulByte,
                    "'35\\0' is not a valid integer value"},
        HostileCase{"CalibrationDevZero", Reader::Calibration, Hostile::DevZero,
                    NotRegularCalibration},
        HostileCase{"CalibrationDevFull", Reader::Calibration, Hostile::DevFull,
                    NotRegularCalibration},
        HostileCase{"CalibrationFifo", Reader::Calibration, Hostile::Fifo, NotRegularCalibration},
        HostileCase{"CalibrationSparse2GB", Reader::Calibration, Hostile::Sparse2GB,
                    "Could not read the calibration file \"%1\": line 1 is longer than 1048576 "
                    "bytes"},
        HostileCase{"CalibrationNulByte", Reader::Calibration, Hostile::NulByte,
                    "'35\\0' is not a valid floating point value"},
        HostileCase{"DisplayDevZero", Reader::Display, Hostile::DevZero, NotRegularDisplay},
        HostileCase{"DisplayDevFull", Reader::Display, Hostile::DevFull, NotRegularDisplay},
        HostileCase{"DisplayFifo", Reader::Display, Hostile::Fifo, NotRegularDisplay},
        HostileCase{"DisplaySparse2GB", Reader::Display, Hostile::Sparse2GB,
                    "Could not read the display file \"%1\": line 1 is longer than 1048576 "
                    "bytes"},
        // Numbers of a display file convert without messages: the NUL ends the number.
        HostileCase{"DisplayNulByte", Reader::Display, Hostile::NulByte, ""}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

} // namespace
