// Far3ChartText: the chart's texts in Far 3's terms (UTF-16): what a cell
// shows, the status row, a character in Unicode's words.
#ifndef QUORREL_FAR3CHARTTEXT_H
#define QUORREL_FAR3CHARTTEXT_H

#include "ChartState.h"
#include "Far3CodePages.h"

#include <string>

// What a cell draws for its character: a C0 control code or DEL as the
// glyph the console shows for it (as on the OEM page), a C1 control code
// as a blank; any other character as itself.
wchar_t ShownChar(wchar_t Cell);

// A page as the chart names it: Windows' name, with the page's number in
// front where the name does not begin with it (Windows' names do, Wine's
// do not): "1251 ANSI Cyrillic".
std::wstring PageTitle(const Far3CodePage &Page);

// ASCII text as UTF-16, and back (other characters become '?').
std::wstring ToWide(const std::string &Ascii);
std::string ToAscii(const std::wstring &Text);

// "U+00E9 LATIN SMALL LETTER E WITH ACUTE" for a code of the current page;
// where the cell shows a glyph for a control code, message 22 and the
// glyph follow. Long: a control code by its name and short form. A line
// longer than Width loses words of the name from its middle (the glyph
// stays). Empty when the page does not convert the byte.
std::wstring Far3UnicodeLine(const ChartState &S, uint8_t Code, bool Long, size_t Width);

// Message 1's status text of a code: its format gets the character, the
// code and the code (a built-in format when the message's is not safe);
// cut to Width.
std::wstring Far3CodeStatus(const ChartState &S, uint8_t Code, size_t Width);

// The status row of a code: F2's Unicode line with UnicodeStatus (where the
// character has one), else message 1's status text.
std::wstring Far3StatusText(const ChartState &S, uint8_t Code, size_t Width);

#endif
