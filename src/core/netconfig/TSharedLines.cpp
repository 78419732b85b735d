#include "TSharedLines.h"

#include <utility>

TSharedLines::TSharedLines(std::vector<std::string> lines)
{
    if (!lines.empty())
        FLines = std::make_shared<const std::vector<std::string>>(std::move(lines));
}

const std::vector<std::string> &TSharedLines::Lines() const
{
    static const std::vector<std::string> None;
    return FLines ? *FLines : None;
}
