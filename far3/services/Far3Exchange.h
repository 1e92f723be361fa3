// Far3Exchange: characters between the plugin and the place it was opened
// from: the chart's start from the editor or the command line, and the
// chosen character (or the clipboard's first line) typed in afterwards.
// What is typed is Unicode: the editor and the command line take it as it
// is, whatever the file's code page.
#ifndef QUORREL_FAR3EXCHANGE_H
#define QUORREL_FAR3EXCHANGE_H

#include "Far3CodePages.h"

#include <string>
#include <vector>

// The character under the editor's cursor (0 beyond the end of its line)
// and the file's code page; false when the editor tells neither.
bool Far3EditorCharAtCursor(wchar_t &Char, UINT &CodePage);
// The command line's character at its cursor (0 at the end of the line);
// false when there is no command line.
bool Far3CmdLineCharAtCursor(wchar_t &Char);

// Where the chart starts: a page of the list and a code on it.
struct Far3Start {
    size_t Page;
    unsigned Code;
};
// From the settings (the page and code it was left on; a page the system
// does not have, or none yet, gives the first one), then by where it was
// opened from: the editor's own code page when the list has it, and, as the
// options ask, the character under the editor's cursor or at the command
// line's: on the start page when it has that character, else on the first
// page that has it; a character no page has leaves the code as it was. At
// the end of a line the chart starts on code 0. Pages must not be empty.
Far3Start ChooseFar3Start(const std::vector<Far3CodePage> &Pages, int OpenFrom);

// After the chart closed with Choice (0: nothing chosen), types into the
// editor or the command line it was opened from as PasteMode says: 1 the
// character, 2 the clipboard's first line. There is no raw-code typing (the
// Far 1.x edition's Ctrl+Q): Far 3's editor holds Unicode text and writes
// it in the file's code page on saving, so the byte of the chosen cell
// reaches the file as exactly its character when the chart shows the file's
// own page (where it starts from the editor), and any other byte would
// stand for another character than the one chosen.
void DeliverFar3Result(int OpenFrom, wchar_t Choice);

// ECTL_INSERTTEXT into the current editor, then its redraw.
void Far3EditorInsert(const std::wstring &Text);
// FCTL_INSERTCMDLINE into the command line.
void Far3CmdLineInsert(const std::wstring &Text);

#endif
