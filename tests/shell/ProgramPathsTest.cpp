#include "shell/ProgramPaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

namespace {

struct FolderCase {
    const char* name;
    SettingsFolderInputs inputs;
    QString expected;
};

class SettingsFolderRule : public testing::TestWithParam<FolderCase> {};

// Sets an environment variable for one test and puts back what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QByteArray& value) : name_(name) {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedVariable() {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

} // namespace

TEST_P(SettingsFolderRule, ChoosesTheFolder) {
    EXPECT_EQ(settingsFolder(GetParam().inputs), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFolderRule,
    testing::Values(
        FolderCase{"UnsetKeepsTheStartFolder", {"", "/work/run", "/c", "/home/u"}, "/work/run"},
        FolderCase{"StartFolderIsCleaned", {"", "/work/run/../run/", "", "/home/u"}, "/work/run"},
        FolderCase{"XdgUsesConfigHome", {"xdg", "/work", "/c/conf", "/home/u"}, "/c/conf/halvane"},
        FolderCase{"XdgWithoutConfigHomeUsesDotConfig",
                   {"xdg", "/work", "", "/home/u"},
                   "/home/u/.config/halvane"},
        FolderCase{"XdgIgnoresARelativeConfigHome",
                   {"xdg", "/work", "conf", "/home/u"},
                   "/home/u/.config/halvane"},
        FolderCase{
            "AbsoluteFolderIsTakenAsIs", {"/data/halvane/", "/work", "/c", "/h"}, "/data/halvane"},
        FolderCase{"RelativeFolderIsUnderTheStartFolder",
                   {"lab/one", "/work", "/c", "/h"},
                   "/work/lab/one"},
        FolderCase{"DotSlashXdgIsAFolderNamedXdg", {"./xdg", "/work", "/c", "/h"}, "/work/xdg"}),
    [](const testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST(SettingsFolderFromEnvironment, CreatesTheMissingConfigFolder) {
    QTemporaryDir config;
    ASSERT_TRUE(config.isValid());
    ScopedVariable variable("HALVANE_SETTINGS_FOLDER", SettingsFolderXdg);
    ScopedVariable configHome("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    const QString expected = QDir(config.path()).filePath("halvane");
    EXPECT_EQ(settingsFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

TEST(SettingsFolderFromEnvironment, UnsetMeansTheCurrentFolder) {
    ScopedVariable variable("HALVANE_SETTINGS_FOLDER", "");
    EXPECT_EQ(settingsFolder(), QDir::currentPath());
}

TEST(SettingsFolderFromEnvironment, CommandLineChoiceWinsOverTheVariable) {
    QTemporaryDir chosen;
    ASSERT_TRUE(chosen.isValid());
    ScopedVariable variable("HALVANE_SETTINGS_FOLDER", "/nonexistent/elsewhere");
    const QString folder = QDir(chosen.path()).filePath("lab");
    EXPECT_EQ(settingsFolder(folder), folder);
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
