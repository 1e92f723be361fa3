// Input queued in winsim's console as a real console delivers it: a key
// goes down and up, a modifier wraps its key, a double click is two clicks.
// Native suites only (winsim's test API).
#ifndef QUORREL_TESTS_QUEUEDINPUT_H
#define QUORREL_TESTS_QUEUEDINPUT_H

#include "InputRecords.h"

#include <winsim.h>

#include <string>

namespace queued {

inline void Key(WORD Vk, char Ch = 0, DWORD State = 0) {
    winsim::PushInput(KeyRecord(Vk, Ch, State, true));
    winsim::PushInput(KeyRecord(Vk, Ch, State, false));
}
// A modifier combination: modifier down, key down/up, modifier up.
inline void Combo(WORD ModVk, DWORD State, WORD Vk, char Ch = 0) {
    winsim::PushInput(KeyRecord(ModVk, 0, State, true));
    Key(Vk, Ch, State);
    winsim::PushInput(KeyRecord(ModVk, 0, 0, false));
}
inline void Ctrl(WORD Vk, char Ch = 0) { Combo(VK_CONTROL, LEFT_CTRL_PRESSED, Vk, Ch); }
inline void Alt(WORD Vk) { Combo(VK_MENU, LEFT_ALT_PRESSED, Vk); }
inline void Shift(WORD Vk) { Combo(VK_SHIFT, SHIFT_PRESSED, Vk); }
inline void Esc() { Key(VK_ESCAPE, 27); }
inline void Enter() { Key(VK_RETURN, 13); }
// A character key: letters on their upper-case virtual key.
inline void Char(char C) {
    WORD Vk = (C >= 'a' && C <= 'z') ? WORD(C - 32) : WORD(static_cast<unsigned char>(C));
    Key(Vk, C);
}
inline void Type(const std::string &S) {
    for (char C : S) Char(C);
}

inline void Press(int X, int Y) {
    winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, 0));
}
inline void Release(int X, int Y) { winsim::PushInput(MouseRecord(X, Y, 0, 0)); }
inline void DragTo(int X, int Y) {
    winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_MOVED));
}
// As a console reports it: the first click selects, the second confirms.
inline void DoubleClick(int X, int Y, DWORD State = 0) {
    winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, 0, State));
    winsim::PushInput(MouseRecord(X, Y, 0, 0, State));
    winsim::PushInput(MouseRecord(X, Y, FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK, State));
    winsim::PushInput(MouseRecord(X, Y, 0, 0, State));
}

}  // namespace queued

#endif
