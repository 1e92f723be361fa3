// Settings: the settings store in the registry and the palette colours.
#include "Settings.h"

#include "Registry.h"

namespace {

const char PaletteKey[] = "Software\\Far\\Colors";
const char PaletteValue[] = "CurrentPalette";

}  // namespace

PluginSettings Settings;

void MakeSettingsKey(const char *RootKey)
{
    // Without the host's root key there is no place for the settings: they
    // keep their defaults and nothing is written.
    Settings.Key = RootKey ? std::string(RootKey) + "\\Quorrel" : std::string();
}

DWORD ReadSetting(const char *Name, DWORD Default)
{
    if (Settings.Key.empty()) return Default;
    return ReadDwordValue(HKEY_CURRENT_USER, Settings.Key.c_str(), Name, Default);
}

void WriteSetting(const char *Name, DWORD Value)
{
    if (Settings.Key.empty()) return;
    WriteDwordValue(HKEY_CURRENT_USER, Settings.Key.c_str(), Name, Value);
}

namespace {

// The two modes index messages and dialog groups of three; a value edited in
// the registry outside 0..2 loads as the default.
int32_t ReadMode(const char *Name, int32_t Default)
{
    int32_t Value = static_cast<int32_t>(ReadSetting(Name, Default));
    return Value >= 0 && Value <= 2 ? Value : Default;
}

}  // namespace

bool ReadFlag(const char *Name, bool Default)
{
    return static_cast<uint8_t>(ReadSetting(Name, Default)) != 0;
}

void LoadSettings()
{
    const PluginSettings Defaults;
    Settings.PasteMode = Paste(ReadMode("PasteMode", int32_t(Defaults.PasteMode)));
    Settings.TypeMode = Typing(ReadMode("TypeMode", int32_t(Defaults.TypeMode)));
    Settings.CopyMode = ReadFlag("CopyMode", Defaults.CopyMode);
    Settings.ShowEditorChar = ReadFlag("ShowEditorChar", false);
    Settings.ShowCmdlineChar = ReadFlag("ShowCmdlineChar", false);
    Settings.ShowWinTable = ReadFlag("ShowWinTable", false);
}

void SaveSettings()
{
    WriteSetting("PasteMode", static_cast<DWORD>(Settings.PasteMode));
    WriteSetting("TypeMode", static_cast<DWORD>(Settings.TypeMode));
    WriteSetting("CopyMode", Settings.CopyMode ? 1 : 0);
    WriteSetting("ShowEditorChar", Settings.ShowEditorChar ? 1 : 0);
    WriteSetting("ShowCmdlineChar", Settings.ShowCmdlineChar ? 1 : 0);
    WriteSetting("ShowWinTable", Settings.ShowWinTable ? 1 : 0);
}

uint8_t LoadLastChar()
{
    return static_cast<uint8_t>(ReadSetting("LastChar", 0));
}

void SaveLastChar(uint8_t Code)
{
    WriteSetting("LastChar", Code);
}

void UseChartOptions(ChartState &S)
{
    S.TypeMode = Settings.TypeMode;
    S.CopyMode = Settings.CopyMode;
    S.ShowWinTable = Settings.ShowWinTable;
}

PaletteColors ReadPaletteColors()
{
    // Every opening starts from the defaults, so a palette that is missing,
    // of another type or too short for an index gives that colour its
    // default, not what an earlier opening read.
    PaletteColors Colors;
    BYTE Palette[100];
    DWORD Length = 0;
    if (!ReadBinaryValue(HKEY_CURRENT_USER, PaletteKey, PaletteValue, Palette, sizeof(Palette),
                         &Length))
        return Colors;
    // A palette from an older host may be shorter: take only the bytes it has.
    if (Length > 21) Colors.TextColor = Palette[21];
    if (Length > 23) Colors.FrameColor = Palette[23];
    if (Length > 24) Colors.TitleColor = Palette[24];
    if (Length > 26) Colors.InputColor = Palette[26];
    return Colors;
}
