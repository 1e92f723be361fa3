// DlgMenu: the host's startup record, messages, dialog items, help, and the
// exchange of characters with the editor and the command line.
#include "DlgMenu.h"

#include "Clipboard.h"
#include "Console.h"
#include "Quorrel.h"

#include <cstring>
#include <vector>

PluginStartupInfo HostInfo;
int OpenFrom = 0;

std::string PluginTitle;
std::string TitleSuffix;
const char *StatusFormat = nullptr;
const char *TableMenuTitle = nullptr;
std::string IdentityTableName;
std::string WindowsTableName;
std::string DecimalPrompt;
std::string HexPrompt;

namespace {

// The old-host help dialog: a frame and one button. Its F1 comes from
// HelpKeyRecord, which is waiting in the console input when the dialog opens.
const DialogItemInit HelpDialogItems[2] = {
    {DI_DOUBLEBOX, 3, 1, 20, 0, 21},
    {DI_BUTTON, 0, 2, 0, DIF_CENTERGROUP, 19},
};

INPUT_RECORD MakeKeyRecord(WORD VirtualKey, char Ch, DWORD ControlState)
{
    INPUT_RECORD Record;
    std::memset(&Record, 0, sizeof(Record));
    Record.EventType = KEY_EVENT;
    Record.Event.KeyEvent.bKeyDown = -1;
    Record.Event.KeyEvent.wRepeatCount = 1;
    Record.Event.KeyEvent.wVirtualKeyCode = VirtualKey;
    Record.Event.KeyEvent.wVirtualScanCode = 0;
    Record.Event.KeyEvent.uChar.UnicodeChar = static_cast<unsigned char>(Ch);
    Record.Event.KeyEvent.dwControlKeyState = ControlState;
    return Record;
}

const INPUT_RECORD HelpKeyRecord = MakeKeyRecord(VK_F1, 0, 0);

// Ctrl+Q, then the character: the editor inserts the key after Ctrl+Q
// literally, so control characters arrive as characters. Record 2's
// character is filled in before each use.
INPUT_RECORD QuoteCharRecords[2] = {
    MakeKeyRecord('Q', 0x11, LEFT_CTRL_PRESSED),
    MakeKeyRecord(VK_RIGHT, 0, 0),
};

const int CmdLineBufferSize = 1540;

}  // namespace

// --------------------------------------------------------------- messages --

const char *Msg(int Number)
{
    const char *Text = nullptr;
    if (HostInfo.GetMsg) Text = HostInfo.GetMsg(HostInfo.ModuleNumber, Number & 127);
    return Text ? Text : "";
}

void LoadMessages()
{
    PluginTitle = Msg(0);
    TitleSuffix = " - Far";
    StatusFormat = Msg(1);
    TableMenuTitle = Msg(2);
    IdentityTableName = Msg(3);
    WindowsTableName = Msg(4);
    DecimalPrompt = Msg(5);
    HexPrompt = Msg(6);
}

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

void PluginHelp()
{
    // Hosts whose record ends before ShowHelp: a dialog whose help topic is
    // "Contents", opened with F1 already waiting in the input.
    if (HostInfo.StructSize >= StartupInfoWithShowHelp && HostInfo.ShowHelp) {
        HostInfo.ShowHelp(HostInfo.ModuleName, nullptr, 0);
        HostInfo.Text(0, 0, 0, nullptr);
        return;
    }
    std::vector<FarDialogItem> Items(2);
    BuildDialogItems(HelpDialogItems, 2, Items.data(), 1, 1);
    DWORD Written = 0;
    WriteConsoleInputA(InputHandle, &HelpKeyRecord, 1, &Written);
    HostInfo.Dialog(HostInfo.ModuleNumber, -1, -1, Items[0].X2 + 4, Items[0].Y2 + 2, "Contents",
                    Items.data(), 2);
}

// ---------------------------------------------- editor and command line --

void PickStartChar()
{
    if (OpenFrom == OPEN_EDITOR && ShowEditorChar)
        LastChar = EditorCharAtCursor();
    else if (OpenFrom == OPEN_PLUGINSMENU && ShowCmdlineChar)
        LastChar = CmdLineCharAtCursor();
}

unsigned char EditorCharAtCursor()
{
    EditorGetString Line;
    std::memset(&Line, 0, sizeof(Line));
    Line.StringNumber = -1;
    HostInfo.EditorControl(ECTL_GETSTRING, &Line);
    EditorInfo Info;
    std::memset(&Info, 0, sizeof(Info));
    HostInfo.EditorControl(ECTL_GETINFO, &Info);
    if (!Line.StringText || Info.CurPos < 0 || Info.CurPos >= Line.StringLength) return 0;
    return static_cast<unsigned char>(Line.StringText[Info.CurPos]);
}

unsigned char CmdLineCharAtCursor()
{
    std::vector<char> Buffer(CmdLineBufferSize, 0);
    HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETCMDLINE, Buffer.data());
    Buffer[CmdLineBufferSize - 1] = 0;  // a longer line is cut, not read past
    int Pos = -1;
    HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETCMDLINEPOS, &Pos);
    // A cursor outside the text (or the buffer) gives 0, as at the line's end.
    if (Pos < 0 || Pos >= static_cast<int>(std::strlen(Buffer.data()))) return 0;
    return static_cast<unsigned char>(Buffer[Pos]);
}

void DeliverResult(unsigned char Choice)
{
    if (Choice == 0) return;
    const std::string One(1, static_cast<char>(Choice));
    if (OpenFrom == OPEN_PLUGINSMENU) {
        if (PasteMode == 1)
            CmdLineInsert(One);
        else if (PasteMode == 2)
            CmdLineInsert(GetClipboardText());
    } else if (OpenFrom == OPEN_EDITOR) {
        if (PasteMode == 1)
            EditorPutText(One);
        else if (PasteMode == 2)
            EditorPutText(GetClipboardText());
    }
}

void EditorPutText(const std::string &S)
{
    if (CopyMode) {
        for (char Ch : S) TypeChar(static_cast<unsigned char>(Ch));
        return;
    }
    std::string Text = S;  // the host takes a writable pointer
    HostInfo.EditorControl(ECTL_INSERTTEXT, &Text[0]);
    HostInfo.EditorControl(ECTL_REDRAW, nullptr);
}

void CmdLineInsert(const std::string &S)
{
    std::string Text = S;
    HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_INSERTCMDLINE, &Text[0]);
}

void TypeChar(unsigned char Ch)
{
    QuoteCharRecords[1].Event.KeyEvent.uChar.UnicodeChar = Ch;
    DWORD Written = 0;
    WriteConsoleInputA(InputHandle, QuoteCharRecords, 2, &Written);
}

void DlgMenuResetForTests()
{
    std::memset(&HostInfo, 0, sizeof(HostInfo));
    OpenFrom = 0;
    PluginTitle.clear();
    TitleSuffix.clear();
    StatusFormat = nullptr;
    TableMenuTitle = nullptr;
    IdentityTableName.clear();
    WindowsTableName.clear();
    DecimalPrompt.clear();
    HexPrompt.clear();
    QuoteCharRecords[1].Event.KeyEvent.uChar.UnicodeChar = 0;
}
