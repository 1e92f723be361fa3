// FindDialog: the find dialog with its edit line, the search over the
// current table, and the notice when nothing matches.
#include "FindDialog.h"

#include "CharInfo.h"
#include "CharNames.h"
#include "ChartLoop.h"
#include "CodeTables.h"
#include "Console.h"
#include "DialogItems.h"
#include "Messages.h"
#include "NoticeDialog.h"
#include "Settings.h"

#include <cstring>
#include <vector>

std::string FindWords;
int FoundCode = -1, FoundTable = -1;

namespace {

const int TitleMsg = 35;
const int PromptMsg = 36;
const int FindMsg = 37;
const int NoMatchMsg = 38;
const int CancelMsg = 20;

const int EditItem = 2;
const int FindItem = 4;
const int ItemCount = 6;

const DialogItemInit FindDialogItems[ItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 60, 0, TitleMsg},
    {DI_TEXT, 5, 2, 0, 0, PromptMsg},
    {DI_EDIT, 5, 3, 58, 0, 0},
    {DI_TEXT, 0, 4, 0, DIF_BOXCOLOR | DIF_SEPARATOR, 0},
    {DI_BUTTON, 0, 5, 0, DIF_CENTERGROUP, FindMsg},
    {DI_BUTTON, 0, 5, 0, DIF_CENTERGROUP, CancelMsg},
};

bool HasAWord(const std::string &Words)
{
    return Words.find_first_not_of(' ') != std::string::npos;
}

// Moves the selection to the match, or says there is none. Inside a
// bracket: the notice is a host dialog.
void GoTo(int Code)
{
    if (Code < 0) {
        FoundCode = FoundTable = -1;
        ShowNotice(TitleMsg, NoMatchMsg, FindWords);
        return;
    }
    LastChar = uint8_t(Code);
    CodeToCell();
    FoundCode = Code;
    FoundTable = CurrentTable;
}

}  // namespace

bool CodeMatches(uint8_t Code, const std::string &Words)
{
    const CellCharacter C = CellCharacterOf(MapCode(Code));
    if (!C.Known) return false;
    return CharNameMatches(C.CodePoint, Words) ||
           (C.Glyph != C.CodePoint && CharNameMatches(C.Glyph, Words));
}

int FindCode(const std::string &Words, int From, int Step)
{
    if (!HasAWord(Words)) return -1;
    for (int K = 0; K < 256; K++) {
        int Code = (From + Step * K) & 0xFF;
        if (CodeMatches(uint8_t(Code), Words)) return Code;
    }
    return -1;
}

void FindByNameDialog(int Step)
{
    std::vector<FarDialogItem> Items(ItemCount);
    BuildDialogItems(FindDialogItems, ItemCount, Items.data(), EditItem, FindItem);
    lstrcpynA(Items[EditItem].Data, FindWords.c_str(), sizeof(Items[EditItem].Data));

    PushScreen();
    int Result = RunDialog(Items.data(), ItemCount, "Find");
    if (Result == FindItem) {
        const FarDialogItem &Edit = Items[EditItem];
        std::string Words(Edit.Data, strnlen(Edit.Data, sizeof(Edit.Data)));
        if (HasAWord(Words)) {
            FindWords = Words;
            GoTo(FindCode(FindWords, LastChar, Step));
        }
    }
    ResyncScreen();
}

void FindAgain(int Step)
{
    if (!HasAWord(FindWords)) {
        FindByNameDialog(Step);
        return;
    }
    int Code = FindCode(FindWords, (LastChar + Step) & 0xFF, Step);
    if (Code >= 0) {
        GoTo(Code);
        return;
    }
    PushScreen();
    GoTo(Code);
    ResyncScreen();
}

bool FindChainGoesOn()
{
    return HasAWord(FindWords) && FoundCode == LastChar && FoundTable == CurrentTable;
}

void FindDialogResetForTests()
{
    FindWords.clear();
    FoundCode = FoundTable = -1;
}
