#pragma once

#include <QChar>
#include <QString>
#include <array>

// Cubic wavelength polynomials: ch1 holds a0..a3, ch2 holds b0..b3.
struct CalibrationCoefficients {
    std::array<double, 4> ch1{}, ch2{};
};

enum class CalibrationReadOutcome { Read, NotOpened };

// Reads the eight coefficient lines, of each only the first 25 characters. NotOpened leaves the
// coefficients unchanged. A line that does not convert throws ConversionError; the coefficients
// before it keep their new values, the later ones their old values. A read error throws
// std::runtime_error.
CalibrationReadOutcome readCalibrationFile(const QString& path, QChar decimalSeparator,
                                           CalibrationCoefficients& coefficients);
