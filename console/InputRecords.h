// InputRecords: console input records built from their parts, one key or
// mouse event each, for writing into the console input.
#ifndef QUORREL_INPUTRECORDS_H
#define QUORREL_INPUTRECORDS_H

#include <windows.h>

#include <cstring>

// A key event. The character goes in the low byte with a zero high byte, as
// the A functions expect; a key going down is marked -1 (all bits set).
inline INPUT_RECORD KeyRecord(WORD Vk, unsigned char Ch, DWORD State, bool Down = true)
{
    INPUT_RECORD Record;
    std::memset(&Record, 0, sizeof(Record));  // every byte defined, padding included
    Record.EventType = KEY_EVENT;
    Record.Event.KeyEvent.bKeyDown = Down ? -1 : 0;
    Record.Event.KeyEvent.wRepeatCount = 1;
    Record.Event.KeyEvent.wVirtualKeyCode = Vk;
    Record.Event.KeyEvent.uChar.UnicodeChar = Ch;
    Record.Event.KeyEvent.dwControlKeyState = State;
    return Record;
}

inline INPUT_RECORD MouseRecord(int X, int Y, DWORD Buttons, DWORD Flags, DWORD State = 0)
{
    INPUT_RECORD Record;
    std::memset(&Record, 0, sizeof(Record));
    Record.EventType = MOUSE_EVENT;
    Record.Event.MouseEvent.dwMousePosition.X = SHORT(X);
    Record.Event.MouseEvent.dwMousePosition.Y = SHORT(Y);
    Record.Event.MouseEvent.dwButtonState = Buttons;
    Record.Event.MouseEvent.dwEventFlags = Flags;
    Record.Event.MouseEvent.dwControlKeyState = State;
    return Record;
}

#endif
