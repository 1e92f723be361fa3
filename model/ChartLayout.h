// ChartLayout: where everything of the chart window stands, in the box's
// own columns and rows (0..41, 0..15 from its top-left cell), as Far lays
// out its dialogs: the frame three columns and one row inside. Both front
// ends (the console window, the Far 3 dialog) take their places from here:
// drawing, the cursor, the mouse and the tests.
#ifndef QUORREL_CHARTLAYOUT_H
#define QUORREL_CHARTLAYOUT_H

// A rectangle of box cells, bounds included.
struct BoxArea {
    int X1, X2, Y1, Y2;
    constexpr bool Contains(int X, int Y) const { return X >= X1 && X <= X2 && Y >= Y1 && Y <= Y2; }
};

namespace ChartLayout {

// The box, shadow not included; the shadow adds two columns right and one
// row below.
constexpr int Width = 42;
constexpr int Height = 16;
// The double frame stands three columns and one row inside the box.
constexpr int FrameInset = 3;
constexpr int FrameLeft = FrameInset, FrameTop = 1;
constexpr int FrameRight = Width - 1 - FrameInset, FrameBottom = Height - 2;
// Text starts two columns inside the frame: the table's name, the cells,
// the status row.
constexpr int TextColumn = FrameLeft + 2;
constexpr int NameRow = 2;
constexpr int TopSeparatorRow = 3;
constexpr int CellTop = 4;
constexpr int BottomSeparatorRow = 12;
constexpr int StatusRow = 13;
constexpr int Rows = 8, Columns = 32;
// The table's name is cut to the width of a chart row; the status text
// (message 1's format) to 40 characters; the field of a typed code is 4
// cells wide, so the cursor always finds a blank after the typed code.
constexpr int NameWidth = Columns;
constexpr int StatusWidth = 40;
constexpr int EntryFieldWidth = 4;
// F2's Unicode line stays inside the frame: from the text's start to the
// frame's right side.
constexpr int UnicodeStatusWidth = FrameRight - TextColumn;

// The box cell of a code's chart cell.
constexpr int CellX(int Column) { return TextColumn + Column; }
constexpr int CellY(int Row) { return CellTop + Row; }

// Where the mouse acts, tested in this order by the mouse handling.
constexpr BoxArea TitleRows = {0, Width - 1, 0, FrameTop};
constexpr BoxArea NameArea = {TextColumn, TextColumn + NameWidth - 1, NameRow, NameRow};
constexpr BoxArea Cells = {CellX(0), CellX(Columns - 1), CellY(0), CellY(Rows - 1)};
constexpr BoxArea WholeBox = {0, Width - 1, 0, Height - 1};

}  // namespace ChartLayout

#endif
