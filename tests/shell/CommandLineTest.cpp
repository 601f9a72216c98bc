#include "shell/CommandLine.h"
#include "shell/WindowPlacement.h"
#include "support/QtApp.h"

#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using Action = CommandLineRequest::Action;

struct ArgumentsCase {
    const char* name;
    QStringList arguments;
    Action action;
    QString text; // the whole text for errors, the start of it otherwise
    std::optional<QString> settingsFolder;
};

class CommandLineArguments : public testing::TestWithParam<ArgumentsCase> {};

TEST_P(CommandLineArguments, AreReadAsTheUserMeantThem) {
    const auto& c = GetParam();
    const CommandLineRequest request = readCommandLine(BuildKind::Standard, c.arguments);
    EXPECT_EQ(request.action, c.action);
    if (c.action == Action::Print)
        EXPECT_TRUE(request.text.startsWith(c.text)) << request.text.toStdString();
    else
        EXPECT_EQ(request.text, c.text);
    EXPECT_EQ(request.settingsFolder, c.settingsFolder);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineArguments,
    testing::Values(
        ArgumentsCase{"Nothing", {"Halvane"}, Action::Run, "", std::nullopt},
        ArgumentsCase{"SettingsFolder",
                      {"Halvane", "--settings-folder", "xdg"},
                      Action::Run,
                      "",
                      QString("xdg")},
        ArgumentsCase{"SettingsFolderWithEquals",
                      {"Halvane", "--settings-folder=/tmp/lab"},
                      Action::Run,
                      "",
                      QString("/tmp/lab")},
        ArgumentsCase{"QtPlatformOptionPassesThrough",
                      {"Halvane", "-platform", "offscreen"},
                      Action::Run,
                      "",
                      std::nullopt},
        ArgumentsCase{
            "Help", {"Halvane", "--help"}, Action::Print, "Usage: Halvane [options]", std::nullopt},
        ArgumentsCase{"ShortHelp",
                      {"Halvane", "-h"},
                      Action::Print,
                      "Usage: Halvane [options]",
                      std::nullopt},
        ArgumentsCase{
            "Version", {"Halvane", "--version"}, Action::Print, "Halvane 0.1.0\n", std::nullopt},
        ArgumentsCase{"UnknownOption",
                      {"Halvane", "--bogus"},
                      Action::Fail,
                      "Halvane: Unknown option 'bogus'. Try 'Halvane --help'.",
                      std::nullopt},
        ArgumentsCase{"MissingValue",
                      {"Halvane", "--settings-folder"},
                      Action::Fail,
                      "Halvane: Missing value after '--settings-folder'. Try 'Halvane --help'.",
                      std::nullopt},
        ArgumentsCase{"StrayArgument",
                      {"Halvane", "spectrum.txt"},
                      Action::Fail,
                      "Halvane: unexpected argument 'spectrum.txt'. Try 'Halvane --help'.",
                      std::nullopt}),
    [](const testing::TestParamInfo<ArgumentsCase>& info) { return std::string(info.param.name); });

TEST(CommandLineHelp, NamesEachBuildAndItsOptions) {
    const QString thermal = readCommandLine(BuildKind::Thermal, {"x", "--help"}).text;
    EXPECT_TRUE(thermal.startsWith("Usage: Halvane-thermal [options]"));
    EXPECT_TRUE(thermal.contains("temperature calibration"));
    for (const char* option : {"--help", "--version", "--settings-folder <folder>"})
        EXPECT_TRUE(thermal.contains(option)) << option;
    EXPECT_FALSE(thermal.contains("platform"));
    EXPECT_EQ(readCommandLine(BuildKind::Thermal, {"x", "--version"}).text,
              "Halvane-thermal 0.1.0\n");
}

struct ProcessCase {
    const char* name;
    const char* program;
    QStringList arguments;
    int status;
    QString standardOutput; // its start; empty: nothing at all
    QString standardError;  // whole
};

class ProgramWithoutDisplay : public testing::TestWithParam<ProcessCase> {};

// No display at all: these requests end before the window system is needed.
TEST_P(ProgramWithoutDisplay, AnswersAndExits) {
    const auto& c = GetParam();
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(HALVANE_BIN_DIR "/") + c.program, c.arguments);
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), c.status);
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
    if (c.standardOutput.isEmpty())
        EXPECT_TRUE(output.isEmpty()) << output.toStdString();
    else
        EXPECT_TRUE(output.startsWith(c.standardOutput)) << output.toStdString();
    EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardError()), c.standardError);
}

INSTANTIATE_TEST_SUITE_P(
    BothPrograms, ProgramWithoutDisplay,
    testing::Values(
        ProcessCase{"StandardHelp", "Halvane", {"--help"}, 0, "Usage: Halvane", ""},
        ProcessCase{
            "ThermalVersion", "Halvane-thermal", {"--version"}, 0, "Halvane-thermal 0.1.0\n", ""},
        ProcessCase{"UnknownOption",
                    "Halvane",
                    {"--no-such-option"},
                    2,
                    "",
                    "Halvane: Unknown option 'no-such-option'. Try 'Halvane "
                    "--help'.\n"}),
    [](const testing::TestParamInfo<ProcessCase>& info) { return std::string(info.param.name); });

TEST(WindowPlacement, SizeAndPositionComeBackAtTheNextStart) {
    qtApp();
    QTemporaryDir folder;
    QSettings settings(folder.filePath("placement.ini"), QSettings::IniFormat);
    QWidget first;
    EXPECT_FALSE(restoreWindowPlacement(first, settings));
    first.setGeometry(120, 90, 910, 615);
    first.show();
    saveWindowPlacement(first, settings);
    settings.sync();

    QSettings reread(folder.filePath("placement.ini"), QSettings::IniFormat);
    QWidget next;
    ASSERT_TRUE(restoreWindowPlacement(next, reread));
    next.show();
    EXPECT_EQ(next.size(), QSize(910, 615));
    EXPECT_EQ(next.pos(), first.pos());
}

} // namespace
