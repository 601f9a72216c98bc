#include "shell/CommandLine.h"

#include <QCommandLineParser>

namespace {

QString programName(BuildKind kind) {
    return kind == BuildKind::Thermal ? QStringLiteral("Halvane-thermal")
                                      : QStringLiteral("Halvane");
}

QString description(BuildKind kind) {
    QString text = QStringLiteral(
        "Drives a line-array spectrometer camera through a camera-server module and shows its "
        "spectra.");
    if (kind == BuildKind::Thermal)
        text += QStringLiteral("\nThis build adds the detector's temperature calibration and a "
                               "high-gain switch.");
    return text + QStringLiteral("\n\nThe camera-server module is the one HALVANE_CAMERA_SERVER "
                                 "names, else the simulated\nspectrometer installed with the "
                                 "program.");
}

} // namespace

CommandLineRequest readCommandLine(BuildKind kind, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description(kind));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption settings(
        QStringLiteral("settings-folder"),
        QStringLiteral("Keep DevicePropertiesFile.ini in <folder>: 'xdg' for "
                       "$XDG_CONFIG_HOME/halvane, any other value for that folder. Default: "
                       "HALVANE_SETTINGS_FOLDER, else the current folder."),
        QStringLiteral("folder"));
    parser.addOption(settings);
    // Qt's own options, which the application object reads after us.
    for (const char* name : {"platform", "style", "stylesheet", "display"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    CommandLineRequest request;
    const QString name = programName(kind);
    if (!parser.parse(arguments)) {
        request.action = CommandLineRequest::Action::Fail;
        request.text = QStringLiteral("%1: %2 Try '%1 --help'.").arg(name, parser.errorText());
        return request;
    }
    if (!parser.positionalArguments().isEmpty()) {
        request.action = CommandLineRequest::Action::Fail;
        request.text = QStringLiteral("%1: unexpected argument '%2'. Try '%1 --help'.")
                           .arg(name, parser.positionalArguments().front());
        return request;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        request.action = CommandLineRequest::Action::Print;
        // The parser names the program after the application object, which is not made yet
        // (or, in a test, is another one): the usage line names the build.
        QString help = parser.helpText();
        help.replace(0, help.indexOf('\n'), QStringLiteral("Usage: %1 [options]").arg(name));
        request.text = help;
        return request;
    }
    if (parser.isSet(version)) {
        request.action = CommandLineRequest::Action::Print;
        request.text = name + QStringLiteral(" ") + QStringLiteral(HALVANE_VERSION) + "\n";
        return request;
    }
    if (parser.isSet(settings))
        request.settingsFolder = parser.value(settings);
    return request;
}
