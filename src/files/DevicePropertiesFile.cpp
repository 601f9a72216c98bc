#include "files/DevicePropertiesFile.h"

#include "files/WholeFile.h"
#include "measurement/NumberText.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <stdexcept>

namespace {

std::int32_t integerLine(TextLines& text) {
    return parseFileInteger(text.next().value_or(QByteArray()));
}

bool switchLine(TextLines& text) {
    return integerLine(text) != 0;
}

double floatLine(TextLines& text, QChar decimalSeparator) {
    return parseFileFloat(text.next().value_or(QByteArray()), decimalSeparator);
}

// Keeps the unreadable file for inspection and out of the way of the next start.
void setAside(const QString& path) {
    const QString badPath = path + QStringLiteral(".bad");
    QFile::remove(badPath);
    QFile::rename(path, badPath);
}

QString switchText(bool value) {
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

DeviceProperties parseDeviceProperties(TextLines& text, QChar decimalSeparator) {
    // Read in the order of the lines, so the first line that fails is the one reported.
    DeviceProperties values;
    values.WavelengthMin = floatLine(text, decimalSeparator);
    values.WavelengthMax = floatLine(text, decimalSeparator);
    values.PortAddress = integerLine(text);
    values.ClockSpeed = integerLine(text);
    values.Resolution = integerLine(text);
    values.PixelCount = integerLine(text);
    values.SingleChannel = switchLine(text);
    values.Averaging = integerLine(text);
    values.IntegrationTime = integerLine(text);
    values.AveragingLimitDivisor = integerLine(text);
    values.ScansToSave = integerLine(text);
    values.DisplayCh1 = switchLine(text);
    values.DisplayCh2 = switchLine(text);
    values.WavelengthUnits = switchLine(text);
    values.TriggerMode = integerLine(text);
    values.CalibrationFileName = QString::fromUtf8(text.next().value_or(QByteArray()));
    return values;
}

ReadResult readDeviceProperties(const QString& path, QChar decimalSeparator) {
    ReadResult result;
    try {
        const bool opened =
            readTextFile(path, QStringLiteral("device properties file"), [&](TextLines& text) {
                result.values = parseDeviceProperties(text, decimalSeparator);
            });
        result.outcome = opened ? ReadOutcome::Read : ReadOutcome::Missing;
    } catch (const std::runtime_error& error) {
        result.values = DeviceProperties();
        result.outcome = ReadOutcome::Bad;
        result.error = QString::fromUtf8(error.what());
        setAside(path);
    }
    return result;
}

QByteArray devicePropertiesText(const DeviceProperties& values, QChar decimalSeparator) {
    const QStringList lines = {
        formatGeneral(values.WavelengthMin, decimalSeparator),
        formatGeneral(values.WavelengthMax, decimalSeparator),
        QString::number(values.PortAddress),
        QString::number(values.ClockSpeed),
        QString::number(values.Resolution),
        QString::number(values.PixelCount),
        switchText(values.SingleChannel),
        QString::number(values.Averaging),
        QString::number(values.IntegrationTime),
        QString::number(values.AveragingLimitDivisor),
        QString::number(values.ScansToSave),
        switchText(values.DisplayCh1),
        switchText(values.DisplayCh2),
        switchText(values.WavelengthUnits),
        QString::number(values.TriggerMode),
        values.CalibrationFileName,
    };
    QByteArray content;
    for (const QString& line : lines)
        content += line.toUtf8() + "\r\n";
    return content;
}

void writeDeviceProperties(const QString& path, const DeviceProperties& values,
                           QChar decimalSeparator) {
    writeWholeFile(path, devicePropertiesText(values, decimalSeparator), "device properties file");
}
