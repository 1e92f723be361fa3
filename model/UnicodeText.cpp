// UnicodeText: a character's Unicode line, and lines shortened in the middle.
#include "UnicodeText.h"

#include "CharNames.h"

#include <vector>

std::string UnicodeLine(const CellCharacter &C, bool Long)
{
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
    return Line;
}

namespace {

// Words From to To of a line split at its blanks, joined again.
std::string Words(const std::vector<std::string> &Split, size_t From, size_t To)
{
    std::string Text;
    for (size_t I = From; I < To; I++) Text += (I > From ? " " : "") + Split[I];
    return Text;
}

}  // namespace

std::string ShortenLine(const std::string &Line, size_t Width)
{
    if (Line.size() <= Width) return Line;
    std::vector<std::string> Split(1);
    for (char Ch : Line) {
        if (Ch == ' ')
            Split.emplace_back();
        else
            Split.back() += Ch;
    }
    const size_t Count = Split.size();
    auto Shortened = [&](size_t Head, size_t Tail) {
        return Words(Split, 0, Head) + ".." + Words(Split, Count - Tail, Count);
    };
    // Words are taken from the end and the start in turn, while they fit.
    size_t Head = 1, Tail = 0;
    bool HeadFits = true, TailFits = true, TailsTurn = true;
    while (Head + Tail < Count && (HeadFits || TailFits)) {
        const bool AtTail = TailsTurn ? TailFits : !HeadFits;
        TailsTurn = !TailsTurn;
        const size_t NextHead = Head + (AtTail ? 0 : 1), NextTail = Tail + (AtTail ? 1 : 0);
        if (Shortened(NextHead, NextTail).size() <= Width) {
            Head = NextHead;
            Tail = NextTail;
        } else {
            (AtTail ? TailFits : HeadFits) = false;
        }
    }
    return Tail > 0 ? Shortened(Head, Tail) : Line.substr(0, Width);
}
