// Writes the compressed table of Unicode character names that the chart
// looks names up in, for the code points the single-byte code pages reach.
// Built with the build machine's own compiler and run at build time, also in
// the cross builds; needs only glibc (iconv) and Debian's unicode-data files.
//
//   gen-unicode-names UnicodeData.txt NameAliases.txt Output.inc
//
// The table: every word of the names once, ordered by use, and for each
// name or alias the indexes of its words (one byte for the 128 most used,
// two for the others).
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The pages whose characters the chart can show: the consoles' OEM pages,
// the Windows (ANSI) pages and the tables a host offers, by glibc's names.
// glibc has no CP720; Windows' CP720 reaches nothing that CP1256 and
// ISO 8859-6 do not (the contract tests check every page against Wine).
const char *const Pages[] = {
    "CP437",      "CP737",      "CP775",       "CP850",       "CP852",       "CP855",
    "CP857",      "CP858",      "CP860",       "CP861",       "CP862",       "CP863",
    "CP864",      "CP865",      "CP866",       "CP869",       "CP874",       "CP1250",
    "CP1251",     "CP1252",     "CP1253",      "CP1254",      "CP1255",      "CP1256",
    "CP1257",     "CP1258",     "KOI8-R",      "KOI8-U",      "ISO-8859-1",  "ISO-8859-2",
    "ISO-8859-3", "ISO-8859-4", "ISO-8859-5",  "ISO-8859-6",  "ISO-8859-7",  "ISO-8859-8",
    "ISO-8859-9", "ISO-8859-10", "ISO-8859-11", "ISO-8859-13", "ISO-8859-14", "ISO-8859-15",
    "ISO-8859-16",
};

// What a console shows for the bytes 1 to 31 and 127 (MB_USEGLYPHCHARS).
const unsigned ConsoleGlyphs[] = {
    0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9, 0x2642,
    0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC,
    0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC, 0x2302,
};

// Where Windows' tables map a byte that glibc's leave undefined or map
// elsewhere: 1255 0xCA, ISO 8859-7 (28597) 0xA1 and 0xA2, ISO 8859-8
// (28598) 0xAF, KOI8-U (21866) 0xAE and 0xBE. Bytes a page leaves undefined
// become C1 controls (below) or private-use codes, which have no names. A
// UTF-8 console (65001) takes a byte from 0x80 up alone as U+FFFD.
const unsigned WindowsOnly[] = {0x05BA, 0x02BD, 0x02BC, 0x203E, 0x045E, 0x040E, 0xFFFD};

// In the order of NameAliases.txt's types; 0 is the name itself.
const char *const Kinds[] = {"name", "control", "abbreviation", "correction", "alternate",
                             "figment"};

[[noreturn]] void Fail(const std::string &Message)
{
    fprintf(stderr, "gen-unicode-names: %s\n", Message.c_str());
    exit(1);
}

std::vector<std::string> Fields(const std::string &Line)
{
    std::vector<std::string> Out;
    std::stringstream In(Line);
    std::string Field;
    while (std::getline(In, Field, ';')) Out.push_back(Field);
    return Out;
}

std::vector<std::string> ReadLines(const char *Path)
{
    std::ifstream In(Path);
    if (!In) Fail(std::string("cannot read ") + Path + ": " + strerror(errno));
    std::vector<std::string> Lines;
    std::string Line;
    while (std::getline(In, Line)) {
        if (!Line.empty() && Line.back() == '\r') Line.pop_back();
        Lines.push_back(Line);
    }
    return Lines;
}

unsigned ParseCode(const std::string &Text, const char *Path)
{
    char *End = nullptr;
    unsigned long Code = strtoul(Text.c_str(), &End, 16);
    if (Text.empty() || *End || Code > 0x10FFFF) Fail(std::string(Path) + ": bad code " + Text);
    return unsigned(Code);
}

// The code point of every byte of a page that glibc converts.
void AddPage(const char *Page, std::set<unsigned> &Reached)
{
    iconv_t Cd = iconv_open("UTF-32LE", Page);
    if (Cd == iconv_t(-1)) Fail(std::string("iconv does not know ") + Page);
    for (int B = 0; B < 256; B++) {
        char In = char(B), Out[16];
        char *InP = &In, *OutP = Out;
        size_t InLeft = 1, OutLeft = sizeof Out;
        iconv(Cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(Cd, &InP, &InLeft, &OutP, &OutLeft) == size_t(-1)) continue;  // undefined
        // Pages with combining letters (CP1258) hold a base letter back.
        iconv(Cd, nullptr, nullptr, &OutP, &OutLeft);
        for (const char *P = Out; P + 4 <= OutP; P += 4) {
            const unsigned char *U = reinterpret_cast<const unsigned char *>(P);
            Reached.insert(U[0] | U[1] << 8 | U[2] << 16 | unsigned(U[3]) << 24);
        }
    }
    iconv_close(Cd);
}

struct Record {
    unsigned Code;
    int Kind;
    std::vector<std::string> Words;
};

std::vector<std::string> SplitWords(const std::string &Name, unsigned Code)
{
    for (char C : Name)
        if (!((C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == ' ' || C == '-'))
            Fail("unexpected character in the name of U+" + std::to_string(Code) + ": " + Name);
    std::vector<std::string> Words;
    std::stringstream In(Name);
    std::string Word;
    while (In >> Word) Words.push_back(Word);
    return Words;
}

void WriteArray(std::ostream &Out, const char *Decl, const std::vector<unsigned> &Values,
                size_t PerLine, bool Hex = false)
{
    Out << Decl << "[" << Values.size() << "] = {\n";
    for (size_t I = 0; I < Values.size(); I++) {
        char Buf[16];
        snprintf(Buf, sizeof Buf, Hex ? "0x%04X," : "%u,", Values[I]);
        Out << (I % PerLine ? " " : "    ") << Buf;
        if (I % PerLine == PerLine - 1 || I + 1 == Values.size()) Out << "\n";
    }
    Out << "};\n\n";
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && (!strcmp(argv[1], "--help") || !strcmp(argv[1], "-h"))) {
        printf("usage: gen-unicode-names UnicodeData.txt NameAliases.txt Output.inc\n"
               "Writes the names and aliases of the code points that the single-byte code\n"
               "pages reach as a compressed C++ table.\n");
        return 0;
    }
    if (argc != 4) Fail("usage: gen-unicode-names UnicodeData.txt NameAliases.txt Output.inc");

    std::set<unsigned> Reached;
    for (unsigned C = 0; C < 0x100; C++) Reached.insert(C);  // ASCII, C1 controls, Latin-1
    Reached.insert(std::begin(ConsoleGlyphs), std::end(ConsoleGlyphs));
    Reached.insert(std::begin(WindowsOnly), std::end(WindowsOnly));
    for (const char *Page : Pages) AddPage(Page, Reached);

    std::map<unsigned, std::vector<Record>> Named;
    for (const std::string &Line : ReadLines(argv[1])) {
        std::vector<std::string> F = Fields(Line);
        if (F.size() < 2) continue;
        unsigned Code = ParseCode(F[0], argv[1]);
        if (!Reached.count(Code) || F[1].empty() || F[1][0] == '<') continue;  // <control>, ranges
        Named[Code].push_back({Code, 0, SplitWords(F[1], Code)});
    }
    std::string Version;
    for (const std::string &Line : ReadLines(argv[2])) {
        if (Version.empty() && Line.rfind("# NameAliases-", 0) == 0)
            Version = Line.substr(14, Line.find(".txt") - 14);
        if (Line.empty() || Line[0] == '#') continue;
        std::vector<std::string> F = Fields(Line);
        if (F.size() != 3) Fail(std::string(argv[2]) + ": bad line: " + Line);
        unsigned Code = ParseCode(F[0], argv[2]);
        if (!Reached.count(Code)) continue;
        int Kind = int(std::find(std::begin(Kinds), std::end(Kinds), F[2]) - std::begin(Kinds));
        if (Kind == 0 || Kind == int(std::size(Kinds))) Fail("unknown alias type " + F[2]);
        Named[Code].push_back({Code, Kind, SplitWords(F[1], Code)});
    }
    // Every code point reached needs a name or a control code's alias;
    // private-use codes (where Windows maps undefined bytes) are not reached here.
    for (unsigned Code : Reached)
        if (!Named.count(Code)) {
            char Hex[16];
            snprintf(Hex, sizeof Hex, "U+%04X", Code);
            Fail(std::string("no name for ") + Hex + " in " + argv[1] + " or " + argv[2]);
        }
    for (const auto &Entry : Named)
        if (Entry.first > 0xFFFF) Fail("the table holds code points of 16 bits only");

    // Words by use, most used first, so that they get the one-byte indexes.
    std::map<std::string, int> Uses;
    for (const auto &Entry : Named)
        for (const Record &R : Entry.second)
            for (const std::string &W : R.Words) Uses[W]++;
    std::vector<std::string> Words;
    for (const auto &U : Uses) Words.push_back(U.first);
    std::stable_sort(Words.begin(), Words.end(), [&](const std::string &A, const std::string &B) {
        return Uses[A] > Uses[B];
    });
    if (Words.size() > 0x7FFF) Fail("too many words");
    std::map<std::string, unsigned> Index;
    std::string WordText;
    std::vector<unsigned> WordStart;
    for (size_t I = 0; I < Words.size(); I++) {
        Index[Words[I]] = unsigned(I);
        WordStart.push_back(unsigned(WordText.size()));
        WordText += Words[I];
    }
    WordStart.push_back(unsigned(WordText.size()));

    std::vector<unsigned> Codes, RecordKinds, RecordStart, RecordBytes;
    for (const auto &Entry : Named)
        for (const Record &R : Entry.second) {
            Codes.push_back(R.Code);
            RecordKinds.push_back(unsigned(R.Kind));
            RecordStart.push_back(unsigned(RecordBytes.size()));
            for (const std::string &W : R.Words) {
                unsigned I = Index[W];
                if (I < 0x80) {
                    RecordBytes.push_back(I);
                } else {
                    RecordBytes.push_back(0x80 | I >> 8);
                    RecordBytes.push_back(I & 0xFF);
                }
            }
        }
    RecordStart.push_back(unsigned(RecordBytes.size()));
    if (WordText.size() > 0xFFFF || RecordBytes.size() > 0xFFFF) Fail("table too large");

    std::ostringstream Out;
    Out << "// Generated by tools/gen-unicode-names.cpp from UnicodeData.txt and NameAliases.txt\n"
        << "// (Unicode " << (Version.empty() ? "?" : Version) << "); do not edit.\n"
        << "// " << Named.size() << " code points, " << Codes.size() << " names and aliases, "
        << Words.size() << " words.\n\n";
    Out << "// What a record is: the name, or an alias of NameAliases.txt's type.\n"
        << "enum NameKind : unsigned char {\n"
        << "    NameKindName, NameKindControl, NameKindAbbreviation, NameKindCorrection,\n"
        << "    NameKindAlternate, NameKindFigment,\n};\n\n";
    Out << "// The words, one after the other; word i is the text from NameWordStart[i]\n"
        << "// to NameWordStart[i + 1].\nstatic const char NameWordText[] =\n";
    for (size_t I = 0; I < WordText.size(); I += 72)
        Out << "    \"" << WordText.substr(I, 72) << "\"" << (I + 72 >= WordText.size() ? ";" : "")
            << "\n";
    Out << "\n";
    WriteArray(Out, "static const unsigned short NameWordStart", WordStart, 12);
    Out << "// One record per name or alias, by code point; a code point's name comes first.\n";
    WriteArray(Out, "static const unsigned short NameCodes", Codes, 10, true);
    WriteArray(Out, "static const unsigned char NameKinds", RecordKinds, 24);
    Out << "// Record i's words are coded in NameBytes from NameStart[i] to NameStart[i + 1]:\n"
        << "// a byte below 0x80 is a word's index, a byte from 0x80 up holds the high bits\n"
        << "// of an index whose low eight bits follow.\n";
    WriteArray(Out, "static const unsigned short NameStart", RecordStart, 12);
    WriteArray(Out, "static const unsigned char NameBytes", RecordBytes, 20);

    // Written whole or not at all: a build stopped half way leaves no table.
    std::string Temp = std::string(argv[3]) + ".tmp";
    {
        std::ofstream File(Temp, std::ios::binary);
        File << Out.str();
        if (!File.flush()) Fail("cannot write " + Temp);
    }
    if (rename(Temp.c_str(), argv[3]) != 0) Fail(std::string("cannot write ") + argv[3]);
    return 0;
}
