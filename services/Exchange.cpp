// Exchange: the start character from the editor or the command line, and
// the chosen character typed or inserted there.
#include "Exchange.h"

#include "Clipboard.h"
#include "HostInfo.h"
#include "InputRecords.h"
#include "Screen.h"
#include "Settings.h"

#include <cstring>
#include <vector>

namespace {

const int CmdLineBufferSize = 1540;

// The clipboard's first line may be any length; what is typed stops where
// Far's command line is full (its buffer less the zero). A longer line would
// also become two key records per character in the editor's input.
const size_t MaxTypedText = CmdLineBufferSize - 1;

// The clipboard's first line as it is typed; false when it cannot be read,
// and then nothing is typed at all.
bool ClipboardTextToType(std::string &Line)
{
    if (!ReadClipboardText(Line)) return false;
    if (Line.size() > MaxTypedText) Line.resize(MaxTypedText);
    return true;
}

}  // namespace

int PickStartChar(int OpenFrom)
{
    if (OpenFrom == OPEN_EDITOR && Settings.ShowEditorChar) return EditorCharAtCursor();
    if (OpenFrom == OPEN_PLUGINSMENU && Settings.ShowCmdlineChar) return CmdLineCharAtCursor();
    return -1;
}

unsigned char EditorCharAtCursor()
{
    if (!HostInfo.EditorControl) return 0;
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
    if (!HostInfo.Control) return 0;
    std::vector<char> Buffer(CmdLineBufferSize, 0);
    HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETCMDLINE, Buffer.data());
    Buffer[CmdLineBufferSize - 1] = 0;  // a longer line is cut, not read past
    int Pos = -1;
    HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_GETCMDLINEPOS, &Pos);
    // A cursor outside the text (or the buffer) gives 0, as at the line's end.
    if (Pos < 0 || Pos >= static_cast<int>(std::strlen(Buffer.data()))) return 0;
    return static_cast<unsigned char>(Buffer[Pos]);
}

void DeliverResult(unsigned char Choice, int OpenFrom)
{
    if (Choice == 0) return;
    if (OpenFrom != OPEN_PLUGINSMENU && OpenFrom != OPEN_EDITOR) return;
    std::string Text(1, static_cast<char>(Choice));
    if (Settings.PasteMode == Paste::ClipboardLine) {
        if (!ClipboardTextToType(Text)) return;
    } else if (Settings.PasteMode != Paste::Character) {
        return;
    }
    if (OpenFrom == OPEN_PLUGINSMENU)
        CmdLineInsert(Text);
    else
        EditorPutText(Text);
}

void EditorPutText(const std::string &S)
{
    if (Settings.CopyMode) {
        for (char Ch : S) TypeChar(static_cast<unsigned char>(Ch));
        return;
    }
    if (!HostInfo.EditorControl) return;
    std::string Text = S;  // the host takes a writable pointer
    HostInfo.EditorControl(ECTL_INSERTTEXT, &Text[0]);
    HostInfo.EditorControl(ECTL_REDRAW, nullptr);
}

void CmdLineInsert(const std::string &S)
{
    if (!HostInfo.Control) return;
    std::string Text = S;
    HostInfo.Control(INVALID_HANDLE_VALUE, FCTL_INSERTCMDLINE, &Text[0]);
}

// Ctrl+Q, then the character: the editor inserts the key after Ctrl+Q
// literally, so control characters arrive as characters.
void TypeChar(unsigned char Ch)
{
    const INPUT_RECORD Records[2] = {
        KeyRecord('Q', 0x11, LEFT_CTRL_PRESSED),
        KeyRecord(VK_RIGHT, Ch, 0),
    };
    DWORD Written = 0;
    WriteConsoleInputA(Screen.InputHandle, Records, 2, &Written);
}

