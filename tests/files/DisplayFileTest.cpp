#include "files/DisplayFile.h"

#include "files/ScanBlock.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A series with distinct values everywhere, so untouched points can be told apart.
ChartSeries sentinelSeries(std::size_t points) {
    ChartSeries s;
    for (std::size_t i = 0; i < points; ++i) {
        s.x.push_back(-100.0 - static_cast<double>(i));
        s.y.push_back(-200.0 - static_cast<double>(i));
    }
    return s;
}

LoadedDisplay loadText(const QByteArray& content, ChartSeries& series0) {
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    TextLines text(buffer, QStringLiteral("the test text"));
    return loadDisplay(text, series0);
}

// As a std::string, so a mismatch prints as text.
std::string readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

class DisplayFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("display.txt"));
};

TEST_F(DisplayFileTest, WritesSingleThePixelCountAndTheBlock) {
    const QByteArray block = "Scan 0,   \r\n0, 12.0\n1, 13.5\n2, 11.0\n\r\n";
    writeDisplayFile(path, 3, block);
    EXPECT_EQ(readAll(path), ("Single\r\n3\r\n" + block).toStdString());
}

TEST_F(DisplayFileTest, ReplacesAnExistingFile) {
    writeDisplayFile(path, 2048, "Scan 0,   \r\n0, 12.0\n\r\n");
    writeDisplayFile(path, 1, "Scan 0,   \r\n\r\n");
    EXPECT_EQ(readAll(path), "Single\r\n1\r\nScan 0,   \r\n\r\n");
}

TEST_F(DisplayFileTest, AFileThatCannotBeCreatedThrows) {
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    EXPECT_THROW(writeDisplayFile(dir.filePath(QStringLiteral("plain/display.txt")), 3, "x"),
                 std::runtime_error);
}

TEST_F(DisplayFileTest, ReadsBackTheOneChannelAverageKind) {
    const ChartSeries written = [] {
        ChartSeries s;
        s.x = {0, 1, 2, 0, 0};
        s.y = {12.0, 13.46, 11.0, 0, 0};
        return s;
    }();
    const RawDataValues data = {{0, 0, 0}};
    writeDisplayFile(path, 3, ScanBlockText({0, true, true, false, 3, 1, written, written, data}));

    ChartSeries series0 = sentinelSeries(5);
    const std::optional<LoadedDisplay> read = loadDisplayFile(path, series0);
    ASSERT_TRUE(read.has_value());
    const LoadedDisplay& loaded = *read;

    EXPECT_TRUE(loaded.loaded);
    EXPECT_EQ(loaded.count, 3);
    EXPECT_EQ(loaded.bottomMinimum, 0.0);
    EXPECT_EQ(loaded.bottomMaximum, 2.0);
    EXPECT_EQ(series0.x, (std::vector<double>{0, 1, 2, -103, -104}));
    EXPECT_EQ(series0.y, (std::vector<double>{12.0, 13.5, 11.0, -203, -204}));
}

struct KindCase {
    const char* name;
    const char* content;
    std::vector<double> x, y; // the points expected to be set, from point 0 on
    double bottomMaximum;
};

class LoadOtherKinds : public ::testing::TestWithParam<KindCase> {};

TEST_P(LoadOtherKinds, TakesTheFirstNumberAfterTheComma) {
    const KindCase& c = GetParam();
    ChartSeries series0 = sentinelSeries(6);
    const LoadedDisplay loaded = loadText(c.content, series0);
    ASSERT_TRUE(loaded.loaded);
    ASSERT_EQ(loaded.count, static_cast<std::int32_t>(c.x.size()));
    EXPECT_EQ(loaded.bottomMinimum, c.x.front());
    EXPECT_EQ(loaded.bottomMaximum, c.bottomMaximum);
    for (std::size_t k = 0; k < c.x.size(); ++k) {
        EXPECT_EQ(series0.x[k], c.x[k]) << k;
        EXPECT_EQ(series0.y[k], c.y[k]) << k;
    }
    EXPECT_EQ(series0.x[c.x.size()], -100.0 - static_cast<double>(c.x.size()));
}

const std::vector<KindCase> kindCases = {
    {"NanometreAverage",
     "Single\r\n2\r\nScan 0,   \r\n190.3, 12.0\n190.8, -0.0\n\r\n",
     {190.3, 190.8},
     {12.0, -0.0},
     190.8},
    {"TwoChannelAverage",
     "Single\r\n2\r\nScan 0,   \r\n0, 12.0, 13.0\n1,  0.5, -0.0\n\r\n",
     {0, 1},
     {12.0, 0.5},
     1},
    // Lines of more than 25 characters are cut; the rest is skipped up to the line feed.
    {"OneChannelIndividual",
     "Single\r\n2\r\nScan 0,   \r\n"
     "0,190.3,  100,  200,  300,  400,\r\n1,190.8,  101,  201,  301,  401,\r\n\r\n",
     {0, 1},
     {190.3, 190.8},
     1},
    // Only as many lines as scans; the empty line after them has no comma and ends the load.
    {"TwoChannelIndividual",
     "Single\r\n3\r\nScan 0,   \r\n"
     "0,  100, 12.0,1,  101, 13.5,2,  102, 11.0\r\n0,  200, 12.0,1,  201, 13.5,2,  202, 11.0\r\n"
     "\r\n",
     {0, 0},
     {100, 200},
     9999.0},
};

INSTANTIATE_TEST_SUITE_P(All, LoadOtherKinds, ::testing::ValuesIn(kindCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DisplayFileLoad, OnlyAFirstLineOfExactlySingleLoads) {
    for (const char* content :
         {"single\r\n1\r\nScan 0,   \r\n0, 1.0\n", "Single \r\n1\r\nScan 0,   \r\n0, 1.0\n",
          "Multiple\r\n01.01.24\r\nScan 0,   \r\n0, 1.0\n", "SingleSingle\r\n1\r\n", ""}) {
        ChartSeries series0 = sentinelSeries(3);
        const LoadedDisplay loaded = loadText(content, series0);
        EXPECT_FALSE(loaded.loaded) << content;
        EXPECT_EQ(loaded.count, 0);
        EXPECT_FALSE(loaded.bottomMinimum.has_value());
        EXPECT_FALSE(loaded.bottomMaximum.has_value());
        EXPECT_EQ(series0.x, sentinelSeries(3).x);
        EXPECT_EQ(series0.y, sentinelSeries(3).y);
    }
}

TEST(DisplayFileLoad, SingleWithLineFeedOnlyOrAtTheEndOfTheFileLoads) {
    for (const char* content :
         {"Single\n1\nScan 0,   \n5, 1.0\n", "Single\r\n1\r\nScan\r\n5, 1.0"}) {
        ChartSeries series0 = sentinelSeries(3);
        const LoadedDisplay loaded = loadText(content, series0);
        EXPECT_TRUE(loaded.loaded) << content;
        EXPECT_EQ(loaded.count, 1);
        EXPECT_EQ(loaded.bottomMinimum, 5.0);
        EXPECT_EQ(loaded.bottomMaximum, 5.0);
        EXPECT_EQ(series0.y[0], 1.0);
    }
}

struct CountCase {
    const char* line2;
    std::int32_t loadedPoints;
    std::optional<double> bottomMaximum;
};

TEST(DisplayFileLoad, CountComesFromTheLeadingDigitsOfLineTwo) {
    const std::vector<CountCase> cases = {
        {"12abc", 3, 9999.0}, {"abc", 0, 9999.0}, {"", 0, 9999.0},
        {"-2", 0, 9999.0},    {"  +2", 2, 1.0},   {"3", 3, 2.0},
        {"2.9", 2, 1.0},      {"0", 0, 9999.0},   {"99999999999999", 3, 9999.0},
    };
    for (const CountCase& c : cases) {
        ChartSeries series0 = sentinelSeries(10);
        const QByteArray content =
            QByteArray("Single\r\n") + c.line2 + "\r\nScan 0,   \r\n0, 1.0\n1, 2.0\n2, 3.0\n\r\n";
        const LoadedDisplay loaded = loadText(content, series0);
        EXPECT_TRUE(loaded.loaded) << c.line2;
        EXPECT_EQ(loaded.count, c.loadedPoints) << c.line2;
        EXPECT_EQ(loaded.bottomMaximum, c.bottomMaximum) << c.line2;
        EXPECT_EQ(loaded.bottomMinimum.has_value(), c.loadedPoints > 0) << c.line2;
        EXPECT_EQ(series0.x[static_cast<std::size_t>(c.loadedPoints)], -100.0 - c.loadedPoints)
            << c.line2;
    }
}

TEST(DisplayFileLoad, StopsAtTheEndOfTheFile) {
    ChartSeries series0 = sentinelSeries(10);
    const LoadedDisplay loaded = loadText("Single\r\n5\r\nScan 0,   \r\n3, 1.0\n4, 2.0\n", series0);
    EXPECT_EQ(loaded.count, 2);
    EXPECT_EQ(loaded.bottomMinimum, 3.0);
    EXPECT_EQ(loaded.bottomMaximum, 9999.0);
    EXPECT_EQ(series0.x[2], -102.0);
}

TEST(DisplayFileLoad, StopsAtARecordWithoutAComma) {
    ChartSeries series0 = sentinelSeries(10);
    const LoadedDisplay loaded =
        loadText("Single\r\n3\r\nScan 0,   \r\n0, 1.0\n1 2.0\n2, 3.0\n", series0);
    EXPECT_EQ(loaded.count, 1);
    EXPECT_EQ(series0.x[1], -101.0);
    EXPECT_EQ(series0.y[1], -201.0);
}

TEST(DisplayFileLoad, ACommaBeyondTheKeptCharactersDoesNotCount) {
    ChartSeries series0 = sentinelSeries(10);
    const LoadedDisplay loaded =
        loadText("Single\r\n2\r\nScan 0,   \r\n0, 1.0\n12345678901234567890123456,7\n", series0);
    EXPECT_EQ(loaded.count, 1);
}

TEST(DisplayFileLoad, AnOverlongRecordKeepsItsFirst25Characters) {
    ChartSeries series0 = sentinelSeries(10);
    const LoadedDisplay loaded = loadText(
        "Single\r\n2\r\nScan 0,   \r\n7,1234567890123456789012345678901234567890\n8, 2.5\n",
        series0);
    EXPECT_EQ(loaded.count, 2);
    EXPECT_EQ(series0.x[0], 7.0);
    EXPECT_EQ(series0.y[0], 12345678901234567890123.0);
    EXPECT_EQ(series0.x[1], 8.0);
    EXPECT_EQ(series0.y[1], 2.5);
}

TEST(DisplayFileLoad, ALineTooLongEndsTheLoadAndLeavesTheSeriesAsItWas) {
    ChartSeries series0 = sentinelSeries(10);
    const QByteArray content = "Single\r\n3\r\nScan 0,   \r\n0, 1.0\n" +
                               QByteArray(TextLines::MaxLineBytes + 1, '7') + "\n2, 3.0\n";
    try {
        loadText(content, series0);
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(),
                     "Could not read the test text: line 5 is longer than 1048576 bytes");
    }
    EXPECT_EQ(series0.x, sentinelSeries(10).x);
    EXPECT_EQ(series0.y, sentinelSeries(10).y);
}

TEST_F(DisplayFileTest, AFileThatCannotBeOpenedLoadsNothing) {
    ChartSeries series0 = sentinelSeries(3);
    EXPECT_EQ(loadDisplayFile(path, series0), std::nullopt);
    EXPECT_EQ(series0.x, sentinelSeries(3).x);
}

TEST(DisplayFileLoad, StopsAtTheLastPointOfTheSeries) {
    ChartSeries series0 = sentinelSeries(2);
    const LoadedDisplay loaded =
        loadText("Single\r\n3\r\nScan 0,   \r\n0, 1.0\n1, 2.0\n2, 3.0\n", series0);
    EXPECT_EQ(loaded.count, 2);
    EXPECT_EQ(loaded.bottomMaximum, 9999.0);
    EXPECT_EQ(series0.x, (std::vector<double>{0, 1}));
    EXPECT_EQ(series0.y, (std::vector<double>{1, 2}));

    ChartSeries empty;
    const LoadedDisplay none = loadText("Single\r\n3\r\nScan 0,   \r\n0, 1.0\n", empty);
    EXPECT_TRUE(none.loaded);
    EXPECT_EQ(none.count, 0);
    EXPECT_TRUE(empty.x.empty());
}

struct NumberCase {
    const char* text;
    double value;
};

TEST(DisplayFileLoad, NumbersComeFromTheLongestValidPrefix) {
    const std::vector<NumberCase> cases = {
        {" 12.0\r", 12.0}, {"1e3", 1000}, {"1.5E+2x", 150}, {"1e", 1},    {"1e+", 1},
        {"-.5", -0.5},     {"+2.5", 2.5}, {"5.", 5},        {"\t-3", -3}, {"abc", 0},
        {"", 0},           {"--5", 0},    {"+-5", 0},       {".", 0},     {"-", 0},
        {"1e999", 0},      {" 1 2", 1},   {"nan", 0},       {"inf", 0},
    };
    ChartSeries series0 = sentinelSeries(cases.size());
    QByteArray content = "Single\r\n" + QByteArray::number(cases.size()) + "\r\nScan 0,   \r\n";
    for (const NumberCase& c : cases)
        content += QByteArray(c.text) + "," + c.text + "\n";
    const LoadedDisplay loaded = loadText(content, series0);
    ASSERT_EQ(loaded.count, static_cast<std::int32_t>(cases.size()));
    for (std::size_t k = 0; k < cases.size(); ++k) {
        EXPECT_EQ(series0.x[k], cases[k].value) << cases[k].text;
        EXPECT_EQ(series0.y[k], cases[k].value) << cases[k].text;
    }
}

} // namespace
