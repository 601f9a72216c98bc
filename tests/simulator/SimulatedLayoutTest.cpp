#include "SimulatorFixture.h"

#include "simulator/SimulatedOptics.h"

#include <QFile>

#include <array>
#include <regex>

namespace {

struct LayoutCase {
    const char* layout;
    int pixels;
    const char* calibrationFile; // shipped file for this layout, or null to use the computed one
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.layout << " " << c.pixels << " "
         << (c.calibrationFile ? c.calibrationFile : "computed");
}

// The two channels as the program lays them out from one scan: the standard build reads
// halves in pixel order, the thermal build reverses the dual layout's channel 2.
struct Channels {
    std::vector<double> first;
    std::vector<double> second;
};

Channels splitAsTheProgramDoes(const std::string& layout, const std::vector<double>& scan) {
    const std::size_t count = scan.size();
    if (layout == "single")
        return {scan, {}};
    Channels channels;
    for (std::size_t j = 0; j < count / 2; ++j) {
        channels.first.push_back(scan[2 * j]);
        channels.second.push_back(layout == "halves" ? scan[2 * j + 1] : scan[count - 1 - 2 * j]);
    }
    return channels;
}

std::array<double, 8> readCalibrationFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << path.toStdString();
    std::array<double, 8> coefficients{};
    const std::regex plainDecimal("-?[0-9]+\\.[0-9]+");
    for (double& coefficient : coefficients) {
        const std::string line = file.readLine().trimmed().toStdString();
        EXPECT_LT(line.size(), 25u) << line;
        EXPECT_TRUE(std::regex_match(line, plainDecimal)) << line;
        coefficient = std::stod(line);
    }
    return coefficients;
}

// The fractional pixel of the strongest response within 3 nm of a wavelength that the
// calibration places in this channel, or -1 when the channel does not cover it.
double findLine(const std::vector<double>& channel, const double* calibration, double nm) {
    std::optional<std::size_t> first;
    std::size_t last = 0;
    for (std::size_t i = 0; i < channel.size(); ++i) {
        if (std::abs(cubic(calibration, double(i)) - nm) <= 3.0) {
            first = first.value_or(i);
            last = i;
        }
    }
    return first ? peakPosition(channel, *first, last) : -1.0;
}

} // namespace

class SimulatedLayoutTest : public SimulatorFixture,
                            public ::testing::WithParamInterface<LayoutCase> {
protected:
    void SetUp() override {
        SimulatorFixture::SetUp();
        set("HALVANE_SIM_LAYOUT", GetParam().layout);
        set("HALVANE_SIM_PIXELS", std::to_string(GetParam().pixels));
    }

    SimulatorLayout layout() const { return makeServer()->settings().layout; }

    std::array<double, 8> calibration() const {
        if (!GetParam().calibrationFile)
            return SimulatedOptics::calibrationCoefficients(layout(), GetParam().pixels);
        return readCalibrationFile(QStringLiteral(HALVANE_SOURCE_DIR "/data/") +
                                   GetParam().calibrationFile);
    }
};

TEST_P(SimulatedLayoutTest, LinesFallWhereTheCalibrationPredicts) {
    auto server = makeServer();
    const std::vector<double> scan = meanScan(measureOnce(*server, 1, 2));
    const Channels channels = splitAsTheProgramDoes(GetParam().layout, scan);
    const auto coefficients = calibration();
    for (const double nm : {546.074, 763.511}) {
        int found = 0;
        for (const auto& [channel, c] : {std::pair{&channels.first, coefficients.data()},
                                         std::pair{&channels.second, coefficients.data() + 4}}) {
            const double pixel = findLine(*channel, c, nm);
            if (pixel < 0)
                continue;
            ++found;
            EXPECT_NEAR(cubic(c, pixel), nm, 0.2)
                << "channel " << (c == coefficients.data() ? 1 : 2);
        }
        // Halves split the range between the channels; dual shows every line in both.
        const std::string layoutName = GetParam().layout;
        EXPECT_EQ(found, layoutName == "dual" ? 2 : 1) << nm;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SimulatedLayoutTest,
                         ::testing::Values(LayoutCase{"single", 2048, "calibration-single.ini"},
                                           LayoutCase{"halves", 2048, "calibration-halves.ini"},
                                           LayoutCase{"dual", 2048, "calibration-dual.ini"},
                                           LayoutCase{"single", 777, nullptr},
                                           LayoutCase{"halves", 1000, nullptr},
                                           LayoutCase{"dual", 4096, nullptr}),
                         [](const auto& info) {
                             return std::string(info.param.layout) +
                                    std::to_string(info.param.pixels);
                         });

// Relative detector position of a wavelength under the true calibration.
double positionOf(double nm) {
    double low = 0.0, high = 1.0;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        (SimulatedOptics::trueWavelength(middle) < nm ? low : high) = middle;
    }
    return low;
}

// The element scan[first + step * i] with the strongest response near i = expected, as a
// fractional i.
double peakNear(const std::vector<double>& scan, std::size_t first, int step, double expected) {
    std::vector<double> channel;
    for (std::size_t e = first; e < scan.size(); e += step)
        channel.push_back(scan[e]);
    const auto centre = static_cast<std::size_t>(std::lround(expected));
    return peakPosition(channel, centre - 4, centre + 4);
}

TEST(SimulatedCalibrationFiles, MatchTheTrueCalibrationFor2048Elements) {
    const std::pair<const char*, SimulatorLayout> files[] = {
        {"calibration-single.ini", SimulatorLayout::Single},
        {"calibration-halves.ini", SimulatorLayout::Halves},
        {"calibration-dual.ini", SimulatorLayout::Dual},
    };
    for (const auto& [name, layout] : files) {
        const auto shipped =
            readCalibrationFile(QStringLiteral(HALVANE_SOURCE_DIR "/data/") + name);
        const auto exact = SimulatedOptics::calibrationCoefficients(layout, 2048);
        for (std::size_t i = 0; i < 8; ++i)
            EXPECT_NEAR(shipped[i], exact[i], std::abs(exact[i]) * 1e-9)
                << name << " line " << i + 1;
    }
    // The standard build reads channel 2 of the halves from the top of the range downward.
    const auto halves = SimulatedOptics::calibrationCoefficients(SimulatorLayout::Halves, 2048);
    EXPECT_DOUBLE_EQ(halves[4], 1000.0);
    EXPECT_LT(halves[5], 0.0);
}

using SimulatedChannelTest = SimulatorFixture;

TEST_F(SimulatedChannelTest, HalvesInterleaveTheDetectorFromBothEnds) {
    const std::vector<double> scan = meanScan(measureOnce(*makeServer()));
    // Element 2j is detector pixel j; element 2j+1 is detector pixel 2047-j.
    const double green = positionOf(546.074) * 2047;
    const double red = positionOf(763.511) * 2047;
    ASSERT_LT(green, 1024.0);
    ASSERT_GE(red, 1024.0);
    EXPECT_NEAR(peakNear(scan, 0, 2, green), green, 0.3);
    EXPECT_NEAR(peakNear(scan, 1, 2, 2047 - red), 2047 - red, 0.3);
}

TEST_F(SimulatedChannelTest, DualDeliversTheSampleChannelLastPixelFirst) {
    set("HALVANE_SIM_LAYOUT", "dual");
    const CountArray block = measureOnce(*makeServer(), 1, 4);
    const std::vector<double> scan = meanScan(block);
    // Channel 1 pixel j is element 2j; channel 2 pixel j is element 2047-2j, i.e. channel 2
    // read from element 2047 downward by twos.
    std::vector<double> reversed(scan.rbegin(), scan.rend());
    for (const double nm : {435.833, 696.543}) {
        const double pixel = positionOf(nm) * 1023;
        const double reference = peakNear(scan, 0, 2, pixel);
        const double sample = peakNear(reversed, 0, 2, pixel);
        EXPECT_NEAR(reference, pixel, 0.3) << nm;
        EXPECT_NEAR(sample, pixel, 0.3) << nm;
        // Channel 2 looks through the sample: percent of channel 1 is its transmission.
        const auto at = static_cast<std::size_t>(std::lround(pixel));
        const double percent = (reversed[2 * at] - SimulatedSpectrometer::DarkOffset) /
                               (scan[2 * at] - SimulatedSpectrometer::DarkOffset);
        EXPECT_NEAR(percent, SimulatedOptics::sampleTransmission(nm), 0.05) << nm;
    }
    EXPECT_LT(SimulatedOptics::sampleTransmission(696.543), 0.5);
    EXPECT_GT(SimulatedOptics::sampleTransmission(435.833), 0.95);
}
