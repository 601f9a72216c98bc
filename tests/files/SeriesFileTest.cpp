#include "files/SeriesFile.h"

#include "files/DisplayFile.h"
#include "support/FileSizeLimit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <csignal>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// As a std::string, so a mismatch prints as text.
std::string readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

const QByteArray Header = "Multiple\r\n07.03.24 14:05:09\r\n";

QByteArray block(int number) {
    return "Scan " + QByteArray::number(number) + ",   \r\n0, 12.0\n1, 13.5\n\r\n";
}

class SeriesFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("series.txt"));
};

TEST_F(SeriesFileTest, WritesTheHeaderAndEachBlockAtOnce) {
    SeriesFile series(path);
    series.start(QStringLiteral("07.03.24 14:05:09"));
    EXPECT_TRUE(series.isOpen());
    EXPECT_EQ(series.path(), path);
    EXPECT_EQ(readAll(path), Header.toStdString());
    for (int n = 0; n < 3; ++n) {
        series.append(block(n));
        // Readable by others before the file is closed.
        EXPECT_TRUE(readAll(path).ends_with(block(n).toStdString()));
    }
    series.close();
    EXPECT_FALSE(series.isOpen());
    series.close();
    EXPECT_EQ(readAll(path), (Header + block(0) + block(1) + block(2)).toStdString());
}

TEST_F(SeriesFileTest, StartReplacesAnExistingFileAndARunningRecording) {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an older and much longer file content");
    old.close();

    SeriesFile series(path);
    series.start(QStringLiteral("first"));
    series.append(block(0));
    series.start(QStringLiteral("07.03.24 14:05:09"));
    series.append(block(0));
    series.close();
    EXPECT_EQ(readAll(path), (Header + block(0)).toStdString());
}

TEST_F(SeriesFileTest, OtherFilesWrittenMeanwhileDoNotDisturbIt) {
    SeriesFile series(path);
    series.start(QStringLiteral("07.03.24 14:05:09"));
    series.append(block(0));
    const QString display = dir.filePath(QStringLiteral("display.txt"));
    writeDisplayFile(display, 2, block(0));
    series.append(block(1));
    series.close();
    EXPECT_EQ(readAll(path), (Header + block(0) + block(1)).toStdString());
    EXPECT_EQ(readAll(display), ("Single\r\n2\r\n" + block(0)).toStdString());
}

TEST_F(SeriesFileTest, AFileThatCannotBeCreatedThrowsAndStaysClosed) {
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));

    for (const QString& bad : {dir.filePath(QStringLiteral("plain/series.txt")),
                               dir.filePath(QStringLiteral("folder"))}) {
        SeriesFile series(bad);
        try {
            series.start(QStringLiteral("date"));
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const std::runtime_error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("File io error: cannot create"), std::string::npos) << message;
            EXPECT_NE(message.find(bad.toStdString()), std::string::npos) << message;
        }
        EXPECT_FALSE(series.isOpen());
        EXPECT_THROW(series.append(block(0)), std::runtime_error);
    }
}

TEST_F(SeriesFileTest, AFullDiskFailsTheWriteAndClosesTheFile) {
    SeriesFile series(path);
    try {
        const FileSizeLimit limit(0);
        series.start(QStringLiteral("date"));
        ADD_FAILURE() << "no error";
    } catch (const SeriesFileError& e) {
        EXPECT_EQ(e.detail(), QStringLiteral("cannot write \"%1\": File too large").arg(path));
        EXPECT_EQ(std::string(e.what()), "File io error: " + e.detail().toStdString());
    }
    EXPECT_FALSE(series.isOpen());
}

// Opening a FIFO for writing would wait for a reader, and a device takes the blocks nowhere.
TEST_F(SeriesFileTest, AnythingButARegularFileIsRefusedWithoutWaiting) {
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString link = dir.filePath(QStringLiteral("full"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), link));
    for (const QString& bad : {fifo, link, QStringLiteral("/dev/zero")}) {
        SeriesFile series(bad);
        try {
            series.start(QStringLiteral("date"));
            ADD_FAILURE() << "no error for " << bad.toStdString();
        } catch (const SeriesFileError& e) {
            EXPECT_EQ(e.detail(),
                      QStringLiteral("cannot create \"%1\": it is not a regular file").arg(bad));
        }
        EXPECT_FALSE(series.isOpen());
    }
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(SeriesFileTest, AFailedBlockKeepsTheBlocksBeforeIt) {
    SeriesFile series(path);
    series.start(QStringLiteral("07.03.24 14:05:09"));
    series.append(block(0));
    series.append(block(1));
    const QByteArray complete = Header + block(0) + block(1);
    {
        // Room for a part of the next block only.
        const FileSizeLimit limit(static_cast<rlim_t>(complete.size() + 5));
        EXPECT_THROW(series.append(block(2)), std::runtime_error);
    }
    EXPECT_FALSE(series.isOpen());
    EXPECT_EQ(readAll(path), complete.toStdString());
    EXPECT_THROW(series.append(block(3)), std::runtime_error);
    EXPECT_EQ(readAll(path), complete.toStdString());
}

TEST(SeriesDateTimeLine, ShortDateBlankLongTimeExceptAtMidnight) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const QTimeZone utc = QTimeZone::utc();
    EXPECT_EQ(seriesDateTimeLine(QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9), utc), german),
              QStringLiteral("07.03.24 14:05:09 UTC"));
    EXPECT_EQ(seriesDateTimeLine(QDateTime(QDate(2024, 3, 7), QTime(0, 0), utc), german),
              QStringLiteral("07.03.24"));
    EXPECT_EQ(seriesDateTimeLine(QDateTime(QDate(2024, 3, 7), QTime(0, 0, 0, 1), utc), german),
              QStringLiteral("07.03.24 00:00:00 UTC"));
}

} // namespace
