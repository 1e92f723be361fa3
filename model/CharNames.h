// Names of the characters the chart can show: the official Unicode names
// and Unicode's name aliases, for every code point that a single-byte code
// page reaches. All texts are plain ASCII (capitals, digits, blank, hyphen).
#ifndef QUORREL_CHARNAMES_H
#define QUORREL_CHARNAMES_H

#include <cstddef>
#include <cstdint>
#include <string>

// The character's name: its official name ("LATIN SMALL LETTER E WITH
// ACUTE"); for a control code, which has none, its name among the aliases
// ("ESCAPE"); for a private-use code, where Windows puts the bytes a code
// page leaves undefined, Unicode's label ("<private-use-F8BB>"). Empty when
// the table does not know the code point.
std::string CharName(uint32_t CodePoint);

// The short form among the aliases: "ESC", "DEL", "NBSP"; empty when none.
std::string CharAbbreviation(uint32_t CodePoint);

// C0 controls, DEL and the C1 controls.
bool IsControlCode(uint32_t CodePoint);

// Find by name: true when every word of Words (separated by blanks, in any
// case) begins a word of the character's name or of one of its aliases;
// words inside a name start after a blank or a hyphen. "e acute" matches
// LATIN SMALL LETTER E WITH ACUTE, "break" NO-BREAK SPACE, "esc" the
// control code ESCAPE. Words without any word match nothing.
bool CharNameMatches(uint32_t CodePoint, const std::string &Words);

// What the table takes in the module, in bytes, and how many code points it names.
size_t CharNameTableBytes();
int CharNameCount();

#endif
