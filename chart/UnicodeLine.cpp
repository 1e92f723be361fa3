// UnicodeLine: the code point, name and glyph of a cell as one line.
#include "UnicodeLine.h"

#include "ChartLayout.h"
#include "Messages.h"
#include "UnicodeText.h"

std::string DescribeCell(const ChartState &S, ChartChar Cell, bool Long)
{
    const CellCharacter C = CharacterOfCell(S, Cell);
    std::string Line = UnicodeLine(C, Long);
    // The console draws the byte itself as the glyph: writing it shows it.
    if (C.Known && C.Glyph != C.CodePoint) Line += Msg(MsgShownAs) + std::string(1, char(Cell));
    return Line;
}

std::string FormatUnicodeStatus(const ChartState &S, uint8_t Code)
{
    return ShortenLine(DescribeCell(S, MapCode(S, Code), false),
                       size_t(ChartLayout::UnicodeStatusWidth));
}
