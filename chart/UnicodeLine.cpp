// UnicodeLine: the code point, name and glyph of a cell as one line.
#include "UnicodeLine.h"

#include "CharInfo.h"
#include "CharNames.h"
#include "ChartWindow.h"
#include "CodeTables.h"
#include "Messages.h"

std::string DescribeCellByte(uint8_t CellByte, bool Long)
{
    const CellCharacter C = CellCharacterOf(CellByte);
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
    if (C.Glyph != C.CodePoint) Line += Msg(22) + std::string(1, char(CellByte));
    return Line;
}

std::string FormatUnicodeStatus(uint8_t Code)
{
    std::string Line = DescribeCellByte(MapCode(Code), false);
    if (Line.empty()) return FormatStatus(Code);
    if (Line.size() > UnicodeStatusWidth) Line.resize(UnicodeStatusWidth);
    return Line;
}
