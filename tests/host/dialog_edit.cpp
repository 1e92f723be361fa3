// The dialog's edit line: its keys, how it is drawn and scrolled, and a
// script's typed text.
#include "HostTestUtil.h"

namespace {

// A find dialog at fixed corners: the edit line (item 2) takes screen
// columns 15 to 34 of row 8.
constexpr int FieldX = 15, FieldY = 8, FieldWidth = 20;

std::vector<FarDialogItem> FindItems(const std::string &Text)
{
    std::vector<FarDialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, 40, 0, "Find"),           // 0
        Item(DI_TEXT, 5, 2, 0, 0, "Name:"),                 // 1
        Item(DI_EDIT, 5, 3, 24, 0, ""),                     // 2
        Item(DI_CHECKBOX, 5, 4, 0, 0, "&Whole words"),      // 3
        Item(DI_BUTTON, 0, 6, 0, DIF_CENTERGROUP, "Find"),  // 4
        Item(DI_BUTTON, 0, 6, 0, DIF_CENTERGROUP, "Cancel"),
    };
    std::strncpy(Items[2].Data, Text.c_str(), sizeof(Items[2].Data) - 1);
    Items[0].Y2 = 7;
    Items[2].Focus = -1;
    Items[4].DefaultButton = -1;
    return Items;
}

int RunFind(std::vector<FarDialogItem> &Items)
{
    return HostDialog(0, 10, 5, 53, 13, nullptr, Items.data(), int(Items.size()));
}

std::string FieldText(const DialogCall &Call)
{
    std::string Text;
    for (int X = FieldX; X < FieldX + FieldWidth; X++)
        Text += Call.Shown[size_t(FieldY * HostScreenWidth() + X)].Char.AsciiChar;
    return Text;
}

class DialogEditTest : public HostTest {};

TEST_F(DialogEditTest, KeysTable)
{
    const std::string Abc25 = "abcdefghijklmnopqrstuvwxy";
    struct Row {
        std::string Text;  // the edit line's text when the dialog opens
        const char *Keys;
        int Result;
        std::string Data;   // the text handed back
        bool Checked;       // item 3 afterwards
        int Cursor;         // column in the field at the last drawing, -1: not in the field
        std::string Shown;  // the field's 20 cells at the last drawing ("" not checked)
    };
    const Row Rows[] = {
        {"", "a b c Enter", 4, "abc", false, 3, "abc                 "},
        {"abc", "Left Left x Enter", 4, "axbc", false, 2, "axbc                "},
        {"abc", "Home x Enter", 4, "xabc", false, 1, ""},
        {"abc", "Home Del Enter", 4, "bc", false, 0, ""},
        {"abc", "Back Enter", 4, "ab", false, 2, ""},
        {"abc", "Left Back Enter", 4, "ac", false, 1, ""},
        {"abc", "Home Back Enter", 4, "abc", false, 0, ""},      // nothing before it
        {"abc", "End Del Enter", 4, "abc", false, 3, ""},        // nothing under it
        {"abc", "Home Right Right Del Enter", 4, "ab", false, 2, ""},
        {"abc", "Right Right x Enter", 4, "abcx", false, 4, ""},  // Right stops at the end
        {"", "Space x Space Enter", 4, " x ", false, 3, ""},     // a blank is text
        {"", "w Enter", 4, "w", false, 1, ""},                   // not the check box's hotkey
        {"", "\"e acute\" Enter", 4, "e acute", false, 7, ""},
        {"ab", "CtrlA Enter", 4, "ab", false, 2, ""},             // no editing with Ctrl
        {"ab", "Tab Space Enter", 4, "ab", true, -1, ""},        // Tab leaves the line
        {"ab", "Down Up x Enter", 4, "abx", false, 3, ""},       // back: the end again
        {"ab", "ShiftTab ShiftTab ShiftTab ShiftTab x Enter", 4, "abx", false, 3, ""},  // round
        {"ab", "x Esc", -1, "abx", false, 3, ""},                // handed back even so
        // Longer than the field: the line scrolls to keep the insertion
        // point inside, one blank after the text at its end.
        {"", "\"abcdefghijklmnopqrstuvwxy\" Enter", 4, Abc25, false, 19,
         "ghijklmnopqrstuvwxy "},
        {Abc25, "Enter", 4, Abc25, false, 19, "ghijklmnopqrstuvwxy "},
        {Abc25, "Home Enter", 4, Abc25, false, 0, "abcdefghijklmnopqrst"},
        {Abc25, "Home End Left Left Enter", 4, Abc25, false, 17, "ghijklmnopqrstuvwxy "},
        {Abc25, "Home Right Right Del Enter", 4, "abdefghijklmnopqrstuvwxy", false, 2,
         "abdefghijklmnopqrstu"},
        {std::string(511, 'z'), "x Enter", 4, std::string(511, 'z'), false, 19, ""},  // full
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE("\"" + R.Text.substr(0, 30) + "\" then " + R.Keys);
        FlushConsoleInputBuffer(HostInputHandle());
        HostReset();
        HostSetInputEndsUi(true);
        std::vector<FarDialogItem> Items = FindItems(R.Text);
        Keys(R.Keys);
        EXPECT_EQ(R.Result, RunFind(Items));
        EXPECT_EQ(R.Data, std::string(Items[2].Data));
        EXPECT_EQ(R.Checked, Items[3].Selected != 0);
        ASSERT_EQ(1u, HostDialogCalls().size());
        const DialogCall &Call = HostDialogCalls()[0];
        EXPECT_EQ(R.Data, std::string(Call.Returned[2].Data));
        if (R.Cursor >= 0) {
            EXPECT_EQ(FieldY, Call.Cursor.Y);
            EXPECT_EQ(FieldX + R.Cursor, Call.Cursor.X);
        } else {
            EXPECT_NE(FieldY, Call.Cursor.Y);
        }
        if (!R.Shown.empty()) {
            EXPECT_EQ(R.Shown, FieldText(Call));
        }
    }
}

TEST_F(DialogEditTest, DrawnInTheEditColourFromX1ToX2)
{
    std::vector<FarDialogItem> Items = FindItems("lefty");
    Items.push_back(Item(DI_PSWEDIT, 28, 5, 33, 0, "secret"));  // not focused: from its start
    Keys("End");
    RunFind(Items);
    const DialogCall &Call = HostDialogCalls().at(0);
    auto At = [&](int X, int Y) { return Call.Shown[size_t(Y * HostScreenWidth() + X)]; };
    for (int X = FieldX; X < FieldX + FieldWidth; X++)
        EXPECT_EQ(0x30, At(X, FieldY).Attributes) << X;
    EXPECT_EQ(0x70, At(FieldX - 1, FieldY).Attributes);
    EXPECT_EQ(0x70, At(FieldX + FieldWidth, FieldY).Attributes);
    EXPECT_EQ("lefty               ", FieldText(Call));
    std::string Stars;
    for (int X = 38; X <= 43; X++) {
        Stars += At(X, 10).Char.AsciiChar;
        EXPECT_EQ(0x30, At(X, 10).Attributes);
    }
    EXPECT_EQ("******", Stars);
}

TEST_F(DialogEditTest, ScriptsTypeIntoTheLine)
{
    std::vector<FarDialogItem> Items = FindItems("old");
    Items[3].Selected = 1;
    HostQueueDialog(4, {{2, 0, std::string("leftwards arrow")}, {3, 0}});
    EXPECT_EQ(4, RunFind(Items));
    EXPECT_STREQ("leftwards arrow", Items[2].Data);
    EXPECT_EQ(0, Items[3].Selected);
    const DialogCall &Call = HostDialogCalls().at(0);
    EXPECT_STREQ("old", Call.Items[2].Data);
    EXPECT_STREQ("leftwards arrow", Call.Returned[2].Data);
    EXPECT_TRUE(Call.Shown.empty());

    // A scripted text is cut to the field's 511 characters.
    HostQueueDialog(4, {{2, 0, std::string(600, 'q')}});
    RunFind(Items);
    EXPECT_EQ(std::string(511, 'q'), std::string(Items[2].Data));
}

TEST_F(DialogEditTest, ATextWithoutItsZeroIsCut)
{
    std::vector<FarDialogItem> Items = FindItems("");
    std::memset(Items[2].Data, 'a', sizeof(Items[2].Data));
    Keys("Back Enter");
    EXPECT_EQ(4, RunFind(Items));
    EXPECT_EQ(std::string(510, 'a'), std::string(Items[2].Data));
}

}  // namespace
