#include "measurement/VisibleText.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <string>

namespace {

struct VisibleCase {
    const char* name;
    QByteArray bytes;
    const char* shown; // UTF-8
};

class VisibleBytes : public ::testing::TestWithParam<VisibleCase> {};

TEST_P(VisibleBytes, EscapesWhatCannotBeSeen) {
    const VisibleCase& c = GetParam();
    EXPECT_EQ(visibleBytes(c.bytes), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    All, VisibleBytes,
    ::testing::Values(VisibleCase{"PlainText", "350.5 nm", "350.5 nm"},
                      VisibleCase{"Nul", QByteArray("35\0.5", 5), "35\\0.5"},
                      VisibleCase{"ControlCharacters", "\x01\t\r\x1f\x7f",
                                  "\\x01\\x09\\x0d\\x1f\\x7f"},
                      VisibleCase{"InvalidBytes",
                                  "\xff\xfe"
                                  "1",
                                  "\\xff\\xfe1"},
                      VisibleCase{"Utf8Kept", "Ger\xc3\xa4t \xe2\x82\xac \xf0\x9f\x98\x80",
                                  "Ger\xc3\xa4t \xe2\x82\xac \xf0\x9f\x98\x80"},
                      VisibleCase{"C1Control", "\xc2\x85", "\\u0085"},
                      VisibleCase{"OverlongForm", "\xc0\xaf", "\\xc0\\xaf"},
                      VisibleCase{"EncodedSurrogate", "\xed\xa0\x80", "\\xed\\xa0\\x80"},
                      VisibleCase{"BeyondUnicode", "\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
                      VisibleCase{"CutSequence", "\xe2\x82", "\\xe2\\x82"},
                      VisibleCase{"StrayContinuation",
                                  "1\x80"
                                  "2",
                                  "1\\x802"}),
    [](const ::testing::TestParamInfo<VisibleCase>& info) { return std::string(info.param.name); });

TEST(VisibleText, EscapesControlsAndLoneSurrogates) {
    const QString text = QStringLiteral("a") + QChar(0) + QChar(0x1b) + QChar(0xd800) + u'b' +
                         QStringLiteral("\U0001F600");
    EXPECT_EQ(visibleText(text), QStringLiteral("a\\0\\x1b\\ud800b\U0001F600"));
}

TEST(FirstCharacters, CountsCharactersNotBytes) {
    EXPECT_EQ(firstCharacters("\xc3\xa4\xc3\xb6x", 2), QByteArrayView("\xc3\xa4\xc3\xb6"));
    EXPECT_EQ(firstCharacters("\xff\xffxyz", 3), QByteArrayView("\xff\xffx"));
    EXPECT_EQ(firstCharacters("ab", 25), QByteArrayView("ab"));
}

} // namespace
