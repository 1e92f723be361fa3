// ChartView: the chart window's place on the screen, its drawing, its cursor
// and its mouse areas, all from ChartLayout.
#include "ChartView.h"

#include "Box.h"
#include "Input.h"
#include "Screen.h"
#include "StatusFormat.h"
#include "UnicodeLine.h"

namespace L = ChartLayout;

namespace {

// Text positions are relative to the frame's corner, where DrawBox leaves
// the origin: these take box cells.
void GoToBoxCell(int X, int Y)
{
    GotoXY(X - L::FrameLeft, Y - L::FrameTop);
}

void CursorToBoxCell(int X, int Y)
{
    CursorTo(X - L::FrameLeft, Y - L::FrameTop);
}

const MouseAction DoubleClickAction[2] = {maConfirm, maConfirmAppend};

bool MouseOnScreen()
{
    return Input.MouseX >= 0 && Input.MouseX < Screen.ScreenWidth && Input.MouseY >= 0 &&
           Input.MouseY < Screen.ScreenHeight;
}

}  // namespace

void CentreChart(ChartState &S)
{
    CentreWindow(S, Screen.ScreenWidth, Screen.ScreenHeight, Screen.ScreenSizeChanged, L::Width,
                 L::Height);
}

int WindowMaxX()
{
    return Screen.ScreenWidth - L::Width;
}

int WindowMaxY()
{
    return Screen.ScreenHeight - L::Height;
}

// TypeMode is Decimal or Hexadecimal whenever entry mode can begin.
const std::string &EntryLabel(const ChartState &S, const MessageTexts &Texts)
{
    return S.TypeMode == Typing::Decimal ? Texts.DecimalPrompt : Texts.HexPrompt;
}

std::string StatusText(const ChartState &S, uint8_t Code, const MessageTexts &Texts)
{
    if (S.UnicodeStatus) {
        std::string Line = FormatUnicodeStatus(S, Code);
        if (!Line.empty()) return Line;
    }
    return FormatStatus(S, Code, Texts.StatusFormat);
}

void DrawChart(const ChartState &S, const ChartLook &Look)
{
    const PaletteColors &C = Look.Colors;
    DrawBox(S.ChartX, S.ChartY, S.ChartX + L::Width - 1, S.ChartY + L::Height - 1, L::FrameInset,
            C.TextColor, C.FrameColor, C.TitleColor, Look.Texts.PluginTitle);

    // The separators' end pieces join the frame's sides.
    static const std::string Separator =
        "\xC7" + RepeatChar('\xC4', L::FrameRight - L::FrameLeft - 1) + "\xB6";
    SetTextAttr(C.FrameColor);
    GoToBoxCell(L::FrameLeft, L::TopSeparatorRow);
    WriteText(Separator);
    GoToBoxCell(L::FrameLeft, L::BottomSeparatorRow);
    WriteText(Separator);

    SetTextAttr(C.TextColor);
    const CodeTable *Table = CurrentCodeTable(S);
    static std::string Cells(L::Columns, ' ');  // kept: no allocation per frame
    for (int Row = 0; Row < L::Rows; Row++) {
        for (int Col = 0; Col < L::Columns; Col++) {
            const int Code = Row * L::Columns + Col;
            Cells[size_t(Col)] = char(Table ? Table->Chars[Code] : Code);
        }
        GoToBoxCell(L::CellX(0), L::CellY(Row));
        WriteText(Cells);
    }

    GoToBoxCell(L::TextColumn, L::NameRow);
    WriteText(CodeTableName(S, S.CurrentTable).substr(0, L::NameWidth));

    GoToBoxCell(L::TextColumn, L::StatusRow);
    if (S.EntryText.empty()) {
        WriteText(StatusText(S, S.LastChar, Look.Texts));
    } else {
        WriteText(EntryLabel(S, Look.Texts));
        SetTextAttr(C.InputColor);
        WriteText(S.EntryText);
        if (S.EntryText.size() < size_t(L::EntryFieldWidth))
            WriteText(std::string(L::EntryFieldWidth - S.EntryText.size(), ' '));
    }
}

void PlaceCursor(const ChartState &S, const ChartLook &Look)
{
    if (!S.EntryText.empty()) {
        const int Typed = int(EntryLabel(S, Look.Texts).size() + S.EntryText.size());
        CursorToBoxCell(L::TextColumn + Typed, L::StatusRow);
        LineCursor();
    } else {
        CursorToBoxCell(L::CellX(CellCol(S)), L::CellY(CellRow(S)));
        BlockCursor();
    }
}

MouseHit ChartMouse(ChartState &S)
{
    const int X = Input.MouseX - S.ChartX, Y = Input.MouseY - S.ChartY;
    const MouseHit None = {maNone, 0, 0};
    if (MousePressed() && L::TitleRows.Contains(X, Y)) {
        StartDrag(S, X, Y);
        return None;
    }
    if (S.Dragging && MouseReleased()) {
        EndDrag(S);
        return None;
    }
    if (S.Dragging && MouseDragged()) return {maDrag, 0, 0};
    if (MouseReleased() && L::NameArea.Contains(X, Y)) return {maTableMenu, 0, 0};
    // Only cells on the screen select: on a console smaller than the window
    // the cells beyond its edges are not there to be clicked.
    if (L::Cells.Contains(X, Y) && MouseOnScreen()) {
        const int Row = Y - L::CellY(0), Col = X - L::CellX(0);
        if (MousePressed() || MouseDragged()) return {maSelect, Row, Col};
        if (MouseDoubleClick()) return {DoubleClickAction[Input.MouseCtrl ? 1 : 0], Row, Col};
    }
    if ((MousePressed() || MouseDragged()) && !L::WholeBox.Contains(X, Y)) return {maClose, 0, 0};
    return None;
}

bool MouseMayAct()
{
    return MousePressed() || MouseReleased() || MouseDragged() || MouseDoubleClick();
}
