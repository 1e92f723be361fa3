// StartUp: the start-up block that assigns the four hooks.
#include "StartUp.h"

#include "ChartLoop.h"
#include "Console.h"
#include "Help.h"
#include "HostInfo.h"
#include "OptionsDialog.h"
#include "TableMenu.h"

void PutCell(int X, int Y, int Color, const char *Str)
{
    if (HostInfo.Text) HostInfo.Text(X, Y, Color, Str);
}

void QuorrelStart()
{
    HelpHook = PluginHelp;
    TableMenuHook = CodeTableMenu;
    OptionsHook = ShowOptions;
    PushCellHook = PutCell;
}
