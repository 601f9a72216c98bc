#include "files/CalibrationFile.h"

#include "measurement/NumberText.h"
#include "measurement/VisibleText.h"

namespace {

constexpr qsizetype ValueChars = 25;
// Enough bytes for 25 characters in UTF-8.
constexpr qsizetype ValueBytes = ValueChars * 4;

} // namespace

void readCalibration(TextLines& text, QChar decimalSeparator,
                     CalibrationCoefficients& coefficients) {
    for (std::array<double, 4>* channel : {&coefficients.ch1, &coefficients.ch2}) {
        for (double& coefficient : *channel) {
            const QByteArray line = text.next(ValueBytes).value_or(QByteArray());
            coefficient = parseFileFloat(firstCharacters(line, ValueChars), decimalSeparator);
        }
    }
}

CalibrationReadOutcome readCalibrationFile(const QString& path, QChar decimalSeparator,
                                           CalibrationCoefficients& coefficients) {
    const bool opened =
        readTextFile(path, QStringLiteral("calibration file"), [&](TextLines& text) {
            readCalibration(text, decimalSeparator, coefficients);
        });
    return opened ? CalibrationReadOutcome::Read : CalibrationReadOutcome::NotOpened;
}
