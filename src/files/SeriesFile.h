#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QString>
#include <stdexcept>

// A failed create or write of the series file. what() is "File io error: " and the detail, such
// as `cannot write "/data/series.txt": No space left on device`.
class SeriesFileError : public std::runtime_error {
public:
    explicit SeriesFileError(const QString& detail);
    const QString& detail() const { return detail_; }

private:
    QString detail_;
};

// The file of a series recording. It has a handle of its own, so no other file the program
// reads or writes while a recording runs can redirect or break it.
class SeriesFile {
public:
    explicit SeriesFile(QString path);
    SeriesFile(const SeriesFile&) = delete;
    SeriesFile& operator=(const SeriesFile&) = delete;

    // Creates the file anew (a running recording starts over) and writes "Multiple" and the
    // date line. The create never waits: a path that names anything but a regular file (a FIFO,
    // a device, a folder) is refused. A failure throws SeriesFileError and leaves the file
    // closed.
    void start(const QString& dateTimeLine);
    // Writes one scan block and hands it to the system at once, so a crash loses at most the
    // block being written. A failure, or a file not open, throws SeriesFileError; the file is
    // then closed, ending with the last block written in full.
    void append(const QByteArray& block);
    void close();
    bool isOpen() const;
    QString path() const;

private:
    [[noreturn]] void fail(const char* what, const QString& reason, qint64 completeSize);

    QString path_;
    QFile file;
};

// The start line of a series file: the locale's short date, a blank and its long time; only the
// date when the time is exactly midnight.
QString seriesDateTimeLine(const QDateTime& dateTime, const QLocale& locale);
