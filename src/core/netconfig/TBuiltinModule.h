#pragma once

#include "TModuleLoader.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A module whose entry points are functions of this program, listed by name.
class TBuiltinModule final : public IModule {
public:
    using TExport = std::pair<std::string_view, TProcAddress>;

    explicit TBuiltinModule(std::initializer_list<TExport> exports) : FExports(exports) {}

    TProcAddress GetProcAddress(std::string_view name) const override
    {
        for (const TExport &entry : FExports)
            if (entry.first == name)
                return entry.second;
        return nullptr;
    }

private:
    std::vector<TExport> FExports;
};
