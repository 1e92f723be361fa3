// Far3Host: the copy of Far 3's startup record.
#include "Far3Host.h"

#include <cstring>

PluginStartupInfo Far3Info;
FarStandardFunctions Far3Functions;

namespace {

// Whole fields only: every field of both records is pointer-sized.
size_t WholeFields(size_t HostSize, size_t OurSize)
{
    const size_t Size = HostSize < OurSize ? HostSize : OurSize;
    return Size - Size % sizeof(void *);
}

}  // namespace

void CopyFar3StartupInfo(const PluginStartupInfo *Info)
{
    std::memset(&Far3Info, 0, sizeof Far3Info);
    std::memset(&Far3Functions, 0, sizeof Far3Functions);
    if (!Info) return;
    const size_t Size = WholeFields(Info->StructSize, sizeof Far3Info);
    std::memcpy(&Far3Info, Info, Size);
    Far3Info.StructSize = Size;
    const FarStandardFunctions *Host = Far3Info.FSF;
    Far3Info.FSF = nullptr;
    if (Host && Size >= offsetof(PluginStartupInfo, FSF) + sizeof Host) {
        const size_t FsfSize = WholeFields(Host->StructSize, sizeof Far3Functions);
        std::memcpy(&Far3Functions, Host, FsfSize);
        Far3Functions.StructSize = FsfSize;
        Far3Info.FSF = &Far3Functions;
    }
}
