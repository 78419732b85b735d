#pragma once

#include "ShowException.h"

#include <QString>

#include <string>
#include <utility>
#include <vector>

// Collects what reaches the general error handling while it lives, instead of a modal box.
class TShownErrors {
public:
    TShownErrors()
        : FPrevious(SetShowExceptionHandler([this](const QString &AMessage) { Messages.push_back(AMessage.toStdString()); }))
    {
    }
    ~TShownErrors() { SetShowExceptionHandler(std::move(FPrevious)); }
    TShownErrors(const TShownErrors &) = delete;
    TShownErrors &operator=(const TShownErrors &) = delete;

    std::vector<std::string> Messages;

private:
    TShowExceptionHandler FPrevious;
};
