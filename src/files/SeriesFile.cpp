#include "files/SeriesFile.h"

#include <stdexcept>
#include <utility>

SeriesFile::SeriesFile(QString path) : file(std::move(path)) {}

void SeriesFile::start(const QString& dateTimeLine) {
    file.close();
    // Unbuffered: every write goes to the system at once, and a failed one leaves nothing
    // behind in a buffer that closing would try to write again.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        fail("cannot create", 0);
    append("Multiple\r\n" + dateTimeLine.toUtf8() + "\r\n");
}

void SeriesFile::append(const QByteArray& block) {
    if (!file.isOpen()) {
        throw std::runtime_error(
            QStringLiteral("File io error: \"%1\" is not open").arg(file.fileName()).toStdString());
    }
    const qint64 before = file.pos();
    // A short write is followed by another, which reports the reason.
    for (qsizetype written = 0; written < block.size();) {
        const qint64 n = file.write(block.constData() + written, block.size() - written);
        if (n <= 0)
            fail("cannot write", before);
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
    return file.fileName();
}

void SeriesFile::fail(const char* what, qint64 completeSize) {
    const QString message = QStringLiteral("File io error: %1 \"%2\": %3")
                                .arg(QLatin1String(what), file.fileName(), file.errorString());
    // A block written in part is cut off, so the file ends with the last complete block.
    if (file.isOpen())
        file.resize(completeSize);
    file.close();
    throw std::runtime_error(message.toStdString());
}

QString seriesDateTimeLine(const QDateTime& dateTime, const QLocale& locale) {
    const QString date = locale.toString(dateTime.date(), QLocale::ShortFormat);
    if (dateTime.time() == QTime(0, 0))
        return date;
    return date + u' ' + locale.toString(dateTime, locale.timeFormat(QLocale::LongFormat));
}
