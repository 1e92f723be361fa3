// Far3CharacterDialogs: what the chart opens over itself in Far 3: the code
// page menu (Shift+F8), the details with the forms to copy (F3), finding by
// name (F7, Shift+F7, Ctrl+F7), the characters chosen last (Alt+F8), and a
// notice with one button.
#ifndef QUORREL_FAR3CHARACTERDIALOGS_H
#define QUORREL_FAR3CHARACTERDIALOGS_H

#include "ChartState.h"
#include "Far3CodePages.h"
#include "MessageIds.h"

#include <windows.h>

#include <string>
#include <vector>

// The pages offered (the ANSI page only with ShowWinTable), by Windows'
// names; the one chosen becomes the current table.
void Far3TableMenu(ChartState &S, const std::vector<Far3CodePage> &Pages);

// One form of a code for copying: its label message and its text.
struct Far3CharForm {
    MsgId Label;
    std::wstring Value;
};
// The forms of a code of the current page: the character, the code in
// decimal, hexadecimal and octal, U+XXXX, the name, the UTF-8 bytes, HTML's
// reference, the C escape of the byte, and the keystroke that types the
// character in Windows: Alt+0NNN on the ANSI page (entry 1), else Alt+NNN
// of the OEM page's code for it (entry 0), none where that page lacks it.
std::vector<Far3CharForm> Far3CharForms(const ChartState &S, uint8_t Code);
// The dialog; after its copy button the chosen form goes to the clipboard,
// and the character to the history. The form chosen last (LastForm) is
// chosen again at the next F3.
void Far3Details(ChartState &S);

// The dialog for words (the last ones ready to edit), then a search from the
// selected code in the direction of Step, the selected code included.
void Far3FindByName(ChartState &S, int Step);
// The next (Step 1) or previous (Step -1) match of the last words; the
// dialog when there are none.
void Far3FindAgain(ChartState &S, int Step);

// The menu of RecentChars; a choice selects its code on the current page,
// or says that the page lacks it. With no history a notice says so.
void Far3RecentMenu(ChartState &S);

// A dialog titled by message Title with the text of message Text, the line
// Detail below it and an OK button.
void Far3Notice(MsgId Title, MsgId Text, const std::wstring &Detail);

// Far's window on the console, or 80x25 when Far does not say.
SMALL_RECT Far3WindowRect();

// Puts a character on the clipboard, replacing its text or appending to its
// first line; true when it got there, and then it is first in the history.
bool Far3CopyChar(ChartState &S, wchar_t Char, bool Append);

#endif
