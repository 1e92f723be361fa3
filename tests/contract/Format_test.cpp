// wsprintfA: the conversions, flags, widths and precisions it knows (and the
// ones it does not), and its 1024-byte limit.
#include "Contract.h"

#include <functional>

namespace {

struct FormatRow {
    const char *format;
    const char *want;
    std::function<int(char *)> call;
};

#define ROW(fmt, want, ...) \
    FormatRow { fmt, want, [](char *b) { return wsprintfA(b, fmt, __VA_ARGS__); } }

TEST(FormatContract, EachConversionWithFlagsWidthAndPrecision)
{
    const FormatRow rows[] = {
        ROW("%d|%i|%u", "42|-42|4294967295", 42, -42, -1),
        ROW("%d", "-2147483648", -2147483647 - 1),
        ROW("%5d|%-5d|%05d", "   42|42   |-0042", 42, 42, -42),
        ROW("%.3d|%8.3d|%-8.3d", "007|     -07|007     ", 7, -7, 7),
        ROW("%08.3d|%.0d|%-05d", "00000007|0|42   ", 7, 0, 42),
        ROW("%x|%X|%08x|%-6X|", "ff|FF|0000beef|BEEF  |", 255, 255, 0xbeef, 0xbeef),
        ROW("%#x|%#X|%#x", "0xff|0XAB|0x0", 255, 171, 0),
        ROW("%#5x|%#08x|%-#6x|", "    0xa|0x0000beef|0xa     |", 10, 0xbeef, 10),
        ROW("%c|%3c|%-3c|%03c", "a|  b|c  |  d", 'a', 'b', 'c', 'd'),
        ROW("%c", "B", 0x142),
        ROW("%s|%5s|%-5s|%.2s|%5.1s|%05s", "abc|  abc|abc  |ab|    a|   ab", "abc", "abc", "abc",
            "abc", "abc", "ab"),
        ROW("%3s|%.0s|", "abcd|abcd|", "abcd", "abcd"),
        ROW("%s", "(null)", static_cast<const char *>(nullptr)),
        ROW("%ld|%lu|%lx|%li", "-5|7|ff|9", -5L, 7UL, 255UL, 9L),
        ROW("%hd|%hu|%hx", "70000|70000|11170", 70000, 70000, 70000),
        ROW("%%|%5%|%-5%|", "%|     ||", 0),
        // Not known to wsprintf: '+' and ' ' flags, '*', %o, and a '#'
        // after '-': printed as text from the unknown character on, and no
        // argument is taken.
        ROW("%+d|% d|%d", "+d| d|5", 5),
        ROW("%o|%#o|%d", "o|o|8", 8),
        ROW("%*d|%d", "*d|3", 3),
        ROW("%#-6x|%k|%d", "-6x|k|1", 1),
        ROW("end%", "end", 0),
    };
    for (const FormatRow &row : rows) {
        SCOPED_TRACE(row.format);
        char buf[1100];
        memset(buf, 'Z', sizeof buf);
        const int n = row.call(buf);
        EXPECT_STREQ(buf, row.want);
        EXPECT_EQ(n, static_cast<int>(strlen(row.want)));
    }
}

TEST(FormatContract, AZeroCharacterIsWrittenAndCounted)
{
    char buf[8];
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(wsprintfA(buf, "%c%c%c", 0, 'x', 'y'), 3);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 'x');
    EXPECT_EQ(buf[2], 'y');
    EXPECT_EQ(buf[3], 0);
}

TEST(FormatContract, OutputStopsAt1023CharactersAndTheCountSays1024)
{
    std::string a(2000, 'a');
    char buf[1100];
    struct {
        size_t text;
        int want;
        size_t length;
    } rows[] = {
        {1021, 1021, 1021},
        {1022, 1022, 1022},
        {1023, 1024, 1023},  // a full buffer counts as cut, even when nothing was
        {1024, 1024, 1023},
        {1999, 1024, 1023},
    };
    for (auto &row : rows) {
        SCOPED_TRACE(row.text);
        memset(buf, 'Z', sizeof buf);
        EXPECT_EQ(wsprintfA(buf, "%s", a.substr(0, row.text).c_str()), row.want);
        EXPECT_EQ(strlen(buf), row.length);
        EXPECT_EQ(buf[1024], 'Z') << "nothing past the limit";
    }

    const std::string head(1020, 'a');
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(wsprintfA(buf, "%s%d", head.c_str(), 12345), 1024);
    EXPECT_STREQ(buf + 1018, "aa123") << "the number is cut";
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(wsprintfA(buf, "%s%5c", head.c_str(), 'q'), 1024);
    EXPECT_STREQ(buf + 1018, "aa  q") << "the width shrinks to what is left";
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(wsprintfA(buf, "%s%%", head.c_str()), 1021);
    EXPECT_EQ(wsprintfA(buf, "%2000d", 1), 1024);
    EXPECT_EQ(strlen(buf), 1023u);
    EXPECT_EQ(buf[1021], ' ');
    EXPECT_EQ(buf[1022], '1') << "the width shrinks, the digit stays";
}

}  // namespace
