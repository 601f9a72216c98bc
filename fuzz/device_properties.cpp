// Reads the input as a device properties file with either decimal separator. A file that reads
// must survive being written and read again unchanged; a bad one must have been set aside.
#include "FuzzCheck.h"
#include "files/DevicePropertiesFile.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

void writeInput(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) ==
               static_cast<qint64>(size));
}

void checkRead(const QString& dir, const uint8_t* data, size_t size, QChar separator) {
    const QString path = dir + QStringLiteral("/DevicePropertiesFile.ini");
    const QString badPath = path + QStringLiteral(".bad");
    writeInput(path, data, size);
    const ReadResult result = readDeviceProperties(path, separator);
    FUZZ_CHECK(result.outcome != ReadOutcome::Missing);
    if (result.outcome == ReadOutcome::Bad) {
        FUZZ_CHECK(!result.error.isEmpty());
        FUZZ_CHECK(!QFile::exists(path) && QFile::exists(badPath));
        FUZZ_CHECK(QFile::remove(badPath));
        return;
    }
    FUZZ_CHECK(QFile::exists(path) && !QFile::exists(badPath));
    writeDeviceProperties(path, result.values, separator);
    const QByteArray written = readAll(path);
    const ReadResult again = readDeviceProperties(path, separator);
    FUZZ_CHECK(again.outcome == ReadOutcome::Read);
    writeDeviceProperties(path, again.values, separator);
    FUZZ_CHECK(readAll(path) == written);
    FUZZ_CHECK(QFile::remove(path));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    try {
        checkRead(dir.path(), data, size, u'.');
        checkRead(dir.path(), data, size, u',');
    } catch (const std::runtime_error&) {
        // A file system error is a documented outcome, but leaves no file for the next input.
        QFile::remove(dir.filePath(QStringLiteral("DevicePropertiesFile.ini")));
        QFile::remove(dir.filePath(QStringLiteral("DevicePropertiesFile.ini.bad")));
    }
    return 0;
}
