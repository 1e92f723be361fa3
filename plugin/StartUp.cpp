// StartUp: the start-up block that assigns the console library's hook.
#include "StartUp.h"

#include "HostInfo.h"
#include "Screen.h"

void PutCell(int X, int Y, int Color, const char *Str)
{
    if (HostInfo.Text) HostInfo.Text(X, Y, Color, Str);
}

void QuorrelStart()
{
    Screen.PushCellHook = PutCell;
}
