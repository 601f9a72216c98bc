#include "files/WholeFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include <stdexcept>

void writeWholeFile(const QString& path, const QByteArray& content, const QString& what) {
    QSaveFile file(path);
    const auto fail = [&](const QString& action, const QString& reason) {
        throw std::runtime_error(QStringLiteral("Could not %1 the %2 \"%3\": %4")
                                     .arg(action, what, path, reason)
                                     .toStdString());
    };
    const QFileInfo target(path);
    // Renaming over a device would replace the device itself.
    if (target.exists() && !target.isFile())
        fail("write", "it is not a regular file");
    // Unbuffered, so a short write shows here: a buffered one would commit a truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail("create", file.errorString());
    // A short write is followed by another, which reports the reason.
    for (qsizetype written = 0; written < content.size();) {
        const qint64 n = file.write(content.constData() + written, content.size() - written);
        if (n <= 0)
            fail("write", file.errorString());
        written += n;
    }
    if (!file.commit())
        fail("write", file.errorString());
}
