// OptionsDialog: OptionsDialogItems, the settings shown in them and read
// back from them, for Configure and the chart window's F11.
#include "OptionsDialog.h"

#include "DialogItems.h"
#include "Exports.h"
#include "HostInfo.h"
#include "Settings.h"

#include <vector>

namespace {

const int OptionsItemCount = 19;
const int ConfirmItem = OptionsItemCount - 2;
const DWORD Separator = DIF_BOXCOLOR | DIF_SEPARATOR;

const DialogItemInit OptionsDialogItems[OptionsItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 60, 0, 0},
    {DI_TEXT, 5, 2, 0, 0, 7},
    {DI_RADIOBUTTON, 5, 3, 0, DIF_GROUP, 8},
    {DI_RADIOBUTTON, 5, 4, 0, 0, 9},
    {DI_RADIOBUTTON, 5, 5, 0, 0, 10},
    {DI_TEXT, 0, 6, 0, Separator, 0},
    {DI_RADIOBUTTON, 5, 7, 0, DIF_GROUP, 11},
    {DI_RADIOBUTTON, 5, 8, 0, 0, 12},
    {DI_TEXT, 0, 9, 0, Separator, 0},
    {DI_RADIOBUTTON, 5, 10, 0, DIF_GROUP, 13},
    {DI_RADIOBUTTON, 5, 11, 0, 0, 14},
    {DI_RADIOBUTTON, 5, 12, 0, 0, 15},
    {DI_TEXT, 0, 13, 0, Separator, 0},
    {DI_CHECKBOX, 5, 14, 0, 0, 16},
    {DI_CHECKBOX, 5, 15, 0, 0, 17},
    {DI_CHECKBOX, 5, 16, 0, 0, 18},
    {DI_TEXT, 0, 17, 0, Separator, 0},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, 19},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, 20},
};

int Mark(bool On)
{
    return On ? -1 : 0;
}

// First selected item of a group of three, counted from its first item.
int32_t GroupValue(const FarDialogItem *Items, int First)
{
    if (Items[First].Selected) return 0;
    if (Items[First + 1].Selected) return 1;
    return 2;
}

}  // namespace

int RunOptionsDialog()
{
    if (!HostInfo.Dialog) return 0;
    std::vector<FarDialogItem> Items(OptionsItemCount);
    BuildDialogItems(OptionsDialogItems, OptionsItemCount, Items.data(), 2, 0);

    if (PasteMode >= 0 && PasteMode <= 2) Items[2 + PasteMode].Selected = -1;
    Items[6].Selected = Mark(CopyMode);
    Items[7].Selected = Mark(!CopyMode);
    if (TypeMode >= 0 && TypeMode <= 2) Items[9 + TypeMode].Selected = -1;
    Items[13].Selected = Mark(ShowEditorChar);
    Items[14].Selected = Mark(ShowCmdlineChar);
    Items[15].Selected = Mark(ShowWinTable);

    int Result = RunDialog(Items.data(), OptionsItemCount, "Options");
    if (Result != ConfirmItem) return 0;

    PasteMode = GroupValue(Items.data(), 2);
    CopyMode = Items[6].Selected != 0;
    TypeMode = GroupValue(Items.data(), 9);
    ShowEditorChar = Items[13].Selected != 0;
    ShowCmdlineChar = Items[14].Selected != 0;
    ShowWinTable = Items[15].Selected != 0;
    SaveSettings();
    return -1;
}

void ShowOptions()
{
    Configure(0);
}
