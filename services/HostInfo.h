// HostInfo: the plugin's copy of the host's startup record, through which
// every host service is called, and where the current opening came from.
#ifndef QUORREL_HOSTINFO_H
#define QUORREL_HOSTINFO_H

#include "HostApi.h"

extern PluginStartupInfo HostInfo;
extern int OpenFrom;

// Copies the record as far as both sides know it; the rest stays zero.
void CopyStartupInfo(const PluginStartupInfo *Info);

// Back to load-time state (for tests).
void HostInfoResetForTests();

#endif
