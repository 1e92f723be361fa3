// RecentMenu: Alt+F8, the characters confirmed or copied last.
#ifndef QUORREL_RECENTMENU_H
#define QUORREL_RECENTMENU_H

#include <cstdint>
#include <string>

// The lowest code of the current table that shows the character, or -1.
int CodeOfChar(uint8_t Char);

// One menu line: the character, its code in the current table (blank when
// the table lacks it) and its Unicode line, as it is (the menu doubles its
// ampersands).
std::string RecentMenuLine(uint8_t Char);

// The host's menu of RecentChars, newest first. Choosing one selects its
// code in the current table, or says that the table lacks it; with no
// history a notice says so.
void ShowRecentMenu();

#endif
