// Messages, dialog items, help and the copy of the host's startup record.
#include "ServicesFixture.h"

#include "DialogItems.h"
#include "Help.h"

#include <algorithm>
#include <cstring>

namespace {

class MessagesTest : public ServicesTest {};

// ---- messages ----

TEST_F(MessagesTest, MsgUsesTheLowSevenBitsAndTheModuleNumber)
{
    Start();
    EXPECT_STREQ("M2", Msg(130));
    ASSERT_FALSE(Host.MsgRequests.empty());
    EXPECT_EQ(2, Host.MsgRequests.back());
    Msg(127);
    EXPECT_EQ(127, Host.MsgRequests.back());
}

TEST_F(MessagesTest, MsgWithoutAHostTextIsEmpty)
{
    EXPECT_STREQ("", Msg(0));  // before the host's record is in
    Start();
    Host.Messages.resize(3);
    EXPECT_STREQ("M2", Msg(2));
    EXPECT_STREQ("", Msg(21));  // the host has no text for it
}

TEST_F(MessagesTest, LoadMessagesFillsEveryMessageVariable)
{
    Start();
    const MessageTexts Texts = LoadMessages();
    EXPECT_EQ("M0", Texts.PluginTitle);
    EXPECT_EQ(" - Far", Texts.TitleSuffix);
    EXPECT_STREQ("M1", Texts.StatusFormat);
    EXPECT_EQ(Host.Messages[1].c_str(), Texts.StatusFormat);  // the host's own pointer
    EXPECT_EQ("M3", Texts.IdentityTableName);
    EXPECT_EQ("M4", Texts.WindowsTableName);
    EXPECT_EQ("M5", Texts.DecimalPrompt);
    EXPECT_EQ("M6", Texts.HexPrompt);
    // A second opening in another language has the new texts.
    Host.Messages[0] = "Kvorrel";
    EXPECT_EQ("Kvorrel", LoadMessages().PluginTitle);
}

// ---- BuildDialogItems ----

const DialogItemInit ThreeItems[3] = {
    {DI_DOUBLEBOX, 3, 1, 30, 0, 0},
    {DI_TEXT, 0, 2, 0, DIF_BOXCOLOR | DIF_SEPARATOR, 5},
    {DI_BUTTON, 4, 6, 9, DIF_CENTERGROUP, 19},
};

TEST_F(MessagesTest, BuildDialogItemsCopiesFieldsAndTextButNotForSeparators)
{
    Start();
    FarDialogItem Items[3];
    std::memset(Items, 0x5A, sizeof(Items));  // must all be cleared
    BuildDialogItems(ThreeItems, 3, Items, 2, 2);
    EXPECT_EQ(DI_DOUBLEBOX, Items[0].Type);
    EXPECT_EQ(3, Items[0].X1);
    EXPECT_EQ(1, Items[0].Y1);
    EXPECT_EQ(30, Items[0].X2);
    EXPECT_EQ(7, Items[0].Y2);  // last item's Y1 + 1
    EXPECT_STREQ("M0", Items[0].Data);
    EXPECT_EQ(DWORD(DIF_BOXCOLOR | DIF_SEPARATOR), Items[1].Flags);
    EXPECT_STREQ("", Items[1].Data);  // a separator has no text, whatever its message
    EXPECT_STREQ("M19", Items[2].Data);
    EXPECT_EQ(4, Items[2].X1);
    EXPECT_EQ(9, Items[2].X2);
    EXPECT_EQ(0, Items[2].Y2);
    for (int I = 0; I < 3; I++) {
        SCOPED_TRACE("item " + std::to_string(I));
        EXPECT_EQ(0, Items[I].Selected);
        EXPECT_EQ(I == 2 ? -1 : 0, Items[I].Focus);
        EXPECT_EQ(I == 2 ? -1 : 0, Items[I].DefaultButton);
        EXPECT_EQ(0, Items[I].Data[std::strlen(Items[I].Data) + 1]);
    }
}

TEST_F(MessagesTest, BuildDialogItemsFallsBackToDefaultAndFocusIndexes)
{
    Start();
    std::vector<DialogItemInit> Inits(19, DialogItemInit{DI_TEXT, 5, 2, 0, 0, 7});
    for (int I = 0; I < 19; I++) Inits[I].Y1 = I;
    const struct {
        int Focus, Default, ExpectFocus, ExpectDefault;
    } Rows[] = {{0, 0, 2, 17}, {19, 25, 2, 17}, {5, 3, 5, 3}, {18, 18, 18, 18}};
    for (const auto &Row : Rows) {
        SCOPED_TRACE("focus " + std::to_string(Row.Focus) + " default " +
                     std::to_string(Row.Default));
        std::vector<FarDialogItem> Items(19);
        BuildDialogItems(Inits.data(), 19, Items.data(), Row.Focus, Row.Default);
        for (int I = 0; I < 19; I++) {
            EXPECT_EQ(I == Row.ExpectFocus ? -1 : 0, Items[I].Focus) << "item " << I;
            EXPECT_EQ(I == Row.ExpectDefault ? -1 : 0, Items[I].DefaultButton) << "item " << I;
        }
        EXPECT_EQ(19, Items[0].Y2);
    }
}

TEST_F(MessagesTest, LongMessageIsCutToTheDataFieldWithItsZero)
{
    Host.Messages[19] = std::string(600, 'w');
    Start();
    FarDialogItem Items[4];
    std::memset(Items, 0x5A, sizeof(Items));
    const DialogItemInit Inits[3] = {ThreeItems[0], ThreeItems[1], ThreeItems[2]};
    BuildDialogItems(Inits, 3, Items, 2, 2);
    EXPECT_EQ(sizeof(Items[2].Data) - 1, std::strlen(Items[2].Data));
    // The record after the last one built is untouched.
    EXPECT_EQ(0x5A5A5A5A, Items[3].Type);
}

// ---- help ----

TEST_F(MessagesTest, NewHostShowsHelpThroughShowHelp)
{
    Start(StartupInfoWithShowHelp);
    OpenConsoleInput();
    PluginHelp();
    ASSERT_EQ(1u, Host.Helps.size());
    EXPECT_EQ(Host.ModuleName, Host.Helps[0].ModuleName);
    EXPECT_FALSE(Host.Helps[0].HasTopic);
    EXPECT_EQ(0u, Host.Helps[0].Flags);
    ASSERT_EQ(1u, Host.Texts.size());  // the flush request
    EXPECT_FALSE(Host.Texts[0].HasText);
    EXPECT_EQ(0, Host.Texts[0].X);
    EXPECT_EQ(0, Host.Texts[0].Y);
    EXPECT_EQ(0, Host.Texts[0].Color);
    EXPECT_TRUE(Host.Dialogs.empty());
    EXPECT_TRUE(TakeConsoleInput().empty());
}

TEST_F(MessagesTest, OldHostGetsTheHelpDialogWithAPendingF1)
{
    Start(StartupInfoWithShowHelp - 1);
    EXPECT_EQ(nullptr, HostInfo.ShowHelp);  // not copied from the shorter record
    OpenConsoleInput();
    std::vector<INPUT_RECORD> Pending;
    Host.DialogScript = [&Pending](FarDialogItem *, int) {
        Pending = TakeConsoleInput();  // what the host's dialog reads first
        return -1;
    };
    PluginHelp();
    EXPECT_TRUE(Host.Helps.empty());
    ASSERT_EQ(1u, Host.Dialogs.size());
    const fake::DialogCall &D = Host.Dialogs[0];
    EXPECT_EQ(-1, D.X1);
    EXPECT_EQ(-1, D.Y1);
    EXPECT_EQ(24, D.X2);
    EXPECT_EQ(5, D.Y2);
    EXPECT_EQ("Contents", D.HelpTopic);
    ASSERT_EQ(2u, D.Items.size());
    EXPECT_EQ(DI_DOUBLEBOX, D.Items[0].Type);
    EXPECT_EQ(3, D.Items[0].Y2);
    EXPECT_STREQ("M21", D.Items[0].Data);
    EXPECT_EQ(DI_BUTTON, D.Items[1].Type);
    EXPECT_EQ(DWORD(DIF_CENTERGROUP), D.Items[1].Flags);
    EXPECT_STREQ("M19", D.Items[1].Data);
    EXPECT_EQ(-1, D.Items[1].Focus);
    EXPECT_EQ(-1, D.Items[1].DefaultButton);
    EXPECT_EQ(0, D.Items[0].Focus);

    ASSERT_EQ(1u, Pending.size());
    const KEY_EVENT_RECORD &Key = Pending[0].Event.KeyEvent;
    EXPECT_EQ(KEY_EVENT, Pending[0].EventType);
    EXPECT_TRUE(Key.bKeyDown);
    EXPECT_EQ(1, Key.wRepeatCount);
    EXPECT_EQ(VK_F1, Key.wVirtualKeyCode);
    EXPECT_EQ(0, Key.uChar.AsciiChar);
    EXPECT_EQ(0u, Key.dwControlKeyState & (LEFT_CTRL_PRESSED | SHIFT_PRESSED | LEFT_ALT_PRESSED));
}

// ---- startup record ----

TEST_F(MessagesTest, ShorterRecordIsCopiedOnlyAsFarAsItGoes)
{
    PluginStartupInfo Full = fake::MakeStartupInfo(Host);
    const int Size = StartupInfoWithShowHelp - 1;
    // The host's record really ends there: bytes after it are not the host's.
    std::vector<char> Record(sizeof(PluginStartupInfo), char(0xAB));
    std::memcpy(Record.data(), &Full, Size);
    reinterpret_cast<PluginStartupInfo *>(Record.data())->StructSize = Size;
    StartWith(reinterpret_cast<const PluginStartupInfo *>(Record.data()));
    EXPECT_EQ(Size, HostInfo.StructSize);
    EXPECT_EQ(Full.GetMsg, HostInfo.GetMsg);
    EXPECT_EQ(Full.EditorControl, HostInfo.EditorControl);
    const char *Bytes = reinterpret_cast<const char *>(&HostInfo);
    for (size_t I = Size; I < sizeof(HostInfo); I++) EXPECT_EQ(0, Bytes[I]) << "byte " << I;
}

TEST_F(MessagesTest, LongerRecordIsCopiedUpToOurSize)
{
    struct Newer {
        PluginStartupInfo Info;
        void *MoreServices[4];
    } Record;
    std::memset(&Record, 0xCD, sizeof(Record));
    Record.Info = fake::MakeStartupInfo(Host, sizeof(Record));
    StartWith(&Record.Info);
    EXPECT_EQ(int(sizeof(Record)), HostInfo.StructSize);
    EXPECT_EQ(Record.Info.ShowHelp, HostInfo.ShowHelp);
    OpenConsoleInput();
    PluginHelp();
    EXPECT_EQ(1u, Host.Helps.size());
    EXPECT_TRUE(Host.Dialogs.empty());
}

}  // namespace
