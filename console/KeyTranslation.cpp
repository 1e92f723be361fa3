// KeyTranslation: an input record decoded: a key event into the program's
// key code, by rules tried in order over tables of virtual keys, one table
// per modifier; the modifiers and the mouse followed. Pure: it
// reads nothing but the record and the decoding state handed in, so that a
// front end with input records of its own (a Far 3 dialog) can use it.
#include "Input.h"

namespace {

// One row of a key table: virtual keys First..Last give Code, Code + 1, ...
struct KeyRow {
    WORD First, Last;
    int Code;
};

constexpr KeyRow Key(WORD Vk, int Code) {
    return {Vk, Vk, Code};
}

constexpr KeyRow Keys(WORD First, WORD Last, int FirstCode) {
    return {First, Last, FirstCode};
}

// The code a table gives for Vk, or 0 when it has no row for it.
template <size_t N>
int LookUp(const KeyRow (&Table)[N], WORD Vk) {
    for (const KeyRow &Row : Table)
        if (Vk >= Row.First && Vk <= Row.Last) return Row.Code + (Vk - Row.First);
    return 0;
}

// Ctrl+Shift. Keypad digits share the codes of the navigation keys printed on
// them. Every row lies within vk 33..109; 413 has no key.
const KeyRow CtrlShiftKeys[] = {
    Keys('0', '9', kbCtrlShift0),
    Keys('A', 'Z', kbCtrlShiftA),
    Key(VK_INSERT, kbCtrlShiftIns),   Key(VK_NUMPAD0, kbCtrlShiftIns),
    Key(VK_DOWN, kbCtrlShiftDown),    Key(VK_NUMPAD2, kbCtrlShiftDown),
    Key(VK_LEFT, kbCtrlShiftLeft),    Key(VK_NUMPAD4, kbCtrlShiftLeft),
    Key(VK_RIGHT, kbCtrlShiftRight),  Key(VK_NUMPAD6, kbCtrlShiftRight),
    Key(VK_UP, kbCtrlShiftUp),        Key(VK_NUMPAD8, kbCtrlShiftUp),
    Key(VK_END, kbCtrlShiftEnd),      Key(VK_NUMPAD1, kbCtrlShiftEnd),
    Key(VK_HOME, kbCtrlShiftHome),    Key(VK_NUMPAD7, kbCtrlShiftHome),
    Key(VK_NEXT, kbCtrlShiftPgDn),    Key(VK_NUMPAD3, kbCtrlShiftPgDn),
    Key(VK_PRIOR, kbCtrlShiftPgUp),   Key(VK_NUMPAD9, kbCtrlShiftPgUp),
    Key(VK_SUBTRACT, kbCtrlShiftSub),
    Key(VK_ADD, kbCtrlShiftAdd),
};

// No modifier. VK_DELETE and VK_DECIMAL depend on NumLock and are decided in
// TranslateKey itself.
const KeyRow PlainKeys[] = {
    Key(VK_BACK, kbBack),
    Key(VK_TAB, kbTab),
    Key(VK_CLEAR, kbCenter),
    Key(VK_RETURN, kbEnter),
    Key(VK_ESCAPE, kbEsc),
    Key(VK_SPACE, kbSpace),
    Key(VK_PRIOR, kbPgUp),
    Key(VK_NEXT, kbPgDn),
    Key(VK_END, kbEnd),
    Key(VK_HOME, kbHome),
    Key(VK_LEFT, kbLeft),
    Key(VK_UP, kbUp),
    Key(VK_RIGHT, kbRight),
    Key(VK_DOWN, kbDown),
    Key(VK_INSERT, kbIns),
    Keys(VK_F1, VK_F12, kbF1),
};

// Ctrl.
const KeyRow CtrlKeys[] = {
    Key(VK_BACK, kbCtrlBack),
    Key(VK_TAB, kbCtrlTab),
    Key(VK_RETURN, kbCtrlEnter),
    Key(VK_PRIOR, kbCtrlPgUp),        Key(VK_NUMPAD9, kbCtrlPgUp),
    Key(VK_NEXT, kbCtrlPgDn),         Key(VK_NUMPAD3, kbCtrlPgDn),
    Key(VK_END, kbCtrlEnd),           Key(VK_NUMPAD1, kbCtrlEnd),
    Key(VK_HOME, kbCtrlHome),         Key(VK_NUMPAD7, kbCtrlHome),
    Key(VK_LEFT, kbCtrlLeft),         Key(VK_NUMPAD4, kbCtrlLeft),
    Key(VK_UP, kbCtrlUp),             Key(VK_NUMPAD8, kbCtrlUp),
    Key(VK_RIGHT, kbCtrlRight),       Key(VK_NUMPAD6, kbCtrlRight),
    Key(VK_DOWN, kbCtrlDown),         Key(VK_NUMPAD2, kbCtrlDown),
    Key(VK_INSERT, kbCtrlIns),        Key(VK_NUMPAD0, kbCtrlIns),
    Key(VK_DELETE, kbCtrlDel),        Key(VK_DECIMAL, kbCtrlDel),
    Keys('0', '9', kbCtrl0),
    Keys('A', 'Z', kbCtrlA),
    Key(VK_ADD, kbCtrlAdd),
    Key(VK_SUBTRACT, kbCtrlSub),
    Keys(VK_F1, VK_F12, kbCtrlF1),
    Key(VK_OEM_COMMA, kbCtrlComma),
    Key(VK_OEM_PERIOD, kbCtrlPeriod),
    Key(VK_OEM_4, kbCtrlLBracket),
    Key(VK_OEM_5, kbCtrlBackslash),
    Key(VK_OEM_6, kbCtrlRBracket),
};

// Alt, before the fallbacks. Only keypad 0 and Decimal share codes here.
const KeyRow AltKeys[] = {
    Key(VK_BACK, kbAltBack),
    Key(VK_LEFT, kbAltLeft),
    Key(VK_UP, kbAltUp),
    Key(VK_RIGHT, kbAltRight),
    Key(VK_DOWN, kbAltDown),
    Key(VK_INSERT, kbAltIns),         Key(VK_NUMPAD0, kbAltIns),
    Key(VK_DELETE, kbAltDel),         Key(VK_DECIMAL, kbAltDel),
    Keys(VK_F1, VK_F12, kbAltF1),
    Key(VK_OEM_PLUS, kbAltBase + '+'),
    Key(VK_OEM_COMMA, kbAltBase + ','),
    Key(VK_OEM_MINUS, kbAltBase + '-'),
    Key(VK_OEM_PERIOD, kbAltBase + '.'),
};

// Shift.
const KeyRow ShiftKeys[] = {
    Key(VK_TAB, kbShiftTab),
    Key(VK_RETURN, kbShiftEnter),
    Key(VK_PRIOR, kbShiftPgUp),       Key(VK_NUMPAD9, kbShiftPgUp),
    Key(VK_NEXT, kbShiftPgDn),        Key(VK_NUMPAD3, kbShiftPgDn),
    Key(VK_END, kbShiftEnd),          Key(VK_NUMPAD1, kbShiftEnd),
    Key(VK_HOME, kbShiftHome),        Key(VK_NUMPAD7, kbShiftHome),
    Key(VK_LEFT, kbShiftLeft),        Key(VK_NUMPAD4, kbShiftLeft),
    Key(VK_UP, kbShiftUp),            Key(VK_NUMPAD8, kbShiftUp),
    Key(VK_RIGHT, kbShiftRight),      Key(VK_NUMPAD6, kbShiftRight),
    Key(VK_DOWN, kbShiftDown),        Key(VK_NUMPAD2, kbShiftDown),
    Key(VK_INSERT, kbShiftIns),       Key(VK_NUMPAD0, kbShiftIns),
    Key(VK_DELETE, kbShiftDel),       Key(VK_DECIMAL, kbShiftDel),
    Key(VK_ADD, kbShiftAdd),
    Key(VK_SUBTRACT, kbShiftSub),
    Keys(VK_F1, VK_F12, kbShiftF1),
};

bool IsLetter(int Ch) {
    return (Ch >= 'A' && Ch <= 'Z') || (Ch >= 'a' && Ch <= 'z');
}

bool Has(DWORD State, DWORD Bits) {
    return (State & Bits) == Bits;
}

}  // namespace

void FollowModifiers(const INPUT_RECORD &Record, DecodeState &State) {
    if (Record.EventType != KEY_EVENT) return;
    const DWORD Keys = Record.Event.KeyEvent.dwControlKeyState;
    State.CtrlDown = (Keys & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    State.AltDown = (Keys & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    State.ShiftDown = (Keys & SHIFT_PRESSED) != 0;
    State.PeekHeld = State.CtrlDown && State.AltDown && State.ShiftDown;
}

void FollowMouse(const INPUT_RECORD &Record, DecodeState &State) {
    const MOUSE_EVENT_RECORD &Mouse = Record.Event.MouseEvent;
    State.MouseX = Mouse.dwMousePosition.X;
    State.MouseY = Mouse.dwMousePosition.Y;
    State.MouseFlags = Mouse.dwEventFlags;
    State.MouseButton =
        (Mouse.dwButtonState & (FROM_LEFT_1ST_BUTTON_PRESSED | RIGHTMOST_BUTTON_PRESSED)) != 0;
    State.MouseCtrl = State.CtrlDown;
}

// Mouse flags are compared exactly: a wheel or any combined flag is none of these.
bool MousePressed(const DecodeState &State) {
    return State.MouseFlags == 0 && State.MouseButton;
}

bool MouseReleased(const DecodeState &State) {
    return State.MouseFlags == 0 && !State.MouseButton;
}

bool MouseDoubleClick(const DecodeState &State) {
    return State.MouseFlags == DOUBLE_CLICK;
}

bool MouseDragged(const DecodeState &State) {
    return State.MouseFlags == MOUSE_MOVED && State.MouseButton;
}

// The rules run in order; the first that yields a code ends the translation.
int TranslateKey(const INPUT_RECORD &Event, DecodeState &Keys, bool NotNT, UINT CodePage) {
    const KEY_EVENT_RECORD &KeyEvent = Event.Event.KeyEvent;
    // 1. Only key presses.
    if (Event.EventType != KEY_EVENT || !KeyEvent.bKeyDown) return kbNone;
    const WORD Vk = KeyEvent.wVirtualKeyCode;
    const int Ch = (unsigned char)KeyEvent.uChar.AsciiChar;
    const DWORD State = KeyEvent.dwControlKeyState;
    int Code;

    // 2. Modifier and lock keys on their own.
    if (Vk == VK_SHIFT || Vk == VK_CONTROL || Vk == VK_MENU || Vk == VK_NUMLOCK || Vk == VK_SCROLL)
        return kbNone;

    // 3. AltGr arrives as left Ctrl + right Alt. With a character it is that
    // character; without, the key is an Alt combination and Ctrl is forgotten
    // until the next key event.
    if (Has(State, LEFT_CTRL_PRESSED | RIGHT_ALT_PRESSED)) {
        if (Ch != 0) return Ch;
        Keys.CtrlDown = false;
    }

    // 4. Ctrl+Shift.
    if (Keys.CtrlDown && Keys.ShiftDown && (Code = LookUp(CtrlShiftKeys, Vk))) return Code;

    // 5. Right Ctrl + digit, from the record itself, whatever else is held.
    if (Has(State, RIGHT_CTRL_PRESSED) && Vk >= '0' && Vk <= '9') return kbRCtrl0 + (Vk - '0');

    // 6. No modifier.
    if (!Keys.CtrlDown && !Keys.AltDown && !Keys.ShiftDown) {
        if (Vk == VK_DELETE) return Has(State, NUMLOCK_ON) && Ch != 0 ? Ch : kbDel;
        if (Vk == VK_DECIMAL) return Has(State, NUMLOCK_ON) ? int('.') : int(kbDel);
        if ((Code = LookUp(PlainKeys, Vk))) return Code;
    }

    // 7. Ctrl, also with Alt or Shift held.
    if (Keys.CtrlDown && (Code = LookUp(CtrlKeys, Vk))) return Code;

    // 8. Alt always yields a code. On non-NT consoles with code page 850 the
    // right Alt key types the non-letter characters of the layout.
    if (Keys.AltDown) {
        if ((Code = LookUp(AltKeys, Vk))) return Code;
        if (Ch == 0) return kbAltBase + Vk;
        if (NotNT && CodePage == 850 && Has(State, RIGHT_ALT_PRESSED) && !IsLetter(Ch))
            return Ch;
        return kbAltBase + UpCaseLetter(Ch);
    }

    // 9. Shift.
    if (Keys.ShiftDown && (Code = LookUp(ShiftKeys, Vk))) return Code;

    // 10. Whatever character the key gives.
    return Ch != 0 ? Ch : kbNone;
}

int UpCaseLetter(int Ch) {
    return Ch >= 'a' && Ch <= 'z' ? Ch - 32 : Ch;
}
