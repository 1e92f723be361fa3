// The host's in-memory editor (EditorControl), its command line (Control)
// and its code tables (CharTable).
#include "HostInternal.h"

#include <algorithm>
#include <cstring>

namespace {

// Far's command numbers beyond the ones the plugin uses.
enum { ECTL_OEMTOEDITOR = 11 };
enum { FCTL_SETCMDLINE = 9, FCTL_SETCMDLINEPOS = 17 };

struct CodeTableData {
    const char *Name;
    unsigned char Decode[256], Encode[256], Upper[256], Lower[256];
};

const CodeTableData CodeTableList[] = {
#include "CharTables.inc"
};
const int RealTables = int(sizeof(CodeTableList) / sizeof(CodeTableList[0]));
int OfferedTables = RealTables;

std::string CmdLine;
int CmdPos = 0;

bool EditorIsOpen = false;
std::vector<std::string> EditLines;
int CurLine = 0, CurPos = 0;
int TableNum = -1;
bool AnsiMode = false;
int Redraws = 0;
std::vector<int> Commands;
bool QuoteNext = false;  // Ctrl+Q seen: the next key goes in literally
const char EditorFileName[] = "quorrel.txt";

std::string &CursorLine()
{
    if (EditLines.empty()) EditLines.push_back("");
    CurLine = std::min(std::max(CurLine, 0), int(EditLines.size()) - 1);
    return EditLines[size_t(CurLine)];
}

// Inserts at the cursor and moves it past the text. A cursor beyond the end
// of the line pads it with blanks first, as Far's editor does. With
// LineBreaks, "\r\n", "\r" and "\n" split the line; otherwise they are
// characters like any other (as after Ctrl+Q).
void InsertAtCursor(const std::string &Text, bool LineBreaks = true)
{
    for (size_t I = 0; I < Text.size(); I++) {
        std::string &Line = CursorLine();
        CurPos = std::max(CurPos, 0);
        if (size_t(CurPos) > Line.size()) Line.append(size_t(CurPos) - Line.size(), ' ');
        char Ch = Text[I];
        if (LineBreaks && (Ch == '\r' || Ch == '\n')) {
            if (Ch == '\r' && I + 1 < Text.size() && Text[I + 1] == '\n') I++;
            std::string Rest = Line.substr(size_t(CurPos));
            Line.erase(size_t(CurPos));
            EditLines.insert(EditLines.begin() + CurLine + 1, Rest);
            CurLine++;
            CurPos = 0;
            continue;
        }
        Line.insert(size_t(CurPos), 1, Ch);
        CurPos++;
    }
}

bool IsModifierKey(WORD Vk)
{
    return Vk == VK_SHIFT || Vk == VK_CONTROL || Vk == VK_MENU || Vk == VK_CAPITAL ||
           Vk == VK_NUMLOCK || Vk == VK_SCROLL || (Vk >= VK_LSHIFT && Vk <= VK_RMENU);
}

bool IsQuoteKey(const KEY_EVENT_RECORD &Key)
{
    HostKey K = KeyFromRecord(Key);
    return Key.bKeyDown && Key.wVirtualKeyCode == 'Q' && K.Ctrl && !K.Alt;
}

void ConvertTable(char *Text, int Length, const unsigned char *Table)
{
    for (int I = 0; I < Length; I++)
        Text[I] = char(Table[static_cast<unsigned char>(Text[I])]);
}

const CodeTableData &TableData(int Index) { return CodeTableList[Index % RealTables]; }

}  // namespace

void HostEditorReset()
{
    OfferedTables = RealTables;
    CmdLine.clear();
    CmdPos = 0;
    HostCloseEditor();
    EditLines.clear();
    CurLine = CurPos = 0;
    TableNum = -1;
    AnsiMode = false;
    Redraws = 0;
    Commands.clear();
    QuoteNext = false;
}

// ---------------------------------------------------------- code tables --

int HostRealCharTableCount() { return RealTables; }
void HostSetCharTableCount(int Count) { OfferedTables = std::max(Count, 0); }
int HostCharTableCount() { return OfferedTables; }

bool HostGetCharTable(int Index, CharTableSet &Set)
{
    if (Index < 0 || Index >= OfferedTables) return false;
    const CodeTableData &Data = TableData(Index);
    std::memcpy(Set.DecodeTable, Data.Decode, 256);
    std::memcpy(Set.EncodeTable, Data.Encode, 256);
    std::memcpy(Set.UpperTable, Data.Upper, 256);
    std::memcpy(Set.LowerTable, Data.Lower, 256);
    std::memset(Set.TableName, 0, sizeof(Set.TableName));
    // Past the real tables the same data comes again under numbered names.
    std::string Name = Data.Name;
    if (Index >= RealTables) Name += " (" + std::to_string(Index / RealTables + 1) + ")";
    std::strncpy(Set.TableName, Name.c_str(), sizeof(Set.TableName) - 1);
    return true;
}

int WINAPI HostCharTable(int Command, char *Buffer, int BufferSize)
{
    CharTableSet Set;
    if (!Buffer || BufferSize < int(sizeof(CharTableSet)) || !HostGetCharTable(Command, Set))
        return -1;
    std::memcpy(Buffer, &Set, sizeof(Set));
    return Command;
}

// --------------------------------------------------------- command line --

void HostSetCmdLine(const std::string &Text, int Pos)
{
    CmdLine = Text;
    CmdPos = Pos;
}

std::string HostCmdLine() { return CmdLine; }
int HostCmdLinePos() { return CmdPos; }

int WINAPI HostControl(HANDLE hPlugin, int Command, void *Param)
{
    // Only the host's own panels and command line (INVALID_HANDLE_VALUE).
    if (hPlugin != INVALID_HANDLE_VALUE || !Param) return FALSE;
    switch (Command) {
    case FCTL_GETCMDLINE: {
        size_t Length = std::min(CmdLine.size(), size_t(HostCmdLineCopyMax - 1));
        std::memcpy(Param, CmdLine.data(), Length);
        static_cast<char *>(Param)[Length] = 0;
        return TRUE;
    }
    case FCTL_GETCMDLINEPOS:
        *static_cast<int *>(Param) = CmdPos;
        return TRUE;
    case FCTL_INSERTCMDLINE: {
        std::string Text = static_cast<const char *>(Param);
        size_t At = size_t(std::min(std::max(CmdPos, 0), int(CmdLine.size())));
        CmdLine.insert(At, Text);
        CmdPos = int(At + Text.size());
        return TRUE;
    }
    case FCTL_SETCMDLINE:
        CmdLine = static_cast<const char *>(Param);
        CmdPos = int(CmdLine.size());
        return TRUE;
    case FCTL_SETCMDLINEPOS:
        CmdPos = std::min(std::max(*static_cast<int *>(Param), 0), int(CmdLine.size()));
        return TRUE;
    default:
        return FALSE;
    }
}

// --------------------------------------------------------------- editor --

void HostSetEditor(const std::vector<std::string> &Lines, int Line, int Pos, int Table,
                   bool Ansi)
{
    EditorIsOpen = true;
    EditLines = Lines;
    if (EditLines.empty()) EditLines.push_back("");
    CurLine = std::min(std::max(Line, 0), int(EditLines.size()) - 1);
    CurPos = Pos;  // taken as given: tests put it beyond the line on purpose
    TableNum = Table;
    AnsiMode = Ansi;
    QuoteNext = false;
}

void HostCloseEditor() { EditorIsOpen = false; }
bool HostEditorOpen() { return EditorIsOpen; }
std::vector<std::string> HostEditorLines() { return EditLines; }
int HostEditorCurLine() { return CurLine; }
int HostEditorCurPos() { return CurPos; }
int HostEditorTableNum() { return TableNum; }
bool HostEditorAnsiMode() { return AnsiMode; }
int HostEditorRedraws() { return Redraws; }
std::vector<int> HostEditorCommands() { return Commands; }

int WINAPI HostEditorControl(int Command, void *Param)
{
    Commands.push_back(Command);
    if (!EditorIsOpen) return FALSE;
    switch (Command) {
    case ECTL_GETSTRING: {
        EditorGetString *Get = static_cast<EditorGetString *>(Param);
        if (!Get) return FALSE;
        int Number = Get->StringNumber == -1 ? CurLine : Get->StringNumber;
        if (Number < 0 || Number >= int(EditLines.size())) return FALSE;
        const std::string &Line = EditLines[size_t(Number)];
        Get->StringText = Line.c_str();
        Get->StringEOL = Number + 1 < int(EditLines.size()) ? "\r\n" : "";
        Get->StringLength = int(Line.size());
        Get->SelStart = -1;
        Get->SelEnd = 0;
        return TRUE;
    }
    case ECTL_INSERTTEXT:
        if (!Param) return FALSE;
        InsertAtCursor(static_cast<const char *>(Param));
        return TRUE;
    case ECTL_GETINFO: {
        EditorInfo *Info = static_cast<EditorInfo *>(Param);
        if (!Info) return FALSE;
        std::memset(Info, 0, sizeof(*Info));
        Info->EditorID = 0;
        Info->FileName = EditorFileName;
        Info->WindowSizeX = HostScreenWidth();
        Info->WindowSizeY = std::max(HostScreenHeight() - 2, 1);
        Info->TotalLines = int(EditLines.size());
        Info->CurLine = CurLine;
        Info->CurPos = CurPos;
        Info->CurTabPos = CurPos;
        Info->AnsiMode = AnsiMode ? 1 : 0;
        Info->TableNum = TableNum;
        Info->TabSize = 8;
        return TRUE;
    }
    case ECTL_REDRAW:
        // The host draws its editor again once the plugin has returned.
        Redraws++;
        return TRUE;
    case ECTL_EDITORTOOEM:
    case ECTL_OEMTOEDITOR: {
        EditorConvertText *Convert = static_cast<EditorConvertText *>(Param);
        if (!Convert || !Convert->Text || Convert->TextLength < 0) return FALSE;
        bool ToOem = Command == ECTL_EDITORTOOEM;
        if (TableNum >= 0 && TableNum < OfferedTables) {
            const CodeTableData &Data = TableData(TableNum);
            ConvertTable(Convert->Text, Convert->TextLength, ToOem ? Data.Decode : Data.Encode);
        } else if (TableNum == -1 && AnsiMode) {
            if (ToOem)
                CharToOemBuffA(Convert->Text, Convert->Text, DWORD(Convert->TextLength));
            else
                OemToCharBuffA(Convert->Text, Convert->Text, DWORD(Convert->TextLength));
        }
        // Otherwise the text is in the console's own code page already.
        return TRUE;
    }
    default:
        return FALSE;
    }
}

bool HostEditorKey(const KEY_EVENT_RECORD &Record)
{
    if (!Record.bKeyDown || IsModifierKey(Record.wVirtualKeyCode)) return true;
    HostKey Key = KeyFromRecord(Record);
    if (QuoteNext) {
        QuoteNext = false;
        if (Key.Ch) InsertAtCursor(std::string(1, char(Key.Ch)), false);
        return true;
    }
    if (IsQuoteKey(Record)) {
        QuoteNext = true;
        return true;
    }
    bool Plain = !Key.Ctrl && !Key.Alt;
    std::string &Line = CursorLine();
    switch (Key.Vk) {
    case VK_LEFT:
        if (Plain && CurPos > 0) CurPos--;
        return Plain;
    case VK_RIGHT:
        if (Plain) CurPos++;
        return Plain;
    case VK_HOME:
        if (Plain) CurPos = 0;
        return Plain;
    case VK_END:
        if (Plain) CurPos = int(Line.size());
        return Plain;
    case VK_BACK:
        if (!Plain) return false;
        if (CurPos > 0) {
            if (size_t(CurPos) <= Line.size()) Line.erase(size_t(CurPos) - 1, 1);
            CurPos--;
        }
        return true;
    case VK_DELETE:
        if (!Plain) return false;
        if (CurPos >= 0 && size_t(CurPos) < Line.size()) Line.erase(size_t(CurPos), 1);
        return true;
    default:
        break;
    }
    // A character: Ctrl and Alt alone make commands, both together (AltGr)
    // type characters.
    bool Command = (Key.Ctrl != Key.Alt);
    if (Key.Ch >= 32 && !Command) {
        InsertAtCursor(std::string(1, char(Key.Ch)));
        return true;
    }
    return false;
}

int HostProcessPendingEditorInput()
{
    int Inserted = 0;
    while (EditorIsOpen) {
        INPUT_RECORD Record;
        DWORD Count = 0;
        if (!PeekConsoleInputA(HostInputHandle(), &Record, 1, &Count) || Count == 0) break;
        if (Record.EventType != KEY_EVENT) break;
        const KEY_EVENT_RECORD Key = Record.Event.KeyEvent;
        bool PassOver = !Key.bKeyDown || IsModifierKey(Key.wVirtualKeyCode);
        bool Quoted = QuoteNext && !PassOver;
        if (!Quoted && !PassOver && !IsQuoteKey(Key)) break;
        ReadConsoleInputA(HostInputHandle(), &Record, 1, &Count);
        HostEditorKey(Key);
        if (Quoted && Key.uChar.AsciiChar) Inserted++;
    }
    return Inserted;
}
