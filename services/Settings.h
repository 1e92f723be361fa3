// Settings: the plugin's options in the registry below the host's root key,
// and the window colours taken from the host's palette.
#ifndef QUORREL_SETTINGS_H
#define QUORREL_SETTINGS_H

#include "ChartState.h"

#include <windows.h>

#include <cstdint>
#include <string>

// What a confirmed character is followed by in the editor or the command
// line (registry value "PasteMode").
enum class Paste : int32_t { Nothing = 0, Character = 1, ClipboardLine = 2 };

// The options (registry values of the same names) and where they are kept.
struct PluginSettings {
    Paste PasteMode = Paste::Character;
    Typing TypeMode = Typing::Decimal;
    bool CopyMode = true;
    bool ShowEditorChar = false;
    bool ShowCmdlineChar = false;
    bool ShowWinTable = false;
    // Below HKEY_CURRENT_USER: the host's root key plus "\Quorrel"; empty
    // when the host gave no root key, and then nothing is read or written.
    std::string Key;
};

// Global: the host hands its root key to SetStartupInfo and calls Configure
// and OpenPlugin later without any context; the options live in between.
extern PluginSettings Settings;

void MakeSettingsKey(const char *RootKey);
DWORD ReadSetting(const char *Name, DWORD Default);
// A yes/no setting: its low byte not zero.
bool ReadFlag(const char *Name, bool Default);
void WriteSetting(const char *Name, DWORD Value);
// Reads the options; out-of-range modes load as their defaults.
void LoadSettings();
void SaveSettings();
// The code the chart starts on ("LastChar"), and keeping it.
uint8_t LoadLastChar();
void SaveLastChar(uint8_t Code);
// Hands the options the chart reads over to it.
void UseChartOptions(ChartState &S);

// The window's colours: attribute bytes of the host's palette.
struct PaletteColors {
    uint8_t TextColor = 0x70, FrameColor = 0x70, TitleColor = 0x70, InputColor = 0x30;
};
// From "CurrentPalette"; a colour the palette lacks keeps its default.
PaletteColors ReadPaletteColors();

#endif
