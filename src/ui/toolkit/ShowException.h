#pragma once

#include <QString>

#include <exception>
#include <functional>

// The toolkit's general error handling. Qt carries no exception through its event loop, so a handler that can
// raise catches at its own boundary and reports here; by default the message appears in a message box headed
// with the application's name.
void ShowException(const std::exception &AError);

using TShowExceptionHandler = std::function<void(const QString &AMessage)>;

// Replaces how the messages are shown and returns the handler it replaced; an empty handler brings back the
// message box. Tests use it to see the messages instead of a modal box nobody can close.
TShowExceptionHandler SetShowExceptionHandler(TShowExceptionHandler AHandler);
