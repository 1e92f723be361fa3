// What a chart cell's byte is in Unicode, and the forms a program writes a
// character in. Every text is plain ASCII, so it stays as it is in the
// console's OEM code page.
#ifndef QUORREL_CHARINFO_H
#define QUORREL_CHARINFO_H

#include <windows.h>

#include <cstdint>
#include <string>

// A byte as the console shows it in a code page.
struct CellCharacter {
    bool Known;          // the code page converts the byte; when false the rest is 0
    bool Defined;        // the code page defines the byte; an undefined one
                         // converts to a stand-in (a private-use code, U+FFFD)
    uint32_t CodePoint;  // what the byte stands for: a control code for 0-31 and 127
    uint32_t Glyph;      // what the console draws for it: ESC (0x1B) is drawn
                         // as U+2190 LEFTWARDS ARROW; else the code point itself
};

// The byte in a code page, by MultiByteToWideChar (the glyph with
// MB_USEGLYPHCHARS). Code page 0 means none (GetConsoleOutputCP failed),
// not the system's ANSI page.
CellCharacter CharacterOfByte(UINT CodePage, uint8_t Byte);

// Value's digits in a base from 2 to 16 (capitals), at least MinDigits of them.
std::string FormatDigits(unsigned Value, unsigned Base, int MinDigits = 1);
// "U+00E9": at least four hexadecimal digits, in capitals.
std::string FormatCodePoint(uint32_t CodePoint);
// The UTF-8 bytes into Out, returning their number (1 to 4); 0 for a
// surrogate or a value past U+10FFFF, which UTF-8 cannot carry.
int EncodeUtf8(uint32_t CodePoint, unsigned char Out[4]);
// "C3 A9": the UTF-8 bytes in hexadecimal; empty where EncodeUtf8 gives 0.
std::string FormatUtf8(uint32_t CodePoint);
// "&#233;": HTML's decimal character reference.
std::string FormatHtml(uint32_t CodePoint);
// "\xE9": the byte as a C string escape.
std::string FormatCEscape(uint8_t Code);
// The keystroke that types a code in Windows, with Alt held and the digits
// on the numeric keypad: "Alt+130" for the OEM code page, "Alt+0233" (a
// leading zero and three digits) for the ANSI one.
std::string FormatAltKeystroke(uint8_t Code, bool AnsiPage);

#endif
