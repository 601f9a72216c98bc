#include "shell/Application.h"

#include "shell/Guard.h"
#include "shell/MainForm.h"
#include "shell/ProgramPaths.h"
#include "shell/QtPrompts.h"

#include <QApplication>
#include <QIcon>

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
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QApplication::setWindowIcon(programIcon());
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(kind == BuildKind::Thermal ? "halvane-thermal" : "halvane");
    QtPrompts prompts;
    TMainForm::Options options;
    options.kind = kind;
    options.prompts = &prompts;
    // Fixed once here, so no later dialog can move where the settings are written.
    options.settingsFolder = settingsFolder();
    options.dataFolder = shippedDataFolder();
    TMainForm form(options);
    guarded(prompts, [&] { form.FormCreate(); });
    form.CreateDialogs();
    prompts.setParent(&form);
    form.show();
    int result = app.exec();
    prompts.setParent(nullptr);
    guarded(prompts, [&] { form.FormDestroy(); });
    return result;
}
