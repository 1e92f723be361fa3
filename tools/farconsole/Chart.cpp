#include "Chart.h"

#include <cwchar>
#include <map>

namespace {

std::wstring Trim(const std::wstring &S) {
    const size_t First = S.find_first_not_of(L' ');
    if (First == std::wstring::npos) return L"";
    return S.substr(First, S.find_last_not_of(L' ') - First + 1);
}

// The text between the window's side frames on a row, around column X.
std::wstring Inside(const Screen &S, int X, int Y) {
    auto Frame = [](wchar_t C) { return C == L'║' || C == L'│'; };
    int Left = X, Right = X;
    while (Left > 0 && !Frame(S.Char(Left - 1, Y))) Left--;
    while (Right < S.Width - 1 && !Frame(S.Char(Right + 1, Y))) Right++;
    return Trim(S.Text(Left, Y, Right - Left + 1));
}

}  // namespace

bool FindChart(const Screen &S, ChartView *Out) {
    ChartView V;
    int X, Y;
    if (!S.Find(L"@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_", &X, &Y) || Y < 2 || Y + 5 >= S.Height) return false;
    V.X = X;
    V.Y = Y - 2;
    // The name above the cells (a separator between them and it), the
    // status below them.
    for (int Row = V.Y - 1; Row >= 0 && Row >= V.Y - 3; Row--) {
        const std::wstring Text = Inside(S, X, Row);
        if (!Text.empty() && Text.find_first_not_of(L"─═╟╢") != std::wstring::npos) {
            V.Table = Text;
            break;
        }
    }
    for (int Row = V.Y + 8; Row < S.Height && Row <= V.Y + 11; Row++) {
        const std::wstring Line = S.Row(Row);
        const size_t Dec = Line.find(L"Dec:");
        if (Dec != std::wstring::npos) {
            V.Code = int(std::wcstol(Line.c_str() + Dec + 4, nullptr, 10));
            break;
        }
    }
    // The cursor on a cell marks it; without a cursor there, the one cell
    // whose colour differs from all the others.
    if (S.CursorVisible && S.Cursor.X >= V.X && S.Cursor.X < V.X + 32 && S.Cursor.Y >= V.Y && S.Cursor.Y < V.Y + 8) {
        V.Selected = (S.Cursor.Y - V.Y) * 32 + (S.Cursor.X - V.X);
    } else {
        std::map<WORD, int> Count;
        for (int Code = 0; Code < 256; Code++) Count[S.Attr(CellX(V, Code), CellY(V, Code))]++;
        for (int Code = 0; Code < 256; Code++)
            if (Count[S.Attr(CellX(V, Code), CellY(V, Code))] == 1) V.Selected = Code;
    }
    *Out = V;
    return true;
}
