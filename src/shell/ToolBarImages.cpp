#include "shell/ToolBarImages.h"

// Drawn with the program's icon, compiled in as resources (packaging/icons).
QIcon singleImage() {
    return QIcon(QStringLiteral(":/halvane/single.png"));
}

QIcon startImage() {
    return QIcon(QStringLiteral(":/halvane/start.png"));
}

QIcon stopImage() {
    return QIcon(QStringLiteral(":/halvane/stop.png"));
}
