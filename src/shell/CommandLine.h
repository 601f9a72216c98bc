#pragma once

#include "measurement/BuildKind.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the command line asks of a windowed program. It is read before the application object
// exists, so --help, --version and a wrong option need no display.
struct CommandLineRequest {
    enum class Action { Run, Print, Fail };
    Action action = Action::Run;
    // For Print: the text for standard output; for Fail: the one-line error for standard error.
    QString text;
    // --settings-folder, which takes the values of HALVANE_SETTINGS_FOLDER and wins over it.
    std::optional<QString> settingsFolder;
};

// arguments as main() received them, the program name first.
CommandLineRequest readCommandLine(BuildKind kind, const QStringList& arguments);

// Exit statuses of the requests that end the program before its window.
inline constexpr int CommandLineUsageStatus = 2;
