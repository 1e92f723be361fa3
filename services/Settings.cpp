// Settings: the settings store in the registry and the palette colours.
#include "Settings.h"

#include "Registry.h"

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

void MakeSettingsKey(const char *RootKey)
{
    // Without the host's root key there is no place for the settings: they
    // keep their defaults and nothing is written.
    SettingsKey = RootKey ? std::string(RootKey) + "\\Quorrel" : std::string();
}

DWORD ReadSetting(const char *Name, DWORD Default)
{
    if (SettingsKey.empty()) return Default;
    return ReadDwordValue(HKEY_CURRENT_USER, SettingsKey.c_str(), Name, Default);
}

void WriteSetting(const char *Name, DWORD Value)
{
    if (SettingsKey.empty()) return;
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

}  // namespace

bool ReadFlag(const char *Name, bool Default)
{
    return static_cast<uint8_t>(ReadSetting(Name, Default)) != 0;
}

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
    // Every opening starts from the defaults, so a palette that is missing,
    // of another type or too short for an index gives that colour its
    // default, not what an earlier opening read.
    TextColor = DefaultTextColor;
    FrameColor = DefaultFrameColor;
    TitleColor = DefaultTitleColor;
    InputColor = DefaultInputColor;
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

void SettingsResetForTests()
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
}
