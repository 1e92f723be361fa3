// OptionsDialog: OptionsDialogItems, the settings shown in them and read
// back from them, for Configure and the chart window's F11.
#include "OptionsDialog.h"

#include "DialogItems.h"
#include "Exports.h"
#include "HostInfo.h"
#include "MessageIds.h"
#include "Settings.h"

#include <vector>

namespace {

const int OptionsItemCount = 19;
const int ConfirmItem = OptionsItemCount - 2;
const DWORD Separator = DIF_BOXCOLOR | DIF_SEPARATOR;

const DialogItemInit OptionsDialogItems[OptionsItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 60, 0, MsgTitle},
    {DI_TEXT, 5, 2, 0, 0, MsgPasteHeading},
    {DI_RADIOBUTTON, 5, 3, 0, DIF_GROUP, MsgPasteNothing},
    {DI_RADIOBUTTON, 5, 4, 0, 0, MsgPasteCharacter},
    {DI_RADIOBUTTON, 5, 5, 0, 0, MsgPasteClipboardLine},
    {DI_TEXT, 0, 6, 0, Separator, 0},
    {DI_RADIOBUTTON, 5, 7, 0, DIF_GROUP, MsgCopyRawCode},
    {DI_RADIOBUTTON, 5, 8, 0, 0, MsgCopyTableChar},
    {DI_TEXT, 0, 9, 0, Separator, 0},
    {DI_RADIOBUTTON, 5, 10, 0, DIF_GROUP, MsgTypeCharacter},
    {DI_RADIOBUTTON, 5, 11, 0, 0, MsgTypeDecimal},
    {DI_RADIOBUTTON, 5, 12, 0, 0, MsgTypeHexadecimal},
    {DI_TEXT, 0, 13, 0, Separator, 0},
    {DI_CHECKBOX, 5, 14, 0, 0, MsgShowEditorChar},
    {DI_CHECKBOX, 5, 15, 0, 0, MsgShowCmdlineChar},
    {DI_CHECKBOX, 5, 16, 0, 0, MsgShowWinTable},
    {DI_TEXT, 0, 17, 0, Separator, 0},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, MsgOk},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, MsgCancel},
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

    PluginSettings &O = Settings;
    const int PasteValue = int(O.PasteMode), TypeValue = int(O.TypeMode);
    if (PasteValue >= 0 && PasteValue <= 2) Items[2 + PasteValue].Selected = -1;
    Items[6].Selected = Mark(O.CopyMode);
    Items[7].Selected = Mark(!O.CopyMode);
    if (TypeValue >= 0 && TypeValue <= 2) Items[9 + TypeValue].Selected = -1;
    Items[13].Selected = Mark(O.ShowEditorChar);
    Items[14].Selected = Mark(O.ShowCmdlineChar);
    Items[15].Selected = Mark(O.ShowWinTable);

    int Result = RunDialog(Items.data(), OptionsItemCount, "Options");
    if (Result != ConfirmItem) return 0;

    O.PasteMode = Paste(GroupValue(Items.data(), 2));
    O.CopyMode = Items[6].Selected != 0;
    O.TypeMode = Typing(GroupValue(Items.data(), 9));
    O.ShowEditorChar = Items[13].Selected != 0;
    O.ShowCmdlineChar = Items[14].Selected != 0;
    O.ShowWinTable = Items[15].Selected != 0;
    SaveSettings();
    return -1;
}

void ShowOptions()
{
    Configure(0);
}
