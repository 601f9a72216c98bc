#pragma once

#include "measurement/Prompts.h"

class QWidget;

// The prompts the user sees: Qt's message boxes and file and print dialogs.
class QtPrompts : public IPrompts {
public:
    void setParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer message(const QString& text, const QString& caption, PromptIcon icon,
                         PromptButtons buttons) override;
    std::optional<QString> openFile(const QString& filter, const QString& directory) override;
    std::optional<QString> saveFile(const QString& filter, const QString& defaultSuffix) override;
    bool printDialog(QPrinter& printer) override;

private:
    QWidget* parent_ = nullptr;
};
