#include "TextFiles.h"

#include "TUniqueFd.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

std::optional<std::string> ReadTextFile(const std::string &path)
{
    const TUniqueFd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.Valid())
        return std::nullopt;
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer, sizeof(buffer));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            // sysfs answers EINVAL for values that do not exist right now, such as a speed without carrier.
            return std::nullopt;
        }
        if (got == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(got));
    }
    return text;
}

std::optional<std::string> ReadFirstLine(const std::string &path)
{
    auto text = ReadTextFile(path);
    if (!text)
        return std::nullopt;
    const auto end = text->find('\n');
    if (end != std::string::npos)
        text->erase(end);
    return text;
}
