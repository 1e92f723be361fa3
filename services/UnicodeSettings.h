// UnicodeSettings: what the chart's Unicode keys keep in the registry: the
// status line F2 chose, and the characters chosen or copied last (Alt+F8).
#ifndef QUORREL_UNICODESETTINGS_H
#define QUORREL_UNICODESETTINGS_H

#include "ChartState.h"

// Reads both into the chart's state (SetStartupInfo, after the options).
// F2's choice is registry value "UnicodeStatus" (REG_DWORD) beside the
// other settings; absent, of another type or size, it is false. The
// history is value "Characters" (REG_BINARY, one byte each, newest first)
// in the subkey "History" of the settings key, where Far keeps its own
// histories too: a character is the byte the chart cell shows (the
// console's OEM code page), so that it can be found again in any table. A
// history value of another type or longer than RecentCharsMax loads as
// empty; repeated bytes in it count once.
void LoadUnicodeSettings(ChartState &S);
void SaveUnicodeStatus(const ChartState &S);
void SaveRecentChars(const ChartState &S);
// A character chosen or copied: first in the history, which is written.
void RecordRecentChar(ChartState &S, ChartChar Ch);

#endif
