// Exports: the four functions the host calls, and the opening sequence.
#ifndef QUORREL_EXPORTS_H
#define QUORREL_EXPORTS_H

#include "ChartState.h"
#include "HostApi.h"

// Global: the chart lives between the host's calls, which carry no context
// of ours: the window keeps its place, the table and the code the user left
// for the next opening while the host keeps the module loaded.
extern ChartState Chart;

extern "C" {
void WINAPI SetStartupInfo(const PluginStartupInfo *Info);
void WINAPI GetPluginInfo(PluginInfo *Info);
HANDLE WINAPI OpenPlugin(int OpenFrom, INT_PTR Item);
int WINAPI Configure(int ItemNumber);
}

#endif
