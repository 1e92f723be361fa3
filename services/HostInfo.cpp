// HostInfo: the copy of the host's startup record and the opening's origin.
#include "HostInfo.h"

#include <cstring>

PluginStartupInfo HostInfo;
int OpenFrom = 0;

void CopyStartupInfo(const PluginStartupInfo *Info)
{
    // An older host passes a shorter record (without ShowHelp), a newer one a
    // longer record: copy what both know and leave the rest zero.
    std::memset(&HostInfo, 0, sizeof(HostInfo));
    int Size = Info->StructSize;
    if (Size < static_cast<int>(sizeof(Info->StructSize)))
        Size = sizeof(Info->StructSize);
    if (Size > static_cast<int>(sizeof(HostInfo))) Size = sizeof(HostInfo);
    std::memcpy(&HostInfo, Info, Size);
    if (Size < StartupInfoWithShowHelp) HostInfo.ShowHelp = nullptr;  // not wholly there
}

void HostInfoResetForTests()
{
    std::memset(&HostInfo, 0, sizeof(HostInfo));
    OpenFrom = 0;
}
