#include "measurement/NumberText.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

struct FormatCase {
    double value;
    char separator;
    const char* expected;
};

TEST(FormatGeneral, Table) {
    const std::vector<FormatCase> cases = {
        {0, '.', "0"},
        {-0.0, '.', "0"},
        {100, '.', "100"},
        {-42, '.', "-42"},
        {123.45, '.', "123.45"},
        {123.45, ',', "123,45"},
        {-0.001, '.', "-0.001"},
        {0.1 + 0.2, '.', "0.3"},
        {1.0 / 3.0, '.', "0.333333333333333"},
        {2.0 / 3.0, ',', "0,666666666666667"},
        {0.0001, '.', "0.0001"},
        {0.00012345, '.', "0.00012345"},
        {0.00001, '.', "1E-5"},
        {0.000015, ',', "1,5E-5"},
        {-2e-7, '.', "-2E-7"},
        {1e-6, '.', "1E-6"},
        {999999999999999.0, '.', "999999999999999"},
        {123456789012345.6, '.', "123456789012346"},
        {1e15, '.', "1E15"},
        {9999999999999999.0, '.', "1E16"},
        {1.5e20, '.', "1.5E20"},
        {-1.25e300, ',', "-1,25E300"},
        {1e-300, '.', "1E-300"},
        {400.125, '.', "400.125"},
        {std::numeric_limits<double>::quiet_NaN(), '.', "NAN"},
        {std::numeric_limits<double>::infinity(), '.', "INF"},
        {-std::numeric_limits<double>::infinity(), '.', "-INF"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(formatGeneral(c.value, QChar(c.separator)), QString::fromLatin1(c.expected))
            << "value " << c.value;
    }
}

TEST(FormatGeneral, RoundTripsThroughParseFloat) {
    for (double value : {350.0, 1373.5, 0.5, 1e-9, -7.25e17, 194.222564}) {
        EXPECT_DOUBLE_EQ(parseFloat(formatGeneral(value, u','), u','), value);
    }
}

struct IntegerCase {
    const char* text;
    std::int32_t expected;
};

TEST(ParseInteger, ValidTexts) {
    const std::vector<IntegerCase> cases = {
        {"0", 0},
        {"42", 42},
        {"+7", 7},
        {"-15", -15},
        {"  12", 12},
        {"12  ", 12},
        {"\t3\t", 3},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
    };
    for (const IntegerCase& c : cases)
        EXPECT_EQ(parseInteger(QString::fromLatin1(c.text)), c.expected) << c.text;
}

TEST(ParseInteger, InvalidTextsNameTheText) {
    for (const char* text : {"", " ", "+", "-", "1 2", "12a", "0x10", "$10", "1.0", "1,0", "1e3",
                             "--1", "2147483648", "-2147483649", "99999999999999999999"}) {
        try {
            parseInteger(QString::fromLatin1(text));
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()),
                      QStringLiteral("'%1' is not a valid integer value").arg(text));
        }
    }
}

TEST(ParseInteger, RejectsDigitsOutsideAscii) {
    EXPECT_THROW(parseInteger(QStringLiteral("\u0661\u0662")), ConversionError);
}

struct FloatCase {
    const char* text;
    char separator;
    double expected;
};

TEST(ParseFloat, ValidTexts) {
    const std::vector<FloatCase> cases = {
        {"0", '.', 0},
        {"350", '.', 350},
        {"-1.5", '.', -1.5},
        {"+2.25", '.', 2.25},
        {"-1,5", ',', -1.5},
        {" 400.125 ", '.', 400.125},
        {"5.", '.', 5},
        {".5", '.', 0.5},
        {"1e3", '.', 1000},
        {"5.670774894e-4", '.', 5.670774894e-4},
        {"-2,673861608E-6", ',', -2.673861608e-6},
        {"1E+2", '.', 100},
        {"0.1", '.', 0.1},
    };
    for (const FloatCase& c : cases) {
        EXPECT_DOUBLE_EQ(parseFloat(QString::fromLatin1(c.text), QChar(c.separator)), c.expected)
            << c.text;
    }
}

TEST(ParseFloat, InvalidTextsNameTheText) {
    const std::vector<std::pair<const char*, char>> cases = {
        {"", '.'},      {"   ", '.'},     {".", '.'},      {"-", '.'},    {"1.5", ','},
        {"1,5", '.'},   {"1,000.5", '.'}, {"1.2.3", '.'},  {"1e", '.'},   {"1e+", '.'},
        {"e5", '.'},    {"1 5", '.'},     {"abc", '.'},    {"NAN", '.'},  {"INF", '.'},
        {"0x1p3", '.'}, {"1e400", '.'},   {"-1e400", '.'}, {"12nm", '.'},
    };
    for (const auto& [text, separator] : cases) {
        try {
            parseFloat(QString::fromLatin1(text), QChar(separator));
            ADD_FAILURE() << "accepted '" << text << "'";
        } catch (const ConversionError& error) {
            EXPECT_EQ(QString::fromUtf8(error.what()),
                      QStringLiteral("'%1' is not a valid floating point value").arg(text));
        }
    }
}

struct FileNumberCase {
    const char* name;
    QByteArray line;
    bool integer; // parseFileInteger, else parseFileFloat with ','
    const char* message;
};

class FileNumberMessages : public ::testing::TestWithParam<FileNumberCase> {};

// The whole line stands in the message, whatever bytes it holds.
TEST_P(FileNumberMessages, ShowTheWholeLineWithEscapes) {
    const FileNumberCase& c = GetParam();
    try {
        if (c.integer)
            parseFileInteger(c.line);
        else
            parseFileFloat(c.line, u',');
        ADD_FAILURE() << "accepted";
    } catch (const ConversionError& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()), QString::fromUtf8(c.message));
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, FileNumberMessages,
    ::testing::Values(
        FileNumberCase{"NulInInteger",
                       QByteArray("35\0"
                                  "7",
                                  4),
                       true, "'35\\07' is not a valid integer value"},
        FileNumberCase{"NulInFloat", QByteArray("35\0", 3), false,
                       "'35\\0' is not a valid floating point value"},
        FileNumberCase{"ControlCharacter", "1\x01", true, "'1\\x01' is not a valid integer value"},
        FileNumberCase{"InvalidByte",
                       "\xff"
                       "5",
                       false, "'\\xff5' is not a valid floating point value"},
        FileNumberCase{"Umlaut", "5\xc3\xa4", true, "'5\xc3\xa4' is not a valid integer value"},
        FileNumberCase{"TwoSeparators", "1,000.5", false,
                       "'1,000.5' is not a valid floating point value"}),
    [](const ::testing::TestParamInfo<FileNumberCase>& info) {
        return std::string(info.param.name);
    });

TEST(ParseFileFloat, TakesTheLocaleSeparatorAPointOrAComma) {
    for (QChar locale : {QChar(u'.'), QChar(u','), QChar(u'\u066b')}) {
        EXPECT_EQ(parseFileFloat("350.25", locale), 350.25) << int(locale.unicode());
        EXPECT_EQ(parseFileFloat("350,25", locale), 350.25) << int(locale.unicode());
        EXPECT_EQ(parseFileFloat("-1E-3", locale), -1e-3) << int(locale.unicode());
    }
    EXPECT_EQ(parseFileFloat("350\xd9\xab"
                             "25",
                             u'\u066b'),
              350.25);
    EXPECT_EQ(parseFileInteger(" -12 "), -12);
}

TEST(ParseInteger, TheMessageEscapesControlCharactersOfATypedText) {
    try {
        parseInteger(QStringLiteral("1") + QChar(0) + QChar(u'\t'));
        ADD_FAILURE() << "accepted";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'1\\0\\x09' is not a valid integer value");
    }
}

} // namespace

namespace {

struct LeadingRealCase {
    const char* name;
    const char* text;
    double value;
};

class LeadingRealTest : public ::testing::TestWithParam<LeadingRealCase> {};

TEST_P(LeadingRealTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(LeadingReal(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingRealTest,
    ::testing::Values(
        LeadingRealCase{"WholeNumber", "10", 10}, LeadingRealCase{"DecimalFraction", "2.5", 2.5},
        LeadingRealCase{"MinusSign", "-5", -5}, LeadingRealCase{"PlusSign", "+7", 7},
        LeadingRealCase{"LeadingBlanksSkipped", "  12", 12},
        LeadingRealCase{"TrailingTextIgnored", "12abc", 12},
        LeadingRealCase{"TrailingPoint", "5.", 5}, LeadingRealCase{"LeadingPoint", ".5", 0.5},
        LeadingRealCase{"SecondPointEndsTheNumber", "3.5.1", 3.5},
        LeadingRealCase{"Exponent", "1e3", 1000},
        LeadingRealCase{"UpperCaseNegativeExponent", "2E-1x", 0.2},
        LeadingRealCase{"ExponentWithoutDigitsIgnored", "4e", 4},
        LeadingRealCase{"SignedExponentWithoutDigitsIgnored", "4e+", 4},
        LeadingRealCase{"CommaEndsTheNumber", "2,5", 2}, LeadingRealCase{"Zero", "0", 0},
        LeadingRealCase{"EmptyIsZero", "", 0}, LeadingRealCase{"LettersAreZero", "abc", 0},
        LeadingRealCase{"SignAloneIsZero", "-", 0}, LeadingRealCase{"PointAloneIsZero", ".", 0},
        LeadingRealCase{"UnderflowIsZero", "1e-400", 0}),
    [](const ::testing::TestParamInfo<LeadingRealCase>& info) {
        return std::string(info.param.name);
    });

TEST(LeadingReal, OverflowIsInfinite) {
    EXPECT_EQ(LeadingReal(QString("1e999")), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingReal(QString("-1e999")), -std::numeric_limits<double>::infinity());
}

struct LeadingIntegerCase {
    const char* name;
    const char* text;
    std::int32_t value;
};

class LeadingIntegerTest : public ::testing::TestWithParam<LeadingIntegerCase> {};

TEST_P(LeadingIntegerTest, ReadsTheLeadingInteger) {
    EXPECT_EQ(LeadingInteger(QString::fromUtf8(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingIntegerTest,
    ::testing::Values(
        LeadingIntegerCase{"TrailingTextIgnored", "12abc", 12},
        LeadingIntegerCase{"LettersAreZero", "abc", 0}, LeadingIntegerCase{"MinusSign", "-5", -5},
        LeadingIntegerCase{"PlusSign", "+5", 5},
        LeadingIntegerCase{"LeadingBlankSkipped", " 42", 42},
        LeadingIntegerCase{"PointEndsTheNumber", "2.5", 2},
        LeadingIntegerCase{"EmptyIsZero", "", 0}, LeadingIntegerCase{"SignAloneIsZero", "-", 0},
        LeadingIntegerCase{"Zero", "0", 0},
        LeadingIntegerCase{"LargestInt32", "2147483647", 2147483647},
        LeadingIntegerCase{"OverflowClampsToMaximum", "2147483648", 2147483647},
        LeadingIntegerCase{"LongOverflowClampsToMaximum", "99999999999999999999999", 2147483647},
        LeadingIntegerCase{"SmallestInt32", "-2147483648", -2147483647 - 1},
        LeadingIntegerCase{"NegativeOverflowClampsToMinimum", "-99999999999999999999",
                           -2147483647 - 1}),
    [](const ::testing::TestParamInfo<LeadingIntegerCase>& info) {
        return std::string(info.param.name);
    });

} // namespace
