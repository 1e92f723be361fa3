// quorrel-host's report after a scripted opening, and the console snapshots
// it compares.
#include "HostInternal.h"
#include "Program.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

// Rows at a time, as for the screen model: large reads fail on old consoles.
const int BandCells = 2000;

void TransferCells(ConsoleSnapshot &S, bool Write)
{
    if (S.Width <= 0 || S.Height <= 0) return;
    int Rows = std::max(1, BandCells / S.Width);
    for (int Top = 0; Top < S.Height; Top += Rows) {
        int Bottom = std::min(S.Height, Top + Rows) - 1;
        COORD Size = {SHORT(S.Width), SHORT(Bottom - Top + 1)};
        COORD Origin = {0, 0};
        SMALL_RECT Region = {0, SHORT(Top), SHORT(S.Width - 1), SHORT(Bottom)};
        CHAR_INFO *Band = &S.Cells[size_t(Top) * S.Width];
        if (Write)
            WriteConsoleOutputA(HostOutputHandle(), Band, Size, Origin, &Region);
        else
            ReadConsoleOutputA(HostOutputHandle(), Band, Size, Origin, &Region);
    }
}

bool SameCell(const CHAR_INFO &A, const CHAR_INFO &B)
{
    return A.Char.AsciiChar == B.Char.AsciiChar && A.Attributes == B.Attributes;
}

std::string RegistryValueText(DWORD Type, const std::string &Data)
{
    if (Type == REG_DWORD && Data.size() == 4) {
        DWORD Value;
        std::memcpy(&Value, Data.data(), 4);
        return "dword:" + std::to_string(Value);
    }
    if (Type == REG_SZ) {
        std::string Text = Data.substr(0, Data.find('\0'));
        return "sz:" + EscapeReportText(Text);
    }
    if (Type == REG_BINARY) return "binary:" + HexBytes(Data);
    return "type" + std::to_string(Type) + ":" + HexBytes(Data);
}

// Every value of the plugin's key, by name (the order of enumeration differs
// between systems).
std::vector<std::pair<std::string, std::string>> RegistryValues()
{
    std::vector<std::pair<std::string, std::string>> Values;
    HKEY Key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, PluginSettingsKey().c_str(), 0, KEY_READ, &Key) !=
        ERROR_SUCCESS)
        return Values;
    for (DWORD Index = 0;; Index++) {
        char Name[256];
        DWORD NameSize = sizeof(Name), Type = 0;
        std::vector<BYTE> Data(4096);
        DWORD DataSize = DWORD(Data.size());
        if (RegEnumValueA(Key, Index, Name, &NameSize, nullptr, &Type, Data.data(),
                          &DataSize) != ERROR_SUCCESS)
            break;
        Values.push_back(
            {std::string(Name, NameSize),
             RegistryValueText(Type, std::string(reinterpret_cast<char *>(Data.data()),
                                                 std::min<size_t>(DataSize, Data.size())))});
    }
    RegCloseKey(Key);
    std::sort(Values.begin(), Values.end());
    return Values;
}

std::string CellsVerdict(const ConsoleSnapshot &A, const ConsoleSnapshot &B)
{
    if (A.Width != B.Width || A.Height != B.Height) return "changed (size)";
    int Differ = 0;
    for (size_t I = 0; I < A.Cells.size(); I++)
        if (!SameCell(A.Cells[I], B.Cells[I])) Differ++;
    return Differ == 0 ? "same" : "changed (" + std::to_string(Differ) + " cells)";
}

}  // namespace

ConsoleSnapshot TakeSnapshot()
{
    ConsoleSnapshot S;
    CONSOLE_SCREEN_BUFFER_INFO Info;
    std::memset(&Info, 0, sizeof(Info));
    GetConsoleScreenBufferInfo(HostOutputHandle(), &Info);
    S.Width = Info.dwSize.X;
    S.Height = Info.dwSize.Y;
    S.CursorPos = Info.dwCursorPosition;
    CHAR_INFO Blank;
    std::memset(&Blank, 0, sizeof(Blank));
    S.Cells.assign(size_t(std::max(S.Width, 0)) * size_t(std::max(S.Height, 0)), Blank);
    TransferCells(S, false);
    char Title[1024] = "";
    GetConsoleTitleA(Title, sizeof(Title));
    S.Title = Title;
    GetConsoleCursorInfo(HostOutputHandle(), &S.Cursor);
    return S;
}

void PutSnapshot(const ConsoleSnapshot &Snapshot)
{
    ConsoleSnapshot S = Snapshot;
    TransferCells(S, true);
    SetConsoleTitleA(S.Title.c_str());
    if (S.Cursor.dwSize != 0) SetConsoleCursorInfo(HostOutputHandle(), &S.Cursor);
    SetConsoleCursorPosition(HostOutputHandle(), S.CursorPos);
}

std::string ClipboardBytes()
{
    std::string Text;
    if (!OpenClipboard(nullptr)) return Text;
    HANDLE Block = GetClipboardData(CF_OEMTEXT);
    const char *Data = Block ? static_cast<const char *>(GlobalLock(Block)) : nullptr;
    if (Data) {
        size_t Size = GlobalSize(Block);
        Text.assign(Data, strnlen(Data, Size));
        GlobalUnlock(Block);
    }
    CloseClipboard();
    return Text;
}

void PrintReport(const std::string &ResultName, long Result, const ConsoleSnapshot &Before,
                 const ConsoleSnapshot &After)
{
    std::vector<std::string> Lines;
    Lines.push_back(ResultName + "=" + std::to_string(Result));
    Lines.push_back("cmdline=" + EscapeReportText(HostCmdLine()));
    Lines.push_back("cmdline_pos=" + std::to_string(HostCmdLinePos()));
    std::string Editor;
    std::vector<std::string> EditorLines = HostEditorLines();
    for (size_t I = 0; I < EditorLines.size(); I++)
        Editor += (I ? "\r\n" : "") + EditorLines[I];
    Lines.push_back("editor_line=" + EscapeReportText(Editor));
    Lines.push_back("editor_cur_line=" + std::to_string(HostEditorCurLine()));
    Lines.push_back("editor_pos=" + std::to_string(HostEditorCurPos()));
    Lines.push_back("editor_redraws=" + std::to_string(HostEditorRedraws()));
    Lines.push_back("clipboard_hex=" + HexBytes(ClipboardBytes()));
    for (const auto &Value : RegistryValues())
        Lines.push_back("registry." + Value.first + "=" + Value.second);
    Lines.push_back("console_cells=" + CellsVerdict(Before, After));
    Lines.push_back(std::string("console_title=") +
                    (Before.Title == After.Title ? "same" : "changed"));
    bool SameShape = Before.Cursor.dwSize == After.Cursor.dwSize &&
                     (Before.Cursor.bVisible != 0) == (After.Cursor.bVisible != 0);
    Lines.push_back(std::string("console_cursor_shape=") + (SameShape ? "same" : "changed"));
    bool SamePos = Before.CursorPos.X == After.CursorPos.X &&
                   Before.CursorPos.Y == After.CursorPos.Y;
    Lines.push_back(std::string("console_cursor_pos=") + (SamePos ? "same" : "changed"));

    std::vector<INPUT_RECORD> Left;
    for (;;) {
        if (!HostInputPending()) break;
        INPUT_RECORD Record;
        DWORD Read = 0;
        if (!ReadConsoleInputA(HostInputHandle(), &Record, 1, &Read) || Read != 1) break;
        Left.push_back(Record);
    }
    Lines.push_back("input_left=" + std::to_string(Left.size()));
    for (size_t I = 0; I < Left.size(); I++)
        Lines.push_back("input_left." + std::to_string(I + 1) + "=" +
                        DescribeInputRecord(Left[I]));
    for (const std::string &Line : Lines) std::printf("%s\n", Line.c_str());
}
