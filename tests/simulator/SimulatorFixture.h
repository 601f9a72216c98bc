#pragma once

#include "simulator/SimulatedSpectrometer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>

// Clears every HALVANE_SIM_* variable before a test and puts back what was there after it, so
// tests neither see the caller's settings nor leak their own.
class SimulatorFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : SimulatorVariables) {
            if (const char* value = std::getenv(name))
                saved_[name] = value;
            unsetenv(name);
        }
        set("HALVANE_SIM_SEED", "12345");
    }
    void TearDown() override {
        for (const char* name : SimulatorVariables) {
            const auto kept = saved_.find(name);
            if (kept == saved_.end())
                unsetenv(name);
            else
                setenv(name, kept->second.c_str(), 1);
        }
    }

    static void set(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

    static std::unique_ptr<SimulatedSpectrometer> makeServer() {
        return std::make_unique<SimulatedSpectrometer>(SimulatorSettings::fromEnvironment());
    }

private:
    std::map<std::string, std::string> saved_;
};

inline const std::wstring& deviceName() {
    static const std::wstring name = L"Halvane Simulator";
    return name;
}

// Opens the default device, measures once and returns the block.
inline CountArray measureOnce(ICameraServer& server, std::int32_t integrationMs = 1,
                              std::int32_t averaging = 2) {
    std::int32_t resolution = 0, pixels = 0, clock = 0;
    EXPECT_TRUE(server.OpenDevice(deviceName(), resolution, pixels, clock).ok);
    EXPECT_TRUE(server.SetAveraging(deviceName(), averaging).ok);
    EXPECT_TRUE(server.SetIntegrationTime(deviceName(), integrationMs).ok);
    EXPECT_TRUE(server.Measure(deviceName()).ok);
    CountArray block;
    EXPECT_TRUE(server.ReadData(deviceName(), 0, block).ok);
    return block;
}

// The scans of a block averaged element by element.
inline std::vector<double> meanScan(const CountArray& block) {
    std::vector<double> mean(block.columns(), 0.0);
    for (std::size_t row = 0; row < block.rows(); ++row) {
        for (std::size_t column = 0; column < block.columns(); ++column)
            mean[column] += block.values[row * block.columns() + column];
    }
    for (double& value : mean)
        value /= double(block.rows());
    return mean;
}

// The peak in values[first..last] located to a fraction of a pixel by a parabola through the
// highest value and its neighbours.
inline double peakPosition(const std::vector<double>& values, std::size_t first, std::size_t last) {
    std::size_t top = first;
    for (std::size_t i = first; i <= last; ++i) {
        if (values[i] > values[top])
            top = i;
    }
    if (top == 0 || top + 1 >= values.size())
        return double(top);
    const double left = values[top - 1], centre = values[top], right = values[top + 1];
    const double curvature = left - 2 * centre + right;
    return curvature == 0 ? double(top) : double(top) + 0.5 * (left - right) / curvature;
}

// The wavelength a cubic calibration gives at a (fractional) pixel.
inline double cubic(const double* c, double pixel) {
    return c[0] + pixel * (c[1] + pixel * (c[2] + pixel * c[3]));
}
