// DllMain: loading and unloading of the plugin module. The console library
// opens its handles first, then the start-up block assigns the hooks; at
// unload the console handles are closed. Nothing is saved at unload.
#include "Screen.h"
#include "StartUp.h"

#ifdef _WIN32

BOOL WINAPI DllMain(HINSTANCE, DWORD Reason, LPVOID)
{
    switch (Reason) {
    case DLL_PROCESS_ATTACH:
        ConsoleStart();
        QuorrelStart();
        break;
    case DLL_PROCESS_DETACH:
        ConsoleEnd();
        break;
    }
    return TRUE;
}

#else

// The same order when Quorrel.so is loaded with dlopen and unloaded.
__attribute__((constructor)) static void QuorrelLoad()
{
    ConsoleStart();
    QuorrelStart();
}

__attribute__((destructor)) static void QuorrelUnload()
{
    ConsoleEnd();
}

#endif
