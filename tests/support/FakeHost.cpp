// The fake host's services: each records what the plugin passed and answers
// from the test's script in fake::Current.
#include "FakeHost.h"

#include <cstring>
#include <utility>

namespace fake {

Host *Current = nullptr;

Host::Host() : Messages(NumberedMessages())
{
    for (int I = 0; I < 256; I++) EditorToOem[I] = static_cast<unsigned char>(I);
}

std::vector<std::string> NumberedMessages()
{
    std::vector<std::string> M;
    for (int I = 0; I < 22; I++) M.push_back("M" + std::to_string(I));
    return M;
}

namespace {

int WINAPI FakeMenu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char *Title,
                    const char *Bottom, const char *HelpTopic, const int *BreakKeys,
                    int *BreakCode, const FarMenuItem *Item, int ItemsNumber)
{
    MenuCall Call{PluginNumber, X, Y, MaxHeight, Flags, Title ? Title : "",
                  Bottom != nullptr, HelpTopic != nullptr, BreakKeys != nullptr,
                  BreakCode != nullptr, std::vector<FarMenuItem>(Item, Item + ItemsNumber)};
    Current->Menus.push_back(Call);
    return Current->MenuResult;
}

int WINAPI FakeDialog(int PluginNumber, int X1, int Y1, int X2, int Y2, const char *HelpTopic,
                      FarDialogItem *Item, int ItemsNumber)
{
    Current->Dialogs.push_back({PluginNumber, X1, Y1, X2, Y2, HelpTopic ? HelpTopic : "",
                                std::vector<FarDialogItem>(Item, Item + ItemsNumber)});
    return Current->DialogScript ? Current->DialogScript(Item, ItemsNumber) : -1;
}

const char *WINAPI FakeGetMsg(int /*PluginNumber*/, int MsgId)
{
    Current->MsgRequests.push_back(MsgId);
    if (MsgId < 0 || MsgId >= static_cast<int>(Current->Messages.size())) return nullptr;
    return Current->Messages[MsgId].c_str();
}

int WINAPI FakeControl(HANDLE hPlugin, int Command, void *Param)
{
    Current->ControlCalls++;
    if (hPlugin != INVALID_HANDLE_VALUE) return 0;
    switch (Command) {
    case FCTL_GETCMDLINE:
        std::memcpy(Param, Current->CmdLineBytes.data(), Current->CmdLineBytes.size());
        return 1;
    case FCTL_GETCMDLINEPOS:
        *static_cast<int *>(Param) = Current->CmdLinePos;
        return 1;
    case FCTL_INSERTCMDLINE:
        Current->CmdLineInserted.push_back(static_cast<const char *>(Param));
        return 1;
    }
    return 0;
}

int WINAPI FakeCharTable(int Command, char *Buffer, int BufferSize)
{
    Current->CharTableCalls++;
    if (Command < 0 || Command >= static_cast<int>(Current->Tables.size())) return -1;
    if (BufferSize != static_cast<int>(sizeof(CharTableSet))) return -1;
    std::memcpy(Buffer, &Current->Tables[Command], sizeof(CharTableSet));
    return Command;
}

void WINAPI FakeText(int X, int Y, int Color, const char *Str)
{
    TextCall Call{X, Y, Color, Str != nullptr, Str ? Str : ""};
    if (Current->OnText)
        Current->OnText(Call);
    else
        Current->Texts.push_back(std::move(Call));
}

int WINAPI FakeEditorControl(int Command, void *Param)
{
    Current->EditorCommands.push_back(Command);
    switch (Command) {
    case ECTL_GETSTRING: {
        auto *S = static_cast<EditorGetString *>(Param);
        if (S->StringNumber != -1) return 0;
        // Exactly the line's bytes, without a zero, as the editor keeps them.
        Current->EditorBuffer.assign(Current->EditorLine.begin(), Current->EditorLine.end());
        S->StringText = Current->EditorBuffer.data();
        S->StringEOL = "";
        S->StringLength = Current->EditorLineLengthOverride >= 0
                              ? Current->EditorLineLengthOverride
                              : static_cast<int>(Current->EditorLine.size());
        return 1;
    }
    case ECTL_GETINFO: {
        auto *Info = static_cast<EditorInfo *>(Param);
        Info->CurPos = Current->EditorCurPos;
        Info->TableNum = Current->EditorTableNum;
        return 1;
    }
    case ECTL_INSERTTEXT:
        Current->EditorInserted.push_back(static_cast<const char *>(Param));
        return 1;
    case ECTL_REDRAW:
        Current->EditorRedraws++;
        return 1;
    case ECTL_EDITORTOOEM: {
        auto *Convert = static_cast<EditorConvertText *>(Param);
        for (int I = 0; I < Convert->TextLength; I++)
            Convert->Text[I] = static_cast<char>(
                Current->EditorToOem[static_cast<unsigned char>(Convert->Text[I])]);
        return 1;
    }
    }
    return 0;
}

BOOL WINAPI FakeShowHelp(const char *ModuleName, const char *HelpTopic, DWORD Flags)
{
    Current->Helps.push_back({ModuleName ? ModuleName : "", HelpTopic != nullptr, Flags});
    return TRUE;
}

}  // namespace

PluginStartupInfo MakeStartupInfo(Host &H, int StructSize)
{
    Current = &H;
    PluginStartupInfo Info;
    std::memset(&Info, 0, sizeof(Info));
    Info.StructSize = StructSize;
    lstrcpynA(Info.ModuleName, H.ModuleName.c_str(), sizeof(Info.ModuleName));
    Info.ModuleNumber = H.ModuleNumber;
    Info.RootKey = H.RootKey.c_str();
    Info.Menu = FakeMenu;
    Info.Dialog = FakeDialog;
    Info.GetMsg = FakeGetMsg;
    Info.Control = FakeControl;
    Info.CharTable = FakeCharTable;
    Info.Text = FakeText;
    Info.EditorControl = FakeEditorControl;
    Info.ShowHelp = FakeShowHelp;
    return Info;
}

}  // namespace fake
