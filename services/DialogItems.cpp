// DialogItems: expanding DialogItemInit tables into the host's dialog items.
#include "DialogItems.h"

#include "HostInfo.h"
#include "Messages.h"

#include <cstring>

void BuildDialogItems(const DialogItemInit *Inits, int Count, FarDialogItem *Items,
                      int FocusIndex, int DefaultIndex)
{
    if (Count <= 0) return;
    std::memset(Items, 0, sizeof(FarDialogItem) * Count);
    for (int I = 0; I < Count; I++) {
        FarDialogItem &Item = Items[I];
        Item.Type = Inits[I].Type;
        Item.X1 = Inits[I].X1;
        Item.Y1 = Inits[I].Y1;
        Item.X2 = Inits[I].X2;
        Item.Flags = Inits[I].Flags;
        // A translated message may be longer than the field: cut it so that
        // the zero still fits.
        if (!(Inits[I].Flags & DIF_SEPARATOR))
            lstrcpynA(Item.Data, Msg(Inits[I].Message), sizeof(Item.Data));
    }
    if (DefaultIndex == 0 || DefaultIndex >= Count) DefaultIndex = Count - 2;
    if (DefaultIndex >= 0 && DefaultIndex < Count) Items[DefaultIndex].DefaultButton = -1;
    if (FocusIndex == 0 || FocusIndex >= Count) FocusIndex = 2;
    if (FocusIndex >= 0 && FocusIndex < Count) Items[FocusIndex].Focus = -1;
    Items[0].Y2 = Items[Count - 1].Y1 + 1;
}

int RunDialog(FarDialogItem *Items, int Count, const char *HelpTopic)
{
    if (!HostInfo.Dialog) return -1;
    return HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1, Items[0].X2 + 4, Items[0].Y2 + 2,
                           HelpTopic, Items, Count);
}
