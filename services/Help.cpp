// Help: the plugin's help through ShowHelp, or through a help dialog on hosts
// whose startup record ends before ShowHelp.
#include "Help.h"

#include "DialogItems.h"
#include "HostInfo.h"
#include "InputRecords.h"
#include "MessageIds.h"
#include "Screen.h"

#include <vector>

namespace {

// The old-host help dialog: a frame and one button. Its F1 comes from
// HelpKeyRecord, which is waiting in the console input when the dialog opens.
const DialogItemInit HelpDialogItems[2] = {
    {DI_DOUBLEBOX, 3, 1, 20, 0, MsgHelpTitle},
    {DI_BUTTON, 0, 2, 0, DIF_CENTERGROUP, MsgOk},
};

const INPUT_RECORD HelpKeyRecord = KeyRecord(VK_F1, 0, 0);

}  // namespace

void PluginHelp()
{
    // Hosts whose record ends before ShowHelp: a dialog whose help topic is
    // "Contents", opened with F1 already waiting in the input.
    if (HostInfo.StructSize >= StartupInfoWithShowHelp && HostInfo.ShowHelp) {
        HostInfo.ShowHelp(HostInfo.ModuleName, nullptr, 0);
        RequestHostFlush();
        return;
    }
    // Without a dialog nobody would take the F1 out of the input.
    if (!HostInfo.Dialog) return;
    std::vector<FarDialogItem> Items(2);
    BuildDialogItems(HelpDialogItems, 2, Items.data(), 1, 1);
    DWORD Written = 0;
    WriteConsoleInputA(Screen.InputHandle, &HelpKeyRecord, 1, &Written);
    RunDialog(Items.data(), 2, "Contents");
}
