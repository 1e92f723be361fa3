// Exports: the four exported functions; OpenPlugin holds the fixed order of
// work of one opening.
#include "Exports.h"

#include "ChartLoop.h"
#include "CodeTables.h"
#include "Console.h"
#include "Exchange.h"
#include "HostInfo.h"
#include "Messages.h"
#include "OptionsDialog.h"
#include "Settings.h"
#include "UnicodeSettings.h"

const char *MenuString = nullptr;

extern "C" {

void WINAPI SetStartupInfo(const PluginStartupInfo *Info)
{
    CopyStartupInfo(Info);
    MakeSettingsKey(HostInfo.RootKey);
    LoadSettings();
    LoadUnicodeSettings();
}

void WINAPI GetPluginInfo(PluginInfo *Info)
{
    MenuString = Msg(0);
    Info->StructSize = sizeof(PluginInfo);
    Info->Flags = PF_EDITOR | PF_VIEWER;
    Info->PluginMenuStrings = &MenuString;
    Info->PluginMenuStringsNumber = 1;
    Info->PluginConfigStrings = &MenuString;
    Info->PluginConfigStringsNumber = 1;
}

HANDLE WINAPI OpenPlugin(int From, INT_PTR /*Item*/)
{
    // Without a console there is no chart to show and nothing to type into.
    if (!ConsoleAvailable()) return INVALID_HANDLE_VALUE;
    OpenFrom = From;
    LoadMessages();
    ReadPaletteColors();
    InitCodeTables();
    LoadHostCodeTables();
    PickStartChar();
    uint8_t Result = RunChart();
    DeliverResult(Result);
    WriteSetting("LastChar", LastChar);
    return INVALID_HANDLE_VALUE;
}

int WINAPI Configure(int /*ItemNumber*/)
{
    return RunOptionsDialog();
}

}  // extern "C"

void ExportsResetForTests()
{
    MenuString = nullptr;
}
