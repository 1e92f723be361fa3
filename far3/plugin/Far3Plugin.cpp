// Far3Plugin: the six exports Far 3 looks up, and the order of one opening.
#include "Far3Plugin.h"

#include "Far3Chart.h"
#include "Far3CodePages.h"
#include "Far3Exchange.h"
#include "Far3Guids.h"
#include "Far3Host.h"
#include "Far3Messages.h"
#include "Far3OptionsDialog.h"
#include "Far3Settings.h"

#ifndef QUORREL_VERSION_MAJOR  // set by the build from the project's version
#define QUORREL_VERSION_MAJOR 0
#define QUORREL_VERSION_MINOR 0
#define QUORREL_VERSION_PATCH 0
#endif

namespace {

// Far 3's first release: the records used here have kept their layout since.
const VersionInfo MinFarVersion = {3, 0, 0, 0, VS_RELEASE};

// The menu texts are the host's, fetched anew for each GetPluginInfoW.
const wchar_t *MenuStrings[1];

bool ShowOptions()
{
    return RunFar3OptionsDialog();
}

}  // namespace

void RunFar3Opening(int OpenFrom)
{
    const std::vector<Far3CodePage> Pages = BuildFar3CodePages();
    if (Pages.empty()) return;  // no single-byte code page at all: nothing to show
    const Far3Start Start = ChooseFar3Start(Pages, OpenFrom);
    Far3ChartSession Session = {&Pages, Start.Page, Start.Code, &Far3Config, ShowOptions, 0};
    const bool Confirmed = RunFar3Chart(Session);
    if (Confirmed) DeliverFar3Result(OpenFrom, Session.Choice);
    if (Session.Page < Pages.size()) Far3Config.CodePage = Pages[Session.Page].CodePage;
    Far3Config.LastChar = Session.Code & 0xFF;
    SaveFar3State();
}

extern "C" {

void WINAPI GetGlobalInfoW(GlobalInfo *Info)
{
    if (!Info) return;
    Info->StructSize = sizeof *Info;
    Info->MinFarVersion = MinFarVersion;
    Info->Version = {QUORREL_VERSION_MAJOR, QUORREL_VERSION_MINOR, QUORREL_VERSION_PATCH, 0,
                     VS_RELEASE};
    Info->Guid = QuorrelGuid;
    Info->Title = L"Quorrel";
    Info->Description = L"A chart of a code page's 256 characters; the chosen one goes to the "
                        L"clipboard, the command line or the editor";
    Info->Author = L"The Quorrel authors";
}

void WINAPI SetStartupInfoW(const PluginStartupInfo *Info)
{
    CopyFar3StartupInfo(Info);
    LoadFar3Settings();
}

void WINAPI GetPluginInfoW(PluginInfo *Info)
{
    if (!Info) return;
    Info->StructSize = sizeof *Info;
    Info->Flags = PF_EDITOR | PF_VIEWER;
    MenuStrings[0] = Far3Msg(MsgTitle);
    Info->PluginMenu.Guids = &QuorrelMenuGuid;
    Info->PluginMenu.Strings = MenuStrings;
    Info->PluginMenu.Count = 1;
    Info->PluginConfig.Guids = &QuorrelConfigGuid;
    Info->PluginConfig.Strings = MenuStrings;
    Info->PluginConfig.Count = 1;
}

HANDLE WINAPI OpenW(const OpenInfo *Info)
{
    if (Info && Info->StructSize >= offsetof(OpenInfo, OpenFrom) + sizeof Info->OpenFrom)
        RunFar3Opening(Info->OpenFrom);
    return nullptr;  // no panel
}

intptr_t WINAPI ConfigureW(const ConfigureInfo *)
{
    return RunFar3OptionsDialog() ? TRUE : FALSE;
}

void WINAPI ExitFARW(const ExitInfo *)
{
    // Everything was saved when it changed; nothing is held open.
}

}  // extern "C"
