// The console Far runs in, read and typed into exactly: the cells and their
// attributes with ReadConsoleOutputW, the cursor, and input records written
// with WriteConsoleInputW (keys with their virtual key codes, characters and
// modifier states; mouse events). Works on this process's console, which Far
// shares when this process starts it, or on another process's console after
// AttachTo (the far-console tool).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct Screen {
    int Width = 0, Height = 0;
    std::vector<CHAR_INFO> Cells;  // row by row, the console's window
    COORD Cursor = {0, 0};
    bool CursorVisible = false;

    const CHAR_INFO &At(int X, int Y) const { return Cells[size_t(Y) * size_t(Width) + size_t(X)]; }
    wchar_t Char(int X, int Y) const { return At(X, Y).Char.UnicodeChar; }
    WORD Attr(int X, int Y) const { return At(X, Y).Attributes; }
    std::wstring Row(int Y) const;
    std::wstring Text(int X, int Y, int Count) const;
    // The first row and column where Text starts (reading rows top to bottom).
    bool Find(const std::wstring &Text, int *X = nullptr, int *Y = nullptr) const;
    bool Contains(const std::wstring &Text) const { return Find(Text); }
    // The rows as UTF-8 lines, for failure messages.
    std::string Dump() const;
    // Cells, attributes and cursor alike.
    bool operator==(const Screen &Other) const;
    bool operator!=(const Screen &Other) const { return !(*this == Other); }
    // Where two screens of one size differ: "row 3 column 7: 'a' 0x1b / 'b' 0x70", at most Limit.
    std::string Differences(const Screen &Other, int Limit = 8) const;
};

// A key as the console delivers it: the virtual key code, the character it
// types (0 for none) and the modifier state (LEFT_CTRL_PRESSED, ...).
struct Key {
    WORD Vk = 0;
    wchar_t Char = 0;
    DWORD Modifiers = 0;
};

// A key by its name: "F11", "Enter", "Ctrl+Home", "Alt+F8", "Shift+F7",
// "Ctrl+Alt+Left", or one character ("A", "Ж"). False for a name it does not know.
bool ParseKey(const std::wstring &Name, Key *Out);

namespace FarConsole {

// Attaches this process to the console of another (FreeConsole, then
// AttachConsole). False when the process has no console or cannot be reached.
bool AttachTo(DWORD ProcessId);

// The console's window as it is now. False when the console cannot be read.
bool Read(Screen *Out);

// Writes the records into the console input, in one call.
bool Write(const std::vector<INPUT_RECORD> &Records);

// A key pressed and released; a character as its key (Shift for capitals).
bool Press(const Key &K);
// Keys by name, separated by spaces: "Ctrl+Home Right Down". A name it does
// not know fails the call and writes nothing.
bool Press(const std::wstring &Names);
// Each character of Text as a key press.
bool Type(const std::wstring &Text);
// The left button pressed and released at a cell; Double: twice, the second
// as the console reports a double click.
bool Click(int X, int Y, bool Double = false, DWORD Modifiers = 0);

}  // namespace FarConsole

std::string Utf8(const std::wstring &Text);
std::wstring Wide(const std::string &Utf8Text);
