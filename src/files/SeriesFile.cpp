#include "files/SeriesFile.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

const QString NotRegular = QStringLiteral("it is not a regular file");

QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens path for writing, emptied, without waiting: opening a FIFO for writing would wait for a
// reader. -1 and the reason when it cannot be created or is not a regular file.
int createRegular(const QString& path, QString& reason) {
    const QFileInfo target(path);
    if (target.exists() && !target.isFile()) {
        reason = NotRegular;
        return -1;
    }
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                    0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        reason = systemReason(errno);
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = NotRegular;
    } else if (::ftruncate(fd, 0) != 0) {
        reason = systemReason(errno);
    } else {
        // Some file systems (FUSE) hand O_NONBLOCK on to every write.
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return fd;
    }
    ::close(fd);
    return -1;
}

} // namespace

SeriesFileError::SeriesFileError(const QString& detail)
    : std::runtime_error(QStringLiteral("File io error: %1").arg(detail).toStdString()),
      detail_(detail) {}

SeriesFile::SeriesFile(QString path) : path_(std::move(path)) {}

void SeriesFile::start(const QString& dateTimeLine) {
    file.close();
    QString reason;
    const int fd = createRegular(path_, reason);
    if (fd < 0)
        fail("cannot create", reason, 0);
    // Unbuffered: every write goes to the system at once, and a failed one leaves nothing
    // behind in a buffer that closing would try to write again.
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered,
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        fail("cannot create", file.errorString(), 0);
    }
    append("Multiple\r\n" + dateTimeLine.toUtf8() + "\r\n");
}

void SeriesFile::append(const QByteArray& block) {
    if (!file.isOpen())
        throw SeriesFileError(QStringLiteral("\"%1\" is not open").arg(path_));
    const qint64 before = file.pos();
    // A short write is followed by another, which reports the reason.
    for (qsizetype written = 0; written < block.size();) {
        const qint64 n = file.write(block.constData() + written, block.size() - written);
        if (n <= 0)
            fail("cannot write", file.errorString(), before);
        written += n;
    }
}

void SeriesFile::close() {
    file.close();
}

bool SeriesFile::isOpen() const {
    return file.isOpen();
}

QString SeriesFile::path() const {
    return path_;
}

void SeriesFile::fail(const char* what, const QString& reason, qint64 completeSize) {
    const SeriesFileError error(
        QStringLiteral("%1 \"%2\": %3").arg(QLatin1String(what), path_, reason));
    // A block written in part is cut off, so the file ends with the last complete block.
    if (file.isOpen())
        file.resize(completeSize);
    file.close();
    throw error;
}

QString seriesDateTimeLine(const QDateTime& dateTime, const QLocale& locale) {
    const QString date = locale.toString(dateTime.date(), QLocale::ShortFormat);
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + u' ' + locale.toString(dateTime, locale.timeFormat(QLocale::LongFormat));
}
