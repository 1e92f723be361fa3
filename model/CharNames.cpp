// Looks names up in the table that tools/gen-unicode-names.cpp writes at
// build time (UnicodeNames.inc, in the build folder).
#include "CharNames.h"

#include <algorithm>

namespace {

#include "UnicodeNames.inc"

constexpr int RecordCount = int(sizeof(NameCodes) / sizeof(NameCodes[0]));

// The first record of a code point, or -1.
int FirstRecord(uint32_t CodePoint)
{
    if (CodePoint > 0xFFFF) return -1;
    const unsigned short *End = NameCodes + RecordCount;
    const unsigned short *It = std::lower_bound(NameCodes, End, CodePoint);
    return It != End && *It == CodePoint ? int(It - NameCodes) : -1;
}

std::string RecordText(int Record)
{
    std::string Text;
    for (int I = NameStart[Record]; I < NameStart[Record + 1]; I++) {
        unsigned Word = NameBytes[I];
        if (Word >= 0x80) Word = (Word & 0x7F) << 8 | NameBytes[++I];
        if (!Text.empty()) Text += ' ';
        Text.append(NameWordText + NameWordStart[Word],
                    NameWordStart[Word + 1] - NameWordStart[Word]);
    }
    return Text;
}

// The code point's first record of a kind, or -1.
int FindRecord(uint32_t CodePoint, NameKind Kind)
{
    int First = FirstRecord(CodePoint);
    if (First < 0) return -1;
    for (int R = First; R < RecordCount && NameCodes[R] == CodePoint; R++)
        if (NameKinds[R] == Kind) return R;
    return -1;
}

bool IsPrivateUse(uint32_t CodePoint)
{
    return (CodePoint >= 0xE000 && CodePoint <= 0xF8FF) ||
           (CodePoint >= 0xF0000 && CodePoint <= 0x10FFFD && (CodePoint & 0xFFFE) != 0xFFFE);
}

char Upper(char C)
{
    return C >= 'a' && C <= 'z' ? char(C - 'a' + 'A') : C;
}

// Whether Word (in capitals) begins a word of Text.
bool BeginsAWord(const std::string &Text, const std::string &Word)
{
    for (size_t At = Text.find(Word); At != std::string::npos; At = Text.find(Word, At + 1))
        if (At == 0 || Text[At - 1] == ' ' || Text[At - 1] == '-') return true;
    return false;
}

}  // namespace

std::string CharName(uint32_t CodePoint)
{
    int R = FindRecord(CodePoint, NameKindName);
    // Control codes: the control alias; three C1 codes (U+0080, U+0081,
    // U+0099) were never standardised and have only a figment.
    if (R < 0) R = FindRecord(CodePoint, NameKindControl);
    if (R < 0) R = FindRecord(CodePoint, NameKindFigment);
    if (R >= 0) return RecordText(R);
    if (IsPrivateUse(CodePoint)) {
        std::string Digits;
        for (uint32_t V = CodePoint; V || Digits.size() < 4; V >>= 4)
            Digits.insert(Digits.begin(), "0123456789ABCDEF"[V & 15]);
        return "<private-use-" + Digits + ">";
    }
    return std::string();
}

std::string CharAbbreviation(uint32_t CodePoint)
{
    int R = FindRecord(CodePoint, NameKindAbbreviation);
    return R >= 0 ? RecordText(R) : std::string();
}

bool IsControlCode(uint32_t CodePoint)
{
    return CodePoint < 0x20 || (CodePoint >= 0x7F && CodePoint < 0xA0);
}

bool CharNameMatches(uint32_t CodePoint, const std::string &Words)
{
    int First = FirstRecord(CodePoint);
    if (First < 0) return false;
    std::string Texts;  // the name and the aliases, one blank apart
    for (int R = First; R < RecordCount && NameCodes[R] == CodePoint; R++)
        Texts += RecordText(R) + ' ';
    bool Any = false;
    size_t At = 0;
    while (At < Words.size()) {
        size_t End = Words.find(' ', At);
        if (End == std::string::npos) End = Words.size();
        if (End > At) {
            std::string Word;
            for (size_t I = At; I < End; I++) Word += Upper(Words[I]);
            if (!BeginsAWord(Texts, Word)) return false;
            Any = true;
        }
        At = End + 1;
    }
    return Any;
}

size_t CharNameTableBytes()
{
    return sizeof(NameWordText) + sizeof(NameWordStart) + sizeof(NameCodes) + sizeof(NameKinds) +
           sizeof(NameStart) + sizeof(NameBytes);
}

int CharNameCount()
{
    int Count = 0;
    for (int R = 0; R < RecordCount; R++) Count += R == 0 || NameCodes[R] != NameCodes[R - 1];
    return Count;
}
