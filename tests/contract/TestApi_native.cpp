// winsim's test API: what other suites use to drive and inspect the
// substitute. Native only.
#include "Contract.h"

#include <winsim.h>

namespace {

class TestApi : public ::testing::Test {
protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override { winsim::Reset(); }
};

TEST_F(TestApi, ResetGivesTheStartState)
{
    winsim::SetConsoleSize(120, 40);
    winsim::SetTitle("t");
    winsim::SetCursorInfo(50, FALSE);
    winsim::SetCursorPos(3, 4);
    winsim::SetOutputCP(866);
    winsim::SetPlatformNT(false);
    winsim::PushInput(Key('a', 'A', TRUE));
    winsim::RegPutDword("Software\\X", "V", 1);
    winsim::SetClipboardText("clip");
    GlobalAlloc(GMEM_MOVEABLE, 4);
    winsim::FailCall("Sleep");
    Sleep(20);

    winsim::Reset();
    EXPECT_EQ(winsim::ConsoleWidth(), 80);
    EXPECT_EQ(winsim::ConsoleHeight(), 25);
    EXPECT_EQ(winsim::ScreenRow(24), std::string(80, ' '));
    EXPECT_EQ(winsim::GetCell(0, 0).Attributes, 0x07);
    EXPECT_EQ(winsim::Title(), "");
    EXPECT_EQ(winsim::CursorInfo().dwSize, 25u);
    EXPECT_EQ(winsim::CursorInfo().bVisible, TRUE);
    EXPECT_EQ(winsim::CursorPos().X, 0);
    EXPECT_EQ(GetConsoleOutputCP(), 437u);
    EXPECT_TRUE(winsim::PendingInput().empty());
    EXPECT_FALSE(winsim::RegKeyExists("Software\\X"));
    EXPECT_FALSE(winsim::ClipboardHasText());
    EXPECT_EQ(winsim::LooseGlobalBlocks(), 0);
    EXPECT_EQ(winsim::TotalSleepMs(), 0u);
    EXPECT_EQ(winsim::CallCount("GetConsoleOutputCP"), 1) << "counts restart too";
    OSVERSIONINFOA v;
    v.dwOSVersionInfoSize = sizeof v;
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
}

TEST_F(TestApi, HandlesSurviveAReset)
{
    HANDLE out = OpenConsoleHandle("CONOUT$");
    winsim::Reset();
    CONSOLE_SCREEN_BUFFER_INFO info;
    EXPECT_TRUE(GetConsoleScreenBufferInfo(out, &info));
    CloseHandle(out);
}

TEST_F(TestApi, CallsAreCountedByNameAndWritesRecordedAsPassed)
{
    HANDLE out = OpenConsoleHandle("CONOUT$");
    std::vector<CHAR_INFO> cells(4, Cell('x', 0x1E));
    SMALL_RECT r = Rect(78, 24, 81, 24);
    WriteConsoleOutputA(out, cells.data(), Coord(4, 1), Coord(0, 0), &r);
    EXPECT_EQ(winsim::CallCount("WriteConsoleOutputA"), 1);
    EXPECT_EQ(winsim::CallCount("ReadConsoleOutputA"), 0);
    EXPECT_EQ(winsim::CallCount("CreateFileA"), 1);
    const std::vector<winsim::WriteCall> calls = winsim::WriteOutputCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(RectText(calls[0].region), "78,24,81,24") << "as the caller passed it, not clipped";
    EXPECT_EQ(calls[0].bufferSize.X, 4);
    EXPECT_EQ(winsim::ScreenRow(24).substr(78), "xx");
    EXPECT_EQ(winsim::GetCell(79, 24).Attributes, 0x1E);

    winsim::ResetCallCounts();
    EXPECT_EQ(winsim::CallCount("WriteConsoleOutputA"), 0);
    CloseHandle(out);
}

TEST_F(TestApi, InjectedFailuresCountDownOrLastUntilCleared)
{
    winsim::FailCall("OpenClipboard", ERROR_ACCESS_DENIED, 2);
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_TRUE(OpenClipboard(nullptr)) << "two failures, then normal";
    CloseClipboard();
    winsim::FailCallAfter("OpenClipboard", 2, 1);
    for (bool want : {true, true, false, true}) {
        EXPECT_EQ(want, OpenClipboard(nullptr) != FALSE) << "two calls pass, one fails";
        CloseClipboard();
    }

    // Registry functions return the error and leave the last error alone.
    winsim::FailCall("RegCreateKeyExA", ERROR_ACCESS_DENIED);
    HKEY key = nullptr;
    SetLastError(0);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &key, nullptr),
                  ERROR_ACCESS_DENIED);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_FALSE(winsim::RegKeyExists("Software\\X"));
    winsim::ClearFailures();
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\X", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(winsim::CallCount("RegCreateKeyExA"), 4) << "failed calls count as calls";

    winsim::FailCall("GetConsoleScreenBufferInfo", ERROR_INVALID_HANDLE);
    winsim::FailCall("GetConsoleScreenBufferInfo", ERROR_INVALID_HANDLE, 0);
    HANDLE out = OpenConsoleHandle("CONOUT$");
    CONSOLE_SCREEN_BUFFER_INFO info;
    EXPECT_TRUE(GetConsoleScreenBufferInfo(out, &info)) << "times 0 clears one function";
    CloseHandle(out);
}

TEST_F(TestApi, FailuresStartAtACallIndexAndALimitEndsEndlessLoops)
{
    // skip 2: calls 1 and 2 pass, call 3 fails; once, or from there on.
    for (int times : {1, -1}) {
        SCOPED_TRACE(times);
        winsim::Reset();
        winsim::FailCallAfter("OpenClipboard", 2, times);
        std::string got;
        for (int i = 0; i < 5; i++) {
            got += OpenClipboard(nullptr) ? 'y' : 'n';
            CloseClipboard();
        }
        EXPECT_EQ(got, times == 1 ? "yynyy" : "yynnn");
    }
    EXPECT_EQ(winsim::CallCounts(),
              (std::map<std::string, int>{{"CloseClipboard", 5}, {"OpenClipboard", 5}}));

    static int reached;
    reached = 0;
    winsim::SetCallLimit(3, [] { reached++; });
    for (int i = 0; i < 10; i++) Sleep(1);
    EXPECT_EQ(reached, 1) << "once, at the third call";
    winsim::SetCallLimit(3, [] { reached++; });
    winsim::Reset();
    for (int i = 0; i < 10; i++) Sleep(1);
    EXPECT_EQ(reached, 1) << "a reset removes the limit";
}

TEST_F(TestApi, LargeReadsFailAboveTheLimitLikeOldConsoles)
{
    HANDLE out = OpenConsoleHandle("CONOUT$");
    winsim::SetConsoleSize(120, 100);
    winsim::SetMaxReadCells(2500);
    std::vector<CHAR_INFO> buf(120 * 100, Cell('#', 0x5A));
    SMALL_RECT r = Rect(0, 0, 119, 99);
    SetLastError(0);
    EXPECT_FALSE(ReadConsoleOutputA(out, buf.data(), Coord(120, 100), Coord(0, 0), &r));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(buf[0].Attributes, 0x5A);
    r = Rect(0, 0, 119, 19);  // 2400 cells
    EXPECT_TRUE(ReadConsoleOutputA(out, buf.data(), Coord(120, 100), Coord(0, 0), &r));
    EXPECT_EQ(buf[0].Attributes, 0x07);
    CloseHandle(out);
}

TEST_F(TestApi, ScreenCellsAreSetAndReadWithTheCodePagesHighByte)
{
    winsim::FillScreen('.', 0x17);
    winsim::SetCell(5, 2, '\xC4', 0x4E);
    winsim::SetCell(80, 0, 'x', 0x07);  // off the screen: ignored
    EXPECT_EQ(winsim::ScreenRow(2).substr(4, 3), ".\xC4.");
    EXPECT_EQ(winsim::GetCell(5, 2).Char.UnicodeChar, 0x25C4);
    EXPECT_EQ(winsim::GetCell(5, 2).Attributes, 0x4E);
    EXPECT_EQ(winsim::Screen().size(), 80u * 25u);
    EXPECT_EQ(winsim::Screen()[2 * 80 + 5].Attributes, 0x4E);
    winsim::SetOutputCP(850);
    EXPECT_EQ(winsim::GetCell(5, 2).Char.UnicodeChar, 0x00C4) << "other pages: no high byte";
}

TEST_F(TestApi, QueuedInputIsReadInOrderTypedCharactersFirst)
{
    HANDLE in = OpenConsoleHandle("CONIN$");
    winsim::PushInput(Key('\r', VK_RETURN, TRUE));
    winsim::PushInput(Mouse(7, 8, FROM_LEFT_1ST_BUTTON_PRESSED, 0));
    winsim::PushInput(Key('a', 'A', FALSE));
    ASSERT_EQ(winsim::PendingInput().size(), 3u);
    EXPECT_EQ(winsim::PendingInput()[1].Event.MouseEvent.dwMousePosition.X, 7);
    EXPECT_EQ(winsim::PendingInput()[2].Event.KeyEvent.bKeyDown, FALSE);

    winsim::PushTypedChars("zy");
    char buf[4] = {};
    DWORD n = 0;
    ASSERT_TRUE(ReadConsoleA(in, buf, 3, &n, nullptr));
    EXPECT_EQ(n, 3u);
    EXPECT_STREQ(buf, "zy\r");
    EXPECT_EQ(winsim::PendingInput().size(), 2u) << "the key read went with its record";

    // Nothing queued: returns at once with nothing (Windows would wait).
    winsim::ClearInput();
    INPUT_RECORD rec;
    ASSERT_TRUE(ReadConsoleInputA(in, &rec, 1, &n));
    EXPECT_EQ(n, 0u);
    CloseHandle(in);
}

TEST_F(TestApi, WaitsReturnAtOnceAndRecordsArriveOnePerWait)
{
    HANDLE in = OpenConsoleHandle("CONIN$");
    // Nothing queued, nothing arriving: a timeout at once, even for INFINITE.
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), WAIT_TIMEOUT);
    winsim::PushInputOnWait(Key('a', 'A', TRUE));
    winsim::PushInputOnWait(Key('a', 'A', FALSE));
    EXPECT_TRUE(winsim::PendingInput().empty()) << "not there before a wait";
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), WAIT_OBJECT_0);
    ASSERT_EQ(winsim::PendingInput().size(), 1u);
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_OBJECT_0) << "queued: no new arrival";
    EXPECT_EQ(winsim::PendingInput().size(), 1u);
    winsim::ClearInput();
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_TIMEOUT) << "cleared with the queue";
    winsim::PushWakeOnWait();
    winsim::PushInputOnWait(Key('b', 'B', TRUE));
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), WAIT_OBJECT_0) << "woken for nothing";
    EXPECT_TRUE(winsim::PendingInput().empty());
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(winsim::PendingInput().size(), 1u);
    winsim::ClearInput();
    winsim::FailCall("WaitForSingleObject", ERROR_INVALID_HANDLE, 1);
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(reinterpret_cast<HANDLE>(0x7777), 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    CloseHandle(in);
}

TEST_F(TestApi, SleepReturnsAtOnceAndAddsUp)
{
    Sleep(20);
    Sleep(20);
    EXPECT_EQ(winsim::TotalSleepMs(), 40u);
    EXPECT_EQ(winsim::CallCount("Sleep"), 2);
}

TEST_F(TestApi, TheRegistryIsSeenFromBothSides)
{
    winsim::RegPutDword("Software\\Far\\Plugins\\Quorrel", "PasteMode", 2);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "software\\far\\plugins\\quorrel", 0,
                            KEY_QUERY_VALUE, &key),
              ERROR_SUCCESS);
    DWORD value = 0, size = 4, type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "PASTEMODE", nullptr, &type, reinterpret_cast<BYTE *>(&value),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(value, 2u);
    RegCloseKey(key);

    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Far\\Colors", 0, nullptr, 0, KEY_WRITE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "CurrentPalette", 0, REG_BINARY, reinterpret_cast<const BYTE *>("\x1F\x2E"),
                   2);
    RegCloseKey(key);
    winsim::RegValue v;
    ASSERT_TRUE(winsim::RegGet("Software\\Far\\Colors", "currentpalette", &v));
    EXPECT_EQ(v.type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(v.data, (std::vector<BYTE>{0x1F, 0x2E}));
    EXPECT_EQ(winsim::RegValues("Software\\Far\\Colors").size(), 1u);
    EXPECT_TRUE(winsim::RegKeyExists("Software\\Far"));
}

TEST_F(TestApi, TheClipboardIsSeenFromBothSides)
{
    winsim::SetClipboardBytes({'a', 'b'});  // no zero: readers must stop at the block's end
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE h = GetClipboardData(CF_OEMTEXT);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 2u);
    CloseClipboard();
    EXPECT_EQ(winsim::ClipboardText(), "ab");

    winsim::SetClipboardText("line1\r\nline2");
    EXPECT_EQ(winsim::ClipboardText(), "line1\r\nline2");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT)) << "as if another program had closed it";

    winsim::SetClipboardBusy(true);
    SetLastError(0);
    EXPECT_FALSE(OpenClipboard(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    winsim::SetClipboardBusy(false);
    EXPECT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(winsim::ClipboardIsOpen());
    EmptyClipboard();
    CloseClipboard();
    EXPECT_FALSE(winsim::ClipboardIsOpen());
    EXPECT_FALSE(winsim::ClipboardHasText());

    // A block is loose until it is freed or the clipboard takes it.
    HGLOBAL kept = GlobalAlloc(GMEM_MOVEABLE, 2), given = GlobalAlloc(GMEM_MOVEABLE, 2);
    EXPECT_EQ(winsim::LooseGlobalBlocks(), 2);
    ASSERT_TRUE(OpenClipboard(nullptr));
    SetClipboardData(CF_OEMTEXT, given);
    CloseClipboard();
    EXPECT_EQ(winsim::LooseGlobalBlocks(), 1) << "the text's other code page is the clipboard's";
    GlobalFree(kept);
    EXPECT_EQ(winsim::LooseGlobalBlocks(), 0);
}

TEST_F(TestApi, VersionFollowsThePlatformSetting)
{
    winsim::SetPlatformNT(false);
    OSVERSIONINFOA v;
    v.dwOSVersionInfoSize = sizeof v;
    ASSERT_TRUE(GetVersionExA(&v));
    EXPECT_EQ(v.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    EXPECT_EQ(v.dwMajorVersion, 4u);
}

}  // namespace
