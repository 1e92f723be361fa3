// HostInfo: the plugin's copy of the host's startup record, through which
// every host service is called, and where the current opening came from.
#ifndef QUORREL_HOSTINFO_H
#define QUORREL_HOSTINFO_H

#include "HostApi.h"

extern PluginStartupInfo HostInfo;
extern int OpenFrom;

// Copies the whole fields of the record as far as both sides know it; the
// rest stays zero. A service the host did not give (beyond its StructSize,
// or null) is null here, and every caller checks before calling it.
void CopyStartupInfo(const PluginStartupInfo *Info);

// Text(0, 0, 0, NULL): the host's screen goes to the console now.
void RequestHostFlush();

// Back to load-time state (for tests).
void HostInfoResetForTests();

#endif
