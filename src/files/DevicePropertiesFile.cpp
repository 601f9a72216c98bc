#include "files/DevicePropertiesFile.h"

#include "files/NumberText.h"
#include "files/WholeFile.h"

#include <QByteArray>
#include <QFile>
#include <QStringList>
#include <stdexcept>

namespace {

constexpr int LineCount = 16;

// Reads the first 16 lines; lines missing at the end of the file read as empty text.
QStringList readLines(QFile& file) {
    QStringList lines;
    while (lines.size() < LineCount && !file.atEnd()) {
        QByteArray line = file.readLine();
        if (file.error() != QFileDevice::NoError) {
            throw std::runtime_error(QStringLiteral("Could not read \"%1\": %2")
                                         .arg(file.fileName(), file.errorString())
                                         .toStdString());
        }
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(QString::fromUtf8(line));
    }
    while (lines.size() < LineCount)
        lines.append(QString());
    return lines;
}

// The file holds no thousands separators, so a point or a comma can only be the decimal
// separator; this keeps the settings readable after a change of regional settings.
double parseWavelength(const QString& text, QChar decimalSeparator) {
    const QChar other = decimalSeparator == u',' ? QChar(u'.') : QChar(u',');
    if (!text.contains(decimalSeparator) && text.contains(other))
        return parseFloat(text, other);
    return parseFloat(text, decimalSeparator);
}

DeviceProperties convertLines(const QStringList& lines, QChar decimalSeparator) {
    DeviceProperties values;
    values.WavelengthMin = parseWavelength(lines[0], decimalSeparator);
    values.WavelengthMax = parseWavelength(lines[1], decimalSeparator);
    values.PortAddress = parseInteger(lines[2]);
    values.ClockSpeed = parseInteger(lines[3]);
    values.Resolution = parseInteger(lines[4]);
    values.PixelCount = parseInteger(lines[5]);
    values.SingleChannel = parseInteger(lines[6]) != 0;
    values.Averaging = parseInteger(lines[7]);
    values.IntegrationTime = parseInteger(lines[8]);
    values.AveragingLimitDivisor = parseInteger(lines[9]);
    values.ScansToSave = parseInteger(lines[10]);
    values.DisplayCh1 = parseInteger(lines[11]) != 0;
    values.DisplayCh2 = parseInteger(lines[12]) != 0;
    values.WavelengthUnits = parseInteger(lines[13]) != 0;
    values.TriggerMode = parseInteger(lines[14]);
    values.CalibrationFileName = lines[15];
    return values;
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

ReadResult readDeviceProperties(const QString& path, QChar decimalSeparator) {
    ReadResult result;
    QStringList lines;
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            result.outcome = ReadOutcome::Missing;
            return result;
        }
        lines = readLines(file);
    }
    try {
        result.values = convertLines(lines, decimalSeparator);
        result.outcome = ReadOutcome::Read;
    } catch (const ConversionError& error) {
        result.values = DeviceProperties();
        result.outcome = ReadOutcome::Bad;
        result.error = QString::fromUtf8(error.what());
        setAside(path);
    }
    return result;
}

void writeDeviceProperties(const QString& path, const DeviceProperties& values,
                           QChar decimalSeparator) {
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

    writeWholeFile(path, content, "device properties file");
}
