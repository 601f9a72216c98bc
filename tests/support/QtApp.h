#pragma once

#include <QApplication>

// The one application object widget tests need; created on first use and never destroyed, since
// Qt's own objects may be gone by the time static destructors run.
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "halvane-test";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}
