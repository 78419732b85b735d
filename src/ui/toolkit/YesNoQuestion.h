#pragma once

#include <QString>

#include <functional>

class QWidget;

// The modal Yes/No question box with the question icon, owned by the active window, else by
// `fallbackOwner`'s window. True when the user answers Yes.
bool AskYesNo(const QString &AText, const QString &ACaption, QWidget *fallbackOwner);

using TYesNoQuestionHandler = std::function<bool(QWidget *AOwner, const QString &AText, const QString &ACaption)>;

// Replaces how the question is asked and returns the handler it replaced; an empty handler brings back the
// message box. Tests answer through it instead of a modal box nobody can close.
TYesNoQuestionHandler SetYesNoQuestionHandler(TYesNoQuestionHandler AHandler);
