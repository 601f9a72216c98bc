#include "shell/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString shippedDataFolder() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString candidates[] = {
        programFolder.absolutePath(),
        QDir::cleanPath(
            programFolder.absoluteFilePath(QString::fromUtf8(HALVANE_DATA_FROM_BINDIR))),
    };
    for (const QString& folder : candidates) {
        if (!QDir(folder).entryList({"calibration-*.ini"}, QDir::Files).isEmpty())
            return folder;
    }
    return QString::fromUtf8(HALVANE_INSTALL_DATADIR);
}

QString settingsFolder(const SettingsFolderInputs& inputs) {
    const QDir current(inputs.currentFolder);
    if (inputs.variable.isEmpty())
        return QDir::cleanPath(current.absolutePath());
    if (inputs.variable != QLatin1String(SettingsFolderXdg))
        return QDir::cleanPath(current.absoluteFilePath(inputs.variable));
    // The XDG rule: a relative XDG_CONFIG_HOME is invalid and ignored.
    const QString base = QFileInfo(inputs.configHome).isAbsolute()
                             ? inputs.configHome
                             : QDir(inputs.home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(QDir(base).filePath(QStringLiteral("halvane")));
}

QString settingsFolder(const std::optional<QString>& option) {
    const QString choice = option ? *option : qEnvironmentVariable("HALVANE_SETTINGS_FOLDER");
    const QString folder = settingsFolder(
        {choice, QDir::currentPath(), qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath()});
    // A folder that cannot be made shows up as a failed write of the properties file at exit.
    QDir().mkpath(folder);
    return folder;
}
