// ChartLoop: the chart window's interaction loop, its hooks and its result.
#ifndef QUORREL_CHARTLOOP_H
#define QUORREL_CHARTLOOP_H

#include <cstdint>
#include <string>

typedef void (*ChartHookProc)();
extern ChartHookProc HelpHook, TableMenuHook, OptionsHook;

// Mouse actions.
enum MouseAction : uint8_t {
    maNone = 0,
    maClose = 1,
    maDrag = 2,
    maTableMenu = 3,
    maSelect = 4,
    maConfirm = 5,
    maConfirmAppend = 6,
};

// State of one run of the loop.
extern std::string EntryText;
extern uint8_t CellRow, CellCol;
extern uint8_t Choice;
extern bool Dragging;
extern int32_t GrabX, GrabY;

uint8_t RunChart();
uint8_t ChartLoop();
MouseAction ChartMouse();
bool InArea(int X1, int X2, int Y1, int Y2);
void ParseDecCode(const std::string &Text, uint8_t &Code);
void ParseHexCode(const std::string &Text, uint8_t &Code);
void CodeToCell();
void CellToCode();
void AddEntryChar(int Key);
// Both say whether the character reached the clipboard.
bool CopyChoice();
bool AppendChoice();

// Back to load-time state (for tests).
void ChartLoopResetForTests();

#endif
