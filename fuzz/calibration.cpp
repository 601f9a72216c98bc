// Reads the input as a calibration file with either decimal separator. The coefficients start
// as NaN, which no conversion gives, so the converted ones must form a prefix of the eight.
#include "FuzzCheck.h"
#include "files/CalibrationFile.h"
#include "files/NumberText.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>

namespace {

void checkRead(const QString& path, QChar separator) {
    constexpr double Unset = std::numeric_limits<double>::quiet_NaN();
    CalibrationCoefficients coefficients;
    coefficients.ch1.fill(Unset);
    coefficients.ch2.fill(Unset);
    bool converted = true;
    try {
        FUZZ_CHECK(readCalibrationFile(path, separator, coefficients) ==
                   CalibrationReadOutcome::Read);
    } catch (const ConversionError&) {
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
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("calibration.ini"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
                   static_cast<qint64>(size));
    }
    try {
        checkRead(path, u'.');
        checkRead(path, u',');
    } catch (const std::runtime_error&) {
        // A read error is a documented outcome.
    }
    return 0;
}
