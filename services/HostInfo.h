// HostInfo: the plugin's copy of the host's startup record, through which
// every host service is called.
#ifndef QUORREL_HOSTINFO_H
#define QUORREL_HOSTINFO_H

#include "HostApi.h"

// Global: the host hands the record over once, to SetStartupInfo, and calls
// the other exports without it.
extern PluginStartupInfo HostInfo;

// Copies the whole fields of the record as far as both sides know it; the
// rest stays zero. A service the host did not give (beyond its StructSize,
// or null) is null here, and every caller checks before calling it.
void CopyStartupInfo(const PluginStartupInfo *Info);

// Text(0, 0, 0, NULL): the host's screen goes to the console now.
void RequestHostFlush();

#endif
