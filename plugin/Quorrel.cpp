// Quorrel main unit: the exports, the start-up block, the settings store and
// palette, the options dialog, the host's code tables and the table menu.
#include "Quorrel.h"

#include "Chart.h"
#include "CodeTables.h"
#include "Console.h"
#include "DlgMenu.h"
#include "RegProc.h"

#include <cstring>
#include <vector>

// ---------------------------------------------------------------- settings --

namespace {

const uint8_t DefaultLastChar = 0;
const int32_t DefaultPasteMode = 1;
const int32_t DefaultTypeMode = 1;
const bool DefaultCopyMode = true;
const uint8_t DefaultTextColor = 0x70, DefaultFrameColor = 0x70, DefaultTitleColor = 0x70,
              DefaultInputColor = 0x30;

const char PaletteKey[] = "Software\\Far\\Colors";
const char PaletteValue[] = "CurrentPalette";

}  // namespace

uint8_t LastChar = DefaultLastChar;
int32_t PasteMode = DefaultPasteMode;
int32_t TypeMode = DefaultTypeMode;
bool CopyMode = DefaultCopyMode;
bool ShowEditorChar = false;
bool ShowCmdlineChar = false;
bool ShowWinTable = false;
uint8_t TextColor = DefaultTextColor, FrameColor = DefaultFrameColor,
        TitleColor = DefaultTitleColor, InputColor = DefaultInputColor;
std::string SettingsKey;
const char *MenuString = nullptr;

DWORD ReadSetting(const char *Name, DWORD Default)
{
    return ReadDwordValue(HKEY_CURRENT_USER, SettingsKey.c_str(), Name, Default);
}

void WriteSetting(const char *Name, DWORD Value)
{
    WriteDwordValue(HKEY_CURRENT_USER, SettingsKey.c_str(), Name, Value);
}

namespace {

// The two modes index messages and dialog groups of three; a value edited in
// the registry outside 0..2 loads as the default.
int32_t ReadMode(const char *Name, int32_t Default)
{
    int32_t Value = static_cast<int32_t>(ReadSetting(Name, Default));
    return Value >= 0 && Value <= 2 ? Value : Default;
}

bool ReadFlag(const char *Name, bool Default)
{
    return static_cast<uint8_t>(ReadSetting(Name, Default)) != 0;
}

}  // namespace

void LoadSettings()
{
    LastChar = static_cast<uint8_t>(ReadSetting("LastChar", DefaultLastChar));
    PasteMode = ReadMode("PasteMode", DefaultPasteMode);
    TypeMode = ReadMode("TypeMode", DefaultTypeMode);
    CopyMode = ReadFlag("CopyMode", DefaultCopyMode);
    ShowEditorChar = ReadFlag("ShowEditorChar", false);
    ShowCmdlineChar = ReadFlag("ShowCmdlineChar", false);
    ShowWinTable = ReadFlag("ShowWinTable", false);
}

void SaveSettings()
{
    WriteSetting("PasteMode", static_cast<DWORD>(PasteMode));
    WriteSetting("TypeMode", static_cast<DWORD>(TypeMode));
    WriteSetting("CopyMode", CopyMode ? 1 : 0);
    WriteSetting("ShowEditorChar", ShowEditorChar ? 1 : 0);
    WriteSetting("ShowCmdlineChar", ShowCmdlineChar ? 1 : 0);
    WriteSetting("ShowWinTable", ShowWinTable ? 1 : 0);
}

void ReadPaletteColors()
{
    BYTE Palette[100];
    DWORD Length = 0;
    if (!ReadBinaryValue(HKEY_CURRENT_USER, PaletteKey, PaletteValue, Palette, sizeof(Palette),
                         &Length))
        return;
    // A palette from an older host may be shorter: take only the bytes it has.
    if (Length > 21) TextColor = Palette[21];
    if (Length > 23) FrameColor = Palette[23];
    if (Length > 24) TitleColor = Palette[24];
    if (Length > 26) InputColor = Palette[26];
}

// ---------------------------------------------------- host code tables --

void LoadHostCodeTables()
{
    for (int N = 0; N < 256; N++) {
        CharTableSet Set;
        std::memset(&Set, 0, sizeof(Set));
        if (HostInfo.CharTable(N, reinterpret_cast<char *>(&Set), sizeof(Set)) == -1) break;
        size_t NameLength = 0;
        while (NameLength < sizeof(Set.TableName) && Set.TableName[NameLength]) NameLength++;
        if (!AddCodeTable(std::string(Set.TableName, NameLength), Set.DecodeTable)) break;
    }

    if (OpenFrom == OPEN_PLUGINSMENU) {
        CurrentTable = 0;
    } else if (OpenFrom == OPEN_EDITOR) {
        EditorInfo Info;
        std::memset(&Info, 0, sizeof(Info));
        Info.TableNum = -1;
        HostInfo.EditorControl(ECTL_GETINFO, &Info);
        if (Info.TableNum == -1)
            CurrentTable = EditorUsesWindowsTable() ? 1 : 0;
        else
            CurrentTable = static_cast<uint8_t>(Info.TableNum + 2);
    }
}

bool EditorUsesWindowsTable()
{
    char A[256], B[256];
    for (int I = 0; I < 256; I++) A[I] = B[I] = static_cast<char>(I);
    CharToOemBuffA(A, A, sizeof(A));
    EditorConvertText Convert = {B, static_cast<int>(sizeof(B))};
    HostInfo.EditorControl(ECTL_EDITORTOOEM, &Convert);
    return std::memcmp(A, B, sizeof(A)) == 0;
}

void CodeTableMenu()
{
    std::vector<const std::string *> Names;
    for (int I = 0; I < CodeTableCount; I++) Names.push_back(&CodeTableName(I));
    int Selected = CurrentTable;
    if (!ShowWinTable && Names.size() > 1) {
        Names.erase(Names.begin() + 1);
        if (Selected > 0) Selected--;
    }
    const int Count = static_cast<int>(Names.size());

    std::vector<FarMenuItem> Items(Count);
    for (int I = 0; I < Count; I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, Names[I]->c_str(), sizeof(Items[I].Text));
        Items[I].Selected = I == Selected ? -1 : 0;
    }

    PushScreen();
    int Result = HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT,
                               TableMenuTitle, nullptr, nullptr, nullptr, nullptr, Items.data(),
                               Count);
    HostInfo.Text(0, 0, 0, nullptr);
    ResyncScreen();

    // Only an index of an offered item selects a table.
    if (Result < 0 || Result >= Count) return;
    if (ShowWinTable)
        CurrentTable = static_cast<uint8_t>(Result);
    else
        CurrentTable = static_cast<uint8_t>(Result == 0 ? 0 : Result + 1);
}

// --------------------------------------------------------- options dialog --

namespace {

const int OptionsItemCount = 19;
const int ConfirmItem = OptionsItemCount - 2;
const DWORD Separator = DIF_BOXCOLOR | DIF_SEPARATOR;

const DialogItemInit OptionsDialogItems[OptionsItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 60, 0, 0},
    {DI_TEXT, 5, 2, 0, 0, 7},
    {DI_RADIOBUTTON, 5, 3, 0, DIF_GROUP, 8},
    {DI_RADIOBUTTON, 5, 4, 0, 0, 9},
    {DI_RADIOBUTTON, 5, 5, 0, 0, 10},
    {DI_TEXT, 0, 6, 0, Separator, 0},
    {DI_RADIOBUTTON, 5, 7, 0, DIF_GROUP, 11},
    {DI_RADIOBUTTON, 5, 8, 0, 0, 12},
    {DI_TEXT, 0, 9, 0, Separator, 0},
    {DI_RADIOBUTTON, 5, 10, 0, DIF_GROUP, 13},
    {DI_RADIOBUTTON, 5, 11, 0, 0, 14},
    {DI_RADIOBUTTON, 5, 12, 0, 0, 15},
    {DI_TEXT, 0, 13, 0, Separator, 0},
    {DI_CHECKBOX, 5, 14, 0, 0, 16},
    {DI_CHECKBOX, 5, 15, 0, 0, 17},
    {DI_CHECKBOX, 5, 16, 0, 0, 18},
    {DI_TEXT, 0, 17, 0, Separator, 0},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, 19},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, 20},
};

int Mark(bool On)
{
    return On ? -1 : 0;
}

// First selected item of a group of three, counted from its first item.
int32_t GroupValue(const FarDialogItem *Items, int First)
{
    if (Items[First].Selected) return 0;
    if (Items[First + 1].Selected) return 1;
    return 2;
}

}  // namespace

int WINAPI Configure(int /*ItemNumber*/)
{
    std::vector<FarDialogItem> Items(OptionsItemCount);
    BuildDialogItems(OptionsDialogItems, OptionsItemCount, Items.data(), 2, 0);

    if (PasteMode >= 0 && PasteMode <= 2) Items[2 + PasteMode].Selected = -1;
    Items[6].Selected = Mark(CopyMode);
    Items[7].Selected = Mark(!CopyMode);
    if (TypeMode >= 0 && TypeMode <= 2) Items[9 + TypeMode].Selected = -1;
    Items[13].Selected = Mark(ShowEditorChar);
    Items[14].Selected = Mark(ShowCmdlineChar);
    Items[15].Selected = Mark(ShowWinTable);

    int Result = HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1, Items[0].X2 + 4, Items[0].Y2 + 2,
                                 "Options", Items.data(), OptionsItemCount);
    if (Result != ConfirmItem) return 0;

    PasteMode = GroupValue(Items.data(), 2);
    CopyMode = Items[6].Selected != 0;
    TypeMode = GroupValue(Items.data(), 9);
    ShowEditorChar = Items[13].Selected != 0;
    ShowCmdlineChar = Items[14].Selected != 0;
    ShowWinTable = Items[15].Selected != 0;
    SaveSettings();
    return -1;
}

void ShowOptions()
{
    Configure(0);
}

// ------------------------------------------------------------ the exports --

void PutCell(int X, int Y, int Color, const char *Str)
{
    HostInfo.Text(X, Y, Color, Str);
}

void QuorrelStart()
{
    HelpHook = PluginHelp;
    TableMenuHook = CodeTableMenu;
    OptionsHook = ShowOptions;
    PushCellHook = PutCell;
}

extern "C" {

void WINAPI SetStartupInfo(const PluginStartupInfo *Info)
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

    SettingsKey = HostInfo.RootKey ? HostInfo.RootKey : "";
    SettingsKey += "\\Quorrel";
    LoadSettings();
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

}  // extern "C"

void QuorrelResetForTests()
{
    LastChar = DefaultLastChar;
    PasteMode = DefaultPasteMode;
    TypeMode = DefaultTypeMode;
    CopyMode = DefaultCopyMode;
    ShowEditorChar = ShowCmdlineChar = ShowWinTable = false;
    TextColor = DefaultTextColor;
    FrameColor = DefaultFrameColor;
    TitleColor = DefaultTitleColor;
    InputColor = DefaultInputColor;
    SettingsKey.clear();
    MenuString = nullptr;
    HelpHook = TableMenuHook = OptionsHook = nullptr;
    PushCellHook = nullptr;
}
