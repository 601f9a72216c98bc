#include "files/TextLines.h"

#include "measurement/VisibleText.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr qsizetype ChunkBytes = 64 * 1024;

} // namespace

TextLines::TextLines(QIODevice& in, QString name) : in_(in), name_(std::move(name)) {}

std::optional<QByteArray> TextLines::next(qsizetype keep) {
    ++lineNumber_;
    QByteArray kept;
    qsizetype length = 0; // bytes before the LF
    char last = 0;
    bool any = false;
    while (pos_ < chunk_.size() || fill()) {
        any = true;
        const char* begin = chunk_.constData() + pos_;
        const qsizetype available = chunk_.size() - pos_;
        const auto* lineFeed = static_cast<const char*>(std::memchr(begin, '\n', available));
        const qsizetype take = lineFeed ? lineFeed - begin : available;
        if (take > MaxLineBytes - length)
            fail(QStringLiteral("line %1 is longer than %2 bytes")
                     .arg(lineNumber_)
                     .arg(MaxLineBytes));
        kept.append(begin, std::min(take, keep - kept.size()));
        if (take > 0)
            last = begin[take - 1];
        length += take;
        pos_ += take;
        if (lineFeed) {
            ++pos_;
            break;
        }
    }
    if (!any)
        return std::nullopt;
    if (last == '\r' && kept.size() == length)
        kept.chop(1);
    return kept;
}

void TextLines::fail(const QString& reason) const {
    throw UnreadableFile(QStringLiteral("Could not read %1: %2").arg(name_, reason).toStdString());
}

bool TextLines::fill() {
    chunk_.resize(ChunkBytes);
    pos_ = 0;
    const qint64 n = in_.read(chunk_.data(), ChunkBytes);
    if (n < 0)
        fail(in_.errorString());
    chunk_.resize(n);
    return n > 0;
}

bool readTextFile(const QString& path, const QString& what,
                  const std::function<void(TextLines&)>& read) {
    // The system would see the name only up to a NUL: no file of the whole name can exist.
    if (path.isEmpty() || path.contains(QChar(0)))
        return false;
    const QByteArray native = QFile::encodeName(path);
    // Without O_NONBLOCK opening a FIFO waits for a writer.
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return false;
    }
    const QString name = QStringLiteral("the %1 \"%2\"").arg(what, visibleText(path));
    if (!S_ISREG(info.st_mode)) {
        ::close(fd);
        throw NotARegularFile(
            QStringLiteral("Could not read %1: it is not a regular file").arg(name).toStdString());
    }
    // Some file systems (FUSE) hand O_NONBLOCK on to every read.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    TextLines lines(file, name);
    read(lines);
    return true;
}
