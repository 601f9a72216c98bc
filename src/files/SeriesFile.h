#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QLocale>
#include <QString>

// The file of a series recording. It has a handle of its own, so no other file the program
// reads or writes while a recording runs can redirect or break it.
class SeriesFile {
public:
    explicit SeriesFile(QString path);
    SeriesFile(const SeriesFile&) = delete;
    SeriesFile& operator=(const SeriesFile&) = delete;

    // Creates the file anew (a running recording starts over) and writes "Multiple" and the
    // date line. A failure throws std::runtime_error and leaves the file closed.
    void start(const QString& dateTimeLine);
    // Writes one scan block and hands it to the system at once, so a crash loses at most the
    // block being written. A failure, or a file not open, throws std::runtime_error; the file is
    // then closed, ending with the last block written in full.
    void append(const QByteArray& block);
    void close();
    bool isOpen() const;
    QString path() const;

private:
    [[noreturn]] void fail(const char* what, qint64 completeSize);

    QFile file;
};

// The start line of a series file: the locale's short date, a blank and its long time; only the
// date when the time is exactly midnight.
QString seriesDateTimeLine(const QDateTime& dateTime, const QLocale& locale);
