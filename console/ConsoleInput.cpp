// Console: input events into key codes, modifier flags and the mouse state.
#include "Console.h"

bool CtrlDown = false, AltDown = false, ShiftDown = false, PeekHeld = false;
int32_t MouseX = 0, MouseY = 0;
DWORD MouseFlags = 0;
bool MouseButton = false, MouseCtrl = false;

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

// Step 4. Keypad digits share the codes of the navigation keys printed on
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

// Step 6. VK_DELETE and VK_DECIMAL depend on NumLock and are decided in
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

// Step 7.
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

// Step 8, before the fallbacks. Only keypad 0 and Decimal share codes here.
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

// Step 9.
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

// The rules run in order; the first that yields a code ends the translation.
int TranslateKey(const INPUT_RECORD &Event) {
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
        CtrlDown = false;
    }

    // 4. Ctrl+Shift.
    if (CtrlDown && ShiftDown && (Code = LookUp(CtrlShiftKeys, Vk))) return Code;

    // 5. Right Ctrl + digit, from the record itself, whatever else is held.
    if (Has(State, RIGHT_CTRL_PRESSED) && Vk >= '0' && Vk <= '9') return kbRCtrl0 + (Vk - '0');

    // 6. No modifier.
    if (!CtrlDown && !AltDown && !ShiftDown) {
        if (Vk == VK_DELETE) return Has(State, NUMLOCK_ON) && Ch != 0 ? Ch : kbDel;
        if (Vk == VK_DECIMAL) return Has(State, NUMLOCK_ON) ? int('.') : int(kbDel);
        if ((Code = LookUp(PlainKeys, Vk))) return Code;
    }

    // 7. Ctrl, also with Alt or Shift held.
    if (CtrlDown && (Code = LookUp(CtrlKeys, Vk))) return Code;

    // 8. Alt always yields a code. On non-NT consoles with code page 850 the
    // right Alt key types the non-letter characters of the layout.
    if (AltDown) {
        if ((Code = LookUp(AltKeys, Vk))) return Code;
        if (Ch == 0) return kbAltBase + Vk;
        if (NotNT && OutputCodePage == 850 && Has(State, RIGHT_ALT_PRESSED) && !IsLetter(Ch))
            return Ch;
        return kbAltBase + UpCaseLetter(Ch);
    }

    // 9. Shift.
    if (ShiftDown && (Code = LookUp(ShiftKeys, Vk))) return Code;

    // 10. Whatever character the key gives.
    return Ch != 0 ? Ch : kbNone;
}

int UpCaseLetter(int Ch) {
    return Ch >= 'a' && Ch <= 'z' ? Ch - 32 : Ch;
}

namespace {

// Records taken from the console and not handed out yet, oldest first.
const int BatchSize = 64;
INPUT_RECORD Taken[BatchSize];
int TakenFirst = 0, TakenCount = 0;

// Console input calls that failed in a row. The console's input calls do not
// fail now and then: they fail when the handle or the console is gone. Five
// failures 20 ms apart (a tenth of a second, well below what a user notices)
// ride out a passing fault; after that the input counts as lost.
const int LastingFailure = 5;
const DWORD FailurePause = 20;
int FailedCalls = 0;

// Woken with nothing to peek: the next wait is preceded by a pause, so that a
// handle that stays signalled without input cannot spin.
bool WokenEmpty = false;

struct DecodeState {
    bool Ctrl, Alt, Shift, Peek;
    int32_t X, Y;
    DWORD Flags;
    bool Button, MCtrl;
};

DecodeState SaveDecodeState() {
    return {CtrlDown, AltDown, ShiftDown, PeekHeld, MouseX, MouseY, MouseFlags, MouseButton, MouseCtrl};
}

void RestoreDecodeState(const DecodeState &S) {
    CtrlDown = S.Ctrl;
    AltDown = S.Alt;
    ShiftDown = S.Shift;
    PeekHeld = S.Peek;
    MouseX = S.X;
    MouseY = S.Y;
    MouseFlags = S.Flags;
    MouseButton = S.Button;
    MouseCtrl = S.MCtrl;
}

// Step 2: the modifier flags follow every key event, releases included.
void FollowModifiers(const INPUT_RECORD &Record) {
    if (Record.EventType != KEY_EVENT) return;
    const DWORD State = Record.Event.KeyEvent.dwControlKeyState;
    CtrlDown = (State & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    AltDown = (State & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    ShiftDown = (State & SHIFT_PRESSED) != 0;
    PeekHeld = CtrlDown && AltDown && ShiftDown;
}

// Step 5.
void FollowMouse(const INPUT_RECORD &Record) {
    const MOUSE_EVENT_RECORD &Mouse = Record.Event.MouseEvent;
    MouseX = Mouse.dwMousePosition.X;
    MouseY = Mouse.dwMousePosition.Y;
    MouseFlags = Mouse.dwEventFlags;
    MouseButton =
        (Mouse.dwButtonState & (FROM_LEFT_1ST_BUTTON_PRESSED | RIGHTMOST_BUTTON_PRESSED)) != 0;
    MouseCtrl = CtrlDown;
}

// Steps 2, 3 and 5 for a record taken from the console.
int Decode(const INPUT_RECORD &Record) {
    FollowModifiers(Record);
    const int Code = TranslateKey(Record);
    if (Record.EventType != MOUSE_EVENT) return Code;
    FollowMouse(Record);
    return kbMouse;
}

// On Windows 9x the character in a key event is not always the one typed: the
// character input has the right one and takes the event with it.
bool TakenByCharacterInput(int Code) {
    return NotNT && (Code == kbBack || (Code >= 32 && Code <= 255));
}

// Counts a failed input call. True once the failures have lasted: the input
// is then lost, the modifiers count as released (a peek ends) and the caller
// gets Esc, which closes what waits for input.
bool InputFailed() {
    if (++FailedCalls >= LastingFailure) {
        FailedCalls = LastingFailure;
        CtrlDown = AltDown = ShiftDown = PeekHeld = false;
        return true;
    }
    Sleep(FailurePause);
    return false;
}

bool ReadOneChar(int &Ch) {
    char Buf = 0;
    DWORD Read = 0;
    if (!ReadConsoleA(InputHandle, &Buf, 1, &Read, nullptr) || Read != 1) return false;
    Ch = (unsigned char)Buf;
    return true;
}

// Step 4 for a character key at the head of the queue. Nothing is acted on
// unless the character input really took it.
bool ReadCharacterKey(const INPUT_RECORD &Record, int &Result) {
    const DecodeState Before = SaveDecodeState();
    const int Code = Decode(Record);
    int Typed = 0;
    if (!ReadOneChar(Typed)) {
        RestoreDecodeState(Before);
        return false;
    }
    // A 13 delivered for a key other than Enter is skipped.
    if (Typed == 13 && Code != 13 && !ReadOneChar(Typed)) Typed = 0;
    Result = Typed != 0 ? Typed : Code;
    return true;
}

}  // namespace

// The records waiting are peeked as a batch, and as many taken in one read as
// may be: up to and including the first key that hands the input over, and
// before a character key that the character input must take alone. Only what
// the read returned is acted on.
int ReadEvent(bool NoWait, HandOverProc HandsOver) {
    for (;;) {
        if (TakenCount > 0) {
            TakenCount--;
            return Decode(Taken[TakenFirst++]);
        }
        INPUT_RECORD Batch[BatchSize];
        DWORD Count = 0;
        if (!PeekConsoleInputA(InputHandle, Batch, BatchSize, &Count)) {
            if (InputFailed()) return kbEsc;
            continue;
        }
        if (Count == 0) {
            if (NoWait) {
                FailedCalls = 0;  // polled, and the peek that found nothing worked
                Sleep(20);
                Sleep(20);
                return kbIdle;
            }
            if (!NotNT) {
                // The read waits for a record itself: a key typed while idle
                // costs one call. One record never goes past a hand-over key.
                DWORD Read = 0;
                if (!ReadConsoleInputA(InputHandle, Taken, 1, &Read)) {
                    if (InputFailed()) return kbEsc;
                    continue;
                }
                if (Read == 1) {
                    FailedCalls = 0;
                    TakenFirst = 0;
                    TakenCount = 1;
                    continue;
                }
            }
            if (WokenEmpty) Sleep(FailurePause);
            const DWORD Woken = WaitForSingleObject(InputHandle, INFINITE);
            if (Woken == WAIT_FAILED && InputFailed()) return kbEsc;
            WokenEmpty = Woken == WAIT_OBJECT_0;
            continue;
        }
        WokenEmpty = false;
        Count = DWORD(MinInt(int(Count), BatchSize));

        // What each record will be, decoded with the state it will meet.
        const DecodeState Before = SaveDecodeState();
        DWORD Take = 0;
        bool CharacterKey = false;
        for (DWORD I = 0; I < Count; I++) {
            const int Code = Decode(Batch[I]);
            if (TakenByCharacterInput(Code)) {
                CharacterKey = I == 0;
                break;
            }
            Take = I + 1;
            if (!HandsOver || HandsOver(Code)) break;
        }
        RestoreDecodeState(Before);

        if (CharacterKey) {
            int Result = 0;
            if (ReadCharacterKey(Batch[0], Result)) {
                FailedCalls = 0;
                return Result;
            }
            if (InputFailed()) return kbEsc;
            continue;
        }
        DWORD Read = 0;
        if (!ReadConsoleInputA(InputHandle, Taken, Take, &Read) || Read == 0) {
            if (InputFailed()) return kbEsc;
            continue;
        }
        FailedCalls = 0;
        TakenFirst = 0;
        TakenCount = int(MinInt(int(Read), int(Take)));
    }
}

void ConsoleInputResetForTests() {
    CtrlDown = AltDown = ShiftDown = PeekHeld = false;
    MouseX = MouseY = 0;
    MouseFlags = 0;
    MouseButton = MouseCtrl = false;
    TakenFirst = TakenCount = 0;
    FailedCalls = 0;
    WokenEmpty = false;
}

// Mouse flags are compared exactly: a wheel or any combined flag is none of these.
bool MousePressed() {
    return MouseFlags == 0 && MouseButton;
}

bool MouseReleased() {
    return MouseFlags == 0 && !MouseButton;
}

bool MouseDoubleClick() {
    return MouseFlags == DOUBLE_CLICK;
}

bool MouseDragged() {
    return MouseFlags == MOUSE_MOVED && MouseButton;
}
