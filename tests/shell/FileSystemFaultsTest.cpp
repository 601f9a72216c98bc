#include "support/FileSizeLimit.h"
#include "support/MainFormFixture.h"
#include "support/Waiting.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QToolButton>

#include <functional>
#include <optional>
#include <string>

namespace {

enum class Target { Settings, Display, Series };

enum class Fault {
    PathThroughFile,  // a folder of the path is a regular file
    Removed,          // the file is removed between choosing and writing
    ReplacedByFolder, // the file is replaced by a folder between choosing and writing
    DiskFull,         // writes fail once the file reaches a few bytes
    Device,           // the chosen file is /dev/full
};

struct FaultCase {
    const char* name;
    Target target;
    Fault fault;
    const char* error; // a part of the error box's text; empty when the write must work
};

const QByteArray OldContent = "old content\r\n";

// Valid settings for the fake's four elements, so they read at start without a question.
const QByteArray Settings =
    "0\r\n0\r\n0\r\n1\r\n16\r\n4\r\n0\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n0\r\n1\r\n\r\n";

} // namespace

// Each file the program writes, each way the file system can fail it: a clear error, nothing that
// was there before is damaged, and the program goes on measuring.
class FileSystemFaults : public MainFormFixture, public ::testing::WithParamInterface<FaultCase> {
protected:
    QString target;

    void SetUp() override {
        QFile plain(folder.filePath("plain"));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }

    QByteArray contentOf(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeOld(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(OldContent);
    }
    // What happens to the chosen file while the program waits between choosing and writing.
    void strike(Fault fault) {
        if (fault == Fault::Removed || fault == Fault::ReplacedByFolder) {
            ASSERT_TRUE(QFile::remove(target));
        }
        if (fault == Fault::ReplacedByFolder) {
            ASSERT_TRUE(QDir().mkdir(target));
        }
    }
    void chooseTarget(Fault fault, const QString& name) {
        target = fault == Fault::PathThroughFile ? folder.filePath("plain/" + name)
                 : fault == Fault::Device        ? QStringLiteral("/dev/full")
                                                 : folder.filePath(name);
    }

    // A full disk lasts for the one write.
    void write(Fault fault, const std::function<void()>& action) {
        std::optional<FileSizeLimit> limit;
        if (fault == Fault::DiskFull)
            limit.emplace(10);
        action();
    }

    void writeSettingsAtExit(Fault fault) {
        if (fault == Fault::PathThroughFile)
            settingsFolder = folder.filePath("plain/settings");
        else
            writeSettings(Settings);
        start();
        target = settingsPath();
        strike(fault);
        write(fault, [this] { form->FormDestroy(); });
    }

    void saveDisplay(Fault fault) {
        start();
        measureOnce();
        chooseTarget(fault, "display.txt");
        if (fault != Fault::PathThroughFile && fault != Fault::Device)
            writeOld(target);
        // The overwrite question is the moment between choosing and writing.
        prompts.onMessage = [this, fault](const ScriptedPrompts::Shown& shown) {
            if (shown.icon == PromptIcon::Question)
                strike(fault);
        };
        prompts.answers.push_back(PromptAnswer::Yes);
        prompts.files.push_back(target);
        write(fault, [this] { form->SaveScan->click(); });
        prompts.onMessage = nullptr;
    }

    void recordSeries(Fault fault) {
        start();
        form->ScansToRecord = 3;
        chooseTarget(fault, "series.txt");
        prompts.answers.push_back(PromptAnswer::Yes);
        prompts.files.push_back(target);
        form->RecordButton->click();
        if (fault == Fault::PathThroughFile)
            return;
        ASSERT_TRUE(form->SeriesFileReady);
        strike(fault);
        write(fault, [this] { form->RecordButton->click(); });
        if (form->Recording)
            measureOnce();
    }
};

TEST_P(FileSystemFaults, AreSaidPlainlyAndDamageNothing) {
    const FaultCase& c = GetParam();
    switch (c.target) {
    case Target::Settings:
        writeSettingsAtExit(c.fault);
        break;
    case Target::Display:
        saveDisplay(c.fault);
        break;
    case Target::Series:
        recordSeries(c.fault);
        break;
    }
    if (HasFatalFailure())
        return;

    const std::string error = c.error;
    if (error.empty()) {
        EXPECT_EQ(errors(), QStringList{});
        EXPECT_TRUE(QFileInfo(target).isFile());
        const QByteArray written = contentOf(target);
        EXPECT_TRUE(written.startsWith(c.target == Target::Settings  ? "0\r\n"
                                       : c.target == Target::Display ? "Single\r\n"
                                                                     : "Multiple\r\n"))
            << written.toStdString();
    } else {
        ASSERT_EQ(errors().size(), 1) << prompts.texts().join("|").toStdString();
        EXPECT_NE(errors()[0].toStdString().find(error), std::string::npos)
            << errors()[0].toStdString();
    }
    if (c.fault == Fault::ReplacedByFolder) {
        EXPECT_TRUE(QFileInfo(target).isDir());
    }
    // A failed whole-file write leaves the old file and no temporary file beside it.
    if (c.fault == Fault::DiskFull && c.target != Target::Series) {
        EXPECT_EQ(contentOf(target), c.target == Target::Settings ? Settings : OldContent);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
                  QStringList({QFileInfo(target).fileName(), "plain"}));
    }
    if (c.target == Target::Series) {
        EXPECT_FALSE(form->Recording && !error.empty());
        EXPECT_EQ(form->RecordButton->text(), form->Recording ? "Recording" : "Record");
    }
    if (c.target != Target::Settings) {
        prompts.shown.clear();
        measureOnce();
        EXPECT_EQ(errors(), QStringList{});
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryWrittenFile, FileSystemFaults,
    ::testing::Values(
        FaultCase{"SettingsThroughAFile", Target::Settings, Fault::PathThroughFile,
                  "Could not create the"},
        FaultCase{"SettingsRemoved", Target::Settings, Fault::Removed, ""},
        FaultCase{"SettingsReplacedByAFolder", Target::Settings, Fault::ReplacedByFolder,
                  "not a regular file"},
        FaultCase{"SettingsDiskFull", Target::Settings, Fault::DiskFull, "Could not write the"},
        FaultCase{"DisplayThroughAFile", Target::Display, Fault::PathThroughFile,
                  "Could not create the"},
        FaultCase{"DisplayRemoved", Target::Display, Fault::Removed, ""},
        FaultCase{"DisplayReplacedByAFolder", Target::Display, Fault::ReplacedByFolder,
                  "not a regular file"},
        FaultCase{"DisplayDiskFull", Target::Display, Fault::DiskFull, "Could not write the"},
        FaultCase{"DisplayOnDevFull", Target::Display, Fault::Device, "not a regular file"},
        FaultCase{"SeriesThroughAFile", Target::Series, Fault::PathThroughFile, "Cannot create"},
        FaultCase{"SeriesRemoved", Target::Series, Fault::Removed, ""},
        FaultCase{"SeriesReplacedByAFolder", Target::Series, Fault::ReplacedByFolder,
                  "File io error"},
        FaultCase{"SeriesDiskFull", Target::Series, Fault::DiskFull, "File io error"},
        FaultCase{"SeriesOnDevFull", Target::Series, Fault::Device, "File io error"}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });
