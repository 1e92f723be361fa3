// FindDialog: the find dialog with its edit line over the chart, and the
// notice when nothing matches.
#include "FindDialog.h"

#include "DialogItems.h"
#include "Messages.h"
#include "NoticeDialog.h"
#include "Screen.h"

#include <cstring>
#include <vector>

namespace {

const int EditItem = 2;
const int FindItem = 4;
const int FindItemCount = 6;

const DialogItemInit FindDialogItems[FindItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 60, 0, MsgFindTitle},
    {DI_TEXT, 5, 2, 0, 0, MsgFindPrompt},
    {DI_EDIT, 5, 3, 58, 0, 0},
    {DI_TEXT, 0, 4, 0, DIF_BOXCOLOR | DIF_SEPARATOR, 0},
    {DI_BUTTON, 0, 5, 0, DIF_CENTERGROUP, MsgFind},
    {DI_BUTTON, 0, 5, 0, DIF_CENTERGROUP, MsgCancel},
};

// Searches and, without a match, says so. Inside a bracket: the notice is a
// host dialog.
void SearchOrTell(ChartState &S, int From, int Step)
{
    if (!FindAndSelect(S, From, Step)) ShowNotice(MsgFindTitle, MsgFindNoMatch, S.FindWords);
}

}  // namespace

void FindByNameDialog(ChartState &S, int Step)
{
    std::vector<FarDialogItem> Items(FindItemCount);
    BuildDialogItems(FindDialogItems, FindItemCount, Items.data(), EditItem, FindItem);
    lstrcpynA(Items[EditItem].Data, S.FindWords.c_str(), sizeof(Items[EditItem].Data));

    PushScreen();
    int Result = RunDialog(Items.data(), FindItemCount, "Find");
    if (Result == FindItem) {
        const FarDialogItem &Edit = Items[EditItem];
        std::string Words(Edit.Data, strnlen(Edit.Data, sizeof(Edit.Data)));
        if (HasAWord(Words)) {
            S.FindWords = Words;
            SearchOrTell(S, S.LastChar, Step);
        }
    }
    ResyncScreen();
}

void FindAgain(ChartState &S, int Step)
{
    if (!HasAWord(S.FindWords)) {
        FindByNameDialog(S, Step);
        return;
    }
    const int From = (S.LastChar + Step) & 0xFF;
    if (FindAndSelect(S, From, Step)) return;
    PushScreen();
    ShowNotice(MsgFindTitle, MsgFindNoMatch, S.FindWords);
    ResyncScreen();
}
