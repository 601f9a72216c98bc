#include "files/TextLines.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Every line of content, each kept to `keep` bytes.
std::vector<QByteArray> linesOf(const QByteArray& content,
                                qsizetype keep = TextLines::MaxLineBytes) {
    QByteArray data = content;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    TextLines text(buffer, QStringLiteral("the test text"));
    std::vector<QByteArray> lines;
    while (std::optional<QByteArray> line = text.next(keep))
        lines.push_back(*line);
    return lines;
}

std::string failureOf(const QByteArray& content) {
    try {
        linesOf(content);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

TEST(TextLines, SplitsAtLfAndDropsACrBeforeIt) {
    EXPECT_EQ(linesOf("a\r\nb\nc"), (std::vector<QByteArray>{"a", "b", "c"}));
    EXPECT_EQ(linesOf("a\n\n"), (std::vector<QByteArray>{"a", ""}));
    EXPECT_EQ(linesOf("a\rb\r\r\n"), (std::vector<QByteArray>{"a\rb\r"}));
    EXPECT_EQ(linesOf(""), std::vector<QByteArray>{});
}

TEST(TextLines, KeepsTheFirstBytesAndPassesOverTheRest) {
    EXPECT_EQ(linesOf("123456\r\nab\r\n", 3), (std::vector<QByteArray>{"123", "ab"}));
    // The CR of a cut line lies beyond what was kept.
    EXPECT_EQ(linesOf("abc\r\n", 3), (std::vector<QByteArray>{"abc"}));
}

// Lines cross the reader's chunks of 64 KiB; the bound is on the bytes before the LF.
TEST(TextLines, ALineAtTheBoundReadsAndOneByteMoreFails) {
    const QByteArray longest(TextLines::MaxLineBytes, 'x');
    const std::vector<QByteArray> lines = linesOf("1\n" + longest + "\n2\n");
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], longest);
    EXPECT_EQ(lines[2], "2");
    EXPECT_EQ(failureOf("1\n" + longest + "x\n2\n"),
              "Could not read the test text: line 2 is longer than 1048576 bytes");
    EXPECT_EQ(failureOf(longest + "\r\n"),
              "Could not read the test text: line 1 is longer than 1048576 bytes");
}

TEST(TextLines, AReadErrorIsNamed) {
    QBuffer closed;
    TextLines text(closed, QStringLiteral("the test text"));
    try {
        text.next();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Could not read the test text: ", 0), 0u)
            << error.what();
    }
}

class ReadTextFile : public ::testing::Test {
protected:
    QTemporaryDir dir;

    // The lines read, or nothing when the file did not open.
    std::optional<std::vector<QByteArray>> read(const QString& path) {
        std::vector<QByteArray> lines;
        const bool opened = readTextFile(path, QStringLiteral("test file"), [&](TextLines& text) {
            while (std::optional<QByteArray> line = text.next())
                lines.push_back(*line);
        });
        if (!opened)
            return std::nullopt;
        return lines;
    }
};

TEST_F(ReadTextFile, ReadsARegularFile) {
    QFile file(dir.filePath("a.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("one\r\ntwo\r\n");
    file.close();
    EXPECT_EQ(read(file.fileName()), (std::vector<QByteArray>{"one", "two"}));
}

TEST_F(ReadTextFile, AFileThatCannotBeOpenedIsNoError) {
    EXPECT_EQ(read(dir.filePath("missing.txt")), std::nullopt);
    EXPECT_EQ(read(QString()), std::nullopt);
    // The system would open "a" for a name cut at its NUL.
    QFile file(dir.filePath("a"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(read(dir.filePath("a") + QChar(0) + "b"), std::nullopt);
}

TEST_F(ReadTextFile, AFolderIsRefused) {
    try {
        read(dir.path());
        ADD_FAILURE() << "no error";
    } catch (const NotARegularFile& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  QStringLiteral("Could not read the test file \"%1\": it is not a regular file")
                      .arg(dir.path()));
    }
}

TEST_F(ReadTextFile, ControlCharactersOfTheNameAreShownEscaped) {
    const QString path = dir.filePath(QStringLiteral("a\x01"));
    ASSERT_TRUE(QDir().mkdir(path));
    try {
        read(path);
        ADD_FAILURE() << "no error";
    } catch (const NotARegularFile& error) {
        EXPECT_NE(QString::fromUtf8(error.what()).indexOf(dir.filePath("a\\x01")), -1)
            << error.what();
    }
}

} // namespace
