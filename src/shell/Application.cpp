#include "shell/Application.h"

#include "shell/CommandLine.h"
#include "shell/Guard.h"
#include "shell/MainForm.h"
#include "shell/ProgramPaths.h"
#include "shell/QtPrompts.h"
#include "shell/WindowPlacement.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>

#include <cstdio>

namespace {

// The icon theme's sizes, so the window manager never has to scale a small one up.
QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/halvane/halvane-%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int runHalvane(BuildKind kind, int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineRequest request = readCommandLine(kind, arguments);
    if (request.action == CommandLineRequest::Action::Print) {
        std::fputs(request.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    if (request.action == CommandLineRequest::Action::Fail) {
        std::fprintf(stderr, "%s\n", request.text.toLocal8Bit().constData());
        return CommandLineUsageStatus;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(programIcon());
    // Lets the desktop match the window to its menu entry and icon.
    const QString desktopName = kind == BuildKind::Thermal ? "halvane-thermal" : "halvane";
    QGuiApplication::setDesktopFileName(desktopName);
    QtPrompts prompts;
    TMainForm::Options options;
    options.kind = kind;
    options.prompts = &prompts;
    // Fixed once here, so no later dialog can move where the settings are written.
    options.settingsFolder = settingsFolder(request.settingsFolder);
    options.dataFolder = shippedDataFolder();
    TMainForm form(options);
    guarded(prompts, [&] { form.FormCreate(); });
    form.CreateDialogs();
    prompts.setParent(&form);
    // In the user's configuration folder, one file per program.
    QSettings placement(QSettings::IniFormat, QSettings::UserScope, "halvane", desktopName);
    restoreWindowPlacement(form, placement);
    form.show();
    int result = app.exec();
    saveWindowPlacement(form, placement);
    prompts.setParent(nullptr);
    guarded(prompts, [&] { form.FormDestroy(); });
    return result;
}
