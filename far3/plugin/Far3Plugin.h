// Far3Plugin: the exports of the Far 3 edition and the opening behind OpenW.
#ifndef QUORREL_FAR3PLUGIN_H
#define QUORREL_FAR3PLUGIN_H

#include "Far3Api.h"

extern "C" {
void WINAPI GetGlobalInfoW(GlobalInfo *Info);
void WINAPI SetStartupInfoW(const PluginStartupInfo *Info);
void WINAPI GetPluginInfoW(PluginInfo *Info);
HANDLE WINAPI OpenW(const OpenInfo *Info);
intptr_t WINAPI ConfigureW(const ConfigureInfo *Info);
void WINAPI ExitFARW(const ExitInfo *Info);
}

// One opening: the code pages, the start, the chart, the delivery, the
// settings saved. OpenFrom as OpenInfo gives it.
void RunFar3Opening(int OpenFrom);

#endif
