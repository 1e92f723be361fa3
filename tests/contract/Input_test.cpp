// The console input queue as the plugin and the host use it.
#include "Contract.h"

namespace {

class InputContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        in = OpenConsoleHandle("CONIN$");
        ASSERT_NE(in, INVALID_HANDLE_VALUE);
        ASSERT_TRUE(GetConsoleMode(in, &mode));
        ASSERT_TRUE(FlushConsoleInputBuffer(in));
    }
    void TearDown() override
    {
        FlushConsoleInputBuffer(in);
        SetConsoleMode(in, mode);
        CloseHandle(in);
    }
    DWORD Pending()
    {
        DWORD n = 99;
        EXPECT_TRUE(GetNumberOfConsoleInputEvents(in, &n));
        return n;
    }

    HANDLE in = INVALID_HANDLE_VALUE;
    DWORD mode = 0;
};

TEST_F(InputContract, TwoRecordsWrittenAtOnceArePeekedAndReadInOrder)
{
    const INPUT_RECORD two[2] = {Key('a', 'A', TRUE, LEFT_CTRL_PRESSED),
                                 Mouse(3, 4, FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK)};
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, two, 2, &written));
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(Pending(), 2u);

    INPUT_RECORD rec;
    DWORD n = 0;
    ASSERT_TRUE(PeekConsoleInputA(in, &rec, 1, &n));
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(rec.EventType, KEY_EVENT);
    EXPECT_EQ(rec.Event.KeyEvent.uChar.AsciiChar, 'a');
    EXPECT_EQ(Pending(), 2u) << "peeking takes nothing";

    ASSERT_TRUE(ReadConsoleInputA(in, &rec, 1, &n));
    ASSERT_EQ(n, 1u);
    EXPECT_EQ(rec.EventType, KEY_EVENT);
    EXPECT_EQ(rec.Event.KeyEvent.wVirtualKeyCode, 'A');
    EXPECT_EQ(rec.Event.KeyEvent.dwControlKeyState, static_cast<DWORD>(LEFT_CTRL_PRESSED));
    EXPECT_EQ(Pending(), 1u);

    INPUT_RECORD more[4];
    ASSERT_TRUE(ReadConsoleInputA(in, more, 4, &n));
    ASSERT_EQ(n, 1u) << "only what is there";
    EXPECT_EQ(more[0].EventType, MOUSE_EVENT);
    EXPECT_EQ(more[0].Event.MouseEvent.dwMousePosition.X, 3);
    EXPECT_EQ(more[0].Event.MouseEvent.dwMousePosition.Y, 4);
    EXPECT_EQ(more[0].Event.MouseEvent.dwEventFlags, static_cast<DWORD>(DOUBLE_CLICK));
    EXPECT_EQ(Pending(), 0u);

    n = 77;
    ASSERT_TRUE(PeekConsoleInputA(in, &rec, 1, &n));
    EXPECT_EQ(n, 0u) << "an empty queue peeks nothing";
}

TEST_F(InputContract, KeyRecordsKeepTheirFieldsAndCarryTheCharacterThroughTheCodePage)
{
    // A key-down of -1 (all bits), as the plugin writes them, stays -1.
    const INPUT_RECORD keys[3] = {Key('\x82', 'E', -1, SHIFT_PRESSED), Key('\xC4', 0, TRUE),
                                  Key('q', 'Q', FALSE)};
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, keys, 3, &written));
    INPUT_RECORD got[3];
    DWORD n = 0;
    ASSERT_TRUE(ReadConsoleInputA(in, got, 3, &n));
    ASSERT_EQ(n, 3u);
    EXPECT_EQ(got[0].Event.KeyEvent.bKeyDown, -1);
    EXPECT_EQ(got[0].Event.KeyEvent.uChar.UnicodeChar, 0x0082);  // U+00E9
    EXPECT_EQ(got[0].Event.KeyEvent.dwControlKeyState, static_cast<DWORD>(SHIFT_PRESSED));
    EXPECT_EQ(got[0].Event.KeyEvent.wRepeatCount, 1);
    EXPECT_EQ(got[1].Event.KeyEvent.uChar.UnicodeChar, 0x25C4);  // U+2500: high byte stays
    EXPECT_EQ(static_cast<unsigned char>(got[1].Event.KeyEvent.uChar.AsciiChar), 0xC4);
    EXPECT_EQ(got[2].Event.KeyEvent.bKeyDown, FALSE);
}

TEST_F(InputContract, RawCharacterReadsTakeKeyDownCharactersAndDropTheRest)
{
    ASSERT_TRUE(SetConsoleMode(in, 0));
    const INPUT_RECORD recs[5] = {Key('u', 'U', FALSE), Key('x', 'X', TRUE),
                                  Key(0, VK_SHIFT, TRUE), Mouse(1, 1, 0, MOUSE_MOVED),
                                  Key('\x82', 'E', TRUE)};
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, recs, 5, &written));
    char ch = 0;
    DWORD n = 0;
    ASSERT_TRUE(ReadConsoleA(in, &ch, 1, &n, nullptr));
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(ch, 'x');
    EXPECT_EQ(Pending(), 3u) << "reading stops after the one character";
    ASSERT_TRUE(ReadConsoleA(in, &ch, 1, &n, nullptr));
    EXPECT_EQ(n, 1u);
    EXPECT_EQ(ch, '\x82');
    EXPECT_EQ(Pending(), 0u);
}

TEST_F(InputContract, TheInputHandleIsSignalledWhileRecordsAreQueued)
{
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_TIMEOUT);
    const INPUT_RECORD one = Key('a', 'A', TRUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, &one, 1, &written));
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), WAIT_OBJECT_0) << "returns at once";
    EXPECT_EQ(Pending(), 1u) << "waiting takes nothing";
    ASSERT_TRUE(FlushConsoleInputBuffer(in));
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_TIMEOUT);
    SetLastError(0);
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST_F(InputContract, AWakeFindsNothingWhenAnotherReaderTookTheRecordFirst)
{
    HANDLE other = OpenConsoleHandle("CONIN$");
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    const INPUT_RECORD one = Key('a', 'A', TRUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, &one, 1, &written));
    EXPECT_EQ(WaitForSingleObject(in, INFINITE), WAIT_OBJECT_0);
    INPUT_RECORD rec;
    DWORD n = 0;
    ASSERT_TRUE(ReadConsoleInputA(other, &rec, 1, &n));
    EXPECT_EQ(n, 1u) << "the other reader takes it";
    n = 77;
    ASSERT_TRUE(PeekConsoleInputA(in, &rec, 1, &n));
    EXPECT_EQ(n, 0u) << "woken, and nothing to read";
    EXPECT_EQ(WaitForSingleObject(in, 0), WAIT_TIMEOUT) << "signalled no longer";
    CloseHandle(other);
}

TEST_F(InputContract, FlushEmptiesTheQueueAndModesAreKeptPerHandle)
{
    const INPUT_RECORD one = Key('a', 'A', TRUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteConsoleInputA(in, &one, 1, &written));
    ASSERT_TRUE(FlushConsoleInputBuffer(in));
    EXPECT_EQ(Pending(), 0u);

    EXPECT_EQ(mode, 0x1F7u) << "a new console's input mode";
    ASSERT_TRUE(SetConsoleMode(in, ENABLE_MOUSE_INPUT | ENABLE_WINDOW_INPUT));
    DWORD now = 0;
    ASSERT_TRUE(GetConsoleMode(in, &now));
    EXPECT_EQ(now, static_cast<DWORD>(ENABLE_MOUSE_INPUT | ENABLE_WINDOW_INPUT));
    HANDLE out = OpenConsoleHandle("CONOUT$");
    ASSERT_TRUE(GetConsoleMode(out, &now));
    EXPECT_EQ(now, 3u) << "the output mode is its own";
    CloseHandle(out);
}

}  // namespace
