#include "shell/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

QString shippedDataFolder() {
    QDir beside(QCoreApplication::applicationDirPath());
    if (!beside.entryList({"calibration-*.ini"}, QDir::Files).isEmpty())
        return beside.absolutePath();
    return QStringLiteral(HALVANE_INSTALL_DATADIR);
}
