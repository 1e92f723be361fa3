// StartUp: the start-up block, which wires the hooks of the console library
// and the chart window to the plugin's own procedures.
#ifndef QUORREL_STARTUP_H
#define QUORREL_STARTUP_H

// The console library's PushCellHook: one cell into the host's screen model.
void PutCell(int X, int Y, int Color, const char *Str);
// Runs once when the module is loaded, after ConsoleStart.
void QuorrelStart();

#endif
