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
    if (!file.open(QIODevice::WriteOnly))
        fail("create", file.errorString());
    if (file.write(content) != content.size() || !file.commit())
        fail("write", file.errorString());
}
