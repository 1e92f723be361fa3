// UnicodeText: a character in Unicode's words, as one line for a status row
// or a heading: its code point and its name (a control code by its short
// form), and a line cut to a width without losing the words at its end.
// Plain ASCII; each front end adds the glyph a control code is drawn as.
#ifndef QUORREL_UNICODETEXT_H
#define QUORREL_UNICODETEXT_H

#include "CharInfo.h"

#include <cstddef>
#include <string>

// "U+00E9 LATIN SMALL LETTER E WITH ACUTE". A control code goes by its
// short form ("U+001B ESC"), or with Long by its name and short form
// ("U+001B ESCAPE (ESC)"); a C1 code without a short form by its name.
// Empty when the character is not known.
std::string UnicodeLine(const CellCharacter &C, bool Long);

// A line longer than Width keeps its first words and its last, with ".."
// for those between, as many of each as fit ("U+00E9 LATIN SMALL..E WITH
// ACUTE"); a line of one long word is cut at Width.
std::string ShortenLine(const std::string &Line, size_t Width);

#endif
