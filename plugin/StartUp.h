// StartUp: the start-up block, which wires the console library's hook to
// the host's text service.
#ifndef QUORREL_STARTUP_H
#define QUORREL_STARTUP_H

// The console library's PushCellHook: one cell into the host's screen model.
void PutCell(int X, int Y, int Color, const char *Str);
// Runs once when the module is loaded, after ConsoleStart.
void QuorrelStart();

#endif
