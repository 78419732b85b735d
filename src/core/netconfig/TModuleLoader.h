#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// Any entry point, cast back to its own type by the caller.
using TProcAddress = void (*)();

// A loadable module: entry points looked up by name.
class IModule {
public:
    virtual ~IModule() = default;
    // Null when the module has no entry of that name.
    virtual TProcAddress GetProcAddress(std::string_view name) const = 0;
};

using TModuleHandle = const IModule *;

// Finds modules by name (letters compared ignoring case, as the platform's loader does). A module is
// either the system's own (on Linux: our built-in providers; on Windows: the real DLLs) or one that a
// test installs in its place. Modules once loaded stay loaded until replaced.
class TModuleLoader {
public:
    static TModuleLoader &Process();

    // The handle of a module the process has loaded already, else null.
    TModuleHandle GetModuleHandle(std::string_view name);
    // Loads the module when needed; null when there is no such module.
    TModuleHandle LoadLibrary(std::string_view name);
    // Null for a null handle or a missing name.
    static TProcAddress GetProcAddress(TModuleHandle module, std::string_view name);

    // For tests: `module` stands in for the named module (not yet loaded); a null module makes the name
    // missing. Handles taken before stay valid while the replaced module is alive (the loader keeps it).
    void Install(std::string_view name, std::shared_ptr<const IModule> module);
    // For tests: forget every installed stand-in, so names resolve to the system's modules again.
    void RestoreSystemModules();

private:
    struct TEntry {
        std::shared_ptr<const IModule> Module;
        bool Loaded = false;
    };

    static std::string Key(std::string_view name);

    std::mutex FLock;
    std::map<std::string, TEntry> FModules;
    // Every module ever handed out stays alive, so that no handle dangles.
    std::vector<std::shared_ptr<const IModule>> FKeepAlive;
};

// Supplied by platform/<system>: the system's module of that (lower-case) name, or null.
std::shared_ptr<const IModule> LoadSystemModule(const std::string &name);
