#include "files/CalibrationFile.h"

#include "files/NumberText.h"

#include <QByteArray>
#include <QFile>
#include <stdexcept>

namespace {

constexpr qsizetype ValueChars = 25;
// Enough bytes for 25 characters in UTF-8.
constexpr qsizetype ValueBytes = ValueChars * 4;

void checkRead(const QFile& file) {
    if (file.error() != QFileDevice::NoError) {
        throw std::runtime_error(QStringLiteral("Could not read \"%1\": %2")
                                     .arg(file.fileName(), file.errorString())
                                     .toStdString());
    }
}

// The first 25 characters of the next line; the rest of the line is skipped without being kept,
// so an overlong line costs no memory. Past the end of the file the text is empty.
QString readValueText(QFile& file) {
    QByteArray head;
    char c = 0;
    while (head.size() < ValueBytes && file.getChar(&c) && c != '\n')
        head += c;
    checkRead(file);
    if (head.size() == ValueBytes) {
        while (file.getChar(&c) && c != '\n') {
        }
        checkRead(file);
    }
    if (head.endsWith('\r'))
        head.chop(1);
    return QString::fromUtf8(head).left(ValueChars);
}

} // namespace

CalibrationReadOutcome readCalibrationFile(const QString& path, QChar decimalSeparator,
                                           CalibrationCoefficients& coefficients) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CalibrationReadOutcome::NotOpened;
    for (std::array<double, 4>* channel : {&coefficients.ch1, &coefficients.ch2}) {
        for (double& coefficient : *channel)
            coefficient = parseFloat(readValueText(file), decimalSeparator);
    }
    return CalibrationReadOutcome::Read;
}
