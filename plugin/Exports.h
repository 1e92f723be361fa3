// Exports: the four functions the host calls, and the opening sequence.
#ifndef QUORREL_EXPORTS_H
#define QUORREL_EXPORTS_H

#include "HostApi.h"

// The plugin's one menu string, handed to the host by GetPluginInfo.
extern const char *MenuString;

extern "C" {
void WINAPI SetStartupInfo(const PluginStartupInfo *Info);
void WINAPI GetPluginInfo(PluginInfo *Info);
HANDLE WINAPI OpenPlugin(int OpenFrom, INT_PTR Item);
int WINAPI Configure(int ItemNumber);
}

// Back to load-time state (for tests).
void ExportsResetForTests();

#endif
