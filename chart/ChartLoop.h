// ChartLoop: the chart window on the console, from opening the screen to
// closing it: input read and mapped through the key table, the action
// applied to the chart's state, the view drawn again.
#ifndef QUORREL_CHARTLOOP_H
#define QUORREL_CHARTLOOP_H

#include "ChartState.h"
#include "ChartView.h"

// What the window calls of its host for help (F1), the code-table menu
// (Shift+F8, a release on the table's name) and the options (F11,
// Ctrl+F11); a null one does nothing.
struct ChartHooks {
    void (*Help)() = nullptr;
    void (*TableMenu)(ChartState &) = nullptr;
    void (*Options)() = nullptr;
};

// Opens the console screen, runs the loop, closes the screen; the chosen
// character (S.Choice), or 0 when the screen could not be opened or the
// window closed without a choice.
ChartChar RunChart(ChartState &S, const ChartLook &Look, const ChartHooks &Hooks);
// The loop itself, on a screen already open.
ChartChar ChartLoop(ChartState &S, const ChartLook &Look, const ChartHooks &Hooks);

// One key (or mouse event) as the window takes it: through the key table to
// the chart's state, or carried out here. True when it closes the window.
bool TakeKey(ChartState &S, const ChartHooks &Hooks, int Key);

// Both put the chosen character on the clipboard (replacing or appending to
// its text) and say whether it got there.
bool CopyChoice(ChartState &S);
bool AppendChoice(ChartState &S);

#endif
