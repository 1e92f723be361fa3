// Far3Host: the plugin's copy of Far 3's startup record and of its standard
// functions, through which every service of the host is called.
#ifndef QUORREL_FAR3HOST_H
#define QUORREL_FAR3HOST_H

#include "Far3Api.h"

// Global: Far hands the record over once, to SetStartupInfoW, and calls the
// other exports without it.
extern PluginStartupInfo Far3Info;
extern FarStandardFunctions Far3Functions;

// Copies the record's whole fields as far as both sides know it (a host's
// record shorter than ours is not read past its StructSize; the rest stays
// null, and every caller checks a service before calling it), and the
// standard functions the same way; Far3Info.FSF then points
// to our copy, or is null. A null record leaves everything null.
void CopyFar3StartupInfo(const PluginStartupInfo *Info);

#endif
