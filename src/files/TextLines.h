#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>
#include <stdexcept>

// The lines of a text, read one at a time from an open device with a bound on each, so no input
// makes a reader scan without end or keep more than it asks for.
class TextLines {
public:
    // Longer than any line the program writes or reads; a longer one is in no file of its own.
    static constexpr qsizetype MaxLineBytes = qsizetype{1} << 20;

    // name is what messages call the text, such as `the calibration file "/data/cal.ini"`.
    TextLines(QIODevice& in, QString name);

    // The next line without its line end (LF, or CR LF), of it only the first `keep` bytes; the
    // rest of the line is passed over. Nothing past the end of the text. A line of more than
    // MaxLineBytes bytes before its LF, or a read error, throws UnreadableFile naming the
    // text ("Could not read the calibration file "/data/cal.ini": line 3 is longer than 1048576
    // bytes").
    std::optional<QByteArray> next(qsizetype keep = MaxLineBytes);

private:
    [[noreturn]] void fail(const QString& reason) const;
    bool fill();

    QIODevice& in_;
    QString name_;
    QByteArray chunk_;
    qsizetype pos_ = 0;
    int lineNumber_ = 0;
};

// A text that cannot be read as lines at all: a line longer than any valid one, or a read error.
// Unlike a line that does not convert, it says nothing of what the file was meant to hold.
class UnreadableFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that is there but is no regular file (a FIFO, a device, a folder): reading it could wait
// for ever or never end, so it is refused before a byte is read.
class NotARegularFile : public UnreadableFile {
public:
    using UnreadableFile::UnreadableFile;
};

// The one way the program opens a file to read it. Opens path without ever waiting, checks that
// it is a regular file and hands its lines to read, named `the <what> "<path>"`. False, without
// calling read, when the file cannot be opened (missing, no access). A file that is not a regular
// file throws NotARegularFile ("Could not read the <what> "<path>": it is not a regular file").
bool readTextFile(const QString& path, const QString& what,
                  const std::function<void(TextLines&)>& read);
