// DetailsDialog: F3, the selected code in every form a program writes a
// character in, one of which the user copies to the clipboard.
#ifndef QUORREL_DETAILSDIALOG_H
#define QUORREL_DETAILSDIALOG_H

#include "ChartState.h"

#include <cstdint>
#include <string>
#include <vector>

// One form: the message that labels it, the text that is copied and the
// text the dialog shows. A form that needs Unicode is empty when the code
// page gives the byte none. The character shows as the chart's cell shows
// it, whichever byte is copied; on the Windows table a code whose character
// the console cannot show says so (message 42) instead of showing another.
struct CharForm {
    int LabelMsg;
    std::string Value;
    std::string Shown;
};

// The forms of a code of the current table, in the dialog's order: the
// character (the byte CopyMode copies), the code in decimal, hexadecimal
// and octal, U+XXXX, the name, the UTF-8 bytes, HTML's reference, the C
// escape of the code, and the Alt keystroke that types the character in
// Windows (Alt+0NNN of the code on the Windows table, Alt+NNN of the
// console's byte on the others).
std::vector<CharForm> CharForms(const ChartState &S, uint8_t Code);

// Shows the dialog for the selected code over the chart; after the copy
// button the chosen form goes to the clipboard and the character to the
// history. The form chosen last (LastForm) is chosen again at the next F3.
void ShowDetails(ChartState &S);

#endif
