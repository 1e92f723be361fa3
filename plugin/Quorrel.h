// Quorrel main unit: exports, start-up block, settings, palette, options
// dialog, the host's code tables and the table menu.
#ifndef QUORREL_QUORREL_H
#define QUORREL_QUORREL_H

#include "Plugin.h"

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
extern std::string SettingsKey;
extern const char *MenuString;

DWORD ReadSetting(const char *Name, DWORD Default);
void WriteSetting(const char *Name, DWORD Value);
void LoadSettings();
void SaveSettings();
void ReadPaletteColors();

// Host code tables and the table menu.
void LoadHostCodeTables();
bool EditorUsesWindowsTable();
void CodeTableMenu();

void ShowOptions();
void PutCell(int X, int Y, int Color, const char *Str);

// The start-up block: assigns the hooks.
void QuorrelStart();
// Back to load-time state (for tests): settings, colours, key, hooks.
void QuorrelResetForTests();

extern "C" {
void WINAPI SetStartupInfo(const PluginStartupInfo *Info);
void WINAPI GetPluginInfo(PluginInfo *Info);
HANDLE WINAPI OpenPlugin(int OpenFrom, INT_PTR Item);
int WINAPI Configure(int ItemNumber);
}

#endif
