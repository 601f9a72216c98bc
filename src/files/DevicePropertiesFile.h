#pragma once

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

// Missing: the file could not be opened. Bad: a line did not convert; error holds the conversion
// message, the file has been renamed to "<path>.bad" and values must not be used. A file system
// read error throws std::runtime_error.
ReadResult readDeviceProperties(const QString& path, QChar decimalSeparator);

// Replaces the file as a whole, so a failure never leaves it truncated; a failed create or write
// throws std::runtime_error and the old file stays as it was.
void writeDeviceProperties(const QString& path, const DeviceProperties& values,
                           QChar decimalSeparator);
