// UnicodeLine: a chart cell in Unicode's words, for F2's status line, the
// details dialog and the history menu.
#ifndef QUORREL_UNICODELINE_H
#define QUORREL_UNICODELINE_H

#include "ChartState.h"

#include <string>

// What the console shows for a cell's character:
// "U+00E9 LATIN SMALL LETTER E WITH ACUTE". A control code goes by its
// short form ("U+001B ESC"), or with Long by its name and short form
// ("U+001B ESCAPE (ESC)"); where the console draws a glyph for it, message
// 22 and the character itself follow (", shown as " and 0x1B, which the
// console draws as the arrow). Empty when the code page does not convert
// the character.
std::string DescribeCell(const ChartState &S, ChartChar Cell, bool Long);

// The F2 status line for a code of the current table, shortened in the
// middle to fit inside the frame (ShortenLine, UnicodeText.h); empty where
// the character has no Unicode.
std::string FormatUnicodeStatus(const ChartState &S, uint8_t Code);

#endif
