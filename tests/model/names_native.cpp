// The generated name table against Unicode's own files and glibc's code
// pages, read at test time: every name it gives is Unicode's, and every code
// point a listed code page reaches has one.
#include <gtest/gtest.h>

#include "CharNames.h"

#include <iconv.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::vector<std::string>> ReadFields(const std::string &Path)
{
    std::ifstream In(Path);
    EXPECT_TRUE(In.good()) << Path;
    std::vector<std::vector<std::string>> Rows;
    std::string Line;
    while (std::getline(In, Line)) {
        if (Line.empty() || Line[0] == '#') continue;
        std::vector<std::string> Fields;
        std::stringstream S(Line);
        std::string Field;
        while (std::getline(S, Field, ';')) Fields.push_back(Field);
        Rows.push_back(Fields);
    }
    return Rows;
}

TEST(NamesAgainstUnicode, EveryNameIsUnicodes)
{
    std::map<uint32_t, std::string> Official;
    for (const auto &F : ReadFields(QUORREL_UNICODE_DATA "/UnicodeData.txt"))
        if (F.size() > 1 && F[1][0] != '<') Official[std::stoul(F[0], nullptr, 16)] = F[1];
    // The first alias of each type, as NameAliases.txt lists them.
    std::map<uint32_t, std::map<std::string, std::string>> Aliases;
    for (const auto &F : ReadFields(QUORREL_UNICODE_DATA "/NameAliases.txt"))
        Aliases[std::stoul(F[0], nullptr, 16)].insert({F[2], F[1]});
    ASSERT_GT(Official.size(), 30000u);

    int Named = 0;
    for (uint32_t C = 0; C <= 0xFFFF; C++) {
        const std::string Name = CharName(C);
        if (Name.empty() || Name.rfind("<private-use-", 0) == 0) continue;
        Named++;
        auto &A = Aliases[C];
        std::string Want = Official.count(C) ? Official[C]
                           : A.count("control") ? A["control"]
                                                 : A["figment"];
        EXPECT_EQ(Want, Name) << "U+" << std::hex << C;
        EXPECT_EQ(A["abbreviation"], CharAbbreviation(C)) << "U+" << std::hex << C;
    }
    EXPECT_EQ(CharNameCount(), Named);
}

TEST(NamesAgainstUnicode, EveryCodePointOfTheCodePagesHasAName)
{
    // CP720 is not in glibc; the Win32 test covers it with Wine's table.
    const char *const Pages[] = {
        "CP437",       "CP737",       "CP775",       "CP850",       "CP852",      "CP855",
        "CP857",       "CP858",       "CP860",       "CP861",       "CP862",      "CP863",
        "CP864",       "CP865",       "CP866",       "CP869",       "CP874",      "CP1250",
        "CP1251",      "CP1252",      "CP1253",      "CP1254",      "CP1255",     "CP1256",
        "CP1257",      "CP1258",      "KOI8-R",      "KOI8-U",      "ISO-8859-1", "ISO-8859-2",
        "ISO-8859-3",  "ISO-8859-4",  "ISO-8859-5",  "ISO-8859-6",  "ISO-8859-7", "ISO-8859-8",
        "ISO-8859-9",  "ISO-8859-10", "ISO-8859-11", "ISO-8859-13", "ISO-8859-14",
        "ISO-8859-15", "ISO-8859-16"};
    for (const char *Page : Pages) {
        iconv_t Cd = iconv_open("UTF-32LE", Page);
        ASSERT_NE(iconv_t(-1), Cd) << Page;
        for (int B = 0; B < 256; B++) {
            char In = char(B);
            uint32_t Out[4] = {};
            char *InP = &In, *OutP = reinterpret_cast<char *>(Out);
            size_t InLeft = 1, OutLeft = sizeof Out;
            iconv(Cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(Cd, &InP, &InLeft, &OutP, &OutLeft) == size_t(-1)) continue;
            iconv(Cd, nullptr, nullptr, &OutP, &OutLeft);
            for (uint32_t *U = Out; reinterpret_cast<char *>(U) < OutP; U++)
                EXPECT_NE("", CharName(*U)) << Page << " byte " << B << ": U+" << std::hex << *U;
        }
        iconv_close(Cd);
    }
}

}  // namespace
