#pragma once

#include "measurement/Prompts.h"

#include <functional>

inline const QString ApplicationTitle = QStringLiteral("Halvane");

// The error box: the text, caption "Halvane", an error icon and OK.
void showError(IPrompts& prompts, const QString& text);

// Runs a handler; an error it raises ends it and is shown in the error box, and the program goes
// on. Returns false when the handler ended with an error.
bool guarded(IPrompts& prompts, const std::function<void()>& handler);
