// A small scriptable host for the plugin tests: every service the plugin
// calls, with the host's WINAPI signatures, recording what the plugin passed.
#ifndef QUORREL_TESTS_FAKEHOST_H
#define QUORREL_TESTS_FAKEHOST_H

#include "HostApi.h"

#include <functional>
#include <string>
#include <vector>

namespace fake {

struct DialogCall {
    int PluginNumber, X1, Y1, X2, Y2;
    std::string HelpTopic;
    std::vector<FarDialogItem> Items;  // as the plugin passed them
};

struct MenuCall {
    int PluginNumber, X, Y, MaxHeight;
    DWORD Flags;
    std::string Title;
    bool HasBottom, HasHelpTopic, HasBreakKeys, HasBreakCode;
    std::vector<FarMenuItem> Items;
};

struct TextCall {
    int X, Y, Color;
    bool HasText;
    std::string Text;
};

struct HelpCall {
    std::string ModuleName;
    bool HasTopic;
    DWORD Flags;
};

struct Host {
    int ModuleNumber = 7;
    std::string RootKey = "Software\\QuorrelTests\\Plugin";
    std::string ModuleName = "C:\\Far\\Plugins\\Quorrel\\Quorrel.dll";

    std::vector<std::string> Messages;  // GetMsg texts by number
    std::vector<int> MsgRequests;

    // Dialog: the script may change the items (as the user would) and
    // returns the index of the closing item.
    std::function<int(FarDialogItem *, int)> DialogScript;
    std::vector<DialogCall> Dialogs;

    int MenuResult = -1;
    std::vector<MenuCall> Menus;

    std::vector<CharTableSet> Tables;
    int CharTableCalls = 0;

    std::vector<TextCall> Texts;
    // When set, given each Text call instead of Texts, e.g. to put the cell
    // on a console as the host's own screen would (without keeping the
    // thousands of cells each opening writes).
    std::function<void(const TextCall &)> OnText;
    std::vector<HelpCall> Helps;

    // Editor: the cursor's line (not zero-terminated for the plugin), the
    // cursor position, the host table number, the to-OEM conversion.
    std::string EditorLine;
    int EditorLineLengthOverride = -1;  // StringLength reported, when >= 0
    std::vector<char> EditorBuffer;
    int EditorCurPos = 0;
    int EditorTableNum = -1;
    unsigned char EditorToOem[256];
    std::vector<std::string> EditorInserted;
    int EditorRedraws = 0;
    std::vector<int> EditorCommands;

    // Command line: the bytes written into the plugin's buffer (copied as
    // given, so a test can omit the zero or put bytes after it).
    std::string CmdLineBytes;
    int CmdLinePos = 0;
    int ControlCalls = 0;
    std::vector<std::string> CmdLineInserted;

    Host();
};

extern Host *Current;

// A startup record whose services are the fake host's.
PluginStartupInfo MakeStartupInfo(Host &H, int StructSize = sizeof(PluginStartupInfo));

// The 22 messages in their roles; texts name their number ("M7").
std::vector<std::string> NumberedMessages();

}  // namespace fake

#endif
