// Console: takes over the console screen, draws into off-screen images,
// writes only changed rectangles, decodes input into key codes, draws boxes.
// Plain procedures over module-level state; the plugin is a singleton.
#ifndef QUORREL_CONSOLE_H
#define QUORREL_CONSOLE_H

#include <windows.h>

#include "KeyCodes.h"

#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------- state --

struct ScreenBuffer {
    int32_t ByteSize = 0;
    CHAR_INFO *Cells = nullptr;
};

extern HANDLE InputHandle;
extern HANDLE OutputHandle;
extern bool NotNT;
extern int32_t ScreenWidth;
extern int32_t ScreenHeight;
extern bool ScreenSizeChanged;
// What SaveConsoleState could read. A title or cursor shape that could not be
// read is neither changed nor restored: the user keeps their own.
extern std::string SavedTitle;
extern bool SavedTitleValid;
extern CONSOLE_CURSOR_INFO SavedCursorInfo;
extern bool SavedCursorInfoValid;
extern COORD SavedCursorPos;
extern UINT OutputCodePage;
extern ScreenBuffer SavedScreen, DrawScreen, ShownScreen;
extern WORD TextAttr;
extern int32_t WriteX, WriteY;
extern int32_t BoxX1, BoxY1, BoxX2, BoxY2;

typedef void (*PushCellProc)(int X, int Y, int Color, const char *Str);
extern PushCellProc PushCellHook;

// Library start and end. Start is idempotent until the matching end.
void ConsoleStart();
void ConsoleEnd();
// Back to the state the unit has when the library is loaded (for tests):
// frees buffers, closes handles, zeroes every module variable.
void ConsoleResetForTests();
void ConsoleInputResetForTests();  // the input side alone

// ----------------------------------------------- screen and images --

// True when the console handles are open and the console's size can be read:
// without that there is no screen to take over.
bool ConsoleAvailable();
// False, with nothing changed on the console, when its size cannot be read.
bool OpenScreen(const std::string &Title);
void CloseScreen();
bool SaveConsoleState();
void RestoreConsoleState();
void AllocScreens();
void FreeScreens();
void NewBuffer(ScreenBuffer &Buf);
void FreeBuffer(ScreenBuffer &Buf);
void CopyBuffer(const ScreenBuffer &Source, ScreenBuffer &Dest);

// The rows of SavedScreen are read from the console when something is first
// drawn on them: a frame costs the window, not the console, and a tall
// console is never read whole. A row the console will not hand over is
// refused: like a row not read yet it is not ours to draw on, and FlushScreen
// and PushScreen leave it alone, so the user's text there is never replaced
// by the zero fill. Empty when no screen is open; memory images (the tests')
// then count every row as read.
enum RowStatus : uint8_t { RowNotRead, RowRead, RowRefused };
extern std::vector<RowStatus> ScreenRows;
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
void PushScreen();
void ResyncScreen();
void SetTextAttr(WORD Attr);
void GotoXY(int X, int Y);
void WriteText(const std::string &S);
// The cursor's shape and place are kept as last set: SetCursorShape and
// MoveCursor ask the console only after ForgetCursor, which is called where
// something else may have moved it (opening, host dialogs, the peek).
void ForgetCursor();
void SetCursorShape(DWORD Size, BOOL Visible);
void BlockCursor();
void LineCursor();
void MoveCursor(int X, int Y);
void CursorTo(int X, int Y);
inline int MinInt(int A, int B) { return A < B ? A : B; }
inline int MaxInt(int A, int B) { return A > B ? A : B; }
COORD PackCoord(int X, int Y);
SMALL_RECT MakeRect(SHORT Left, SHORT Top, SHORT Right, SHORT Bottom);
std::string OemToAnsiText(const std::string &S);
std::string RepeatChar(char Ch, int N);
bool IsNT();

// --------------------------------------------------------- boxes --

void DrawBox(int X1, int Y1, int X2, int Y2, int Inset, WORD FillAttr, WORD FrameAttr,
             WORD TitleAttr, const std::string &Title);
void DrawShadow();
void FillBox(WORD Attr);
void DrawFrame(int Inset, WORD FrameAttr, WORD TitleAttr, const std::string &Title);
extern const unsigned char FrameChars[12];

// ----------------------------------------------- keyboard and mouse --

extern bool CtrlDown, AltDown, ShiftDown, PeekHeld;
extern int32_t MouseX, MouseY;
extern DWORD MouseFlags;
extern bool MouseButton, MouseCtrl;

// Whether a key code may hand the console input over to someone else (a host
// dialog opened for it, the host once the window has closed).
typedef bool (*HandOverProc)(int Code);
// Records are taken from the console in batches, but never one past a key
// for which HandsOver says true (or past any key without HandsOver), so that
// whatever was typed after it stays in the console input, in order.
int ReadEvent(bool NoWait, HandOverProc HandsOver = nullptr);
int TranslateKey(const INPUT_RECORD &Event);
int UpCaseLetter(int Ch);
bool MousePressed();
bool MouseReleased();
bool MouseDoubleClick();
bool MouseDragged();

#endif
