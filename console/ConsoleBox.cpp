// ConsoleBox: framed boxes with a drop shadow and a centred title.
#include "Box.h"

#include "Screen.h"

const unsigned char FrameChars[12] = {
    0xDA, 0xBF, 0xC4, 0xB3, 0xC0, 0xD9,  // single
    0xC9, 0xBB, 0xCD, 0xBA, 0xC8, 0xBC,  // double
};

namespace {

enum FramePart { TopLeft, TopRight, Horizontal, Vertical, BottomLeft, BottomRight };

}  // namespace

void DrawBox(int X1, int Y1, int X2, int Y2, int Inset, WORD FillAttr, WORD FrameAttr,
             WORD TitleAttr, const std::string &Title) {
    Screen.BoxX1 = X1;
    Screen.BoxY1 = Y1;
    Screen.BoxX2 = X2;
    Screen.BoxY2 = Y2;
    // The box and its shadow row, read from the console in one go.
    ReadScreenRows(Y1, Y2 + 1);
    DrawShadow();
    FillBox(FillAttr);
    DrawFrame(Inset, FrameAttr, TitleAttr, Title);
}

// Darkens the box rectangle moved 2 columns right and 1 row down; the fill
// drawn afterwards leaves only the strips to the right and below visible.
void DrawShadow() {
    const int LastRow = MinInt(Screen.BoxY2, Screen.ScreenHeight - 2);
    const int LastCol = MinInt(Screen.BoxX2, Screen.ScreenWidth - 3);
    const int Top = MaxInt(Screen.BoxY1 + 1, 0), Left = MaxInt(Screen.BoxX1 + 2, 0);
    if (Top > LastRow + 1 || Left > LastCol + 2) return;
    TouchDrawScreen(Left, Top, LastCol + 2, LastRow + 1);
    const int CellCount =
        Screen.DrawScreen.Cells ? Screen.DrawScreen.ByteSize / int(sizeof(CHAR_INFO)) : 0;
    for (int R = Top; R <= LastRow + 1 && int64_t(R + 1) * Screen.ScreenWidth <= CellCount; R++) {
        CHAR_INFO *Row = Screen.DrawScreen.Cells + int64_t(R) * Screen.ScreenWidth;
        for (int K = Left; K <= LastCol + 2; K++) Row[K].Attributes &= 7;
    }
}

// Row by row; WriteText clips what lies off the screen.
void FillBox(WORD Attr) {
    SetTextAttr(Attr);
    const std::string Spaces = RepeatChar(' ', Screen.BoxX2 - Screen.BoxX1 + 1);
    for (int I = 0; I <= Screen.BoxY2 - Screen.BoxY1; I++) {
        GotoXY(0, I);
        WriteText(Spaces);
    }
}

void DrawFrame(int Inset, WORD FrameAttr, WORD TitleAttr, const std::string &Title) {
    if (Inset > 0) {
        Screen.BoxX1 += Inset;
        Screen.BoxY1 += 1;
        Screen.BoxX2 -= Inset;
        Screen.BoxY2 -= 1;
    }
    const int W = Screen.BoxX2 - Screen.BoxX1;
    const int H = Screen.BoxY2 - Screen.BoxY1;
    const unsigned char *Set = FrameChars + (Inset > 0 ? 6 : 0);
    auto Part = [Set](FramePart P) { return std::string(1, char(Set[P])); };
    const std::string Line = RepeatChar(char(Set[Horizontal]), W - 1);

    SetTextAttr(FrameAttr);
    GotoXY(0, 0);
    WriteText(Part(TopLeft));
    WriteText(Line);
    WriteText(Part(TopRight));
    GotoXY(0, H);
    WriteText(Part(BottomLeft));
    WriteText(Line);
    WriteText(Part(BottomRight));
    for (int R = 1; R <= H - 1; R++) {
        GotoXY(0, R);
        WriteText(Part(Vertical));
        GotoXY(W, R);
        WriteText(Part(Vertical));
    }

    if (Title.empty()) return;
    SetTextAttr(TitleAttr);
    // A title too long for the frame starts left of it (x < 0) and is only
    // clipped at the screen edges, as WriteText clips everything.
    GotoXY((W - int(Title.size()) - 1) / 2, 0);
    WriteText(" ");
    WriteText(Title);
    WriteText(" ");
}
