// Reads the input as a calibration file with either decimal separator, from memory. The
// coefficients start as NaN, which no conversion gives, so the converted ones must form a prefix
// of the eight.
#include "FuzzCheck.h"
#include "files/CalibrationFile.h"
#include "measurement/NumberText.h"

#include <QBuffer>
#include <QByteArray>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace {

void checkRead(const QByteArray& content, QChar separator) {
    constexpr double Unset = std::numeric_limits<double>::quiet_NaN();
    CalibrationCoefficients coefficients;
    coefficients.ch1.fill(Unset);
    coefficients.ch2.fill(Unset);
    QByteArray bytes = content;
    QBuffer buffer(&bytes);
    FUZZ_CHECK(buffer.open(QIODevice::ReadOnly));
    TextLines text(buffer, QStringLiteral("the calibration file"));
    bool converted = true;
    try {
        readCalibration(text, separator, coefficients);
    } catch (const ConversionError&) {
        converted = false;
    } catch (const UnreadableFile&) {
        // A line too long is refused before it is converted; the coefficients before it stay.
        converted = false;
    }
    const double all[] = {coefficients.ch1[0], coefficients.ch1[1], coefficients.ch1[2],
                          coefficients.ch1[3], coefficients.ch2[0], coefficients.ch2[1],
                          coefficients.ch2[2], coefficients.ch2[3]};
    std::size_t set = 0;
    while (set < std::size(all) && !std::isnan(all[set])) {
        FUZZ_CHECK(std::isfinite(all[set]));
        ++set;
    }
    for (std::size_t k = set; k < std::size(all); ++k)
        FUZZ_CHECK(std::isnan(all[k]));
    FUZZ_CHECK(converted == (set == std::size(all)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray content(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkRead(content, u'.');
    checkRead(content, u',');
    return 0;
}
