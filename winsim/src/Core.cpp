// Last error, call counting, failure injection, handles, Sleep, version.
#include "Internal.h"
#include "winsim.h"

#include <cstring>
#include <map>
#include <string>
#include <strings.h>

namespace winsim {
namespace detail {
namespace {

struct Failure {
    DWORD error;
    int times;  // < 0: until cleared
    int skip;   // calls that still pass before the failures start
};

struct CoreState {
    DWORD lastError = 0;
    std::map<std::string, int> calls;
    std::map<std::string, Failure> failures;
    std::map<HANDLE, HandleKind> handles;
    uintptr_t nextHandle = 0x100;
    bool platformNT = true;
    DWORD sleptMs = 0;
    long callsLeft = 0;  // before the limit's handler runs; 0: no limit
    void (*onLimit)() = nullptr;
};

// Never destroyed: product code may call in from static destructors.
CoreState &Core()
{
    static CoreState *state = new CoreState;
    return *state;
}

}  // namespace

bool Enter(const char *function, DWORD *error)
{
    CoreState &s = Core();
    ++s.calls[function];
    if (s.onLimit && --s.callsLeft <= 0) {
        void (*handler)() = s.onLimit;
        s.onLimit = nullptr;
        handler();
    }
    auto it = s.failures.find(function);
    if (it == s.failures.end()) return false;
    if (it->second.skip > 0) {
        --it->second.skip;
        return false;
    }
    if (error)
        *error = it->second.error;
    else
        s.lastError = it->second.error;
    if (it->second.times > 0 && --it->second.times == 0) s.failures.erase(it);
    return true;
}

HandleKind KindOf(HANDLE h)
{
    auto &handles = Core().handles;
    auto it = handles.find(h);
    return it == handles.end() ? HandleKind::None : it->second;
}

void ResetCore()
{
    CoreState &s = Core();
    s.lastError = 0;
    s.calls.clear();
    s.failures.clear();
    s.platformNT = true;
    s.sleptMs = 0;
    s.callsLeft = 0;
    s.onLimit = nullptr;
}

}  // namespace detail

using detail::Core;

void Reset()
{
    detail::ResetCore();
    detail::ResetConsole();
    detail::ResetRegistry();
    detail::ResetClipboard();
}

int CallCount(const char *function)
{
    auto &calls = Core().calls;
    auto it = calls.find(function);
    return it == calls.end() ? 0 : it->second;
}

void ResetCallCounts()
{
    Core().calls.clear();
}

std::map<std::string, int> CallCounts()
{
    return Core().calls;
}

void SetCallLimit(long calls, void (*handler)())
{
    Core().callsLeft = calls;
    Core().onLimit = calls > 0 ? handler : nullptr;
}

void FailCall(const char *function, DWORD error, int times)
{
    FailCallAfter(function, 0, times, error);
}

void FailCallAfter(const char *function, int skip, int times, DWORD error)
{
    if (times == 0)
        Core().failures.erase(function);
    else
        Core().failures[function] = {error, times, skip > 0 ? skip : 0};
}

void ClearFailures()
{
    Core().failures.clear();
}

void SetPlatformNT(bool nt)
{
    Core().platformNT = nt;
}

DWORD TotalSleepMs()
{
    return Core().sleptMs;
}

}  // namespace winsim

using winsim::detail::Enter;
using winsim::detail::HandleKind;

extern "C" {

DWORD WINAPI GetLastError(void)
{
    return winsim::detail::Core().lastError;
}

void WINAPI SetLastError(DWORD code)
{
    winsim::detail::Core().lastError = code;
}

HANDLE WINAPI CreateFileA(LPCSTR name, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE)
{
    if (Enter("CreateFileA")) return INVALID_HANDLE_VALUE;
    HandleKind kind = HandleKind::None;
    if (name && strcasecmp(name, "CONIN$") == 0) kind = HandleKind::Input;
    if (name && strcasecmp(name, "CONOUT$") == 0) kind = HandleKind::Output;
    if (kind == HandleKind::None) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    auto &s = winsim::detail::Core();
    HANDLE h = reinterpret_cast<HANDLE>(s.nextHandle);
    s.nextHandle += 4;
    s.handles[h] = kind;
    return h;
}

BOOL WINAPI CloseHandle(HANDLE h)
{
    if (Enter("CloseHandle")) return FALSE;
    if (!winsim::detail::Core().handles.erase(h)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

void WINAPI Sleep(DWORD ms)
{
    // Counted, never waited: the tests drive time through the input queue.
    Enter("Sleep");
    winsim::detail::Core().sleptMs += ms;
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA info)
{
    if (Enter("GetVersionExA")) return FALSE;
    // OSVERSIONINFOA or OSVERSIONINFOEXA; anything else is refused like Windows does.
    if (info->dwOSVersionInfoSize != 148 && info->dwOSVersionInfoSize != 156) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    // What Wine reports by default (Windows 7 SP1), or Windows 98 SE.
    const bool nt = winsim::detail::Core().platformNT;
    info->dwMajorVersion = nt ? 6 : 4;
    info->dwMinorVersion = nt ? 1 : 10;
    info->dwBuildNumber = nt ? 7601 : 2222;
    info->dwPlatformId = nt ? VER_PLATFORM_WIN32_NT : VER_PLATFORM_WIN32_WINDOWS;
    memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
    strcpy(info->szCSDVersion, nt ? "Service Pack 1" : " A");
    if (info->dwOSVersionInfoSize == 156) {
        // wServicePackMajor, wServicePackMinor, wSuiteMask, wProductType, wReserved
        unsigned char *ex = reinterpret_cast<unsigned char *>(info) + 148;
        const WORD spMajor = nt ? 1 : 0, zero = 0;
        memcpy(ex, &spMajor, 2);
        memcpy(ex + 2, &zero, 2);
        memcpy(ex + 4, &zero, 2);
        ex[6] = nt ? 1 : 0;  // VER_NT_WORKSTATION
        ex[7] = 0;
    }
    return TRUE;
}

}  // extern "C"
