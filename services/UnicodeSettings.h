// UnicodeSettings: what the chart's Unicode keys keep in the registry: the
// status line F2 chose, and the characters chosen or copied last (Alt+F8).
#ifndef QUORREL_UNICODESETTINGS_H
#define QUORREL_UNICODESETTINGS_H

#include <cstdint>
#include <vector>

// F2: the status row shows the Unicode line instead of message 1. Registry
// value "UnicodeStatus" (REG_DWORD) beside the other settings; absent, of
// another type or size, it is false.
extern bool UnicodeStatus;

// The characters last confirmed or copied, newest first, no two alike, at
// most RecentCharsMax. A character is the byte the chart cell shows (the
// console's OEM code page), whatever CopyMode copies, so that it can be
// found again in any table. Registry: value "Characters" (REG_BINARY, one
// byte each) in the subkey "History" of the settings key, where Far keeps
// its own histories too.
constexpr int RecentCharsMax = 16;
extern std::vector<uint8_t> RecentChars;

// Reads both from the registry (SetStartupInfo, after LoadSettings). A
// history value of another type or longer than RecentCharsMax loads as
// empty; repeated bytes in it count once.
void LoadUnicodeSettings();
void SaveUnicodeStatus();
// Puts the character first (moving it there if it was listed) and writes
// the history.
void RememberRecentChar(uint8_t Char);

// Back to load-time state (for tests).
void UnicodeSettingsResetForTests();

#endif
