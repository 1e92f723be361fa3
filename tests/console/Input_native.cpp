// ReadEvent against winsim: polling and sleeps, the non-NT character input,
// and TranslateKey touching no console.
#include "ConsoleTestUtil.h"

#include <winsim.h>

namespace {

class InputSim : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::Reset();
        ConsoleResetForTests();
    }
    void TearDown() override { ConsoleResetForTests(); }
};

TEST_F(InputSim, NoWaitOnAnEmptyQueueSleepsTwiceAndReportsIdle) {
    ConsoleStart();
    winsim::ResetCallCounts();
    EXPECT_EQ(ReadEvent(true), kbIdle);
    EXPECT_EQ(winsim::CallCount("PeekConsoleInputA"), 1);
    EXPECT_EQ(winsim::CallCount("Sleep"), 2);
    EXPECT_EQ(winsim::CallCount("ReadConsoleInputA"), 0);
}

TEST_F(InputSim, WaitingEventIsTakenWithoutSleeping) {
    ConsoleStart();
    winsim::PushInput(KeyRecord(VK_F2, 0, 0));
    winsim::ResetCallCounts();
    EXPECT_EQ(ReadEvent(false), kbF2);
    EXPECT_EQ(winsim::CallCount("Sleep"), 0);
    EXPECT_EQ(winsim::CallCount("PeekConsoleInputA"), 1);
    EXPECT_EQ(winsim::CallCount("ReadConsoleInputA"), 1);
    EXPECT_EQ(winsim::CallCount("ReadConsoleA"), 0);
    EXPECT_TRUE(winsim::PendingInput().empty());
}

TEST_F(InputSim, EachCallTakesExactlyOneEvent) {
    ConsoleStart();
    winsim::PushInput(KeyRecord(VK_CONTROL, 0, LEFT_CTRL_PRESSED));
    INPUT_RECORD Focus = {};
    Focus.EventType = FOCUS_EVENT;
    winsim::PushInput(Focus);
    winsim::PushInput(MouseRecord(1, 2, 0, MOUSE_MOVED));
    winsim::PushInput(KeyRecord('A', 'a', 0, false));
    winsim::PushInput(KeyRecord('A', 'a', 0));
    const int Want[] = {kbNone, kbNone, kbMouse, kbNone, 'a'};
    for (size_t I = 0; I < 5; I++) {
        EXPECT_EQ(ReadEvent(false), Want[I]) << "event " << I;
        EXPECT_EQ(winsim::PendingInput().size(), 4 - I) << "event " << I;
    }
    EXPECT_EQ(ReadEvent(true), kbIdle);
}

TEST_F(InputSim, NonNTTakesCharacterKeysThroughTheCharacterInput) {
    winsim::SetPlatformNT(false);
    ConsoleStart();
    ASSERT_TRUE(NotNT);
    struct Case {
        const char *Name;
        WORD Vk;
        char Ch;
        DWORD State;
        std::string Typed;  // what the character input delivers
        int Want;
        int CharReads;
    };
    const Case Cases[] = {
        {"the character read wins over the record's", 'A', 'a', 0, "b", 'b', 1},
        {"a 13 for another key: the next character", 'A', 'a', 0, "\rc", 'c', 2},
        {"Backspace", VK_BACK, 8, 0, "\b", 8, 1},
        {"Space", VK_SPACE, ' ', 0, " ", ' ', 1},
        {"character 0xE9", 0xDE, char(0xE9), 0, "\xE9", 0xE9, 1},
        {"Enter stays a key event", VK_RETURN, 13, 0, "", kbEnter, 0},
        {"Esc stays a key event", VK_ESCAPE, 27, 0, "", kbEsc, 0},
        {"F1 stays a key event", VK_F1, 0, 0, "", kbF1, 0},
        {"Alt+a stays a key event", 'A', 'a', LEFT_ALT_PRESSED, "", 481, 0},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        winsim::ClearInput();
        winsim::PushInput(KeyRecord(C.Vk, C.Ch, C.State));
        if (!C.Typed.empty()) winsim::PushTypedChars(C.Typed);
        winsim::ResetCallCounts();
        EXPECT_EQ(ReadEvent(false), C.Want);
        EXPECT_EQ(winsim::CallCount("ReadConsoleA"), C.CharReads);
        EXPECT_EQ(winsim::CallCount("ReadConsoleInputA"), C.CharReads ? 0 : 1);
    }
}

TEST_F(InputSim, NonNTCharacterInputWithoutTypedCharsTakesTheKeyItself) {
    winsim::SetPlatformNT(false);
    ConsoleStart();
    winsim::PushInput(KeyRecord('Q', 'q', 0));
    EXPECT_EQ(ReadEvent(false), 'q');
    EXPECT_TRUE(winsim::PendingInput().empty());
}

TEST_F(InputSim, MouseRecordSetsTheStateWithSignExtendedPositions) {
    ConsoleStart();
    winsim::PushInput(MouseRecord(-1, 70000 - 65536, FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK));
    EXPECT_EQ(ReadEvent(false), kbMouse);
    EXPECT_EQ(MouseX, -1) << "positions are sign-extended";
    EXPECT_EQ(MouseY, 70000 - 65536);
    EXPECT_TRUE(MouseDoubleClick());
}

TEST_F(InputSim, TranslateKeyTouchesNoConsole) {
    ConsoleStart();
    winsim::ResetCallCounts();
    for (int Vk = 0; Vk < 256; Vk++)
        for (DWORD State = 0; State < 0x40; State += 3) TranslateKey(KeyRecord(WORD(Vk), 'x', State));
    for (const char *Name : {"PeekConsoleInputA", "ReadConsoleInputA", "ReadConsoleA",
                             "GetConsoleOutputCP", "GetVersionExA", "Sleep"})
        EXPECT_EQ(winsim::CallCount(Name), 0) << Name;
}

}  // namespace
