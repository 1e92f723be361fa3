// DialogItems: the host's dialog items built from static descriptions whose
// texts are message numbers.
#ifndef QUORREL_DIALOGITEMS_H
#define QUORREL_DIALOGITEMS_H

#include "HostApi.h"

#include <cstdint>

// Static description of one dialog item.
struct DialogItemInit {
    int32_t Type;
    int32_t X1, Y1, X2;
    uint32_t Flags;
    uint8_t Message;
};

void BuildDialogItems(const DialogItemInit *Inits, int Count, FarDialogItem *Items,
                      int FocusIndex, int DefaultIndex);

// Shows the items as a host dialog, centred, with three columns and one row
// around their frame (item 0). Returns the item that closed it, or -1:
// cancelled, or a host that gives no dialogs.
int RunDialog(FarDialogItem *Items, int Count, const char *HelpTopic);

#endif
