// UnicodeLine: a chart cell in Unicode's words, for F2's status line, the
// details dialog and the history menu.
#ifndef QUORREL_UNICODELINE_H
#define QUORREL_UNICODELINE_H

#include "ChartState.h"

#include <cstddef>
#include <string>

// What the console shows for a cell's character:
// "U+00E9 LATIN SMALL LETTER E WITH ACUTE". A control code goes by its
// short form ("U+001B ESC"), or with Long by its name and short form
// ("U+001B ESCAPE (ESC)"); where the console draws a glyph for it, message
// 22 and the character itself follow (", shown as " and 0x1B, which the
// console draws as the arrow). Empty when the code page does not convert
// the character.
std::string DescribeCell(const ChartState &S, ChartChar Cell, bool Long);

// A line too long for Width keeps what tells it apart, its beginning and
// its end: its first word (the code point) and as many whole words from the
// end and the beginning as fit, taken in turn, with ".." for the words left
// out ("U+00E9 LATIN SMALL..E WITH ACUTE"). When not even its last word fits
// beside the first, it is cut at Width.
std::string ShortenLine(const std::string &Line, size_t Width);

// The F2 status line for a code of the current table, shortened to fit
// inside the frame; empty where the character has no Unicode.
std::string FormatUnicodeStatus(const ChartState &S, uint8_t Code);

#endif
