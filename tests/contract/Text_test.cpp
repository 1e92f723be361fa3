// Code page conversion and the string routines.
#include "Contract.h"

namespace {

// The tables as Wine converts (generated once under Wine).
#include "../../winsim/src/CodePageTables.inc"

TEST(TextContract, CharToOemOfAll256BytesIsTheCommittedTable)
{
    char all[256], oem[256];
    for (int i = 0; i < 256; i++) all[i] = static_cast<char>(i);
    ASSERT_TRUE(CharToOemBuffA(all, oem, 256));
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(static_cast<unsigned char>(oem[i]), AnsiToOem[i]) << "ANSI byte " << i;
}

TEST(TextContract, OemToCharOfAll256BytesIsTheCommittedTable)
{
    char all[256], ansi[256];
    for (int i = 0; i < 256; i++) all[i] = static_cast<char>(i);
    ASSERT_TRUE(OemToCharBuffA(all, ansi, 256));
    for (int i = 0; i < 256; i++)
        EXPECT_EQ(static_cast<unsigned char>(ansi[i]), OemToAnsi[i]) << "OEM byte " << i;
}

TEST(TextContract, ConversionWorksInPlaceForTheGivenLengthOnly)
{
    char buf[] = "\xE9t\xE9";
    ASSERT_TRUE(CharToOemBuffA(buf, buf, 2));
    EXPECT_EQ(static_cast<unsigned char>(buf[0]), 0x82);
    EXPECT_EQ(buf[1], 't');
    EXPECT_EQ(static_cast<unsigned char>(buf[2]), 0xE9) << "past the length";
    EXPECT_TRUE(OemToCharBuffA(buf, buf, 0));
    EXPECT_FALSE(CharToOemBuffA(nullptr, buf, 1));
    EXPECT_FALSE(OemToCharBuffA(buf, nullptr, 1));
}

TEST(TextContract, StringCopiesStopAtTheirLimitWithAZero)
{
    char d[16];
    memset(d, 'Z', sizeof d);
    EXPECT_EQ(lstrcpynA(d, "abcdef", 4), d);
    EXPECT_STREQ(d, "abc");
    memset(d, 'Z', sizeof d);
    lstrcpynA(d, "ab", 8);
    EXPECT_STREQ(d, "ab");
    EXPECT_EQ(d[3], 'Z') << "no padding";
    memset(d, 'Z', sizeof d);
    lstrcpynA(d, "ab", 1);
    EXPECT_EQ(d[0], 0);
    memset(d, 'Z', sizeof d);
    EXPECT_EQ(lstrcpynA(d, "ab", 0), d);
    EXPECT_EQ(d[0], 'Z');

    EXPECT_EQ(lstrcpyA(d, "hello"), d);
    EXPECT_STREQ(d, "hello");
    EXPECT_EQ(lstrlenA("hello"), 5);
}

// Windows (and Wine) catch the access violation inside these two.
TEST(TextContract, StringRoutinesTakeANullPointer)
{
    char d[16];
    EXPECT_EQ(lstrcpyA(d, nullptr), nullptr);
    EXPECT_EQ(lstrlenA(nullptr), 0);
}

}  // namespace
