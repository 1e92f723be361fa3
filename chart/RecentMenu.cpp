// RecentMenu: the history as a host menu over the chart.
#include "RecentMenu.h"

#include "HostInfo.h"
#include "Messages.h"
#include "NoticeDialog.h"
#include "Screen.h"
#include "UnicodeLine.h"

#include <cstring>
#include <vector>

std::string RecentMenuLine(const ChartState &S, ChartChar Char)
{
    // The character as the chart draws it, 0 as a blank as in the status line.
    char Number[8] = "   ";
    int Code = CodeOfChar(S, Char);
    if (Code >= 0) wsprintfA(Number, "%3d", Code);
    return std::string(1, Char ? char(Char) : ' ') + "  " + Number + "  " +
           DescribeCell(S, Char, false);
}

void ShowRecentMenu(ChartState &S)
{
    if (!HostInfo.Menu) return;
    PushScreen();
    if (S.RecentChars.empty()) {
        ShowNotice(MsgRecentTitle, MsgRecentEmpty, std::string());
        ResyncScreen();
        return;
    }
    std::vector<FarMenuItem> Items(S.RecentChars.size());
    for (size_t I = 0; I < Items.size(); I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, LiteralAmpersands(RecentMenuLine(S, S.RecentChars[I])).c_str(),
                  sizeof(Items[I].Text));
        Items[I].Selected = I == 0 ? -1 : 0;
    }
    int Result =
        HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, FMENU_WRAPMODE, Msg(MsgRecentTitle),
                      nullptr, "Recent", nullptr, nullptr, Items.data(), int(Items.size()));
    if (Result >= 0 && Result < int(S.RecentChars.size())) {
        const ChartChar Char = S.RecentChars[size_t(Result)];
        const int Code = CodeOfChar(S, Char);
        if (Code >= 0)
            S.LastChar = uint8_t(Code);
        else
            ShowNotice(MsgRecentTitle, MsgRecentNotInTable, RecentMenuLine(S, Char));
    }
    ResyncScreen();
}
