#pragma once

#include "files/TextLines.h"

#include <QChar>
#include <QString>
#include <array>

// Cubic wavelength polynomials: ch1 holds a0..a3, ch2 holds b0..b3.
struct CalibrationCoefficients {
    std::array<double, 4> ch1{}, ch2{};
};

// Reads the eight coefficient lines, of each only the first 25 characters, with the locale's
// decimal separator, a point or a comma. A line that does not convert (an empty one, or one
// past the end of the text) throws ConversionError; the coefficients before it keep their new
// values, the later ones their old values. A line too long or a read error throws
// UnreadableFile.
void readCalibration(TextLines& text, QChar decimalSeparator,
                     CalibrationCoefficients& coefficients);

enum class CalibrationReadOutcome { Read, NotOpened };

// readCalibration from the file at path. NotOpened, with the coefficients unchanged, when the
// file cannot be opened; a file that is not a regular file throws NotARegularFile.
CalibrationReadOutcome readCalibrationFile(const QString& path, QChar decimalSeparator,
                                           CalibrationCoefficients& coefficients);
