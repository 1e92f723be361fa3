// TableMenu: the code tables offered in the host's menu; the Windows table
// only when ShowWinTable asks for it.
#include "TableMenu.h"

#include "HostInfo.h"
#include "Messages.h"
#include "Screen.h"

#include <cstring>
#include <vector>

void CodeTableMenu(ChartState &S)
{
    if (!HostInfo.Menu) return;
    const std::vector<int> Offered = OfferedTables(S);
    const int Count = static_cast<int>(Offered.size());
    std::vector<FarMenuItem> Items(Offered.size());
    for (int I = 0; I < Count; I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, CodeTableName(S, Offered[I]).c_str(), sizeof(Items[I].Text));
    }
    // The current table's item; with the Windows table left out, the items
    // after it stand one place earlier (and the Windows table on the first).
    int Selected = S.CurrentTable;
    if (!S.ShowWinTable && Selected > 0) Selected--;
    for (int I = 0; I < Count; I++) Items[I].Selected = I == Selected ? -1 : 0;

    PushScreen();
    int Result = HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0,
                               FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT, Msg(MsgTableMenuTitle),
                               nullptr, nullptr, nullptr, nullptr, Items.data(), Count);
    RequestHostFlush();
    ResyncScreen();

    // Only an index of an offered item selects a table.
    if (Result < 0 || Result >= Count) return;
    S.CurrentTable = static_cast<uint8_t>(Offered[Result]);
}
