// Shared pieces of the contract suite. The suite uses Win32 names only and
// runs natively (against winsim) and under Wine with the same test names:
// where the two disagree, winsim is wrong.
#ifndef QUORREL_TESTS_CONTRACT_H
#define QUORREL_TESTS_CONTRACT_H

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

inline HANDLE OpenConsoleHandle(const char *name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

inline SMALL_RECT Rect(int left, int top, int right, int bottom)
{
    SMALL_RECT r;
    r.Left = static_cast<SHORT>(left);
    r.Top = static_cast<SHORT>(top);
    r.Right = static_cast<SHORT>(right);
    r.Bottom = static_cast<SHORT>(bottom);
    return r;
}

inline COORD Coord(int x, int y)
{
    COORD c;
    c.X = static_cast<SHORT>(x);
    c.Y = static_cast<SHORT>(y);
    return c;
}

inline std::string RectText(const SMALL_RECT &r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

inline CHAR_INFO Cell(unsigned char ch, WORD attr)
{
    CHAR_INFO c;
    c.Char.UnicodeChar = 0;
    c.Char.AsciiChar = static_cast<CHAR>(ch);
    c.Attributes = attr;
    return c;
}

// Input records with every field as given: bKeyDown too, which the contract
// pins for values other than TRUE and FALSE. (The suite stands apart from the
// console library and its builder.)
inline INPUT_RECORD Key(char ch, WORD vk, BOOL down, DWORD control = 0)
{
    INPUT_RECORD rec;
    memset(&rec, 0, sizeof rec);
    rec.EventType = KEY_EVENT;
    rec.Event.KeyEvent.bKeyDown = down;
    rec.Event.KeyEvent.wRepeatCount = 1;
    rec.Event.KeyEvent.wVirtualKeyCode = vk;
    rec.Event.KeyEvent.uChar.AsciiChar = ch;
    rec.Event.KeyEvent.dwControlKeyState = control;
    return rec;
}

inline INPUT_RECORD Mouse(int x, int y, DWORD buttons, DWORD flags)
{
    INPUT_RECORD rec;
    memset(&rec, 0, sizeof rec);
    rec.EventType = MOUSE_EVENT;
    rec.Event.MouseEvent.dwMousePosition = Coord(x, y);
    rec.Event.MouseEvent.dwButtonState = buttons;
    rec.Event.MouseEvent.dwEventFlags = flags;
    return rec;
}

#endif
