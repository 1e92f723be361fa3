// ChartKeys: the chart's keys as data. One table says, for each key code
// and mode, what the key does and whether it may hand the console input
// over to someone else (a host dialog or menu it opens, or the host once
// the window closes). Every front end reads its keys through this table,
// and the actions that change nothing but the chart's state are applied
// here.
#ifndef QUORREL_CHARTKEYS_H
#define QUORREL_CHARTKEYS_H

#include "ChartState.h"
#include "KeyCodes.h"

#include <cstddef>
#include <cstdint>

enum class ChartAction : uint8_t {
    None,
    // Selection mode: the chart's state alone.
    TypeCharacter,      // a character key
    RowStart,           // Home
    RowEnd,             // End
    Up,
    Down,
    Left,
    Right,
    FirstRow,           // PgUp
    LastRow,            // PgDn
    FirstCode,          // Ctrl+Home, Ctrl+PgUp
    LastCode,           // Ctrl+End, Ctrl+PgDn
    ToggleWindowsTable, // F8
    NextTable,          // F9
    PrevTable,          // Shift+F9
    WindowUp,           // Alt+arrows
    WindowDown,
    WindowLeft,
    WindowRight,
    ToggleUnicodeStatus, // F2 (the front end keeps the choice)
    // Selection mode: the front end's, through the host or the clipboard.
    Confirm,            // Enter: copy and close
    ConfirmAppend,      // Ctrl+Enter: append and close
    Cancel,             // Esc, F10
    Copy,               // Ctrl+C, Ctrl+Ins: copy, stay open
    Append,             // Ctrl+Gray +: append, stay open
    Help,               // F1
    Options,            // F11, Ctrl+F11
    TableMenu,          // Shift+F8
    Details,            // F3
    FindNext,           // F7: the next match, or new words
    FindPrevious,       // Shift+F7
    FindNew,            // Ctrl+F7: always asks
    Recent,             // Alt+F8
    Mouse,              // a mouse event
    // Entry mode (a code being typed).
    EntryChar,          // a character key
    EntryBack,          // Backspace
    EntryEnter,         // Enter: take the code
    EntryCancel,        // Esc, F10: back to selection mode
};

// Key codes First..Last in one mode.
struct ChartKey {
    int First, Last;
    bool EntryMode;
    ChartAction Action;
    bool HandsOver;
};

extern const ChartKey ChartKeys[];
extern const size_t ChartKeyCount;

// The action of a key code in a mode; None for a key that does nothing.
ChartAction ActionForKey(bool EntryMode, int Key);
// Whether the key may hand the input over in either mode: input read in
// batches must not be taken past such a key, since the mode may change on
// the way to it. A mouse event is the front end's to judge further.
bool KeyHandsOver(int Key);

// Applies an action that changes nothing but the chart's state; false for
// the front end's actions, which it must carry out itself. Key is the key
// code (a character key's character); MaxX and MaxY bound the window's
// top-left corner for the Alt+arrows.
bool ApplyChartAction(ChartState &S, ChartAction Action, int Key, int MaxX, int MaxY);

#endif
