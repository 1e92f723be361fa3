// Settings: the seven persistent settings in the registry below the host's
// root key, and the window colours taken from the host's palette.
#ifndef QUORREL_SETTINGS_H
#define QUORREL_SETTINGS_H

#include <windows.h>

#include <cstdint>
#include <string>

// Settings (registry values of the same names).
extern uint8_t LastChar;
extern int32_t PasteMode;
extern int32_t TypeMode;
extern bool CopyMode;
extern bool ShowEditorChar;
extern bool ShowCmdlineChar;
extern bool ShowWinTable;
// Colours from the host palette.
extern uint8_t TextColor, FrameColor, TitleColor, InputColor;
// Below HKEY_CURRENT_USER: the host's root key plus "\Quorrel"; empty when
// the host gave no root key, and then settings are neither read nor written.
extern std::string SettingsKey;

void MakeSettingsKey(const char *RootKey);
DWORD ReadSetting(const char *Name, DWORD Default);
// A yes/no setting: its low byte not zero.
bool ReadFlag(const char *Name, bool Default);
void WriteSetting(const char *Name, DWORD Value);
void LoadSettings();
void SaveSettings();
void ReadPaletteColors();

// Back to load-time state (for tests): settings, colours, key.
void SettingsResetForTests();

#endif
