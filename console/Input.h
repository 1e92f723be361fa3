// Input: console input events into the program's key codes, the modifier
// flags and the mouse state, read in batches that never take a record past
// a key that hands the input over.
#ifndef QUORREL_INPUT_H
#define QUORREL_INPUT_H

#include <windows.h>

#include "KeyCodes.h"

#include <cstdint>

// What the events decoded so far leave behind: the modifiers held and the
// last mouse event.
struct DecodeState {
    bool CtrlDown = false, AltDown = false, ShiftDown = false;
    // Ctrl, Alt and Shift all held: the screen underneath is shown.
    bool PeekHeld = false;
    int32_t MouseX = 0, MouseY = 0;
    DWORD MouseFlags = 0;
    bool MouseButton = false, MouseCtrl = false;
};

struct InputState : DecodeState {
    // Records taken from the console and not handed out yet, oldest first.
    static constexpr int BatchSize = 64;
    INPUT_RECORD Taken[BatchSize] = {};
    int TakenFirst = 0, TakenCount = 0;
    // Console input calls that failed in a row.
    int FailedCalls = 0;
    // Woken with nothing to peek: the next wait is preceded by a pause, so
    // that a handle that stays signalled without input cannot spin.
    bool WokenEmpty = false;
};

// Global: the modifiers and the mouse carry from one event to the next, and
// records taken ahead wait for the next read, through the console's handle
// that the module opens when it loads.
extern InputState Input;

// Whether a key code may hand the console input over to someone else (a host
// dialog opened for it, the host once the window has closed).
typedef bool (*HandOverProc)(int Code);
// Records are taken from the console in batches, but never one past a key
// for which HandsOver says true (or past any key without HandsOver), so that
// whatever was typed after it stays in the console input, in order.
int ReadEvent(bool NoWait, HandOverProc HandsOver = nullptr);

// The modifier flags follow every key event, releases included.
void FollowModifiers(const INPUT_RECORD &Record, DecodeState &State);
// A key press as a key code, by the modifiers held. NotNT and CodePage say
// which console the record came from (Windows 9x with code page 850 types
// some characters with the right Alt key). AltGr without a character makes
// the key an Alt combination: Ctrl counts as released until the next event.
int TranslateKey(const INPUT_RECORD &Event, DecodeState &State, bool NotNT, UINT CodePage);
int UpCaseLetter(int Ch);
// The mouse's place, buttons and flags from a mouse event; MouseCtrl from
// the modifiers held.
void FollowMouse(const INPUT_RECORD &Record, DecodeState &State);

// The last mouse event: a press or a release of the left or right button,
// a double click, a move with a button down. Without a state: the console's.
bool MousePressed(const DecodeState &State);
bool MouseReleased(const DecodeState &State);
bool MouseDoubleClick(const DecodeState &State);
bool MouseDragged(const DecodeState &State);
bool MousePressed();
bool MouseReleased();
bool MouseDoubleClick();
bool MouseDragged();

#endif
