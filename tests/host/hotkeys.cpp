// Far's hotkey marks in dialog and menu texts: '&' before the hotkey
// letter, "&&" for an ampersand that marks nothing.
#include "HostTestUtil.h"

#include "HostInternal.h"

namespace {

class HotkeyTest : public HostTest {};

TEST_F(HotkeyTest, TextsShownAndTheirHotkeys)
{
    const struct {
        const char *Text, *Shown;
        char Hotkey;
        int At;  // where Shown has it
    } Rows[] = {
        {"&Copy", "Copy", 'C', 0},
        {"H&TML", "HTML", 'T', 1},
        {"&&#233;", "&#233;", 0, -1},
        {"H&TML  &&#233;", "HTML  &#233;", 'T', 1},
        {"A&&B &Second", "A&B Second", 'S', 4},
        {"Tail&", "Tail&", 0, -1},
        {"plain", "plain", 0, -1},
    };
    for (const auto &R : Rows) {
        SCOPED_TRACE(R.Text);
        EXPECT_EQ(R.Shown, StripHotkey(R.Text));
        EXPECT_EQ(R.Hotkey, HotkeyOf(R.Text));
        EXPECT_EQ(R.At, HotkeyPos(R.Text));
    }
}

TEST_F(HotkeyTest, DialogDrawsAnAmpersandAndTakesTheLetterAfterIt)
{
    std::vector<FarDialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, 30, 0, "Forms"),
        Item(DI_RADIOBUTTON, 5, 2, 0, DIF_GROUP, "&First"),
        Item(DI_RADIOBUTTON, 5, 3, 0, 0, "A&&B &Second"),
        Item(DI_BUTTON, 0, 4, 0, DIF_CENTERGROUP, "OK"),
    };
    Items[0].Y2 = 5;
    Items[1].Selected = Items[1].Focus = -1;
    Items[3].DefaultButton = -1;
    Keys("s Enter");
    ASSERT_EQ(3, HostDialog(0, 10, 5, 43, 11, nullptr, Items.data(), int(Items.size())));
    EXPECT_FALSE(Items[1].Selected);
    EXPECT_TRUE(Items[2].Selected);

    const DialogCall &Call = HostDialogCalls().back();
    auto Cell = [&](int X) { return Call.Shown[size_t((5 + 3) * HostScreenWidth() + 10 + 5 + X)]; };
    std::string Row;
    for (int X = 4; X < 14; X++) Row += Cell(X).Char.AsciiChar;
    EXPECT_EQ("A&B Second", Row);
    EXPECT_EQ(ColDialogHighlight, Cell(8).Attributes) << "S is the hotkey";
    EXPECT_NE(ColDialogHighlight, Cell(5).Attributes) << "the ampersand is no hotkey";
}

}  // namespace
