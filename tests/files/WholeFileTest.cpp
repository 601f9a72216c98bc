#include "files/WholeFile.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string failureOf(const QString& path, const QByteArray& content = "new") {
    try {
        writeWholeFile(path, content, "test file");
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

} // namespace

TEST(WholeFile, ReplacesARegularFileWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    writeWholeFile(path, "old", "test file");
    writeWholeFile(path, "new", "test file");
    EXPECT_EQ(contentOf(path), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"});
}

TEST(WholeFile, RefusesAFolderAndAPathThroughAFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_NE(failureOf(dir.filePath("folder")).find("not a regular file"), std::string::npos);
    writeWholeFile(dir.filePath("plain"), "x", "test file");
    const std::string through = failureOf(dir.filePath("plain/inner.txt"));
    EXPECT_NE(through.find("Could not create the test file"), std::string::npos) << through;
}

// A device is written through, never renamed over: the device must still be there afterwards.
TEST(WholeFile, RefusesADeviceAndLeavesItInPlace) {
    QTemporaryDir dir;
    const QString device = dir.filePath("full");
    if (mknod(device.toLocal8Bit().constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        GTEST_SKIP() << "making a device file needs root";
    EXPECT_NE(failureOf(device).find("not a regular file"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(stat(device.toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

TEST(WholeFile, AFailedWriteThrowsAndKeepsTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("a.txt");
    writeWholeFile(path, "old", "test file");
    {
        const FileSizeLimit limit(10);
        EXPECT_NE(failureOf(path, QByteArray(100, 'x')).find("Could not write the test file"),
                  std::string::npos);
    }
    EXPECT_EQ(contentOf(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.txt"});
}
