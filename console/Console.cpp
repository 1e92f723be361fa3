// Console: the screen side of the console library: the console taken over
// and given back, the three screen images, text drawn into them, the cursor.
#include "Console.h"

#include <cstring>
#include <new>
#include <vector>

HANDLE InputHandle = nullptr;
HANDLE OutputHandle = nullptr;
bool NotNT = false;
int32_t ScreenWidth = 0;
int32_t ScreenHeight = 0;
bool ScreenSizeChanged = false;
char SavedTitle[401] = {};
CONSOLE_CURSOR_INFO SavedCursorInfo = {};
COORD SavedCursorPos = {};
UINT OutputCodePage = 0;
ScreenBuffer SavedScreen, DrawScreen, ShownScreen;
WORD TextAttr = 0;
int32_t WriteX = 0, WriteY = 0;
PushCellProc PushCellHook = nullptr;
std::vector<bool> UnreadRows;

namespace {

int StartCount = 0;

// Older consoles reject (Windows XP above 13,304 cells) or crash on (Windows 7
// above about 16,000) one large ReadConsoleOutput; 2,500 cells is safe on all.
const int MaxReadCells = 2500;

// Set by FindChanges: the first and last row in which DrawScreen and
// ShownScreen differ in any byte (LastDifferentRow < 0: none).
int FirstDifferentRow = 0, LastDifferentRow = -1;

int CellCount(const ScreenBuffer &Buf) {
    return Buf.Cells ? Buf.ByteSize / int32_t(sizeof(CHAR_INFO)) : 0;
}

// The DrawScreen cell at (X, Y), or null when outside the image.
CHAR_INFO *DrawCell(int X, int Y) {
    if (X < 0 || Y < 0 || X >= ScreenWidth || Y >= ScreenHeight) return nullptr;
    const int64_t Index = int64_t(Y) * ScreenWidth + X;
    if (Index >= CellCount(DrawScreen)) return nullptr;
    return &DrawScreen.Cells[Index];
}

bool RowDiffers(const CHAR_INFO *A, const CHAR_INFO *B, int Width) {
    return std::memcmp(A, B, size_t(Width) * sizeof(CHAR_INFO)) != 0;
}

// Only the character byte and the attributes count; the high byte of the
// character field is carried along as the console gave it.
bool CellDiffers(const CHAR_INFO &A, const CHAR_INFO &B) {
    return (unsigned char)A.Char.AsciiChar != (unsigned char)B.Char.AsciiChar ||
           A.Attributes != B.Attributes;
}

// Reads rows Top..Top+Rows-1 into their place in Buf. A row counts as read
// only when the console returned all of it.
bool ReadRows(ScreenBuffer &Buf, int Top, int Rows) {
    SMALL_RECT Region = MakeRect(0, SHORT(Top), SHORT(ScreenWidth - 1), SHORT(Top + Rows - 1));
    const SMALL_RECT Wanted = Region;
    if (!ReadConsoleOutputA(OutputHandle, Buf.Cells + int64_t(Top) * ScreenWidth,
                            PackCoord(ScreenWidth, Rows), PackCoord(0, 0), &Region))
        return false;
    if (Region.Left != Wanted.Left || Region.Top != Wanted.Top || Region.Right != Wanted.Right ||
        Region.Bottom != Wanted.Bottom)
        return false;
    for (int Y = Top; Y < Top + Rows; Y++) UnreadRows[Y] = false;
    return true;
}

void CloseConsoleHandle(HANDLE &Handle) {
    if (Handle != nullptr && Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    Handle = nullptr;
}

}  // namespace

// ------------------------------------------------------------ start, end --

void ConsoleStart() {
    if (StartCount++ > 0) return;
    NotNT = !IsNT();
    InputHandle = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    OutputHandle = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                               nullptr);
    SaveConsoleState();
}

void ConsoleEnd() {
    if (StartCount == 0 || --StartCount > 0) return;
    CloseConsoleHandle(InputHandle);
    CloseConsoleHandle(OutputHandle);
}

void ConsoleResetForTests() {
    FreeBuffer(SavedScreen);
    FreeBuffer(DrawScreen);
    FreeBuffer(ShownScreen);
    UnreadRows.clear();
    FirstDifferentRow = 0;
    LastDifferentRow = -1;
    CloseConsoleHandle(InputHandle);
    CloseConsoleHandle(OutputHandle);
    StartCount = 0;
    NotNT = false;
    ScreenWidth = ScreenHeight = 0;
    ScreenSizeChanged = false;
    std::memset(SavedTitle, 0, sizeof SavedTitle);
    SavedCursorInfo = {};
    SavedCursorPos = {};
    OutputCodePage = 0;
    TextAttr = 0;
    WriteX = WriteY = 0;
    BoxX1 = BoxY1 = BoxX2 = BoxY2 = 0;
    PushCellHook = nullptr;
    CtrlDown = AltDown = ShiftDown = PeekHeld = false;
    MouseX = MouseY = 0;
    MouseFlags = 0;
    MouseButton = MouseCtrl = false;
}

bool IsNT() {
    static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA layout");
    OSVERSIONINFOA Info = {};
    Info.dwOSVersionInfoSize = sizeof Info;
    return GetVersionExA(&Info) && Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// ------------------------------------------------------- console state --

void SaveConsoleState() {
    // Wine leaves the buffer untouched for an empty title.
    SavedTitle[0] = 0;
    GetConsoleTitleA(SavedTitle, sizeof SavedTitle);
    SavedTitle[sizeof SavedTitle - 1] = 0;
    GetConsoleCursorInfo(OutputHandle, &SavedCursorInfo);
    // A full-cell cursor goes back as 99, the size BlockCursor uses.
    if (SavedCursorInfo.dwSize == 100) SavedCursorInfo.dwSize = 99;
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    GetConsoleScreenBufferInfo(OutputHandle, &Info);
    ScreenSizeChanged = Info.dwSize.X != ScreenWidth || Info.dwSize.Y != ScreenHeight;
    ScreenWidth = Info.dwSize.X;
    ScreenHeight = Info.dwSize.Y;
    SavedCursorPos = Info.dwCursorPosition;
    OutputCodePage = GetConsoleOutputCP();
}

void RestoreConsoleState() {
    SetConsoleTitleA(SavedTitle);
    SetConsoleCursorInfo(OutputHandle, &SavedCursorInfo);
    SetConsoleCursorPosition(OutputHandle, SavedCursorPos);
}

void OpenScreen(const std::string &Title) {
    SaveConsoleState();
    AllocScreens();
    if (NotNT)
        SetConsoleTitleA(OemToAnsiText(Title).c_str());
    else
        SetConsoleTitleA(Title.c_str());
}

void CloseScreen() {
    FreeScreens();
    RestoreConsoleState();
}

// ------------------------------------------------------------- buffers --

void AllocScreens() {
    NewBuffer(DrawScreen);
    NewBuffer(ShownScreen);
    NewBuffer(SavedScreen);
    ReadScreen(SavedScreen);
    CopyBuffer(SavedScreen, DrawScreen);
    CopyBuffer(SavedScreen, ShownScreen);
}

void FreeScreens() {
    ResetDrawScreen();
    FlushScreen();
    FreeBuffer(SavedScreen);
    FreeBuffer(ShownScreen);
    FreeBuffer(DrawScreen);
    UnreadRows.clear();
}

void NewBuffer(ScreenBuffer &Buf) {
    FreeBuffer(Buf);
    const int64_t Cells = ScreenWidth > 0 && ScreenHeight > 0 ? int64_t(ScreenWidth) * ScreenHeight : 0;
    // ByteSize is 32-bit; no console comes near, but never let it wrap.
    if (Cells * int64_t(sizeof(CHAR_INFO)) > INT32_MAX) throw std::bad_alloc();
    Buf.ByteSize = int32_t(Cells * int64_t(sizeof(CHAR_INFO)));
    Buf.Cells = new CHAR_INFO[size_t(Cells > 0 ? Cells : 1)]();
}

void FreeBuffer(ScreenBuffer &Buf) {
    delete[] Buf.Cells;
    Buf.Cells = nullptr;
    Buf.ByteSize = 0;
}

void CopyBuffer(const ScreenBuffer &Source, ScreenBuffer &Dest) {
    if (!Source.Cells || !Dest.Cells) return;
    std::memcpy(Dest.Cells, Source.Cells, size_t(MinInt(Source.ByteSize, Dest.ByteSize)));
}

// Reads the console in bands of whole rows, at most MaxReadCells each (one row
// when a row is wider). A band the console refuses is retried row by row;
// rows that still cannot be read stay zero and are marked in UnreadRows.
void ReadScreen(ScreenBuffer &Buf) {
    const int Rows = CellCount(Buf) > 0 ? ScreenHeight : 0;
    UnreadRows.assign(size_t(Rows), true);
    if (Rows == 0 || int64_t(ScreenWidth) * Rows > CellCount(Buf)) return;
    const int BandRows = MaxInt(1, MaxReadCells / ScreenWidth);
    for (int Top = 0; Top < Rows; Top += BandRows) {
        const int Band = MinInt(BandRows, Rows - Top);
        if (!ReadRows(Buf, Top, Band) && Band > 1)
            for (int Y = Top; Y < Top + Band; Y++) ReadRows(Buf, Y, 1);
    }
}

bool ScreenRowUnread(int Y) {
    return Y >= 0 && size_t(Y) < UnreadRows.size() && UnreadRows[Y];
}

// ---------------------------------------------------- changes and flush --

bool FindChanges(COORD &Coord, SMALL_RECT &Region) {
    int MinX = 2147483647, MinY = 2147483647, MaxX = 0, MaxY = 0;
    bool Changed = false;
    const int Rows = CellCount(DrawScreen) == CellCount(ShownScreen) && ScreenWidth > 0
                         ? MinInt(ScreenHeight, CellCount(DrawScreen) / ScreenWidth)
                         : 0;
    FirstDifferentRow = 0;
    LastDifferentRow = -1;
    for (int Y = 0; Y < Rows; Y++) {
        const CHAR_INFO *Draw = DrawScreen.Cells + int64_t(Y) * ScreenWidth;
        const CHAR_INFO *Shown = ShownScreen.Cells + int64_t(Y) * ScreenWidth;
        // Most rows of a frame are untouched: compare them whole first.
        if (!RowDiffers(Draw, Shown, ScreenWidth)) continue;
        if (LastDifferentRow < 0) FirstDifferentRow = Y;
        LastDifferentRow = Y;
        if (ScreenRowUnread(Y)) continue;
        for (int X = 0; X < ScreenWidth; X++) {
            if (!CellDiffers(Draw[X], Shown[X])) continue;
            Changed = true;
            MinX = MinInt(MinX, X);
            MinY = MinInt(MinY, Y);
            MaxX = MaxInt(MaxX, X);
            MaxY = MaxInt(MaxY, Y);
        }
    }
    Coord = PackCoord(MinX, MinY);
    Region = MakeRect(SHORT(MinX), SHORT(MinY), SHORT(MaxX), SHORT(MaxY));
    return Changed;
}

// One write of the changed rectangle. Only when rows inside it could not be
// read at opening is it split around them, one write per run of read rows.
void FlushScreen() {
    COORD Coord;
    SMALL_RECT Region;
    if (!FindChanges(Coord, Region)) return;
    const int Left = MaxInt(Region.Left, 0), Right = MinInt(Region.Right, ScreenWidth - 1);
    const int Top = MaxInt(Region.Top, 0), Bottom = MinInt(Region.Bottom, ScreenHeight - 1);
    for (int Y = Top; Y <= Bottom;) {
        if (ScreenRowUnread(Y)) {
            Y++;
            continue;
        }
        int Last = Y;
        while (Last < Bottom && !ScreenRowUnread(Last + 1)) Last++;
        SMALL_RECT Part = MakeRect(SHORT(Left), SHORT(Y), SHORT(Right), SHORT(Last));
        WriteConsoleOutputA(OutputHandle, DrawScreen.Cells, PackCoord(ScreenWidth, ScreenHeight),
                            PackCoord(Left, Y), &Part);
        Y = Last + 1;
    }
    // Rows outside this range are already byte for byte the same, so this
    // is the whole copy without the untouched rows of a tall buffer.
    const int64_t First = int64_t(FirstDifferentRow) * ScreenWidth;
    std::memcpy(ShownScreen.Cells + First, DrawScreen.Cells + First,
                size_t(LastDifferentRow - FirstDifferentRow + 1) * ScreenWidth * sizeof(CHAR_INFO));
}

void ResetDrawScreen() {
    CopyBuffer(SavedScreen, DrawScreen);
}

void ResetShownScreen() {
    CopyBuffer(SavedScreen, ShownScreen);
}

void PushScreen() {
    if (!PushCellHook) return;
    for (int Y = 0; Y < ScreenHeight; Y++) {
        if (ScreenRowUnread(Y)) continue;
        for (int X = 0; X < ScreenWidth; X++) {
            const CHAR_INFO *Cell = DrawCell(X, Y);
            if (!Cell) return;
            char Str[2] = {Cell->Char.AsciiChar, 0};
            if (Str[0] == 0) Str[0] = ' ';
            PushCellHook(X, Y, Cell->Attributes & 0xFF, Str);
        }
    }
}

void ResyncScreen() {
    ResetDrawScreen();
    ResetShownScreen();
    PushScreen();
}

// ---------------------------------------------------------- text output --

void SetTextAttr(WORD Attr) {
    TextAttr = Attr;
}

void GotoXY(int X, int Y) {
    WriteX = X + BoxX1;
    WriteY = Y + BoxY1;
}

// Clipped on all four sides: characters left of column 0 are dropped but still
// advance WriteX, so the visible part lands where it belongs.
void WriteText(const std::string &S) {
    if (WriteY < 0 || WriteY > ScreenHeight - 1) return;
    for (char Ch : S) {
        if (WriteX > ScreenWidth - 1) break;
        if (CHAR_INFO *Cell = DrawCell(WriteX, WriteY)) {
            Cell->Char.AsciiChar = Ch;
            Cell->Attributes = TextAttr;
        }
        WriteX++;
    }
}

// --------------------------------------------------------------- cursor --

void SetCursorShape(DWORD Size, BOOL Visible) {
    CONSOLE_CURSOR_INFO Info = {};
    GetConsoleCursorInfo(OutputHandle, &Info);
    if (Info.dwSize == Size && (Info.bVisible != 0) == (Visible != 0)) return;
    Info.dwSize = Size;
    Info.bVisible = Visible;
    SetConsoleCursorInfo(OutputHandle, &Info);
}

void BlockCursor() {
    SetCursorShape(99, -1);
}

void LineCursor() {
    SetCursorShape(18, -1);
}

void MoveCursor(int X, int Y) {
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    GetConsoleScreenBufferInfo(OutputHandle, &Info);
    if (X != Info.dwCursorPosition.X || Y != Info.dwCursorPosition.Y)
        SetConsoleCursorPosition(OutputHandle, PackCoord(X, Y));
}

void CursorTo(int X, int Y) {
    MoveCursor(X + BoxX1, Y + BoxY1);
}

// -------------------------------------------------------------- helpers --

int MinInt(int A, int B) {
    return A < B ? A : B;
}

int MaxInt(int A, int B) {
    return A > B ? A : B;
}

COORD PackCoord(int X, int Y) {
    COORD C;
    C.X = SHORT(X);
    C.Y = SHORT(Y);
    return C;
}

SMALL_RECT MakeRect(SHORT Left, SHORT Top, SHORT Right, SHORT Bottom) {
    SMALL_RECT R;
    R.Left = Left;
    R.Top = Top;
    R.Right = Right;
    R.Bottom = Bottom;
    return R;
}

std::string OemToAnsiText(const std::string &S) {
    std::string Result(S.size(), '\0');
    if (!S.empty()) OemToCharBuffA(S.data(), &Result[0], DWORD(S.size()));
    return Result;
}

std::string RepeatChar(char Ch, int N) {
    return N > 0 ? std::string(size_t(N), Ch) : std::string();
}
