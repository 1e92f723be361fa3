// FindDialog: finding a character by name (F7, Shift+F7, Ctrl+F7).
#ifndef QUORREL_FINDDIALOG_H
#define QUORREL_FINDDIALOG_H

#include <cstdint>
#include <string>

// The words of the last search (they stay between openings) and where its
// last match put the selection: the code and the table, or -1.
extern std::string FindWords;
extern int FoundCode, FoundTable;

// Whether the character a code of the current table shows has Words in its
// name or an alias (CharNameMatches): its code point, or for a control code
// the glyph the console draws instead ("arrow" finds 0x1B, drawn as the
// leftwards arrow).
bool CodeMatches(uint8_t Code, const std::string &Words);

// The first code from From onwards (Step 1) or backwards (Step -1) that
// matches, wrapping around the 256 codes; -1 when none does.
int FindCode(const std::string &Words, int From, int Step);

// The dialog: the words (the last ones ready to edit), then a search from
// the selected code in the direction of Step, the selected code included.
// Nothing typed changes nothing; no match says so and leaves the selection.
void FindByNameDialog(int Step);
// The next (Step 1) or previous (Step -1) match of the last words after the
// selected code; the dialog when there are no words yet.
void FindAgain(int Step);
// True when the selection stands where the last search left it, in the
// same table, so that F7 goes on to the next match instead of asking.
bool FindChainGoesOn();

// Back to load-time state (for tests).
void FindDialogResetForTests();

#endif
