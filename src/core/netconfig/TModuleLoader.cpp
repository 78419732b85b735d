#include "TModuleLoader.h"

#include <algorithm>
#include <cctype>

TModuleLoader &TModuleLoader::Process()
{
    static TModuleLoader loader;
    return loader;
}

std::string TModuleLoader::Key(std::string_view name)
{
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

TModuleHandle TModuleLoader::GetModuleHandle(std::string_view name)
{
    std::lock_guard guard(FLock);
    const auto found = FModules.find(Key(name));
    if (found == FModules.end() || !found->second.Loaded)
        return nullptr;
    return found->second.Module.get();
}

TModuleHandle TModuleLoader::LoadLibrary(std::string_view name)
{
    std::lock_guard guard(FLock);
    const std::string key = Key(name);
    auto found = FModules.find(key);
    if (found == FModules.end())
        found = FModules.emplace(key, TEntry{LoadSystemModule(key), false}).first;
    TEntry &entry = found->second;
    if (!entry.Module)
        return nullptr;
    if (!entry.Loaded) {
        entry.Loaded = true;
        FKeepAlive.push_back(entry.Module);
    }
    return entry.Module.get();
}

TProcAddress TModuleLoader::GetProcAddress(TModuleHandle module, std::string_view name)
{
    return module ? module->GetProcAddress(name) : nullptr;
}

void TModuleLoader::Install(std::string_view name, std::shared_ptr<const IModule> module)
{
    std::lock_guard guard(FLock);
    FModules[Key(name)] = TEntry{std::move(module), false};
}

void TModuleLoader::RestoreSystemModules()
{
    std::lock_guard guard(FLock);
    FModules.clear();
}
