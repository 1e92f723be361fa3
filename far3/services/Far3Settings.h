// Far3Settings: what the Far 3 edition keeps in Far's settings store
// (SettingsControl, roaming, under the plugin's GUID): the six options, the
// code and the code page the chart was left on, F2's choice and the history
// of chosen characters. Each value is a number (FST_QWORD) of the name
// given here but the history, a string (FST_STRING). A value missing, of
// another type, or out of its range loads as its default, one by one.
#ifndef QUORREL_FAR3SETTINGS_H
#define QUORREL_FAR3SETTINGS_H

#include <string>

struct Far3Options {
    int PasteMode = 1;             // 0 nothing, 1 the character, 2 the clipboard's first line
    int TypeMode = 1;              // 0 select the typed character, 1 decimal, 2 hexadecimal code
    bool CopyMode = true;          // kept for the options dialog; Far 3 always types the character
    bool ShowEditorChar = false;   // start on the character under the editor's cursor
    bool ShowCmdlineChar = false;  // start on the character at the command line's cursor
    bool ShowWinTable = false;     // the ANSI page takes part in F9, Shift+F9 and the menu
};

constexpr size_t Far3HistoryMax = 16;

struct Far3Settings {
    Far3Options Options;
    unsigned LastChar = 0;       // the code (0-255) the chart was left on
    unsigned CodePage = 0;       // the code page it was left on; 0: none yet
    bool UnicodeStatus = false;  // F2: the status line shows the Unicode line
    std::wstring History;        // chosen or copied characters, newest first, no two alike
};

// Global: loaded by SetStartupInfoW, edited by ConfigureW and used by OpenW,
// which Far calls without any context of ours.
extern Far3Settings Far3Config;

// Reads everything from Far's store (SetStartupInfoW). Without the store
// (no SettingsControl, or it refuses) everything is at its default.
void LoadFar3Settings();
// The six options (the options dialog).
void SaveFar3Options();
// LastChar, CodePage, UnicodeStatus and History (the end of an opening).
void SaveFar3State();


#endif
