#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <cstddef>
#include <sys/stat.h>

// What a hostile file system may put where a file is expected.
enum class Hostile {
    DevZero,   // a link to /dev/zero: endless bytes, no line end
    DevFull,   // a link to /dev/full
    Fifo,      // opening it for reading waits for a writer
    Sparse2GB, // 2 GiB without a line end; never written, so it takes no disk
    NulByte,   // the given content, which holds a NUL byte
};

// A literal with its NUL bytes.
template <std::size_t N> QByteArray bytesOf(const char (&text)[N]) {
    return QByteArray(text, N - 1);
}

// Makes path the given kind of hostile file; withNul is the content for Hostile::NulByte.
inline void makeHostileFile(const QString& path, Hostile kind, const QByteArray& withNul = {}) {
    QFile file(path);
    switch (kind) {
    case Hostile::DevZero:
        ASSERT_TRUE(QFile::link("/dev/zero", path));
        break;
    case Hostile::DevFull:
        ASSERT_TRUE(QFile::link("/dev/full", path));
        break;
    case Hostile::Fifo:
        ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        break;
    case Hostile::Sparse2GB:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64{2} << 30));
        break;
    case Hostile::NulByte:
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(withNul);
        break;
    }
}
