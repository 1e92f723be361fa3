// RecentMenu: the history as a host menu over the chart.
#include "RecentMenu.h"

#include "ChartLoop.h"
#include "CodeTables.h"
#include "Console.h"
#include "HostInfo.h"
#include "Messages.h"
#include "NoticeDialog.h"
#include "Settings.h"
#include "UnicodeLine.h"
#include "UnicodeSettings.h"

#include <cstring>
#include <vector>

namespace {

const int TitleMsg = 39;
const int NotInTableMsg = 40;
const int EmptyMsg = 41;

}  // namespace

int CodeOfChar(uint8_t Char)
{
    for (int Code = 0; Code < 256; Code++)
        if (MapCode(uint8_t(Code)) == Char) return Code;
    return -1;
}

std::string RecentMenuLine(uint8_t Char)
{
    // The character as the chart draws it, 0 as a blank as in the status line.
    char Number[8] = "   ";
    int Code = CodeOfChar(Char);
    if (Code >= 0) wsprintfA(Number, "%3d", Code);
    return std::string(1, Char ? char(Char) : ' ') + "  " + Number + "  " +
           DescribeCellByte(Char, false);
}

void ShowRecentMenu()
{
    if (!HostInfo.Menu) return;
    PushScreen();
    if (RecentChars.empty()) {
        ShowNotice(TitleMsg, EmptyMsg, std::string());
        ResyncScreen();
        return;
    }
    std::vector<FarMenuItem> Items(RecentChars.size());
    for (size_t I = 0; I < Items.size(); I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, LiteralAmpersands(RecentMenuLine(RecentChars[I])).c_str(),
                  sizeof(Items[I].Text));
        Items[I].Selected = I == 0 ? -1 : 0;
    }
    int Result = HostInfo.Menu(HostInfo.ModuleNumber, -1, -1, 0, FMENU_WRAPMODE, Msg(TitleMsg),
                               nullptr, "Recent", nullptr, nullptr, Items.data(),
                               int(Items.size()));
    if (Result >= 0 && Result < int(RecentChars.size())) {
        uint8_t Char = RecentChars[size_t(Result)];
        int Code = CodeOfChar(Char);
        if (Code >= 0) {
            LastChar = uint8_t(Code);
            CodeToCell();
        } else {
            ShowNotice(TitleMsg, NotInTableMsg, RecentMenuLine(Char));
        }
    }
    ResyncScreen();
}
