// StartUp: the start-up block that assigns the console library's hook.
#include "StartUp.h"

#include "Console.h"
#include "HostInfo.h"

void PutCell(int X, int Y, int Color, const char *Str)
{
    if (HostInfo.Text) HostInfo.Text(X, Y, Color, Str);
}

void QuorrelStart()
{
    PushCellHook = PutCell;
}
