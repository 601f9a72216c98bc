#pragma once

#include <QApplication>

// The one application object widget tests need; created on first use.
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "halvane-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}
