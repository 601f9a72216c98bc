#pragma once

#include <QString>
#include <optional>

class QPrinter;

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, YesNo };
enum class PromptAnswer { Ok, Yes, No };

// Every message box, question, file dialog and print dialog of the program goes through this
// one seam: the program uses Qt's dialogs, tests answer from a script.
class IPrompts {
public:
    virtual ~IPrompts() = default;

    virtual PromptAnswer message(const QString& text, const QString& caption, PromptIcon icon,
                                 PromptButtons buttons) = 0;
    // filter in Qt's form, e.g. "Data Files [*.txt] (*.txt)"; empty result = cancelled.
    virtual std::optional<QString> openFile(const QString& filter, const QString& directory) = 0;
    virtual std::optional<QString> saveFile(const QString& filter,
                                            const QString& defaultSuffix) = 0;
    // true when the user accepted the print dialog for this printer.
    virtual bool printDialog(QPrinter& printer) = 0;
};
