#include "shell/Application.h"

#include "shell/Guard.h"
#include "shell/MainForm.h"
#include "shell/ProgramPaths.h"
#include "shell/QtPrompts.h"

#include <QApplication>
#include <QDir>

int runHalvane(BuildKind kind, int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(ApplicationTitle);
    QtPrompts prompts;
    TMainForm::Options options;
    options.kind = kind;
    options.prompts = &prompts;
    // Fixed once here, so no later dialog can move where the settings are written.
    options.settingsFolder = QDir::currentPath();
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
