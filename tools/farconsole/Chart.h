// The chart as Far's screen shows it: a window of 8 rows of 32 cells, code
// 0 at the top left, the code page's name above the cells and the status
// line ("Char: A   Dec:  65   Hex: 41h") below them, as in the Far 1.x chart.
#pragma once

#include "FarConsole.h"

#include <string>

struct ChartView {
    int X = -1, Y = -1;  // the cell of code 0
    std::wstring Table;  // the code page's name, as the line above the cells shows it
    int Code = -1;       // the status line's decimal code
    int Selected = -1;   // the marked cell: the cursor's, or the one cell coloured apart
};

// Finds the chart by its row of codes 64 to 95, which every code page of the
// chart shows as ASCII. False when no chart is on the screen.
bool FindChart(const Screen &S, ChartView *Out);

// The cell of a code.
inline int CellX(const ChartView &V, int Code) { return V.X + Code % 32; }
inline int CellY(const ChartView &V, int Code) { return V.Y + Code / 32; }
