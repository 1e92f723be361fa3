// Console: takes over the console screen, draws into off-screen images,
// writes only changed rectangles, decodes input into key codes, draws boxes.
// Plain procedures over module-level state; the plugin is a singleton.
#ifndef QUORREL_CONSOLE_H
#define QUORREL_CONSOLE_H

#include <windows.h>

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

// Key codes: characters keep their code 1..255.
enum KeyCode : int {
    kbBack = 8,
    kbTab = 9,
    kbEnter = 13,
    kbEsc = 27,
    kbSpace = 32,
    kbF1 = 256, kbF2, kbF3, kbF4, kbF5, kbF6, kbF7, kbF8, kbF9, kbF10, kbF11, kbF12,
    kbShiftF1 = 268, kbShiftF2, kbShiftF3, kbShiftF4, kbShiftF5, kbShiftF6, kbShiftF7,
    kbShiftF8, kbShiftF9, kbShiftF10, kbShiftF11, kbShiftF12,
    kbCtrlF1 = 280, kbCtrlF2, kbCtrlF3, kbCtrlF4, kbCtrlF5, kbCtrlF6, kbCtrlF7, kbCtrlF8,
    kbCtrlF9, kbCtrlF10, kbCtrlF11, kbCtrlF12,
    kbAltF1 = 292, kbAltF2, kbAltF3, kbAltF4, kbAltF5, kbAltF6, kbAltF7, kbAltF8, kbAltF9,
    kbAltF10, kbAltF11, kbAltF12,
    kbHome = 304,
    kbEnd = 305,
    kbUp = 306,
    kbDown = 307,
    kbLeft = 308,
    kbRight = 309,
    kbPgUp = 310,
    kbPgDn = 311,
    kbIns = 312,
    kbDel = 313,
    kbCenter = 314,
    kbCtrlA = 315, kbCtrlB, kbCtrlC, kbCtrlD, kbCtrlE, kbCtrlF, kbCtrlG, kbCtrlH, kbCtrlI,
    kbCtrlJ, kbCtrlK, kbCtrlL, kbCtrlM, kbCtrlN, kbCtrlO, kbCtrlP, kbCtrlQ, kbCtrlR, kbCtrlS,
    kbCtrlT, kbCtrlU, kbCtrlV, kbCtrlW, kbCtrlX, kbCtrlY, kbCtrlZ,
    kbCtrlLBracket = 341,
    kbCtrlRBracket = 342,
    kbCtrlComma = 343,
    kbCtrlPeriod = 344,
    kbCtrlBack = 345,
    kbCtrlEnter = 346,
    kbCtrlTab = 347,
    kbCtrl0 = 348, kbCtrl1, kbCtrl2, kbCtrl3, kbCtrl4, kbCtrl5, kbCtrl6, kbCtrl7, kbCtrl8,
    kbCtrl9,
    kbRCtrl0 = 358, kbRCtrl1, kbRCtrl2, kbRCtrl3, kbRCtrl4, kbRCtrl5, kbRCtrl6, kbRCtrl7,
    kbRCtrl8, kbRCtrl9,
    kbCtrlShift0 = 368, kbCtrlShift1, kbCtrlShift2, kbCtrlShift3, kbCtrlShift4, kbCtrlShift5,
    kbCtrlShift6, kbCtrlShift7, kbCtrlShift8, kbCtrlShift9,
    kbCtrlShiftA = 378, kbCtrlShiftB, kbCtrlShiftC, kbCtrlShiftD, kbCtrlShiftE, kbCtrlShiftF,
    kbCtrlShiftG, kbCtrlShiftH, kbCtrlShiftI, kbCtrlShiftJ, kbCtrlShiftK, kbCtrlShiftL,
    kbCtrlShiftM, kbCtrlShiftN, kbCtrlShiftO, kbCtrlShiftP, kbCtrlShiftQ, kbCtrlShiftR,
    kbCtrlShiftS, kbCtrlShiftT, kbCtrlShiftU, kbCtrlShiftV, kbCtrlShiftW, kbCtrlShiftX,
    kbCtrlShiftY, kbCtrlShiftZ,
    kbCtrlShiftIns = 404,
    kbCtrlShiftDown = 405,
    kbCtrlShiftLeft = 406,
    kbCtrlShiftRight = 407,
    kbCtrlShiftUp = 408,
    kbCtrlShiftEnd = 409,
    kbCtrlShiftHome = 410,
    kbCtrlShiftPgDn = 411,
    kbCtrlShiftPgUp = 412,
    kbCtrlShiftSub = 414,
    kbCtrlShiftAdd = 415,
    kbAltBase = 416,
    kbAltIns = 673,
    kbAltDel = 674,
    kbAltBack = 675,
    kbAltDown = 676,
    kbAltLeft = 677,
    kbAltRight = 678,
    kbAltUp = 679,
    kbCtrlDown = 680,
    kbCtrlLeft = 681,
    kbCtrlRight = 682,
    kbCtrlUp = 683,
    kbCtrlEnd = 684,
    kbCtrlHome = 685,
    kbCtrlPgDn = 686,
    kbCtrlPgUp = 687,
    kbCtrlBackslash = 688,
    kbCtrlSub = 689,
    kbCtrlAdd = 690,
    kbShiftIns = 695,
    kbShiftDel = 696,
    kbShiftEnd = 697,
    kbShiftHome = 698,
    kbShiftLeft = 699,
    kbShiftUp = 700,
    kbShiftRight = 701,
    kbShiftDown = 702,
    kbShiftPgUp = 703,
    kbShiftPgDn = 704,
    kbShiftEnter = 705,
    kbShiftTab = 706,
    kbShiftAdd = 707,
    kbShiftSub = 708,
    kbCtrlIns = 709,
    kbCtrlDel = 710,
    kbNone = 10000,
    kbIdle = 10001,
    kbMouse = 10002,
};

#endif
