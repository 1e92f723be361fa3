// The console library back to the state it has when the module is loaded:
// its images freed, its handles closed, every variable at its start. For
// the suites, the fuzz targets and the benchmarks, which run many openings
// in one process.
#ifndef QUORREL_TESTS_CONSOLE_RESET_H
#define QUORREL_TESTS_CONSOLE_RESET_H

#include "Input.h"
#include "Screen.h"

inline void ResetConsole()
{
    FreeBuffer(Screen.SavedScreen);
    FreeBuffer(Screen.DrawScreen);
    FreeBuffer(Screen.ShownScreen);
    for (HANDLE Handle : {Screen.InputHandle, Screen.OutputHandle})
        if (Handle != nullptr && Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    Screen = ScreenState();
    Input = InputState();
}

#endif
