#include "shell/WindowPlacement.h"

#include <QSettings>
#include <QWidget>

namespace {

const QString GeometryKey = QStringLiteral("MainWindow/geometry");

} // namespace

bool restoreWindowPlacement(QWidget& window, const QSettings& settings) {
    const QByteArray geometry = settings.value(GeometryKey).toByteArray();
    return !geometry.isEmpty() && window.restoreGeometry(geometry);
}

void saveWindowPlacement(const QWidget& window, QSettings& settings) {
    settings.setValue(GeometryKey, window.saveGeometry());
}
