#include "TResolvConf.h"

#include "TextFiles.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <sstream>

namespace {

bool IsIPv4(const std::string &text)
{
    in_addr address{};
    return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

} // namespace

TResolvConf ParseResolvConf(std::string_view text)
{
    TResolvConf result;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        // Comments start with # or ; in the first column, as the resolver reads them.
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        std::istringstream words(line);
        std::string keyword, value;
        if (!(words >> keyword) || !(words >> value))
            continue;
        if (keyword == "nameserver") {
            if (IsIPv4(value))
                result.NameServers.push_back(value);
        } else if (keyword == "search" || keyword == "domain") {
            result.Domain = value == "." ? std::string() : value;
        }
    }
    return result;
}

TResolvConf ReadResolvConf(const std::string &path, const std::string &upstreamPath)
{
    const auto text = ReadTextFile(path);
    if (!text)
        return {};
    TResolvConf result = ParseResolvConf(*text);
    if (result.NameServers.size() == 1 && result.NameServers.front() == "127.0.0.53") {
        if (const auto upstream = ReadTextFile(upstreamPath)) {
            // An empty upstream list says nothing better than the stub does.
            auto servers = ParseResolvConf(*upstream).NameServers;
            if (!servers.empty())
                result.NameServers = std::move(servers);
        }
    }
    return result;
}
