// Screen: the console taken over and given back, the three screen images
// (what was there, what is drawn, what is shown), text drawn into them,
// only changed rectangles written out, and the cursor.
#ifndef QUORREL_SCREEN_H
#define QUORREL_SCREEN_H

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ScreenBuffer {
    int32_t ByteSize = 0;
    CHAR_INFO *Cells = nullptr;
};

// A rectangle of cells, bounds included; empty when Left > Right.
struct CellArea {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;
    bool Empty() const { return Left > Right || Top > Bottom; }
};

// The rows of SavedScreen are read from the console when something is first
// drawn on them: a frame costs the window, not the console, and a tall
// console is never read whole. A row the console will not hand over is
// refused: like a row not read yet it is not ours to draw on, and FlushScreen
// and PushScreen leave it alone, so the user's text there is never replaced
// by the zero fill.
enum RowStatus : uint8_t { RowNotRead, RowRead, RowRefused };

typedef void (*PushCellProc)(int X, int Y, int Color, const char *Str);

struct ScreenState {
    // The console, opened when the module loads (ConsoleStart counts).
    HANDLE InputHandle = nullptr;
    HANDLE OutputHandle = nullptr;
    bool NotNT = false;
    int StartCount = 0;
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
    // The size differs from the one recorded before (at load or the last
    // opening).
    bool ScreenSizeChanged = false;
    // What SaveConsoleState could read. A title or cursor shape that could not
    // be read is neither changed nor restored: the user keeps their own.
    std::string SavedTitle;
    bool SavedTitleValid = false;
    CONSOLE_CURSOR_INFO SavedCursorInfo = {};
    bool SavedCursorInfoValid = false;
    COORD SavedCursorPos = {};
    UINT OutputCodePage = 0;

    // The images, whole-screen arrays. Empty ScreenRows: no screen open, and
    // memory images (the tests') count every row as read.
    ScreenBuffer SavedScreen, DrawScreen, ShownScreen;
    std::vector<RowStatus> ScreenRows;
    // DrawScreen may differ from SavedScreen only inside DrawnArea,
    // ShownScreen only inside ShownArea; outside both all three are equal.
    CellArea DrawnArea, ShownArea;
    // After a host dialog the console may show anything on our rows (a host
    // whose own write failed leaves its dialog there): the next flush writes
    // them whole.
    bool RewriteOwnRows = false;
    // The first and last row read from the console (ReadBottom < ReadTop: none).
    int ReadTop = 0, ReadBottom = -1;

    // Text output: the attribute, the position, and the origin of relative
    // positions (the last box's frame).
    WORD TextAttr = 0;
    int32_t WriteX = 0, WriteY = 0;
    int32_t BoxX1 = 0, BoxY1 = 0, BoxX2 = 0, BoxY2 = 0;

    // The cursor as last set or read.
    bool CursorShapeKnown = false, CursorPosKnown = false;
    CONSOLE_CURSOR_INFO KnownCursorShape = {};
    COORD KnownCursorPos = {};

    // Hands one cell of the drawing to the host's model of the screen.
    PushCellProc PushCellHook = nullptr;
};

// Global: one console per process, opened when the module loads (DllMain)
// and kept between the host's calls, which carry no context of ours; the
// screen's procedures work on it as curses' do on its screen.
extern ScreenState Screen;

// ------------------------------------------------------ start and end --

// Library start and end. Start is idempotent until the matching end.
void ConsoleStart();
void ConsoleEnd();
bool IsNT();

// ------------------------------------------------- taking over the screen --

// True when the console handles are open and the console's size can be read:
// without that there is no screen to take over.
bool ConsoleAvailable();
// False, with nothing changed on the console, when its size cannot be read.
bool OpenScreen(const std::string &Title);
void CloseScreen();
bool SaveConsoleState();
void RestoreConsoleState();

// -------------------------------------------------------------- images --

void AllocScreens();
void FreeScreens();
void NewBuffer(ScreenBuffer &Buf);
void FreeBuffer(ScreenBuffer &Buf);
void CopyBuffer(const ScreenBuffer &Source, ScreenBuffer &Dest);
// Reads the rows of Top..Bottom not read yet, in bands of whole rows.
void ReadScreenRows(int Top, int Bottom);
bool ScreenRowUnread(int Y);  // not read (yet, or ever)
// For writing DrawScreen cells other than through WriteText: call before
// the write, so that the rows are read first and the next reset and flush
// look at those cells.
void TouchDrawScreen(int Left, int Top, int Right, int Bottom);
bool FindChanges(COORD &Coord, SMALL_RECT &Region);
void FlushScreen();
void ResetDrawScreen();
void ResetShownScreen();
// The drawing handed to the host cell by cell, before a host dialog draws
// over the host's model of the screen; afterwards the screen is taken back.
void PushScreen();
void ResyncScreen();

// --------------------------------------------------------- text output --

void SetTextAttr(WORD Attr);
void GotoXY(int X, int Y);
void WriteText(const std::string &S);

// -------------------------------------------------------------- cursor --

// The cursor's shape and place are kept as last set: SetCursorShape and
// MoveCursor ask the console only after ForgetCursor, which is called where
// something else may have moved it (opening, host dialogs, the peek).
void ForgetCursor();
void SetCursorShape(DWORD Size, BOOL Visible);
void BlockCursor();
void LineCursor();
void MoveCursor(int X, int Y);
void CursorTo(int X, int Y);

// ------------------------------------------------------------- helpers --

inline int MinInt(int A, int B) { return A < B ? A : B; }
inline int MaxInt(int A, int B) { return A > B ? A : B; }
COORD PackCoord(int X, int Y);
SMALL_RECT MakeRect(SHORT Left, SHORT Top, SHORT Right, SHORT Bottom);
std::string OemToAnsiText(const std::string &S);
std::string RepeatChar(char Ch, int N);

#endif
