// Console output: handles, screen buffer, cells in and out with clipping,
// title and cursor.
#include "Contract.h"

#include <cstring>

namespace {

class ConsoleContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        out = OpenConsoleHandle("CONOUT$");
        ASSERT_NE(out, INVALID_HANDLE_VALUE);
        CONSOLE_SCREEN_BUFFER_INFO info;
        ASSERT_TRUE(GetConsoleScreenBufferInfo(out, &info));
        width = info.dwSize.X;
        height = info.dwSize.Y;
        Fill('.', 0x07);
    }
    void TearDown() override { CloseHandle(out); }

    // The whole screen in one known state.
    void Fill(char ch, WORD attr)
    {
        std::vector<CHAR_INFO> all(width * height, Cell(ch, attr));
        SMALL_RECT r = Rect(0, 0, width - 1, height - 1);
        ASSERT_TRUE(WriteConsoleOutputA(out, all.data(), Coord(width, height), Coord(0, 0), &r));
    }
    std::vector<CHAR_INFO> ReadAll()
    {
        std::vector<CHAR_INFO> all(width * height);
        SMALL_RECT r = Rect(0, 0, width - 1, height - 1);
        EXPECT_TRUE(ReadConsoleOutputA(out, all.data(), Coord(width, height), Coord(0, 0), &r));
        return all;
    }
    // A 10 x 10 source whose cell (x, y) holds 'A' + (x + y) % 26, attribute 0x10 + y.
    static std::vector<CHAR_INFO> Source()
    {
        std::vector<CHAR_INFO> src;
        for (int y = 0; y < 10; y++)
            for (int x = 0; x < 10; x++) src.push_back(Cell('A' + (x + y) % 26, 0x10 + y));
        return src;
    }

    HANDLE out = INVALID_HANDLE_VALUE;
    int width = 0, height = 0;
};

TEST_F(ConsoleContract, TheConsoleIs80By25WithTheWindowOverTheWholeBuffer)
{
    CONSOLE_SCREEN_BUFFER_INFO info;
    ASSERT_TRUE(GetConsoleScreenBufferInfo(out, &info));
    EXPECT_EQ(info.dwSize.X, 80);
    EXPECT_EQ(info.dwSize.Y, 25);
    EXPECT_EQ(RectText(info.srWindow), "0,0,79,24");
    EXPECT_EQ(info.dwMaximumWindowSize.X, 80);
    EXPECT_EQ(info.dwMaximumWindowSize.Y, 25);
    EXPECT_EQ(GetConsoleOutputCP(), 437u);
}

TEST_F(ConsoleContract, HandlesComeOnlyFromTheTwoConsoleNames)
{
    HANDLE in = OpenConsoleHandle("CONIN$");
    HANDLE lower = OpenConsoleHandle("conout$");
    EXPECT_NE(in, INVALID_HANDLE_VALUE);
    EXPECT_NE(lower, INVALID_HANDLE_VALUE);
    EXPECT_NE(lower, out);
    SetLastError(0);
    EXPECT_EQ(OpenConsoleHandle("CONX$"), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    CONSOLE_SCREEN_BUFFER_INFO info;
    SetLastError(0);
    EXPECT_FALSE(GetConsoleScreenBufferInfo(in, &info)) << "input handle used for output";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    DWORD count;
    SetLastError(0);
    EXPECT_FALSE(GetNumberOfConsoleInputEvents(out, &count)) << "output handle used for input";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));

    EXPECT_TRUE(CloseHandle(lower));
    SetLastError(0);
    EXPECT_FALSE(GetConsoleScreenBufferInfo(lower, &info)) << "closed handle";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(CloseHandle(lower));
    EXPECT_TRUE(CloseHandle(in));
}

TEST_F(ConsoleContract, ARectangleWrittenReadsBackAndNothingElseChanges)
{
    const std::vector<CHAR_INFO> src = Source();
    SMALL_RECT r = Rect(10, 5, 13, 7);
    ASSERT_TRUE(WriteConsoleOutputA(out, src.data(), Coord(10, 10), Coord(2, 1), &r));
    EXPECT_EQ(RectText(r), "10,5,13,7");

    CHAR_INFO back[12];
    memset(back, 0, sizeof back);
    SMALL_RECT rr = Rect(10, 5, 13, 7);
    ASSERT_TRUE(ReadConsoleOutputA(out, back, Coord(4, 3), Coord(0, 0), &rr));
    EXPECT_EQ(RectText(rr), "10,5,13,7");
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) {
            const CHAR_INFO &want = src[(y + 1) * 10 + x + 2];
            const CHAR_INFO &got = back[y * 4 + x];
            EXPECT_EQ(got.Char.AsciiChar, want.Char.AsciiChar) << "cell " << x << "," << y;
            EXPECT_EQ(got.Attributes, want.Attributes) << "cell " << x << "," << y;
        }

    const std::vector<CHAR_INFO> all = ReadAll();
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            if (x >= 10 && x <= 13 && y >= 5 && y <= 7) continue;
            ASSERT_EQ(all[y * width + x].Char.AsciiChar, '.') << "cell " << x << "," << y;
            ASSERT_EQ(all[y * width + x].Attributes, 0x07) << "cell " << x << "," << y;
        }
}

TEST_F(ConsoleContract, CellsReadBackWithTheCodePagesHighByteInTheUnion)
{
    // Every byte survives the trip through the console's code page; the
    // A functions leave the high byte of the UTF-16 character in the union.
    std::vector<CHAR_INFO> codes;
    for (int c = 0; c < 256; c++) codes.push_back(Cell(static_cast<unsigned char>(c), 0x1F));
    SMALL_RECT r = Rect(0, 2, 63, 5);
    ASSERT_TRUE(WriteConsoleOutputA(out, codes.data(), Coord(64, 4), Coord(0, 0), &r));
    std::vector<CHAR_INFO> back(256);
    r = Rect(0, 2, 63, 5);
    ASSERT_TRUE(ReadConsoleOutputA(out, back.data(), Coord(64, 4), Coord(0, 0), &r));
    for (int c = 0; c < 256; c++) {
        EXPECT_EQ(static_cast<unsigned char>(back[c].Char.AsciiChar), c) << "code " << c;
        EXPECT_EQ(back[c].Attributes, 0x1F) << "code " << c;
    }
    EXPECT_EQ(back[0x41].Char.UnicodeChar, 0x0041);
    EXPECT_EQ(back[0x82].Char.UnicodeChar, 0x0082);  // U+00E9
    EXPECT_EQ(back[0xC4].Char.UnicodeChar, 0x25C4);  // U+2500
    EXPECT_EQ(back[0x9E].Char.UnicodeChar, 0x209E);  // U+20A7
}

struct ClipRow {
    const char *name;
    SMALL_RECT region;
    COORD bufferCoord;
    const char *written;  // the region written back
    // The rectangle of the screen that changed (empty: nothing changed).
    int left, top, right, bottom;
};

TEST_F(ConsoleContract, WritesAreClippedToTheScreenAndTheBuffer)
{
    const ClipRow rows[] = {
        {"right edge", Rect(75, 3, 84, 4), Coord(0, 0), "75,3,79,4", 75, 3, 79, 4},
        {"bottom edge", Rect(3, 22, 5, 31), Coord(0, 0), "3,22,5,24", 3, 22, 5, 24},
        {"right and bottom", Rect(75, 22, 84, 31), Coord(2, 3), "75,22,79,24", 75, 22, 79, 24},
        {"past the buffer", Rect(0, 0, 20, 20), Coord(5, 7), "0,0,4,2", 0, 0, 4, 2},
        {"one cell in the corner", Rect(79, 24, 79, 24), Coord(9, 9), "79,24,79,24", 79, 24, 79,
         24},
    };
    const std::vector<CHAR_INFO> src = Source();
    for (const ClipRow &row : rows) {
        SCOPED_TRACE(row.name);
        Fill('.', 0x07);
        SMALL_RECT r = row.region;
        ASSERT_TRUE(WriteConsoleOutputA(out, src.data(), Coord(10, 10), row.bufferCoord, &r));
        EXPECT_EQ(RectText(r), row.written);
        const std::vector<CHAR_INFO> all = ReadAll();
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++) {
                const CHAR_INFO &got = all[y * width + x];
                if (x >= row.left && x <= row.right && y >= row.top && y <= row.bottom) {
                    const CHAR_INFO &want = src[(row.bufferCoord.Y + y - row.region.Top) * 10 +
                                                row.bufferCoord.X + x - row.region.Left];
                    ASSERT_EQ(got.Char.AsciiChar, want.Char.AsciiChar) << "cell " << x << "," << y;
                    ASSERT_EQ(got.Attributes, want.Attributes) << "cell " << x << "," << y;
                } else {
                    ASSERT_EQ(got.Char.AsciiChar, '.') << "cell " << x << "," << y;
                }
            }
    }
}

TEST_F(ConsoleContract, AWriteWhollyOutsideSucceedsAndChangesNothing)
{
    const std::vector<CHAR_INFO> src = Source();
    // Below the screen: the rectangle comes back empty.
    SMALL_RECT r = Rect(5, 30, 8, 32);
    EXPECT_TRUE(WriteConsoleOutputA(out, src.data(), Coord(10, 10), Coord(0, 0), &r));
    EXPECT_LT(r.Bottom, r.Top) << RectText(r);
    // Right of the screen.
    r = Rect(100, 5, 105, 6);
    EXPECT_TRUE(WriteConsoleOutputA(out, src.data(), Coord(10, 10), Coord(0, 0), &r));
    // Nothing of the buffer to send (origin at the buffer's end).
    r = Rect(5, 5, 7, 6);
    EXPECT_TRUE(WriteConsoleOutputA(out, src.data(), Coord(10, 10), Coord(10, 0), &r));
    EXPECT_EQ(RectText(r), "5,5,4,6");

    for (const CHAR_INFO &c : ReadAll()) ASSERT_EQ(c.Char.AsciiChar, '.');
}

TEST_F(ConsoleContract, ReadsAreClippedAndAReadWhollyOutsideFailsLeavingTheBuffer)
{
    const std::vector<CHAR_INFO> src = Source();
    SMALL_RECT w = Rect(70, 20, 79, 24);
    ASSERT_TRUE(WriteConsoleOutputA(out, src.data(), Coord(10, 10), Coord(0, 0), &w));

    std::vector<CHAR_INFO> buf(100, Cell('#', 0x5A));
    SMALL_RECT r = Rect(75, 22, 84, 31);
    ASSERT_TRUE(ReadConsoleOutputA(out, buf.data(), Coord(10, 10), Coord(0, 0), &r));
    EXPECT_EQ(RectText(r), "75,22,79,24");
    EXPECT_EQ(buf[0].Char.AsciiChar, src[2 * 10 + 5].Char.AsciiChar);
    EXPECT_EQ(buf[2 * 10 + 4].Char.AsciiChar, src[4 * 10 + 9].Char.AsciiChar);
    EXPECT_EQ(buf[5].Char.AsciiChar, '#') << "column past the screen stays";
    EXPECT_EQ(buf[3 * 10].Char.AsciiChar, '#') << "row past the screen stays";

    struct {
        const char *name;
        SMALL_RECT region;
    } outside[] = {{"right", Rect(100, 5, 105, 6)}, {"below", Rect(10, 30, 12, 31)}};
    for (auto &row : outside) {
        SCOPED_TRACE(row.name);
        std::vector<CHAR_INFO> untouched(100, Cell('#', 0x5A));
        r = row.region;
        SetLastError(0);
        EXPECT_FALSE(ReadConsoleOutputA(out, untouched.data(), Coord(10, 10), Coord(0, 0), &r));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
        for (const CHAR_INFO &c : untouched) ASSERT_EQ(c.Attributes, 0x5A);
    }
}

TEST_F(ConsoleContract, TitleIsReturnedWithItsFullLengthAndCutToTheBuffer)
{
    char saved[401] = "";
    GetConsoleTitleA(saved, sizeof saved);

    ASSERT_TRUE(SetConsoleTitleA("0123456789abcdefghij"));
    char buf[32];
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(GetConsoleTitleA(buf, sizeof buf), 20u);
    EXPECT_STREQ(buf, "0123456789abcdefghij");
    memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(GetConsoleTitleA(buf, 10), 20u) << "the full length, though cut";
    EXPECT_STREQ(buf, "012345678");
    EXPECT_EQ(buf[10], 'Z');

    // An empty title gives 0, leaves the buffer as it was, and is no error.
    ASSERT_TRUE(SetConsoleTitleA(""));
    memset(buf, 'Z', sizeof buf);
    SetLastError(0);
    EXPECT_EQ(GetConsoleTitleA(buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_EQ(buf[0], 'Z');

    const char oem[] = "\xC4\x82 x";
    ASSERT_TRUE(SetConsoleTitleA(oem));
    EXPECT_EQ(GetConsoleTitleA(buf, sizeof buf), 4u);
    EXPECT_STREQ(buf, oem);
    SetConsoleTitleA(saved);
}

TEST_F(ConsoleContract, CursorShapeAndPositionAreCheckedAndKept)
{
    CONSOLE_CURSOR_INFO saved;
    ASSERT_TRUE(GetConsoleCursorInfo(out, &saved));

    CONSOLE_CURSOR_INFO ci;
    ci.dwSize = 100;
    ci.bVisible = -1;
    ASSERT_TRUE(SetConsoleCursorInfo(out, &ci));
    ASSERT_TRUE(GetConsoleCursorInfo(out, &ci));
    EXPECT_EQ(ci.dwSize, 100u);
    EXPECT_EQ(ci.bVisible, 1) << "visibility comes back as 1";
    ci.dwSize = 18;
    ci.bVisible = 0;
    ASSERT_TRUE(SetConsoleCursorInfo(out, &ci));
    ASSERT_TRUE(GetConsoleCursorInfo(out, &ci));
    EXPECT_EQ(ci.dwSize, 18u);
    EXPECT_EQ(ci.bVisible, 0);
    for (DWORD bad : {0u, 101u}) {
        ci.dwSize = bad;
        ci.bVisible = 1;
        SetLastError(0);
        EXPECT_FALSE(SetConsoleCursorInfo(out, &ci)) << "size " << bad;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }

    ASSERT_TRUE(SetConsoleCursorPosition(out, Coord(79, 24)));
    CONSOLE_SCREEN_BUFFER_INFO info;
    ASSERT_TRUE(GetConsoleScreenBufferInfo(out, &info));
    EXPECT_EQ(info.dwCursorPosition.X, 79);
    EXPECT_EQ(info.dwCursorPosition.Y, 24);
    for (COORD bad : {Coord(80, 0), Coord(0, 25), Coord(-1, 0)}) {
        SetLastError(0);
        EXPECT_FALSE(SetConsoleCursorPosition(out, bad)) << bad.X << "," << bad.Y;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    SetConsoleCursorPosition(out, Coord(0, 0));
    SetConsoleCursorInfo(out, &saved);
}

TEST(VersionContract, OnlyTheTwoRecordSizesAreAccepted)
{
    OSVERSIONINFOA info;
    memset(&info, 0, sizeof info);
    info.dwOSVersionInfoSize = 148;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(info.dwMajorVersion, 6u);

    unsigned char ex[156];
    memset(ex, 0, sizeof ex);
    reinterpret_cast<OSVERSIONINFOA *>(ex)->dwOSVersionInfoSize = 156;
    EXPECT_TRUE(GetVersionExA(reinterpret_cast<OSVERSIONINFOA *>(ex)));

    for (DWORD size : {0u, 100u, 149u, 200u}) {
        info.dwOSVersionInfoSize = size;
        SetLastError(0);
        EXPECT_FALSE(GetVersionExA(&info)) << "size " << size;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    }
}

}  // namespace
