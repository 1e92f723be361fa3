// UnicodeLine: a chart cell in Unicode's words, for F2's status line, the
// details dialog and the history menu.
#ifndef QUORREL_UNICODELINE_H
#define QUORREL_UNICODELINE_H

#include <cstddef>
#include <cstdint>
#include <string>

// The status row's room inside the frame, from the text's start to the
// right side of the frame.
constexpr size_t UnicodeStatusWidth = 33;

// What the console shows for a byte of its output code page:
// "U+00E9 LATIN SMALL LETTER E WITH ACUTE". A control code goes by its
// short form ("U+001B ESC"), or with Long by its name and short form
// ("U+001B ESCAPE (ESC)"); where the console draws a glyph for it, message
// 22 and the byte itself follow (", shown as " and 0x1B, which the console
// draws as the arrow). Empty when the code page does not convert the byte.
std::string DescribeCellByte(uint8_t CellByte, bool Long);

// A line too long for Width keeps what tells it apart, its beginning and
// its end: its first word (the code point) and as many whole words from the
// end and the beginning as fit, taken in turn, with ".." for the words left
// out ("U+00E9 LATIN SMALL..E WITH ACUTE"). When not even its last word fits
// beside the first, it is cut at Width.
std::string ShortenLine(const std::string &Line, size_t Width);

// The F2 status line for a code of the current table, shortened to fit
// inside the frame; message 1's status text where the byte has no Unicode.
std::string FormatUnicodeStatus(uint8_t Code);

#endif
