// quorrel-host: the program's own parts (screens, plugin calls, report).
#ifndef QUORREL_PROGRAM_H
#define QUORREL_PROGRAM_H

#include "Host.h"
#include "HostOptions.h"

#include <string>
#include <vector>

enum class Place { Panels, Editor, Viewer };

// The loaded plugin and the strings it gave GetPluginInfo.
struct LoadedPlugin {
    HostPlugin Module;
    int Number = 0;
    DWORD Flags = 0;
    std::vector<std::string> MenuStrings;
    std::vector<std::string> ConfigStrings;
};

extern LoadedPlugin ThePlugin;
extern HostOptions Options;

// What the console shows, to compare before and after an opening.
struct ConsoleSnapshot {
    std::vector<CHAR_INFO> Cells;
    int Width = 0, Height = 0;
    std::string Title;
    CONSOLE_CURSOR_INFO Cursor{};
    COORD CursorPos{};
};
ConsoleSnapshot TakeSnapshot();
void PutSnapshot(const ConsoleSnapshot &Snapshot);  // cells, title, cursor

// Screens. EnterPlace opens or closes the editor as the place needs, then draws.
void EnterPlace(Place Where);
void DrawPlace(Place Where);
void RunInteractive(Place Start);
void ShowMessage(const std::string &Title, const std::vector<std::string> &Lines);
int OpenFromValue(Place Where);

// Report after a scripted opening.
void PrintReport(const std::string &ResultName, long Result, const ConsoleSnapshot &Before,
                 const ConsoleSnapshot &After);

// The console, as the program finds it and keeps it in step with the
// terminal (ProgramTerminal.cpp).
bool ConsoleAvailable();  // false when there is no console to draw on
// Takes the size that ./run relays from the terminal, if it changed; true
// when the console now has another size.
bool FollowTerminalSize();
bool RunningUnderWine();

// Under Wine's terminal console, show cells holding codes 0-31 and 127 as
// the glyphs a Windows console draws for them, in the plugin's output and
// the host's own. Does nothing elsewhere.
void ShowControlGlyphsUnderWine(void *PluginModule);

// Registry key of the plugin's settings, below HKEY_CURRENT_USER.
std::string PluginSettingsKey();
std::string ClipboardBytes();  // CF_OEMTEXT up to its zero, within the block

#endif
