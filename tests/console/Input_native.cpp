// ReadEvent against winsim: polling and sleeps, the non-NT character input,
// and TranslateKey touching no console.
#include "ConsoleTestUtil.h"

#include <winsim.h>

namespace {

class InputSim : public ::testing::Test {
protected:
    void SetUp() override {
        winsim::Reset();
        ResetConsole();
    }
    void TearDown() override { ResetConsole(); }
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
    ASSERT_TRUE(Screen.NotNT);
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

bool HandsOverOnF1(int Code) { return Code == kbF1; }

void PushKey(WORD Vk, char Ch = 0) {
    winsim::PushInput(KeyRecord(Vk, Ch, 0, true));
    winsim::PushInput(KeyRecord(Vk, Ch, 0, false));
}

TEST_F(InputSim, TypedAheadRecordsAreTakenInOneReadUpToAKeyThatHandsOver) {
    ConsoleStart();
    for (int I = 0; I < 3; I++) PushKey(VK_RIGHT);
    PushKey(VK_F1);
    PushKey(VK_LEFT);
    winsim::ResetCallCounts();
    const int Want[] = {kbRight, kbNone, kbRight, kbNone, kbRight, kbNone, kbF1};
    for (int Code : Want) EXPECT_EQ(ReadEvent(false, HandsOverOnF1), Code);
    EXPECT_EQ(winsim::CallCount("PeekConsoleInputA"), 1);
    EXPECT_EQ(winsim::CallCount("ReadConsoleInputA"), 1);
    // What follows F1 is still in the console, in order, for whoever reads next.
    const std::vector<INPUT_RECORD> Left = winsim::PendingInput();
    ASSERT_EQ(Left.size(), 3u);
    EXPECT_EQ(Left[0].Event.KeyEvent.wVirtualKeyCode, VK_F1);
    EXPECT_FALSE(Left[0].Event.KeyEvent.bKeyDown);
    EXPECT_EQ(Left[1].Event.KeyEvent.wVirtualKeyCode, VK_LEFT);
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbNone);
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbLeft);
}

TEST_F(InputSim, OffNTACharacterKeyIsLeftToTheCharacterInput) {
    winsim::SetPlatformNT(false);
    ConsoleStart();
    PushKey(VK_LEFT);
    PushKey('A', 'a');
    winsim::PushTypedChars("b");
    winsim::ResetCallCounts();
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbLeft);
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbNone);
    EXPECT_EQ(winsim::CallCount("ReadConsoleInputA"), 1) << "Left down and up in one read";
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), 'b');
    EXPECT_EQ(winsim::CallCount("ReadConsoleA"), 1);
}

TEST_F(InputSim, IdleInputIsWaitedForOnTheInputHandle) {
    // A wake with nothing to read (another reader was first) is followed by
    // a pause before the next wait: a wake for nothing never spins.
    for (int EmptyWakes : {0, 3}) {
        SCOPED_TRACE(::testing::Message() << EmptyWakes << " wakes for nothing");
        winsim::Reset();
        ResetConsole();
        ConsoleStart();
        for (int I = 0; I < EmptyWakes; I++) winsim::PushWakeOnWait();
        winsim::PushInputOnWait(KeyRecord(VK_RIGHT, 0, 0));
        EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbRight);
        EXPECT_EQ(winsim::CallCount("WaitForSingleObject"), 1 + EmptyWakes);
        EXPECT_EQ(winsim::TotalSleepMs(), DWORD(EmptyWakes) * 20u);
    }
}

// Another reader takes the first of the records peeked before the read.
void AnotherReaderTakesOne() {
    INPUT_RECORD Record;
    DWORD Read = 0;
    ReadConsoleInputA(Screen.InputHandle, &Record, 1, &Read);
}

TEST_F(InputSim, OnlyTheRecordsTheReadReturnedAreHandedOut) {
    ConsoleStart();
    for (WORD Vk : {VK_F2, VK_F3, VK_F4}) winsim::PushInput(KeyRecord(Vk, 0, 0));
    for (int Code : {kbF2, kbF3, kbF4}) EXPECT_EQ(ReadEvent(false, HandsOverOnF1), Code);
    // Three peeked, two read: no third key from an earlier read.
    for (WORD Vk : {VK_RIGHT, VK_LEFT, VK_UP}) winsim::PushInput(KeyRecord(Vk, 0, 0));
    winsim::SetCallLimit(2, AnotherReaderTakesOne);  // the peek, then the read
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbLeft);
    EXPECT_EQ(ReadEvent(false, HandsOverOnF1), kbUp);
    EXPECT_EQ(ReadEvent(true, HandsOverOnF1), kbIdle);
}

struct FailingCall {
    const char *Name;
    bool NotNT;
    bool Queued;  // a key is waiting (else the queue is empty and the wait fails)
};
const FailingCall FailingInputCalls[] = {
    {"PeekConsoleInputA", false, true},
    {"ReadConsoleInputA", false, true},
    {"ReadConsoleA", true, true},
    {"WaitForSingleObject", false, false},
};

void KeyArrives() { winsim::PushInput(KeyRecord('B', 'b', 0)); }

TEST_F(InputSim, AKeyIsActedOnOnlyWhenItsReadTookIt) {
    // A failure that passes is forgotten once input is read again: more of
    // them than make a lasting one, each before a key, close nothing.
    for (const FailingCall &C : FailingInputCalls) {
        SCOPED_TRACE(C.Name);
        winsim::Reset();
        ResetConsole();
        winsim::SetPlatformNT(!C.NotNT);
        ConsoleStart();
        for (int Key = 0; Key < 6; Key++) {
            if (C.Queued)
                KeyArrives();
            else
                winsim::PushInputOnWait(KeyRecord('B', 'b', 0));
            winsim::FailCall(C.Name, ERROR_ACCESS_DENIED, 1);
            EXPECT_EQ(ReadEvent(false), 'b') << "key " << Key;
        }
        EXPECT_EQ(ReadEvent(true), kbIdle) << "each taken once";
    }
    // The same for failed peeks while polling, and before a key that the
    // waiting read itself takes.
    for (bool Polling : {true, false}) {
        SCOPED_TRACE(Polling ? "polling" : "read waiting");
        winsim::Reset();
        ResetConsole();
        ConsoleStart();
        for (int Key = 0; Key < 6; Key++) {
            winsim::FailCall("PeekConsoleInputA", ERROR_ACCESS_DENIED, 1);
            // The failed peek, its pause, the peek of nothing, the read.
            if (!Polling) winsim::SetCallLimit(4, KeyArrives);
            EXPECT_EQ(ReadEvent(Polling), Polling ? int(kbIdle) : 'b') << "key " << Key;
        }
    }
}

TEST_F(InputSim, InputThatKeepsFailingGivesEscAndReleasesTheModifiers) {
    for (const FailingCall &C : FailingInputCalls) {
        SCOPED_TRACE(C.Name);
        winsim::Reset();
        ResetConsole();
        winsim::SetPlatformNT(!C.NotNT);
        ConsoleStart();
        if (C.Queued) winsim::PushInput(KeyRecord('B', 'b', 0));
        Input.CtrlDown = Input.AltDown = Input.ShiftDown = Input.PeekHeld = true;
        winsim::FailCall(C.Name);
        winsim::ResetCallCounts();
        EXPECT_EQ(ReadEvent(false), kbEsc);
        EXPECT_FALSE(Input.PeekHeld || Input.CtrlDown || Input.AltDown || Input.ShiftDown);
        EXPECT_EQ(winsim::CallCount(C.Name), 5);
        EXPECT_EQ(winsim::TotalSleepMs(), 4u * 20u) << "a tenth of a second in all";
        // Lost for good: at once from now on.
        EXPECT_EQ(ReadEvent(false), kbEsc);
        EXPECT_EQ(winsim::CallCount(C.Name), 6);
        EXPECT_EQ(winsim::TotalSleepMs(), 4u * 20u);
        // Until it works again.
        winsim::ClearFailures();
        winsim::PushInput(KeyRecord(VK_LEFT, 0, 0));
        EXPECT_EQ(ReadEvent(false), C.Queued ? int('b') : int(kbLeft));
    }
}

TEST_F(InputSim, MouseRecordSetsTheStateWithSignExtendedPositions) {
    ConsoleStart();
    winsim::PushInput(MouseRecord(-1, 70000 - 65536, FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK));
    EXPECT_EQ(ReadEvent(false), kbMouse);
    EXPECT_EQ(Input.MouseX, -1) << "positions are sign-extended";
    EXPECT_EQ(Input.MouseY, 70000 - 65536);
    EXPECT_TRUE(MouseDoubleClick());
}

TEST_F(InputSim, TranslateKeyTouchesNoConsole) {
    ConsoleStart();
    winsim::ResetCallCounts();
    for (int Vk = 0; Vk < 256; Vk++)
        for (DWORD State = 0; State < 0x40; State += 3)
            TranslateKey(KeyRecord(WORD(Vk), 'x', State), Input, Screen.NotNT,
                         Screen.OutputCodePage);
    for (const char *Name : {"PeekConsoleInputA", "ReadConsoleInputA", "ReadConsoleA",
                             "GetConsoleOutputCP", "GetVersionExA", "Sleep"})
        EXPECT_EQ(winsim::CallCount(Name), 0) << Name;
}

}  // namespace
