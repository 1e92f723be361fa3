// Far3OptionsDialog: DialogInit, DialogRun, the item states read back with
// DM_GETCHECK, DialogFree.
#include "Far3OptionsDialog.h"

#include "Far3Guids.h"
#include "Far3Help.h"
#include "Far3Host.h"
#include "Far3Messages.h"
#include "Far3Settings.h"

namespace {

struct ItemInit {
    FARDIALOGITEMTYPES Type;
    intptr_t X1, Y1, X2;
    FARDIALOGITEMFLAGS Flags;
    int Message;  // a MsgId, or -1: no text
};

const FARDIALOGITEMFLAGS Separator = DIF_BOXCOLOR | DIF_SEPARATOR;
const int ItemCount = 19;
const int ConfirmItem = 17;
const int FrameBottom = 19;

// Coordinates from the dialog's top-left corner; the dialog is 64 by 21.
const ItemInit Items[ItemCount] = {
    {DI_DOUBLEBOX, 3, 1, 60, DIF_NONE, MsgTitle},
    {DI_TEXT, 5, 2, 0, DIF_NONE, MsgPasteHeading},
    {DI_RADIOBUTTON, 5, 3, 0, DIF_GROUP | DIF_FOCUS, MsgPasteNothing},
    {DI_RADIOBUTTON, 5, 4, 0, DIF_NONE, MsgPasteCharacter},
    {DI_RADIOBUTTON, 5, 5, 0, DIF_NONE, MsgPasteClipboardLine},
    {DI_TEXT, -1, 6, 0, Separator, -1},
    {DI_RADIOBUTTON, 5, 7, 0, DIF_GROUP, MsgCopyRawCode},
    {DI_RADIOBUTTON, 5, 8, 0, DIF_NONE, MsgCopyTableChar},
    {DI_TEXT, -1, 9, 0, Separator, -1},
    {DI_RADIOBUTTON, 5, 10, 0, DIF_GROUP, MsgTypeCharacter},
    {DI_RADIOBUTTON, 5, 11, 0, DIF_NONE, MsgTypeDecimal},
    {DI_RADIOBUTTON, 5, 12, 0, DIF_NONE, MsgTypeHexadecimal},
    {DI_TEXT, -1, 13, 0, Separator, -1},
    {DI_CHECKBOX, 5, 14, 0, DIF_NONE, MsgShowEditorChar},
    {DI_CHECKBOX, 5, 15, 0, DIF_NONE, MsgShowCmdlineChar},
    {DI_CHECKBOX, 5, 16, 0, DIF_NONE, MsgShowWinTable},
    {DI_TEXT, -1, 17, 0, Separator, -1},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP | DIF_DEFAULTBUTTON, MsgOk},
    {DI_BUTTON, 0, 18, 0, DIF_CENTERGROUP, MsgCancel},
};

// The first checked item of a group of Count, counted from its first.
int GroupValue(HANDLE Dialog, int First, int Count)
{
    for (int I = 0; I < Count; I++)
        if (Far3Info.SendDlgMessage(Dialog, DM_GETCHECK, First + I, nullptr) == BSTATE_CHECKED)
            return I;
    return 0;
}

bool Checked(HANDLE Dialog, int Item)
{
    return Far3Info.SendDlgMessage(Dialog, DM_GETCHECK, Item, nullptr) == BSTATE_CHECKED;
}

}  // namespace

bool RunFar3OptionsDialog()
{
    if (!Far3Info.DialogInit || !Far3Info.DialogRun || !Far3Info.DialogFree ||
        !Far3Info.SendDlgMessage)
        return false;
    const Far3Options &O = Far3Config.Options;
    FarDialogItem Dialog[ItemCount] = {};
    for (int I = 0; I < ItemCount; I++) {
        Dialog[I].Type = Items[I].Type;
        Dialog[I].X1 = Items[I].X1;
        Dialog[I].Y1 = Items[I].Y1;
        Dialog[I].X2 = Items[I].X2;
        Dialog[I].Flags = Items[I].Flags;
        Dialog[I].Data = Items[I].Message >= 0 ? Far3Msg(static_cast<MsgId>(Items[I].Message))
                                               : L"";
    }
    Dialog[0].Y2 = FrameBottom;
    // A mode outside 0 to 2 cannot be loaded; the first choice stands for it.
    Dialog[2 + (O.PasteMode >= 0 && O.PasteMode <= 2 ? O.PasteMode : 0)].Selected = BSTATE_CHECKED;
    Dialog[O.CopyMode ? 6 : 7].Selected = BSTATE_CHECKED;
    Dialog[9 + (O.TypeMode >= 0 && O.TypeMode <= 2 ? O.TypeMode : 0)].Selected = BSTATE_CHECKED;
    Dialog[13].Selected = O.ShowEditorChar;
    Dialog[14].Selected = O.ShowCmdlineChar;
    Dialog[15].Selected = O.ShowWinTable;

    const HANDLE Handle = Far3Info.DialogInit(&QuorrelGuid, &QuorrelOptionsGuid, -1, -1, 64, 21,
                                              HelpOptions, Dialog, ItemCount, 0, FDLG_NONE,
                                              nullptr, nullptr);
    if (!Handle || Handle == INVALID_HANDLE_VALUE) return false;
    const bool Confirmed = Far3Info.DialogRun(Handle) == ConfirmItem;
    if (Confirmed) {
        Far3Options &New = Far3Config.Options;
        New.PasteMode = GroupValue(Handle, 2, 3);
        New.CopyMode = Checked(Handle, 6);
        New.TypeMode = GroupValue(Handle, 9, 3);
        New.ShowEditorChar = Checked(Handle, 13);
        New.ShowCmdlineChar = Checked(Handle, 14);
        New.ShowWinTable = Checked(Handle, 15);
    }
    Far3Info.DialogFree(Handle);
    if (Confirmed) SaveFar3Options();
    return Confirmed;
}
