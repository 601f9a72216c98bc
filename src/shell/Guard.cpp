#include "shell/Guard.h"

#include <exception>

void showError(IPrompts& prompts, const QString& text) {
    prompts.message(text, ApplicationTitle, PromptIcon::Error, PromptButtons::Ok);
}

bool guarded(IPrompts& prompts, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const std::bad_alloc&) {
        showError(prompts, QStringLiteral("Out of memory."));
    } catch (const std::exception& error) {
        showError(prompts, QString::fromUtf8(error.what()));
    } catch (...) {
        showError(prompts, QStringLiteral("Unknown error."));
    }
    return false;
}
