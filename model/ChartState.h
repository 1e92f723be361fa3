// ChartState: what the chart is, apart from how it is shown: the code
// tables and the one shown, the selected code, the code being typed, the
// window's place and drag, the options the chart reads, and what the find
// and history keys remember. Plain data and the operations on it; nothing
// here draws, reads input or calls the host, so that every front end (the
// console window of the Far 1.x edition, the dialog of the Far 3 edition)
// works on the same chart.
#ifndef QUORREL_CHARTSTATE_H
#define QUORREL_CHARTSTATE_H

#include "CharInfo.h"

#include <cstdint>
#include <string>
#include <vector>

// A character as the front end shows it: a byte of the console's OEM code
// page in the Far 1.x edition, a UTF-16 unit in the Far 3 edition (every
// single-byte code page stays in the Basic Multilingual Plane).
typedef uint16_t ChartChar;

struct CodeTable {
    std::string Name;     // as the front end shows it
    ChartChar Chars[256]; // the character shown for each code
    uint32_t CodePage;    // the Windows code page of the codes; 0 when not known
};

// How a typed character is taken in selection mode (registry value
// "TypeMode"): it selects its own code, or it starts a code typed in
// decimal or hexadecimal.
enum class Typing : int32_t { Character = 0, Decimal = 1, Hexadecimal = 2 };

constexpr int RecentCharsMax = 16;

struct ChartState {
    // The code tables, in the order F9 steps through them: entry 0 the
    // console's own, entry 1 the Windows (ANSI) one, then the others.
    std::vector<CodeTable> CodeTables;
    uint8_t CurrentTable = 0;
    // Where a cell's Unicode identity comes from. Cells that are console
    // bytes (UnicodeCells false) are read in CellCodePage, the console's
    // output code page (0: not known); Unicode cells are what they show,
    // and their code is a byte of the table's own code page.
    bool UnicodeCells = false;
    uint32_t CellCodePage = 0;

    // The selected code. Its cell is row LastChar / 32, column LastChar % 32
    // (CellRow, CellCol); moves work on those and store the code again.
    uint8_t LastChar = 0;
    // A code being typed, up to three characters; empty in selection mode.
    std::string EntryText;
    // The result of the window: the character to deliver, or 0 for nothing.
    ChartChar Choice = 0;

    // The window's top-left cell on the screen, kept between openings;
    // centred at the first opening and after the screen changed size.
    int32_t ChartX = 0, ChartY = 0;
    bool CentrePending = true;
    // A drag of the window by its title rows, and where it was taken.
    bool Dragging = false;
    int32_t GrabX = 0, GrabY = 0;

    // The options the chart reads (the front end copies them in).
    Typing TypeMode = Typing::Decimal;
    bool CopyMode = true;      // confirm the code itself, not the table's character
    bool ShowWinTable = false; // entry 1 in F9, Shift+F9 and the table menu
    bool UnicodeStatus = false; // F2: the status row in Unicode's words

    // Find by name: the words of the last search, and where its last match
    // put the selection (code and table), or -1.
    std::string FindWords;
    int FoundCode = -1, FoundTable = -1;
    // The characters confirmed or copied last, newest first, no two alike.
    std::vector<ChartChar> RecentChars;
    // F3: the form chosen last.
    int LastForm = 0;
};

// ---------------------------------------------------------- selection --

inline int CellRow(const ChartState &S) { return S.LastChar / 32; }
inline int CellCol(const ChartState &S) { return S.LastChar % 32; }
void SelectCell(ChartState &S, int Row, int Col);
// Moves by rows and columns without wrapping: a step off an edge stays.
void MoveSelection(ChartState &S, int Rows, int Cols);

// ------------------------------------------------------------- tables --

// The table shown: CurrentTable, or entry 0 while CurrentTable lies beyond
// the list (as the editor's table number may); null without tables.
const CodeTable *CurrentCodeTable(const ChartState &S);
// The character the table shows for a code; the code itself without tables.
ChartChar MapCode(const ChartState &S, uint8_t Code);
const std::string &CodeTableName(const ChartState &S, int Index);
// The lowest code whose cell shows the character, or -1.
int CodeOfChar(const ChartState &S, ChartChar Ch);
// F9, Shift+F9: entry 1 is passed over unless ShowWinTable; F8: between
// entries 0 and 1.
void NextCodeTable(ChartState &S);
void PrevCodeTable(ChartState &S);
void ToggleWindowsTable(ChartState &S);
// The tables a menu offers, in order: all but entry 1 unless ShowWinTable.
std::vector<int> OfferedTables(const ChartState &S);

// ------------------------------------------------------------- typing --

// A character key in selection mode: with TypeMode Character it selects
// the lowest code showing it (nothing when none does); else it starts a
// typed code.
void TypeCharacter(ChartState &S, ChartChar Ch);
// Appends the character to the typed code, up to three.
void AddEntryChar(ChartState &S, char Ch);
// Backspace: the last typed character goes; without any, selection mode.
void EntryBack(ChartState &S);
// Enter: the typed code in TypeMode's base selects its code when it is
// 0..255; either way the entry ends.
void EnterCode(ChartState &S);
// The code a text gives, or false for an empty text, a character that is
// not a digit of the base, or a value above 255.
bool ParseDecCode(const std::string &Text, uint8_t &Code);
bool ParseHexCode(const std::string &Text, uint8_t &Code);

// ------------------------------------------------------------ confirm --

// What a confirm delivers: the code itself with CopyMode, else the table's
// character for it.
ChartChar ChosenChar(const ChartState &S);
// Puts the character first in RecentChars (moving it there if listed).
void RememberRecentChar(ChartState &S, ChartChar Ch);

// ---------------------------------------------------------- identity --

// A code of the current table in Unicode.
CellCharacter CharacterOfCode(const ChartState &S, uint8_t Code);
// A character as a cell shows it, in Unicode.
CellCharacter CharacterOfCell(const ChartState &S, ChartChar Ch);

// -------------------------------------------------------- find by name --

// Whether the words are more than blanks.
bool HasAWord(const std::string &Words);
// Whether the character a code shows has the words in its name or an
// alias: its code point, or for a control code the glyph drawn instead.
bool CodeMatches(const ChartState &S, uint8_t Code, const std::string &Words);
// The first code from From onwards (Step 1) or backwards (Step -1) that
// matches, round the 256 codes; -1 when none does.
int FindCode(const ChartState &S, const std::string &Words, int From, int Step);
// Searches FindWords from From and selects the match, remembering where it
// stands; without a match forgets the last one. True when found.
bool FindAndSelect(ChartState &S, int From, int Step);
// The selection stands on the last match, in the same table: F7 goes on
// to the next match instead of asking for words.
bool FindChainGoesOn(const ChartState &S);

// ------------------------------------------------------------- window --

// Centres a window of Width x Height (and its shadow row) when that is due:
// at the first opening and after the screen changed size. Integer division
// truncates toward zero: a window wider than the screen may start left of it.
void CentreWindow(ChartState &S, int ScreenWidth, int ScreenHeight, bool ScreenSizeChanged,
                  int Width, int Height);
// One step of Alt+arrow: DX, DY are -1, 0 or 1; the window stays within
// 0..MaxX and 0..MaxY, and a step that would leave them is not taken.
void MoveWindow(ChartState &S, int DX, int DY, int MaxX, int MaxY);
// A drag by the title rows: taken at a place of the window, then the
// window follows the mouse, clamped to 0..Max, until it is let go.
void StartDrag(ChartState &S, int GrabX, int GrabY);
void DragTo(ChartState &S, int MouseX, int MouseY, int MaxX, int MaxY);
void EndDrag(ChartState &S);

#endif
