// The chart window: layout, drawing and the interaction loop.
#ifndef QUORREL_CHART_H
#define QUORREL_CHART_H

#include <cstdint>
#include <string>

extern int32_t ChartX, ChartY;
extern bool CentrePending;

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

void CentreChart();
void DrawChart(uint8_t Code, const std::string &Entry);
std::string FormatStatus(uint8_t Code);
// Whether a user-editable status format is safe to hand to wsprintfA.
bool StatusFormatIsSafe(const char *Format);

uint8_t RunChart();
uint8_t ChartLoop();
MouseAction ChartMouse();
bool InArea(int X1, int X2, int Y1, int Y2);
void ParseDecCode(const std::string &Text, uint8_t &Code);
void ParseHexCode(const std::string &Text, uint8_t &Code);
void CodeToCell();
void CellToCode();
void AddEntryChar(int Key);
void CopyChoice();
void AppendChoice();

void ChartResetForTests();

#endif
