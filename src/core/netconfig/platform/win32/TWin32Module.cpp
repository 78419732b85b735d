#include "TModuleLoader.h"

#include <windows.h>

namespace {

// A system DLL; the handle is never freed, as the binding never unloads its library.
class TWin32Module final : public IModule {
public:
    explicit TWin32Module(HMODULE handle) : FHandle(handle) {}

    TProcAddress GetProcAddress(std::string_view name) const override
    {
        const std::string entry(name);
        return reinterpret_cast<TProcAddress>(::GetProcAddress(FHandle, entry.c_str()));
    }

private:
    HMODULE FHandle;
};

} // namespace

std::shared_ptr<const IModule> LoadSystemModule(const std::string &name)
{
    HMODULE handle = ::GetModuleHandleA(name.c_str());
    if (!handle)
        handle = ::LoadLibraryA(name.c_str());
    if (!handle)
        return nullptr;
    return std::make_shared<TWin32Module>(handle);
}
