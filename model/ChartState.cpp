// ChartState: the operations on the chart's state.
#include "ChartState.h"

#include "CharNames.h"

#include <algorithm>

namespace {

const std::string NoName;
const size_t EntryMax = 3;

int Clamp(int Value, int Low, int High)
{
    return Value < Low ? Low : Value > High ? High : Value;
}

// An upper-case letter for a lower-case one ("a".."z" only), as the code
// parsers and the find compare them.
int UpCase(int Ch)
{
    return Ch >= 'a' && Ch <= 'z' ? Ch - 'a' + 'A' : Ch;
}

}  // namespace

// ---------------------------------------------------------- selection --

void SelectCell(ChartState &S, int Row, int Col)
{
    S.LastChar = uint8_t(Clamp(Row, 0, 7) * 32 + Clamp(Col, 0, 31));
}

void MoveSelection(ChartState &S, int Rows, int Cols)
{
    SelectCell(S, CellRow(S) + Rows, CellCol(S) + Cols);
}

// ------------------------------------------------------------- tables --

const CodeTable *CurrentCodeTable(const ChartState &S)
{
    if (S.CodeTables.empty()) return nullptr;
    return &S.CodeTables[S.CurrentTable < S.CodeTables.size() ? S.CurrentTable : 0];
}

ChartChar MapCode(const ChartState &S, uint8_t Code)
{
    const CodeTable *Table = CurrentCodeTable(S);
    return Table ? Table->Chars[Code] : Code;
}

const std::string &CodeTableName(const ChartState &S, int Index)
{
    if (Index < 0 || size_t(Index) >= S.CodeTables.size()) return NoName;
    return S.CodeTables[size_t(Index)].Name;
}

int CodeOfChar(const ChartState &S, ChartChar Ch)
{
    for (int Code = 0; Code < 256; Code++)
        if (MapCode(S, uint8_t(Code)) == Ch) return Code;
    return -1;
}

namespace {

int TableCount(const ChartState &S)
{
    return int(S.CodeTables.size());
}

void StepForward(ChartState &S)
{
    S.CurrentTable = S.CurrentTable + 1 < TableCount(S) ? uint8_t(S.CurrentTable + 1) : 0;
}

void StepBack(ChartState &S)
{
    if (S.CurrentTable > 0 && TableCount(S) > 0)
        S.CurrentTable--;
    else
        S.CurrentTable = uint8_t(TableCount(S) > 0 ? TableCount(S) - 1 : 0);
}

}  // namespace

// One more step always leaves the Windows table (to 2, or round to 0).
void NextCodeTable(ChartState &S)
{
    StepForward(S);
    if (S.CurrentTable == 1 && !S.ShowWinTable) StepForward(S);
}

void PrevCodeTable(ChartState &S)
{
    StepBack(S);
    if (S.CurrentTable == 1 && !S.ShowWinTable) StepBack(S);
}

void ToggleWindowsTable(ChartState &S)
{
    S.CurrentTable = S.CurrentTable == 1 ? 0 : 1;
}

std::vector<int> OfferedTables(const ChartState &S)
{
    std::vector<int> Offered;
    for (int I = 0; I < TableCount(S); I++)
        if (I != 1 || S.ShowWinTable) Offered.push_back(I);
    return Offered;
}

// ------------------------------------------------------------- typing --

void TypeCharacter(ChartState &S, ChartChar Ch)
{
    if (S.TypeMode != Typing::Character) {
        AddEntryChar(S, char(Ch & 0xFF));
        return;
    }
    const int Code = CodeOfChar(S, Ch);
    if (Code >= 0) S.LastChar = uint8_t(Code);
}

void AddEntryChar(ChartState &S, char Ch)
{
    if (S.EntryText.size() < EntryMax) S.EntryText += Ch;
}

void EntryBack(ChartState &S)
{
    if (!S.EntryText.empty()) S.EntryText.pop_back();
}

void EnterCode(ChartState &S)
{
    if (S.TypeMode == Typing::Decimal)
        ParseDecCode(S.EntryText, S.LastChar);
    else
        ParseHexCode(S.EntryText, S.LastChar);
    S.EntryText.clear();
}

bool ParseDecCode(const std::string &Text, uint8_t &Code)
{
    if (Text.empty()) return false;
    int N = 0;
    for (char C : Text) {
        if (C < '0' || C > '9') return false;
        N = N * 10 + (C - '0');
        if (N > 255) return false;
    }
    Code = uint8_t(N);
    return true;
}

bool ParseHexCode(const std::string &Text, uint8_t &Code)
{
    if (Text.empty()) return false;
    int N = 0;
    for (char C : Text) {
        N *= 16;
        const int U = UpCase(static_cast<unsigned char>(C));
        if (U >= '0' && U <= '9')
            N += U - '0';
        else if (U >= 'A' && U <= 'F')
            N += U - 'A' + 10;
        else
            return false;
        if (N > 255) return false;
    }
    Code = uint8_t(N);
    return true;
}

// ------------------------------------------------------------ confirm --

ChartChar ChosenChar(const ChartState &S)
{
    return S.CopyMode ? ChartChar(S.LastChar) : MapCode(S, S.LastChar);
}

void RememberRecentChar(ChartState &S, ChartChar Ch)
{
    std::vector<ChartChar> &Recent = S.RecentChars;
    Recent.erase(std::remove(Recent.begin(), Recent.end(), Ch), Recent.end());
    Recent.insert(Recent.begin(), Ch);
    if (Recent.size() > size_t(RecentCharsMax)) Recent.resize(RecentCharsMax);
}

// ---------------------------------------------------------- identity --

CellCharacter CharacterOfCode(const ChartState &S, uint8_t Code)
{
    if (!S.UnicodeCells) return CharacterOfByte(S.CellCodePage, uint8_t(MapCode(S, Code)));
    const CodeTable *Table = CurrentCodeTable(S);
    CellCharacter C = CharacterOfByte(Table ? Table->CodePage : 0, Code);
    // What the cell shows is the glyph (the console's for a control code).
    if (C.Known) C.Glyph = MapCode(S, Code);
    return C;
}

CellCharacter CharacterOfCell(const ChartState &S, ChartChar Ch)
{
    if (!S.UnicodeCells) return CharacterOfByte(S.CellCodePage, uint8_t(Ch));
    return {true, true, Ch, Ch};
}

// -------------------------------------------------------- find by name --

bool HasAWord(const std::string &Words)
{
    return Words.find_first_not_of(' ') != std::string::npos;
}

bool CodeMatches(const ChartState &S, uint8_t Code, const std::string &Words)
{
    const CellCharacter C = CharacterOfCode(S, Code);
    if (!C.Known) return false;
    return CharNameMatches(C.CodePoint, Words) ||
           (C.Glyph != C.CodePoint && CharNameMatches(C.Glyph, Words));
}

int FindCode(const ChartState &S, const std::string &Words, int From, int Step)
{
    if (!HasAWord(Words)) return -1;
    for (int K = 0; K < 256; K++) {
        const int Code = (From + Step * K) & 0xFF;
        if (CodeMatches(S, uint8_t(Code), Words)) return Code;
    }
    return -1;
}

bool FindAndSelect(ChartState &S, int From, int Step)
{
    const int Code = FindCode(S, S.FindWords, From, Step);
    if (Code < 0) {
        S.FoundCode = S.FoundTable = -1;
        return false;
    }
    S.LastChar = uint8_t(Code);
    S.FoundCode = Code;
    S.FoundTable = S.CurrentTable;
    return true;
}

bool FindChainGoesOn(const ChartState &S)
{
    return HasAWord(S.FindWords) && S.FoundCode == S.LastChar && S.FoundTable == S.CurrentTable;
}

// ------------------------------------------------------------- window --

void CentreWindow(ChartState &S, int ScreenWidth, int ScreenHeight, bool ScreenSizeChanged,
                  int Width, int Height)
{
    if (!S.CentrePending && !ScreenSizeChanged) return;
    S.CentrePending = false;
    S.ChartX = (ScreenWidth - Width) / 2;
    S.ChartY = (ScreenHeight - (Height + 1)) / 2;
}

void MoveWindow(ChartState &S, int DX, int DY, int MaxX, int MaxY)
{
    if ((DX > 0 && S.ChartX < MaxX) || (DX < 0 && S.ChartX > 0)) S.ChartX += DX;
    if ((DY > 0 && S.ChartY < MaxY) || (DY < 0 && S.ChartY > 0)) S.ChartY += DY;
}

void StartDrag(ChartState &S, int GrabX, int GrabY)
{
    S.Dragging = true;
    S.GrabX = GrabX;
    S.GrabY = GrabY;
}

// Clamped to 0 first, then to the far edge: on a screen smaller than the
// window the far edge wins and the window starts left of or above it.
void DragTo(ChartState &S, int MouseX, int MouseY, int MaxX, int MaxY)
{
    S.ChartX = std::min(std::max(MouseX - S.GrabX, 0), MaxX);
    S.ChartY = std::min(std::max(MouseY - S.GrabY, 0), MaxY);
}

void EndDrag(ChartState &S)
{
    S.Dragging = false;
}
