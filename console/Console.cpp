// Console: the screen side of the console library: the console taken over
// and given back, the three screen images, text drawn into them, the cursor.
//
// A frame costs the window, not the console: the images are whole-screen
// arrays, but reset, comparison and the shown copy touch only the rectangles
// where they can differ, and rows are read from the console only when
// something is first drawn on them.
#include "Console.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

HANDLE InputHandle = nullptr;
HANDLE OutputHandle = nullptr;
bool NotNT = false;
int32_t ScreenWidth = 0;
int32_t ScreenHeight = 0;
bool ScreenSizeChanged = false;
std::string SavedTitle;
bool SavedTitleValid = false;
CONSOLE_CURSOR_INFO SavedCursorInfo = {};
bool SavedCursorInfoValid = false;
COORD SavedCursorPos = {};
UINT OutputCodePage = 0;
ScreenBuffer SavedScreen, DrawScreen, ShownScreen;
WORD TextAttr = 0;
int32_t WriteX = 0, WriteY = 0;
PushCellProc PushCellHook = nullptr;
std::vector<RowStatus> ScreenRows;

namespace {

int StartCount = 0;

// Older consoles reject (Windows XP above 13,304 cells) or crash on (Windows 7
// above about 16,000) one large ReadConsoleOutput; 2,500 cells is safe on all.
const int MaxReadCells = 2500;

// Console titles are at most 64 KiB; a longer answer is not believed.
const DWORD MaxTitleBytes = 65536;

// A rectangle of cells, bounds included; empty when Left > Right.
struct Area {
    int Left = 0, Top = 0, Right = -1, Bottom = -1;
    bool Empty() const { return Left > Right || Top > Bottom; }
};

Area Rect(int Left, int Top, int Right, int Bottom) {
    Area A;
    A.Left = Left;
    A.Top = Top;
    A.Right = Right;
    A.Bottom = Bottom;
    return A;
}

Area RectOf(const SMALL_RECT &R) { return Rect(R.Left, R.Top, R.Right, R.Bottom); }

bool SameArea(const Area &A, const Area &B) {
    return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

Area Union(const Area &A, const Area &B) {
    if (A.Empty()) return B;
    if (B.Empty()) return A;
    return Rect(MinInt(A.Left, B.Left), MinInt(A.Top, B.Top), MaxInt(A.Right, B.Right),
                MaxInt(A.Bottom, B.Bottom));
}

Area Intersect(const Area &A, const Area &B) {
    return Rect(MaxInt(A.Left, B.Left), MaxInt(A.Top, B.Top), MinInt(A.Right, B.Right),
                MinInt(A.Bottom, B.Bottom));
}

// DrawScreen may differ from SavedScreen only inside DrawnArea, ShownScreen
// only inside ShownArea; outside both all three images are equal.
Area DrawnArea, ShownArea;
// After a host dialog the console may show anything on our rows (a host whose
// own write failed leaves its dialog there): the next flush writes them whole.
bool RewriteOwnRows = false;
// The first and last row read from the console (ReadBottom < ReadTop: none).
int ReadTop = 0, ReadBottom = -1;

// The cursor as last set or read.
bool CursorShapeKnown = false, CursorPosKnown = false;
CONSOLE_CURSOR_INFO KnownCursorShape = {};
COORD KnownCursorPos = {};

int CellCount(const ScreenBuffer &Buf) {
    return Buf.Cells ? Buf.ByteSize / int32_t(sizeof(CHAR_INFO)) : 0;
}

// Rows of the screen that all three images hold whole.
int ImageRows() {
    if (ScreenWidth <= 0 || ScreenHeight <= 0) return 0;
    int Cells = CellCount(DrawScreen);
    Cells = MinInt(Cells, CellCount(ShownScreen));
    Cells = MinInt(Cells, CellCount(SavedScreen));
    return MinInt(ScreenHeight, Cells / ScreenWidth);
}

Area WholeScreen() {
    return Rect(0, 0, ScreenWidth - 1, ScreenHeight - 1);
}

// The area clipped to the rows all three images hold.
Area OnImages(const Area &A) {
    return Intersect(A, Rect(0, 0, ScreenWidth - 1, ImageRows() - 1));
}

CHAR_INFO *RowOf(const ScreenBuffer &Buf, int Y) {
    return Buf.Cells + int64_t(Y) * ScreenWidth;
}

// Copies the cells of the area from one image to another.
void CopyArea(const ScreenBuffer &Source, ScreenBuffer &Dest, const Area &A) {
    const Area In = OnImages(A);
    if (In.Empty()) return;
    const size_t Bytes = size_t(In.Right - In.Left + 1) * sizeof(CHAR_INFO);
    for (int Y = In.Top; Y <= In.Bottom; Y++)
        std::memcpy(RowOf(Dest, Y) + In.Left, RowOf(Source, Y) + In.Left, Bytes);
}

// Only the character byte and the attributes count; the high byte of the
// character field is carried along as the console gave it.
bool CellDiffers(const CHAR_INFO &A, const CHAR_INFO &B) {
    return (unsigned char)A.Char.AsciiChar != (unsigned char)B.Char.AsciiChar ||
           A.Attributes != B.Attributes;
}

// Sets the character byte and the attributes of Count cells, leaving the
// high byte of each character field: one 32-bit store per cell, which the
// compiler can vectorise (a CHAR_INFO is the character field, then the
// attributes, 16 bits each, little-endian).
void PutSpan(CHAR_INFO *Cells, const char *Text, int Count, WORD Attr) {
    static_assert(sizeof(CHAR_INFO) == 4, "CHAR_INFO layout");
    unsigned char *Bytes = reinterpret_cast<unsigned char *>(Cells);
    const uint32_t High = uint32_t(Attr) << 16;
    for (int I = 0; I < Count; I++) {
        uint32_t Cell;
        std::memcpy(&Cell, Bytes + 4 * I, 4);
        Cell = (Cell & 0xFF00u) | (unsigned char)Text[I] | High;
        std::memcpy(Bytes + 4 * I, &Cell, 4);
    }
}

bool Tracked(const ScreenBuffer &Buf) {
    return &Buf == &DrawScreen || &Buf == &ShownScreen || &Buf == &SavedScreen;
}

// ------------------------------------------------------- reading rows --

// Reads rows Top..Top+Rows-1 into their place in SavedScreen and counts as
// read only the rows the console returned whole: a console that shrank
// since its size was taken returns fewer.
void ReadBand(int Top, int Rows) {
    SMALL_RECT Region = MakeRect(0, SHORT(Top), SHORT(ScreenWidth - 1), SHORT(Top + Rows - 1));
    if (!ReadConsoleOutputA(OutputHandle, RowOf(SavedScreen, Top), PackCoord(ScreenWidth, Rows),
                            PackCoord(0, 0), &Region))
        return;
    if (Region.Left != 0 || Region.Right != ScreenWidth - 1 || Region.Top != Top) return;
    const int Last = MinInt(Region.Bottom, Top + Rows - 1);
    for (int Y = Top; Y <= Last; Y++) ScreenRows[Y] = RowRead;
}

// A band the console refuses, or returns short, is read again row by row;
// rows that still do not come are refused for good.
void ReadRowRange(int Top, int Bottom) {
    ReadBand(Top, Bottom - Top + 1);
    for (int Y = Top; Y <= Bottom; Y++) {
        if (ScreenRows[Y] == RowRead) continue;
        if (Bottom > Top) ReadBand(Y, 1);
        if (ScreenRows[Y] == RowRead) continue;
        ScreenRows[Y] = RowRefused;
    }
    // The images of a row not read yet hold zeros like SavedScreen: what was
    // read goes into all three.
    for (int Y = Top; Y <= Bottom; Y++) {
        if (ScreenRows[Y] != RowRead) continue;
        const Area Row = Rect(0, Y, ScreenWidth - 1, Y);
        CopyArea(SavedScreen, DrawScreen, Row);
        CopyArea(SavedScreen, ShownScreen, Row);
        if (ReadBottom < ReadTop) ReadTop = ReadBottom = Y;
        ReadTop = MinInt(ReadTop, Y);
        ReadBottom = MaxInt(ReadBottom, Y);
    }
}

bool RowNotReadYet(int Y) {
    return Y >= 0 && size_t(Y) < ScreenRows.size() && ScreenRows[Y] == RowNotRead;
}

// The rectangle of every row read, whole (memory images: the whole screen).
Area OwnRows() {
    if (ScreenRows.empty()) return WholeScreen();
    return Rect(0, ReadTop, ScreenWidth - 1, ReadBottom);
}

// --------------------------------------------------------------- flush --

// One write of a rectangle, tried twice. Written is what the console says it
// wrote.
bool WriteCells(const Area &Part, Area &Written) {
    for (int Try = 0; Try < 2; Try++) {
        SMALL_RECT Region = MakeRect(SHORT(Part.Left), SHORT(Part.Top), SHORT(Part.Right),
                                     SHORT(Part.Bottom));
        if (WriteConsoleOutputA(OutputHandle, DrawScreen.Cells, PackCoord(ScreenWidth, ScreenHeight),
                                PackCoord(Part.Left, Part.Top), &Region)) {
            Written = Intersect(Part, RectOf(Region));
            return true;
        }
    }
    return false;
}

// Writes the area, split around rows that are not ours, and copies into
// ShownScreen exactly what the console took. False when any of it failed.
bool WriteArea(const Area &A) {
    bool All = true;
    for (int Y = A.Top; Y <= A.Bottom;) {
        if (ScreenRowUnread(Y)) {
            Y++;
            continue;
        }
        int Last = Y;
        while (Last < A.Bottom && !ScreenRowUnread(Last + 1)) Last++;
        const Area Part = Rect(A.Left, Y, A.Right, Last);
        Area Written;
        if (WriteCells(Part, Written)) {
            CopyArea(DrawScreen, ShownScreen, Written);
            if (!SameArea(Written, Part)) All = false;
        } else {
            All = false;
        }
        Y = Last + 1;
    }
    return All;
}

void CloseConsoleHandle(HANDLE &Handle) {
    if (Handle != nullptr && Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
    Handle = nullptr;
}

bool HandleOpen(HANDLE Handle) {
    return Handle != nullptr && Handle != INVALID_HANDLE_VALUE;
}

// ------------------------------------------------------ console state --

bool ReadBufferInfo(CONSOLE_SCREEN_BUFFER_INFO &Info) {
    for (int Try = 0; Try < 2; Try++)
        if (GetConsoleScreenBufferInfo(OutputHandle, &Info)) return true;
    return false;
}

// The whole title, however long: the buffer grows to what the console says
// it holds. An empty title reads as 0 without an error.
bool ReadTitle(std::string &Title) {
    std::vector<char> Buf(401);
    int Failures = 0;
    for (;;) {
        Buf[0] = 0;
        SetLastError(ERROR_SUCCESS);
        const DWORD Got = GetConsoleTitleA(Buf.data(), DWORD(Buf.size()));
        if (Got == 0) {
            const DWORD Error = GetLastError();
            if (Error == ERROR_SUCCESS) {
                Title.clear();
                return true;
            }
            if (Error == ERROR_INSUFFICIENT_BUFFER && Buf.size() < MaxTitleBytes) {
                Buf.resize(Buf.size() * 2);
                continue;
            }
            if (++Failures < 2) continue;
            return false;
        }
        // A title that fills the buffer may have been cut: ask again with room.
        if (Got >= Buf.size() - 1 && Buf.size() < MaxTitleBytes) {
            Buf.resize(MinInt(int(MaxTitleBytes), MaxInt(int(Got) + 2, int(Buf.size()) * 2)));
            continue;
        }
        Buf.back() = 0;
        Title.assign(Buf.data(), strnlen(Buf.data(), MinInt(int(Got), int(Buf.size()))));
        return true;
    }
}

void SetTitle(const std::string &Title) {
    for (int Try = 0; Try < 2; Try++)
        if (SetConsoleTitleA(Title.c_str())) return;
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
    // Only the size counts at load: the first opening tells by it whether the
    // console was resized since. The title and the cursor are saved by each
    // opening (and a string may not be constructed yet when a shared object's
    // start-up runs).
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    if (ReadBufferInfo(Info)) {
        ScreenWidth = Info.dwSize.X;
        ScreenHeight = Info.dwSize.Y;
    }
    if (const UINT CodePage = GetConsoleOutputCP()) OutputCodePage = CodePage;
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
    ScreenRows.clear();
    DrawnArea = ShownArea = Area();
    RewriteOwnRows = false;
    ReadTop = 0;
    ReadBottom = -1;
    ForgetCursor();
    CloseConsoleHandle(InputHandle);
    CloseConsoleHandle(OutputHandle);
    StartCount = 0;
    NotNT = false;
    ScreenWidth = ScreenHeight = 0;
    ScreenSizeChanged = false;
    SavedTitle.clear();
    SavedTitleValid = false;
    SavedCursorInfo = {};
    SavedCursorInfoValid = false;
    SavedCursorPos = {};
    OutputCodePage = 0;
    TextAttr = 0;
    WriteX = WriteY = 0;
    BoxX1 = BoxY1 = BoxX2 = BoxY2 = 0;
    PushCellHook = nullptr;
    ConsoleInputResetForTests();
}

bool IsNT() {
    static_assert(sizeof(OSVERSIONINFOA) == 148, "OSVERSIONINFOA layout");
    OSVERSIONINFOA Info = {};
    Info.dwOSVersionInfoSize = sizeof Info;
    return GetVersionExA(&Info) && Info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// ------------------------------------------------------- console state --

bool ConsoleAvailable() {
    CONSOLE_SCREEN_BUFFER_INFO Info;
    return HandleOpen(InputHandle) && HandleOpen(OutputHandle) && ReadBufferInfo(Info);
}

// Each read is tried twice. The size is what a screen cannot do without:
// without it nothing is recorded and the result is false.
bool SaveConsoleState() {
    ForgetCursor();
    SavedTitleValid = ReadTitle(SavedTitle);
    if (!SavedTitleValid) SavedTitle.clear();
    SavedCursorInfoValid = false;
    for (int Try = 0; Try < 2 && !SavedCursorInfoValid; Try++)
        SavedCursorInfoValid = GetConsoleCursorInfo(OutputHandle, &SavedCursorInfo) != 0;
    if (!SavedCursorInfoValid) SavedCursorInfo = {};
    // What was just read is what the cursor is.
    KnownCursorShape = SavedCursorInfo;
    CursorShapeKnown = SavedCursorInfoValid;
    // A full-cell cursor goes back as 99, the size BlockCursor uses.
    if (SavedCursorInfo.dwSize == 100) SavedCursorInfo.dwSize = 99;
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    if (!ReadBufferInfo(Info)) return false;
    ScreenSizeChanged = Info.dwSize.X != ScreenWidth || Info.dwSize.Y != ScreenHeight;
    ScreenWidth = Info.dwSize.X;
    ScreenHeight = Info.dwSize.Y;
    SavedCursorPos = Info.dwCursorPosition;
    KnownCursorPos = SavedCursorPos;
    CursorPosKnown = true;
    // Key translation off NT and the chart's Unicode identity of a cell ask
    // for it; a console may have changed it since the last opening.
    if (const UINT CodePage = GetConsoleOutputCP()) OutputCodePage = CodePage;
    return true;
}

// Only what was saved is put back; a call that fails is tried once more.
void RestoreConsoleState() {
    if (SavedTitleValid) SetTitle(SavedTitle);
    for (int Try = 0; SavedCursorInfoValid && Try < 2; Try++)
        if (SetConsoleCursorInfo(OutputHandle, &SavedCursorInfo)) break;
    for (int Try = 0; Try < 2; Try++)
        if (SetConsoleCursorPosition(OutputHandle, SavedCursorPos)) break;
}

bool OpenScreen(const std::string &Title) {
    if (!SaveConsoleState()) return false;
    AllocScreens();
    // A title that could not be saved could not be put back either.
    if (SavedTitleValid) SetTitle(NotNT ? OemToAnsiText(Title) : Title);
    return true;
}

void CloseScreen() {
    FreeScreens();
    RestoreConsoleState();
}

// ------------------------------------------------------------- buffers --

// Nothing is read here: rows are read when something is drawn on them.
void AllocScreens() {
    NewBuffer(DrawScreen);
    NewBuffer(ShownScreen);
    NewBuffer(SavedScreen);
    ScreenRows.assign(size_t(ImageRows() == ScreenHeight ? ScreenHeight : 0), RowNotRead);
    // All three hold zeros alike.
    DrawnArea = ShownArea = Area();
    RewriteOwnRows = false;
    ReadTop = 0;
    ReadBottom = -1;
}

void FreeScreens() {
    ResetDrawScreen();
    FlushScreen();
    FreeBuffer(SavedScreen);
    FreeBuffer(ShownScreen);
    FreeBuffer(DrawScreen);
    ScreenRows.clear();
    DrawnArea = ShownArea = Area();
    RewriteOwnRows = false;
}

// calloc: the pages of a tall console's images cost nothing until touched.
void NewBuffer(ScreenBuffer &Buf) {
    FreeBuffer(Buf);
    const int64_t Cells = ScreenWidth > 0 && ScreenHeight > 0 ? int64_t(ScreenWidth) * ScreenHeight : 0;
    // ByteSize is 32-bit; no console comes near, but never let it wrap.
    if (Cells * int64_t(sizeof(CHAR_INFO)) > INT32_MAX) throw std::bad_alloc();
    void *Cells0 = std::calloc(size_t(Cells > 0 ? Cells : 1), sizeof(CHAR_INFO));
    if (!Cells0) throw std::bad_alloc();
    Buf.Cells = static_cast<CHAR_INFO *>(Cells0);
    Buf.ByteSize = int32_t(Cells * int64_t(sizeof(CHAR_INFO)));
    // A fresh image may differ from the others anywhere.
    if (Tracked(Buf)) DrawnArea = ShownArea = WholeScreen();
}

void FreeBuffer(ScreenBuffer &Buf) {
    std::free(Buf.Cells);
    Buf.Cells = nullptr;
    Buf.ByteSize = 0;
}

void CopyBuffer(const ScreenBuffer &Source, ScreenBuffer &Dest) {
    if (!Source.Cells || !Dest.Cells) return;
    std::memcpy(Dest.Cells, Source.Cells, size_t(MinInt(Source.ByteSize, Dest.ByteSize)));
    const Area After = &Source == &SavedScreen ? Area() : WholeScreen();
    if (&Dest == &DrawScreen) DrawnArea = After;
    if (&Dest == &ShownScreen) ShownArea = After;
    if (&Dest == &SavedScreen) DrawnArea = ShownArea = WholeScreen();
}

void ReadScreenRows(int Top, int Bottom) {
    if (ScreenRows.empty() || ScreenWidth <= 0) return;
    Top = MaxInt(Top, 0);
    Bottom = MinInt(Bottom, int(ScreenRows.size()) - 1);
    const int BandRows = MaxInt(1, MaxReadCells / ScreenWidth);
    for (int Y = Top; Y <= Bottom;) {
        if (!RowNotReadYet(Y)) {
            Y++;
            continue;
        }
        int Last = Y;
        while (Last < Bottom && Last - Y + 1 < BandRows && RowNotReadYet(Last + 1)) Last++;
        ReadRowRange(Y, Last);
        Y = Last + 1;
    }
}

bool ScreenRowUnread(int Y) {
    return Y >= 0 && size_t(Y) < ScreenRows.size() && ScreenRows[Y] != RowRead;
}

void TouchDrawScreen(int Left, int Top, int Right, int Bottom) {
    const Area A = Intersect(Rect(Left, Top, Right, Bottom), WholeScreen());
    if (A.Empty()) return;
    ReadScreenRows(A.Top, A.Bottom);
    DrawnArea = Union(DrawnArea, A);
}

// ---------------------------------------------------- changes and flush --

// Cells can differ only where something was drawn since the last reset or
// where the shown image still holds an earlier frame.
bool FindChanges(COORD &Coord, SMALL_RECT &Region) {
    int MinX = 2147483647, MinY = 2147483647, MaxX = 0, MaxY = 0;
    bool Changed = false;
    const Area Span = OnImages(Union(DrawnArea, ShownArea));
    const size_t Bytes = Span.Empty() ? 0 : size_t(Span.Right - Span.Left + 1) * sizeof(CHAR_INFO);
    for (int Y = Span.Top; Y <= Span.Bottom; Y++) {
        if (ScreenRowUnread(Y)) continue;
        const CHAR_INFO *Draw = RowOf(DrawScreen, Y);
        const CHAR_INFO *Shown = RowOf(ShownScreen, Y);
        // Most rows of a frame are untouched: compare them whole first. Of
        // a changed row only its first and last changed cells count.
        if (std::memcmp(Draw + Span.Left, Shown + Span.Left, Bytes) == 0) continue;
        int First = Span.Left, Last = Span.Right;
        while (First <= Last && !CellDiffers(Draw[First], Shown[First])) First++;
        if (First > Last) continue;
        while (!CellDiffers(Draw[Last], Shown[Last])) Last--;
        Changed = true;
        MinX = MinInt(MinX, First);
        MinY = MinInt(MinY, Y);
        MaxX = MaxInt(MaxX, Last);
        MaxY = MaxInt(MaxY, Y);
    }
    Coord = PackCoord(MinX, MinY);
    Region = MakeRect(SHORT(MinX), SHORT(MinY), SHORT(MaxX), SHORT(MaxY));
    return Changed;
}

// One write of the changed rectangle. Only when rows inside it are not ours
// is it split around them, one write per run of our rows. ShownScreen takes
// only what the console took: what failed is written again by the next
// flush, at the latest when the screen closes.
void FlushScreen() {
    COORD Coord;
    SMALL_RECT Region;
    const Area Span = OnImages(Union(DrawnArea, ShownArea));
    Area Changes;
    if (FindChanges(Coord, Region)) Changes = RectOf(Region);
    if (RewriteOwnRows) Changes = Union(Changes, OnImages(OwnRows()));
    Changes = OnImages(Changes);
    if (Changes.Empty()) return;
    if (WriteArea(Changes)) {
        // Every cell of the span is now the same in both images, and the rest
        // of the shown image still holds the saved screen.
        CopyArea(DrawScreen, ShownScreen, Span);
        ShownArea = DrawnArea;
        RewriteOwnRows = false;
    } else {
        ShownArea = Union(ShownArea, DrawnArea);
    }
}

void ResetDrawScreen() {
    CopyArea(SavedScreen, DrawScreen, DrawnArea);
    DrawnArea = Area();
}

void ResetShownScreen() {
    CopyArea(SavedScreen, ShownScreen, ShownArea);
    ShownArea = Area();
}

void PushScreen() {
    if (!PushCellHook) return;
    const int Rows = ImageRows();
    for (int Y = 0; Y < Rows; Y++) {
        if (ScreenRowUnread(Y)) continue;
        const CHAR_INFO *Row = RowOf(DrawScreen, Y);
        for (int X = 0; X < ScreenWidth; X++) {
            char Str[2] = {Row[X].Char.AsciiChar, 0};
            if (Str[0] == 0) Str[0] = ' ';
            PushCellHook(X, Y, Row[X].Attributes & 0xFF, Str);
        }
    }
}

// The host drew over our rows and the cursor: neither is known any more.
void ResyncScreen() {
    ResetDrawScreen();
    ResetShownScreen();
    RewriteOwnRows = true;
    ForgetCursor();
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
// advance WriteX, so the visible part lands where it belongs. Text stops at
// the right edge, where WriteX then stays.
void WriteText(const std::string &S) {
    if (WriteY < 0 || WriteY > ScreenHeight - 1) return;
    const int First = WriteX;
    if (First > ScreenWidth - 1 || S.empty()) return;
    const int64_t Past = int64_t(First) + int64_t(S.size());
    const int End = Past > ScreenWidth ? ScreenWidth : int(Past);
    WriteX = End;
    const int From = MaxInt(First, 0);
    if (From >= End || int64_t(WriteY + 1) * ScreenWidth > CellCount(DrawScreen)) return;
    if (RowNotReadYet(WriteY)) ReadScreenRows(WriteY, WriteY);
    PutSpan(RowOf(DrawScreen, WriteY) + From, S.data() + (From - First), End - From, TextAttr);
    DrawnArea = Union(DrawnArea, Rect(From, WriteY, End - 1, WriteY));
}

// --------------------------------------------------------------- cursor --

void ForgetCursor() {
    CursorShapeKnown = CursorPosKnown = false;
}

// A shape that could not be saved at opening is never changed: it could not
// be put back.
void SetCursorShape(DWORD Size, BOOL Visible) {
    if (!SavedCursorInfoValid) return;
    if (!CursorShapeKnown) {
        KnownCursorShape = {};
        CursorShapeKnown = GetConsoleCursorInfo(OutputHandle, &KnownCursorShape) != 0;
    }
    if (CursorShapeKnown && KnownCursorShape.dwSize == Size &&
        (KnownCursorShape.bVisible != 0) == (Visible != 0))
        return;
    CONSOLE_CURSOR_INFO Info;
    Info.dwSize = Size;
    Info.bVisible = Visible;
    CursorShapeKnown = SetConsoleCursorInfo(OutputHandle, &Info) != 0;
    if (CursorShapeKnown) KnownCursorShape = Info;
}

void BlockCursor() {
    SetCursorShape(99, -1);
}

void LineCursor() {
    SetCursorShape(18, -1);
}

void MoveCursor(int X, int Y) {
    if (!CursorPosKnown) {
        CONSOLE_SCREEN_BUFFER_INFO Info = {};
        CursorPosKnown = GetConsoleScreenBufferInfo(OutputHandle, &Info) != 0;
        KnownCursorPos = Info.dwCursorPosition;
    }
    if (CursorPosKnown && X == KnownCursorPos.X && Y == KnownCursorPos.Y) return;
    const COORD Pos = PackCoord(X, Y);
    CursorPosKnown = SetConsoleCursorPosition(OutputHandle, Pos) != 0;
    if (CursorPosKnown) KnownCursorPos = Pos;
}

void CursorTo(int X, int Y) {
    MoveCursor(X + BoxX1, Y + BoxY1);
}

// -------------------------------------------------------------- helpers --

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
