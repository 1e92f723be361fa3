// Exports: the four exported functions; OpenPlugin holds the fixed order of
// work of one opening.
#include "Exports.h"

#include "ChartLoop.h"
#include "CodeTables.h"
#include "Exchange.h"
#include "Help.h"
#include "HostInfo.h"
#include "Messages.h"
#include "OptionsDialog.h"
#include "Screen.h"
#include "Settings.h"
#include "TableMenu.h"
#include "UnicodeSettings.h"

ChartState Chart;

namespace {

// The host reads the menu strings after GetPluginInfo has returned.
const char *MenuString = nullptr;

const ChartHooks Hooks = [] {
    ChartHooks H;
    H.Help = PluginHelp;
    H.TableMenu = CodeTableMenu;
    H.Options = ShowOptions;
    return H;
}();

}  // namespace

extern "C" {

void WINAPI SetStartupInfo(const PluginStartupInfo *Info)
{
    CopyStartupInfo(Info);
    MakeSettingsKey(HostInfo.RootKey);
    Chart.LastChar = LoadLastChar();
    LoadSettings();
    LoadUnicodeSettings(Chart);
}

void WINAPI GetPluginInfo(PluginInfo *Info)
{
    MenuString = Msg(MsgTitle);
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
    ChartLook Look;
    Look.Texts = LoadMessages();
    Look.Colors = ReadPaletteColors();
    InitCodeTables(Chart, Look.Texts);
    LoadHostCodeTables(Chart, From);
    UseChartOptions(Chart);
    const int Start = PickStartChar(From);
    if (Start >= 0) Chart.LastChar = uint8_t(Start);
    const ChartChar Choice = RunChart(Chart, Look, Hooks);
    DeliverResult(uint8_t(Choice), From);
    SaveLastChar(Chart.LastChar);
    return INVALID_HANDLE_VALUE;
}

int WINAPI Configure(int /*ItemNumber*/)
{
    return RunOptionsDialog();
}

}  // extern "C"
