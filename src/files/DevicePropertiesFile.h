#pragma once

#include "files/TextLines.h"

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>

// The settings kept from one run to the next, in the order of the file's 16 lines.
struct DeviceProperties {
    double WavelengthMin = 0, WavelengthMax = 0;
    std::int32_t PortAddress = 0, ClockSpeed = 0, Resolution = 0, PixelCount = 0;
    bool SingleChannel = false;
    std::int32_t Averaging = 0, IntegrationTime = 0, AveragingLimitDivisor = 0, ScansToSave = 0;
    bool DisplayCh1 = false, DisplayCh2 = false, WavelengthUnits = false;
    std::int32_t TriggerMode = 0;
    QString CalibrationFileName;
};

inline constexpr const char* DevicePropertiesFileName = "DevicePropertiesFile.ini";

enum class ReadOutcome { Read, Missing, Bad };

struct ReadResult {
    ReadOutcome outcome = ReadOutcome::Missing;
    DeviceProperties values;
    QString error;
};

// The 16 lines from text; lines missing at the end read as empty text, lines after the 16th are
// not read. Lines 1 and 2 take the locale's decimal separator, a point or a comma. A line that
// does not convert throws ConversionError; a line too long or a read error throws
// UnreadableFile.
DeviceProperties parseDeviceProperties(TextLines& text, QChar decimalSeparator);

// Missing: the file could not be opened. Bad: it is there but unusable (a line that does not
// convert, a line too long, a read error, not a regular file); error holds the message, the file
// has been renamed to "<path>.bad" and values must not be used.
ReadResult readDeviceProperties(const QString& path, QChar decimalSeparator);

// The 16 lines of the file for values, each ended by CR LF.
QByteArray devicePropertiesText(const DeviceProperties& values, QChar decimalSeparator);

// Replaces the file as a whole, so a failure never leaves it truncated; a failed create or write
// throws std::runtime_error and the old file stays as it was.
void writeDeviceProperties(const QString& path, const DeviceProperties& values,
                           QChar decimalSeparator);
