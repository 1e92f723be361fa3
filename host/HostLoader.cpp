// Loading a plugin module and finding its four exports by their plain names:
// LoadLibraryA on Windows, dlopen of the shared object natively (winsim is a
// shared library there, so host and plugin share one simulated system).
#include "Host.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <climits>
#include <cstdlib>
#include <unistd.h>
#endif

namespace {

template <typename Proc>
Proc AsProc(void *Address)
{
    return reinterpret_cast<Proc>(reinterpret_cast<INT_PTR>(Address));
}

void *Symbol(void *Module, const char *Name)
{
#ifdef _WIN32
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(Module), Name));
#else
    return dlsym(Module, Name);
#endif
}

}  // namespace

bool HostLoadPlugin(const std::string &Path, HostPlugin &Plugin, std::string &Error)
{
    Plugin = HostPlugin();
#ifdef _WIN32
    HMODULE Module = LoadLibraryA(Path.c_str());
    if (!Module) {
        Error = "cannot load " + Path + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    char Full[MAX_PATH] = "";
    GetModuleFileNameA(Module, Full, MAX_PATH);
    Plugin.Path = Full[0] ? Full : Path;
#else
    // A path without a slash would make dlopen search the library path.
    std::string Open = Path.find('/') == std::string::npos ? "./" + Path : Path;
    void *Module = dlopen(Open.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!Module) {
        const char *Why = dlerror();
        Error = "cannot load " + Path + ": " + (Why ? Why : "unknown error");
        return false;
    }
    char Full[PATH_MAX];
    Plugin.Path = realpath(Open.c_str(), Full) ? Full : Path;
#endif
    Plugin.Module = Module;
    Plugin.SetStartupInfo = AsProc<SetStartupInfoProc>(Symbol(Module, "SetStartupInfo"));
    Plugin.GetPluginInfo = AsProc<GetPluginInfoProc>(Symbol(Module, "GetPluginInfo"));
    Plugin.OpenPlugin = AsProc<OpenPluginProc>(Symbol(Module, "OpenPlugin"));
    Plugin.Configure = AsProc<ConfigureProc>(Symbol(Module, "Configure"));
    std::string Missing;
    if (!Plugin.SetStartupInfo) Missing += " SetStartupInfo";
    if (!Plugin.GetPluginInfo) Missing += " GetPluginInfo";
    if (!Plugin.OpenPlugin) Missing += " OpenPlugin";
    if (!Plugin.Configure) Missing += " Configure";
    if (!Missing.empty()) {
        Error = Path + " lacks the export(s)" + Missing;
        HostUnloadPlugin(Plugin);
        return false;
    }
    return true;
}

void HostUnloadPlugin(HostPlugin &Plugin)
{
    if (Plugin.Module) {
#ifdef _WIN32
        FreeLibrary(static_cast<HMODULE>(Plugin.Module));
#else
        dlclose(Plugin.Module);
#endif
    }
    Plugin = HostPlugin();
}

std::string HostProgramFolder()
{
#ifdef _WIN32
    char Path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, Path, MAX_PATH);
    std::string Full = Path;
#else
    char Path[4096];
    ssize_t Length = readlink("/proc/self/exe", Path, sizeof(Path) - 1);
    std::string Full = Length > 0 ? std::string(Path, size_t(Length)) : "";
#endif
    size_t Slash = Full.find_last_of("\\/");
    return Slash == std::string::npos ? "" : Full.substr(0, Slash + 1);
}
