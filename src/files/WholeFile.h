#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at path with content all at once: written to a temporary file beside it and
// renamed over it, so a crash or a full disk never leaves it half-written. A path that names
// something other than a regular file (a device such as /dev/full, a folder) is refused rather
// than replaced. Throws std::runtime_error naming `what` (e.g. "display file") and the reason.
void writeWholeFile(const QString& path, const QByteArray& content, const QString& what);
