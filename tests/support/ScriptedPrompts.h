#pragma once

#include "measurement/Prompts.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Answers every prompt from a script, in order, and records what was asked. An unscripted
// message is answered with OK (or No for a question); an unscripted file dialog is cancelled.
class ScriptedPrompts : public IPrompts {
public:
    struct Shown {
        QString text;
        QString caption;
        PromptIcon icon;
        PromptButtons buttons;
    };

    std::vector<Shown> shown;
    std::deque<PromptAnswer> answers;
    std::deque<std::optional<QString>> files;
    QStringList fileDialogs; // "open:<filter>" or "save:<filter>"
    QString lastOpenDirectory;
    int printDialogs = 0;
    bool acceptPrint = true;
    std::function<void(QPrinter&)> onPrint;
    // Runs while a message is on screen, before it is answered.
    std::function<void(const Shown&)> onMessage;

    PromptAnswer message(const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override {
        shown.push_back({text, caption, icon, buttons});
        if (onMessage)
            onMessage(shown.back());
        if (!answers.empty()) {
            auto answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
    }
    std::optional<QString> openFile(const QString& filter, const QString& directory) override {
        fileDialogs << "open:" + filter;
        lastOpenDirectory = directory;
        return nextFile();
    }
    std::optional<QString> saveFile(const QString& filter, const QString&) override {
        fileDialogs << "save:" + filter;
        return nextFile();
    }
    bool printDialog(QPrinter& printer) override {
        ++printDialogs;
        if (onPrint)
            onPrint(printer);
        return acceptPrint;
    }

    QStringList texts() const {
        QStringList list;
        for (const auto& s : shown)
            list << s.text;
        return list;
    }

private:
    std::optional<QString> nextFile() {
        if (files.empty())
            return std::nullopt;
        auto file = files.front();
        files.pop_front();
        return file;
    }
};
