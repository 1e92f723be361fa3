// TableMenu: the code tables offered in the host's menu; the Windows table
// only when ShowWinTable asks for it.
#include "TableMenu.h"

#include "CodeTables.h"
#include "Console.h"
#include "HostInfo.h"
#include "Messages.h"
#include "Settings.h"

#include <cstring>
#include <vector>

void CodeTableMenu()
{
    if (!HostInfo.Menu) return;
    std::vector<const std::string *> Names;
    for (int I = 0; I < CodeTableCount; I++) Names.push_back(&CodeTableName(I));
    int Selected = CurrentTable;
    if (!ShowWinTable && Names.size() > 1) {
        Names.erase(Names.begin() + 1);
        if (Selected > 0) Selected--;
    }
    const int Count = static_cast<int>(Names.size());

    std::vector<FarMenuItem> Items(Count);
    for (int I = 0; I < Count; I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, Names[I]->c_str(), sizeof(Items[I].Text));
        Items[I].Selected = I == Selected ? -1 : 0;
    }

    PushScreen();
    int Result = HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT,
                               TableMenuTitle, nullptr, nullptr, nullptr, nullptr, Items.data(),
                               Count);
    RequestHostFlush();
    ResyncScreen();

    // Only an index of an offered item selects a table.
    if (Result < 0 || Result >= Count) return;
    if (ShowWinTable)
        CurrentTable = static_cast<uint8_t>(Result);
    else
        CurrentTable = static_cast<uint8_t>(Result == 0 ? 0 : Result + 1);
}
