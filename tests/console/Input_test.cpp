// ReadEvent against the console input: modifier flags, the peek flag, the
// mouse state and its predicates. Events go in through WriteConsoleInputA.
#include "ConsoleTestUtil.h"

namespace {

class InputEvents : public ConsoleTest {
protected:
    void SetUp() override {
        ConsoleTest::SetUp();
        FlushConsoleInputBuffer(Screen.InputHandle);
    }
    void TearDown() override {
        FlushConsoleInputBuffer(Screen.InputHandle);
        ConsoleTest::TearDown();
    }
    // Queues one record as the only pending event. A terminal may put stray
    // input into the console at any moment (under Wine a closed stdin arrives
    // as a NUL key sequence), so the record is queued again until it is alone.
    void Push(const INPUT_RECORD &R) {
        for (int Try = 0; Try < 5; Try++) {
            FlushConsoleInputBuffer(Screen.InputHandle);
            DWORD Written = 0;
            ASSERT_TRUE(WriteConsoleInputA(Screen.InputHandle, &R, 1, &Written));
            ASSERT_EQ(Written, 1u);
            if (Pending() == 1) return;
        }
        FAIL() << "the console input never held just the pushed record";
    }
    void PushMore(const INPUT_RECORD &R) {
        DWORD Written = 0;
        ASSERT_TRUE(WriteConsoleInputA(Screen.InputHandle, &R, 1, &Written));
    }
    DWORD Pending() {
        DWORD Count = 0;
        GetNumberOfConsoleInputEvents(Screen.InputHandle, &Count);
        return Count;
    }
};

TEST_F(InputEvents, ModifierFlagsFollowPressesAndReleases) {
    struct Step {
        const char *Name;
        INPUT_RECORD Record;
        int Want;
        bool Ctrl, Alt, Shift, Peek;
    };
    const Step Steps[] = {
        {"Ctrl down", KeyRecord(VK_CONTROL, 0, LC), kbNone, true, false, false, false},
        {"Alt down", KeyRecord(VK_MENU, 0, LC | LA), kbNone, true, true, false, false},
        {"Shift down: all three held", KeyRecord(VK_SHIFT, 0, LC | LA | SH), kbNone, true, true,
         true, true},
        {"A pressed with all three", KeyRecord('A', 0, LC | LA | SH), kbCtrlShiftA, true, true,
         true, true},
        {"A released", KeyRecord('A', 0, LC | LA | SH, false), kbNone, true, true, true, true},
        {"Shift released clears the peek", KeyRecord(VK_SHIFT, 0, LC | LA, false), kbNone, true,
         true, false, false},
        {"Shift down again", KeyRecord(VK_SHIFT, 0, LC | LA | SH), kbNone, true, true, true, true},
        {"Ctrl released", KeyRecord(VK_CONTROL, 0, LA | SH, false), kbNone, false, true, true,
         false},
        {"Shift released", KeyRecord(VK_SHIFT, 0, LA, false), kbNone, false, true, false, false},
        // Released last: Wine's console adds events for an Alt release with
        // Ctrl held (its Alt+keypad composition).
        {"Alt released", KeyRecord(VK_MENU, 0, 0, false), kbNone, false, false, false, false},
        {"plain x", KeyRecord('X', 'x', 0), 'x', false, false, false, false},
    };
    for (const Step &S : Steps) {
        SCOPED_TRACE(S.Name);
        Push(S.Record);
        EXPECT_EQ(ReadEvent(false), S.Want);
        EXPECT_EQ(Input.CtrlDown, S.Ctrl);
        EXPECT_EQ(Input.AltDown, S.Alt);
        EXPECT_EQ(Input.ShiftDown, S.Shift);
        EXPECT_EQ(Input.PeekHeld, S.Peek);
    }
}

TEST_F(InputEvents, AltGrWithoutCharacterLeavesCtrlClearedUntilTheNextKey) {
    Push(KeyRecord('Q', 0, LEFT_CTRL_PRESSED | RIGHT_ALT_PRESSED));
    EXPECT_EQ(ReadEvent(false), 497);
    EXPECT_FALSE(Input.CtrlDown);
    EXPECT_TRUE(Input.AltDown);
    // A mouse event does not touch the flags: it sees Ctrl as cleared.
    Push(MouseRecord(1, 1, FROM_LEFT_1ST_BUTTON_PRESSED, 0, LEFT_CTRL_PRESSED));
    EXPECT_EQ(ReadEvent(false), kbMouse);
    EXPECT_FALSE(Input.MouseCtrl);
    Push(KeyRecord('Q', 0, LEFT_CTRL_PRESSED | RIGHT_ALT_PRESSED, false));
    EXPECT_EQ(ReadEvent(false), kbNone);
    EXPECT_TRUE(Input.CtrlDown) << "the next key event sets the flag again";
}

TEST_F(InputEvents, MouseEventSetsTheMouseState) {
    Push(KeyRecord(VK_CONTROL, 0, LC));
    ReadEvent(false);
    // The mouse record's own control state is not used: Ctrl comes from the last key.
    Push(MouseRecord(17, 9, FROM_LEFT_1ST_BUTTON_PRESSED, 0, 0));
    EXPECT_EQ(ReadEvent(false), kbMouse);
    EXPECT_EQ(Input.MouseX, 17);
    EXPECT_EQ(Input.MouseY, 9);
    EXPECT_EQ(Input.MouseFlags, 0u);
    EXPECT_TRUE(Input.MouseButton);
    EXPECT_TRUE(Input.MouseCtrl);
    EXPECT_TRUE(Input.CtrlDown) << "mouse events leave the modifier flags";

    Push(KeyRecord(VK_CONTROL, 0, 0, false));
    ReadEvent(false);
    Push(MouseRecord(3, 4, 0, MOUSE_MOVED, LC));
    EXPECT_EQ(ReadEvent(false), kbMouse);
    EXPECT_EQ(Input.MouseX, 3);
    EXPECT_EQ(Input.MouseY, 4);
    EXPECT_EQ(Input.MouseFlags, DWORD(MOUSE_MOVED));
    EXPECT_FALSE(Input.MouseButton);
    EXPECT_FALSE(Input.MouseCtrl);
}

TEST_F(InputEvents, MousePredicates) {
    struct Case {
        const char *Name;
        DWORD Buttons, Flags;
        bool Pressed, Released, Double, Dragged;
    };
    const Case Cases[] = {
        {"left button down", FROM_LEFT_1ST_BUTTON_PRESSED, 0, true, false, false, false},
        {"right button down", RIGHTMOST_BUTTON_PRESSED, 0, true, false, false, false},
        {"buttons up", 0, 0, false, true, false, false},
        {"middle button only counts as up", FROM_LEFT_2ND_BUTTON_PRESSED, 0, false, true, false,
         false},
        {"double click", FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK, false, false, true, false},
        {"double click, button up", 0, DOUBLE_CLICK, false, false, true, false},
        {"drag", FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_MOVED, false, false, false, true},
        {"move without button", 0, MOUSE_MOVED, false, false, false, false},
        {"wheel with button down", FROM_LEFT_1ST_BUTTON_PRESSED, MOUSE_WHEELED, false, false,
         false, false},
        {"wheel", 0x00780000, MOUSE_WHEELED, false, false, false, false},
        {"moved and double click together", FROM_LEFT_1ST_BUTTON_PRESSED,
         MOUSE_MOVED | DOUBLE_CLICK, false, false, false, false},
    };
    for (const Case &C : Cases) {
        SCOPED_TRACE(C.Name);
        Push(MouseRecord(5, 6, C.Buttons, C.Flags));
        ASSERT_EQ(ReadEvent(false), kbMouse);
        EXPECT_EQ(MousePressed(), C.Pressed);
        EXPECT_EQ(MouseReleased(), C.Released);
        EXPECT_EQ(MouseDoubleClick(), C.Double);
        EXPECT_EQ(MouseDragged(), C.Dragged);
    }
}

TEST_F(InputEvents, OtherEventsAreTakenAndGiveNone) {
    Push(KeyRecord(VK_SHIFT, 0, SH));
    ReadEvent(false);
    INPUT_RECORD Focus = {};
    Focus.EventType = FOCUS_EVENT;
    Focus.Event.FocusEvent.bSetFocus = TRUE;
    Push(Focus);
    PushMore(KeyRecord('B', 'b', 0));
    EXPECT_EQ(ReadEvent(false), kbNone);
    EXPECT_TRUE(Input.ShiftDown) << "a focus event does not touch the modifier flags";
    EXPECT_EQ(ReadEvent(false), 'b') << "the focus event alone was taken";
}

TEST_F(InputEvents, QueuedEventsComeBackInOrder) {
    Push(KeyRecord(VK_F1, 0, 0));
    PushMore(KeyRecord('A', 'a', 0));
    PushMore(KeyRecord(VK_LEFT, 0, SH));
    EXPECT_EQ(ReadEvent(true), kbF1);
    EXPECT_EQ(ReadEvent(true), 'a');
    EXPECT_EQ(ReadEvent(true), kbShiftLeft);
}

}  // namespace
