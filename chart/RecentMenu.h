// RecentMenu: Alt+F8, the characters confirmed or copied last.
#ifndef QUORREL_RECENTMENU_H
#define QUORREL_RECENTMENU_H

#include "ChartState.h"

#include <string>

// One menu line: the character, its code in the current table (blank when
// the table lacks it) and its Unicode line, as it is (the menu doubles its
// ampersands).
std::string RecentMenuLine(const ChartState &S, ChartChar Char);

// The host's menu of RecentChars, newest first. Choosing one selects its
// code in the current table, or says that the table lacks it; with no
// history a notice says so.
void ShowRecentMenu(ChartState &S);

#endif
