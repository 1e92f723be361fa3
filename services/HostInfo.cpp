// HostInfo: the copy of the host's startup record.
#include "HostInfo.h"

#include <cstring>

PluginStartupInfo HostInfo;

namespace {

// Where each field of the record starts, in the record's order, and its end.
// A host's record may end anywhere: only whole fields are taken, so no
// service pointer is ever half copied.
const size_t FieldStarts[] = {
    offsetof(PluginStartupInfo, StructSize),
    offsetof(PluginStartupInfo, ModuleName),
    offsetof(PluginStartupInfo, ModuleNumber),
    offsetof(PluginStartupInfo, RootKey),
    offsetof(PluginStartupInfo, Menu),
    offsetof(PluginStartupInfo, Dialog),
    offsetof(PluginStartupInfo, Message),
    offsetof(PluginStartupInfo, GetMsg),
    offsetof(PluginStartupInfo, Control),
    offsetof(PluginStartupInfo, SaveScreen),
    offsetof(PluginStartupInfo, RestoreScreen),
    offsetof(PluginStartupInfo, GetDirList),
    offsetof(PluginStartupInfo, GetPluginDirList),
    offsetof(PluginStartupInfo, FreeDirList),
    offsetof(PluginStartupInfo, Viewer),
    offsetof(PluginStartupInfo, Editor),
    offsetof(PluginStartupInfo, CmpName),
    offsetof(PluginStartupInfo, CharTable),
    offsetof(PluginStartupInfo, Text),
    offsetof(PluginStartupInfo, EditorControl),
    offsetof(PluginStartupInfo, FSF),
    offsetof(PluginStartupInfo, ShowHelp),
    sizeof(PluginStartupInfo),
};

}  // namespace

void CopyStartupInfo(const PluginStartupInfo *Info)
{
    // An older host passes a shorter record (without ShowHelp), a newer one a
    // longer record: copy the whole fields both know and leave the rest zero,
    // so that a service the host did not give is null.
    std::memset(&HostInfo, 0, sizeof(HostInfo));
    if (!Info) return;
    const size_t Size = Info->StructSize > 0 ? size_t(Info->StructSize) : 0;
    size_t Whole = 0;
    for (size_t I = 1; I < sizeof(FieldStarts) / sizeof(FieldStarts[0]); I++)
        if (FieldStarts[I] <= Size) Whole = FieldStarts[I];
    std::memcpy(&HostInfo, Info, Whole > 0 ? Whole : sizeof(Info->StructSize));
    HostInfo.ModuleName[sizeof(HostInfo.ModuleName) - 1] = 0;
}

void RequestHostFlush()
{
    if (HostInfo.Text) HostInfo.Text(0, 0, 0, nullptr);
}
