#pragma once

#include "shell/MainForm.h"
#include "support/FakeCameraServer.h"
#include "support/QtApp.h"
#include "support/ScriptedPrompts.h"
#include "support/Waiting.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A main window on the recording fake server, with scripted prompts and its own settings folder.
class MainFormFixture : public ::testing::Test {
protected:
    std::shared_ptr<FakeCameraServer::Shared> server = std::make_shared<FakeCameraServer::Shared>();
    ScriptedPrompts prompts;
    QTemporaryDir folder;
    bool serverMissing = false;
    // The program's own module loader instead of the fake.
    bool loadRealModule = false;
    QString settingsFolder; // the temporary folder unless set
    std::unique_ptr<TMainForm> form;

    void makeForm(BuildKind kind) {
        qtApp();
        TMainForm::Options options;
        options.kind = kind;
        options.prompts = &prompts;
        options.settingsFolder = settingsFolder.isEmpty() ? folder.path() : settingsFolder;
        options.dataFolder = folder.path();
        if (!loadRealModule)
            options.createServer = [this]() -> std::unique_ptr<ICameraServer> {
                if (serverMissing)
                    throw std::runtime_error("no module");
                return std::make_unique<FakeCameraServer>(server);
            };
        form = std::make_unique<TMainForm>(options);
    }

    void start(BuildKind kind = BuildKind::Standard) {
        makeForm(kind);
        form->FormCreate();
        form->CreateDialogs();
    }

    QString settingsPath() const {
        return QDir(settingsFolder.isEmpty() ? folder.path() : settingsFolder)
            .filePath("DevicePropertiesFile.ini");
    }

    void writeSettings(const QByteArray& content) {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QByteArray readSettings() const {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // One single measurement, pressed and waited for.
    void measureOnce() {
        const int before = form->cyclesCompleted();
        form->SingleButton->click();
        ASSERT_TRUE(waitUntil([this] { return !form->runActive() && form->cameraIdle(); }));
        ASSERT_EQ(form->cyclesCompleted(), before + 1);
    }

    // The texts of the error boxes shown so far.
    QStringList errors() const {
        QStringList list;
        for (const auto& shown : prompts.shown)
            if (shown.icon == PromptIcon::Error)
                list << shown.text;
        return list;
    }
};
