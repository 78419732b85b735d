#include "TextFiles.h"

#include <fstream>
#include <iterator>

std::optional<std::string> ReadTextFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    return text;
}

std::optional<std::string> ReadFirstLine(const std::string &path)
{
    std::ifstream file(path);
    std::string line;
    if (!file || !std::getline(file, line))
        return std::nullopt;
    return line;
}
