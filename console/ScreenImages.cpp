// ScreenImages: the three screen images, the rows read from the console
// when something is first drawn on them, the changes written out, and text
// drawn into the drawing image.
//
// A frame costs the window, not the console: the images are whole-screen
// arrays, but reset, comparison and the shown copy touch only the rectangles
// where they can differ, and rows are read from the console only when
// something is first drawn on them.
#include "Screen.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace {

// Older consoles reject (Windows XP above 13,304 cells) or crash on (Windows 7
// above about 16,000) one large ReadConsoleOutput; 2,500 cells is safe on all.
const int MaxReadCells = 2500;

using Area = CellArea;

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


int CellCount(const ScreenBuffer &Buf) {
    return Buf.Cells ? Buf.ByteSize / int32_t(sizeof(CHAR_INFO)) : 0;
}

// Rows of the screen that all three images hold whole.
int ImageRows() {
    if (Screen.ScreenWidth <= 0 || Screen.ScreenHeight <= 0) return 0;
    int Cells = CellCount(Screen.DrawScreen);
    Cells = MinInt(Cells, CellCount(Screen.ShownScreen));
    Cells = MinInt(Cells, CellCount(Screen.SavedScreen));
    return MinInt(Screen.ScreenHeight, Cells / Screen.ScreenWidth);
}

Area WholeScreen() {
    return Rect(0, 0, Screen.ScreenWidth - 1, Screen.ScreenHeight - 1);
}

// The area clipped to the rows all three images hold.
Area OnImages(const Area &A) {
    return Intersect(A, Rect(0, 0, Screen.ScreenWidth - 1, ImageRows() - 1));
}

CHAR_INFO *RowOf(const ScreenBuffer &Buf, int Y) {
    return Buf.Cells + int64_t(Y) * Screen.ScreenWidth;
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
    return &Buf == &Screen.DrawScreen || &Buf == &Screen.ShownScreen || &Buf == &Screen.SavedScreen;
}

// ------------------------------------------------------- reading rows --

// Reads rows Top..Top+Rows-1 into their place in Screen.SavedScreen and counts as
// read only the rows the console returned whole: a console that shrank
// since its size was taken returns fewer.
void ReadBand(int Top, int Rows) {
    SMALL_RECT Region =
        MakeRect(0, SHORT(Top), SHORT(Screen.ScreenWidth - 1), SHORT(Top + Rows - 1));
    if (!ReadConsoleOutputA(Screen.OutputHandle, RowOf(Screen.SavedScreen, Top),
                            PackCoord(Screen.ScreenWidth, Rows), PackCoord(0, 0), &Region))
        return;
    if (Region.Left != 0 || Region.Right != Screen.ScreenWidth - 1 || Region.Top != Top) return;
    const int Last = MinInt(Region.Bottom, Top + Rows - 1);
    for (int Y = Top; Y <= Last; Y++) Screen.ScreenRows[Y] = RowRead;
}

// A band the console refuses, or returns short, is read again row by row;
// rows that still do not come are refused for good.
void ReadRowRange(int Top, int Bottom) {
    ReadBand(Top, Bottom - Top + 1);
    for (int Y = Top; Y <= Bottom; Y++) {
        if (Screen.ScreenRows[Y] == RowRead) continue;
        if (Bottom > Top) ReadBand(Y, 1);
        if (Screen.ScreenRows[Y] == RowRead) continue;
        Screen.ScreenRows[Y] = RowRefused;
    }
    // The images of a row not read yet hold zeros like Screen.SavedScreen: what was
    // read goes into all three.
    for (int Y = Top; Y <= Bottom; Y++) {
        if (Screen.ScreenRows[Y] != RowRead) continue;
        const Area Row = Rect(0, Y, Screen.ScreenWidth - 1, Y);
        CopyArea(Screen.SavedScreen, Screen.DrawScreen, Row);
        CopyArea(Screen.SavedScreen, Screen.ShownScreen, Row);
        if (Screen.ReadBottom < Screen.ReadTop) Screen.ReadTop = Screen.ReadBottom = Y;
        Screen.ReadTop = MinInt(Screen.ReadTop, Y);
        Screen.ReadBottom = MaxInt(Screen.ReadBottom, Y);
    }
}

bool RowNotReadYet(int Y) {
    return Y >= 0 && size_t(Y) < Screen.ScreenRows.size() && Screen.ScreenRows[Y] == RowNotRead;
}

// The rectangle of every row read, whole (memory images: the whole screen).
Area OwnRows() {
    if (Screen.ScreenRows.empty()) return WholeScreen();
    return Rect(0, Screen.ReadTop, Screen.ScreenWidth - 1, Screen.ReadBottom);
}

// --------------------------------------------------------------- flush --

// One write of a rectangle, tried twice. Written is what the console says it
// wrote.
bool WriteCells(const Area &Part, Area &Written) {
    for (int Try = 0; Try < 2; Try++) {
        SMALL_RECT Region = MakeRect(SHORT(Part.Left), SHORT(Part.Top), SHORT(Part.Right),
                                     SHORT(Part.Bottom));
        if (WriteConsoleOutputA(Screen.OutputHandle, Screen.DrawScreen.Cells,
                                PackCoord(Screen.ScreenWidth, Screen.ScreenHeight),
                                PackCoord(Part.Left, Part.Top), &Region)) {
            Written = Intersect(Part, RectOf(Region));
            return true;
        }
    }
    return false;
}

// Writes the area, split around rows that are not ours, and copies into
// Screen.ShownScreen exactly what the console took. False when any of it failed.
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
            CopyArea(Screen.DrawScreen, Screen.ShownScreen, Written);
            if (!SameArea(Written, Part)) All = false;
        } else {
            All = false;
        }
        Y = Last + 1;
    }
    return All;
}

}  // namespace

// ------------------------------------------------------------- buffers --

// Nothing is read here: rows are read when something is drawn on them.
void AllocScreens() {
    NewBuffer(Screen.DrawScreen);
    NewBuffer(Screen.ShownScreen);
    NewBuffer(Screen.SavedScreen);
    Screen.ScreenRows.assign(size_t(ImageRows() == Screen.ScreenHeight ? Screen.ScreenHeight : 0),
                             RowNotRead);
    // All three hold zeros alike.
    Screen.DrawnArea = Screen.ShownArea = Area();
    Screen.RewriteOwnRows = false;
    Screen.ReadTop = 0;
    Screen.ReadBottom = -1;
}

void FreeScreens() {
    ResetDrawScreen();
    FlushScreen();
    FreeBuffer(Screen.SavedScreen);
    FreeBuffer(Screen.ShownScreen);
    FreeBuffer(Screen.DrawScreen);
    Screen.ScreenRows.clear();
    Screen.DrawnArea = Screen.ShownArea = Area();
    Screen.RewriteOwnRows = false;
}

// calloc: the pages of a tall console's images cost nothing until touched.
void NewBuffer(ScreenBuffer &Buf) {
    FreeBuffer(Buf);
    const int64_t Cells = Screen.ScreenWidth > 0 && Screen.ScreenHeight > 0
                              ? int64_t(Screen.ScreenWidth) * Screen.ScreenHeight
                              : 0;
    // ByteSize is 32-bit; no console comes near, but never let it wrap.
    if (Cells * int64_t(sizeof(CHAR_INFO)) > INT32_MAX) throw std::bad_alloc();
    void *Cells0 = std::calloc(size_t(Cells > 0 ? Cells : 1), sizeof(CHAR_INFO));
    if (!Cells0) throw std::bad_alloc();
    Buf.Cells = static_cast<CHAR_INFO *>(Cells0);
    Buf.ByteSize = int32_t(Cells * int64_t(sizeof(CHAR_INFO)));
    // A fresh image may differ from the others anywhere.
    if (Tracked(Buf)) Screen.DrawnArea = Screen.ShownArea = WholeScreen();
}

void FreeBuffer(ScreenBuffer &Buf) {
    std::free(Buf.Cells);
    Buf.Cells = nullptr;
    Buf.ByteSize = 0;
}

void CopyBuffer(const ScreenBuffer &Source, ScreenBuffer &Dest) {
    if (!Source.Cells || !Dest.Cells) return;
    std::memcpy(Dest.Cells, Source.Cells, size_t(MinInt(Source.ByteSize, Dest.ByteSize)));
    const Area After = &Source == &Screen.SavedScreen ? Area() : WholeScreen();
    if (&Dest == &Screen.DrawScreen) Screen.DrawnArea = After;
    if (&Dest == &Screen.ShownScreen) Screen.ShownArea = After;
    if (&Dest == &Screen.SavedScreen) Screen.DrawnArea = Screen.ShownArea = WholeScreen();
}

void ReadScreenRows(int Top, int Bottom) {
    if (Screen.ScreenRows.empty() || Screen.ScreenWidth <= 0) return;
    Top = MaxInt(Top, 0);
    Bottom = MinInt(Bottom, int(Screen.ScreenRows.size()) - 1);
    const int BandRows = MaxInt(1, MaxReadCells / Screen.ScreenWidth);
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
    return Y >= 0 && size_t(Y) < Screen.ScreenRows.size() && Screen.ScreenRows[Y] != RowRead;
}

void TouchDrawScreen(int Left, int Top, int Right, int Bottom) {
    const Area A = Intersect(Rect(Left, Top, Right, Bottom), WholeScreen());
    if (A.Empty()) return;
    ReadScreenRows(A.Top, A.Bottom);
    Screen.DrawnArea = Union(Screen.DrawnArea, A);
}

// ---------------------------------------------------- changes and flush --

// Cells can differ only where something was drawn since the last reset or
// where the shown image still holds an earlier frame.
bool FindChanges(COORD &Coord, SMALL_RECT &Region) {
    int MinX = 2147483647, MinY = 2147483647, MaxX = 0, MaxY = 0;
    bool Changed = false;
    const Area Span = OnImages(Union(Screen.DrawnArea, Screen.ShownArea));
    const size_t Bytes = Span.Empty() ? 0 : size_t(Span.Right - Span.Left + 1) * sizeof(CHAR_INFO);
    for (int Y = Span.Top; Y <= Span.Bottom; Y++) {
        if (ScreenRowUnread(Y)) continue;
        const CHAR_INFO *Draw = RowOf(Screen.DrawScreen, Y);
        const CHAR_INFO *Shown = RowOf(Screen.ShownScreen, Y);
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
// is it split around them, one write per run of our rows. Screen.ShownScreen takes
// only what the console took: what failed is written again by the next
// flush, at the latest when the screen closes.
void FlushScreen() {
    COORD Coord;
    SMALL_RECT Region;
    const Area Span = OnImages(Union(Screen.DrawnArea, Screen.ShownArea));
    Area Changes;
    if (FindChanges(Coord, Region)) Changes = RectOf(Region);
    if (Screen.RewriteOwnRows) Changes = Union(Changes, OnImages(OwnRows()));
    Changes = OnImages(Changes);
    if (Changes.Empty()) return;
    if (WriteArea(Changes)) {
        // Every cell of the span is now the same in both images, and the rest
        // of the shown image still holds the saved screen.
        CopyArea(Screen.DrawScreen, Screen.ShownScreen, Span);
        Screen.ShownArea = Screen.DrawnArea;
        Screen.RewriteOwnRows = false;
    } else {
        Screen.ShownArea = Union(Screen.ShownArea, Screen.DrawnArea);
    }
}

void ResetDrawScreen() {
    CopyArea(Screen.SavedScreen, Screen.DrawScreen, Screen.DrawnArea);
    Screen.DrawnArea = Area();
}

void ResetShownScreen() {
    CopyArea(Screen.SavedScreen, Screen.ShownScreen, Screen.ShownArea);
    Screen.ShownArea = Area();
}

void PushScreen() {
    if (!Screen.PushCellHook) return;
    const int Rows = ImageRows();
    for (int Y = 0; Y < Rows; Y++) {
        if (ScreenRowUnread(Y)) continue;
        const CHAR_INFO *Row = RowOf(Screen.DrawScreen, Y);
        for (int X = 0; X < Screen.ScreenWidth; X++) {
            char Str[2] = {Row[X].Char.AsciiChar, 0};
            if (Str[0] == 0) Str[0] = ' ';
            Screen.PushCellHook(X, Y, Row[X].Attributes & 0xFF, Str);
        }
    }
}

// The host drew over our rows and the cursor: neither is known any more.
void ResyncScreen() {
    ResetDrawScreen();
    ResetShownScreen();
    Screen.RewriteOwnRows = true;
    ForgetCursor();
    PushScreen();
}

// ---------------------------------------------------------- text output --

void SetTextAttr(WORD Attr) {
    Screen.TextAttr = Attr;
}

void GotoXY(int X, int Y) {
    Screen.WriteX = X + Screen.BoxX1;
    Screen.WriteY = Y + Screen.BoxY1;
}

// Clipped on all four sides: characters left of column 0 are dropped but still
// advance Screen.WriteX, so the visible part lands where it belongs. Text stops at
// the right edge, where Screen.WriteX then stays.
void WriteText(const std::string &S) {
    if (Screen.WriteY < 0 || Screen.WriteY > Screen.ScreenHeight - 1) return;
    const int First = Screen.WriteX;
    if (First > Screen.ScreenWidth - 1 || S.empty()) return;
    const int64_t Past = int64_t(First) + int64_t(S.size());
    const int End = Past > Screen.ScreenWidth ? Screen.ScreenWidth : int(Past);
    Screen.WriteX = End;
    const int From = MaxInt(First, 0);
    if (From >= End ||
        int64_t(Screen.WriteY + 1) * Screen.ScreenWidth > CellCount(Screen.DrawScreen))
        return;
    if (RowNotReadYet(Screen.WriteY)) ReadScreenRows(Screen.WriteY, Screen.WriteY);
    PutSpan(RowOf(Screen.DrawScreen, Screen.WriteY) + From, S.data() + (From - First), End - From,
            Screen.TextAttr);
    Screen.DrawnArea = Union(Screen.DrawnArea, Rect(From, Screen.WriteY, End - 1, Screen.WriteY));
}
