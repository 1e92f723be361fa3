// Exchange: the start character from the editor or the command line, and
// the chosen character typed or inserted there.
#include "Exchange.h"

#include "Clipboard.h"
#include "Console.h"
#include "HostInfo.h"
#include "InputRecords.h"
#include "Settings.h"

#include <cstring>
#include <vector>

namespace {

// Ctrl+Q, then the character: the editor inserts the key after Ctrl+Q
// literally, so control characters arrive as characters. Record 2's
// character is filled in before each use.
INPUT_RECORD QuoteCharRecords[2] = {
    KeyRecord('Q', 0x11, LEFT_CTRL_PRESSED),
    KeyRecord(VK_RIGHT, 0, 0),
};

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

void PickStartChar()
{
    if (OpenFrom == OPEN_EDITOR && ShowEditorChar)
        LastChar = EditorCharAtCursor();
    else if (OpenFrom == OPEN_PLUGINSMENU && ShowCmdlineChar)
        LastChar = CmdLineCharAtCursor();
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

void DeliverResult(unsigned char Choice)
{
    if (Choice == 0) return;
    if (OpenFrom != OPEN_PLUGINSMENU && OpenFrom != OPEN_EDITOR) return;
    // PasteMode 1 types the character, 2 the clipboard's first line, others nothing.
    std::string Text(1, static_cast<char>(Choice));
    if (PasteMode == 2) {
        if (!ClipboardTextToType(Text)) return;
    } else if (PasteMode != 1) {
        return;
    }
    if (OpenFrom == OPEN_PLUGINSMENU)
        CmdLineInsert(Text);
    else
        EditorPutText(Text);
}

void EditorPutText(const std::string &S)
{
    if (CopyMode) {
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

void TypeChar(unsigned char Ch)
{
    QuoteCharRecords[1].Event.KeyEvent.uChar.UnicodeChar = Ch;
    DWORD Written = 0;
    WriteConsoleInputA(InputHandle, QuoteCharRecords, 2, &Written);
}

void ExchangeResetForTests()
{
    QuoteCharRecords[1].Event.KeyEvent.uChar.UnicodeChar = 0;
}
