// UnicodeLine: the code point, name and glyph of a cell as one line.
#include "UnicodeLine.h"

#include "CharNames.h"
#include "ChartLayout.h"
#include "Messages.h"

std::string DescribeCell(const ChartState &S, ChartChar Cell, bool Long)
{
    const CellCharacter C = CharacterOfCell(S, Cell);
    if (!C.Known) return std::string();
    std::string Line = FormatCodePoint(C.CodePoint);
    std::string Name = CharName(C.CodePoint);
    if (IsControlCode(C.CodePoint)) {
        // Some C1 codes have no short form: their name stands alone.
        std::string Short = CharAbbreviation(C.CodePoint);
        if (Short.empty())
            Short.swap(Name);
        else if (Long && !Name.empty())
            Short = Name + " (" + Short + ")";
        Name = Short;
    }
    if (!Name.empty()) Line += " " + Name;
    // The console draws the byte itself as the glyph: writing it shows it.
    if (C.Glyph != C.CodePoint) Line += Msg(MsgShownAs) + std::string(1, char(Cell));
    return Line;
}

std::string FormatUnicodeStatus(const ChartState &S, uint8_t Code)
{
    std::string Line = DescribeCell(S, MapCode(S, Code), false);
    if (Line.size() > size_t(ChartLayout::UnicodeStatusWidth))
        Line.resize(ChartLayout::UnicodeStatusWidth);
    return Line;
}
