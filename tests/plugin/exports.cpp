// The exports' records, the start-up block and the options dialog.
#include "PluginFixture.h"

#include <algorithm>
#include <cstring>

namespace {

// ---- options dialog ----

class OptionsTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        Start();
    }
    const fake::DialogCall &OnlyDialog()
    {
        EXPECT_EQ(1u, Host.Dialogs.size());
        return Host.Dialogs.front();
    }
};

TEST_F(OptionsTest, GeometryTitleAndTexts)
{
    Configure(0);
    const fake::DialogCall &D = OnlyDialog();
    EXPECT_EQ(Host.ModuleNumber, D.PluginNumber);
    EXPECT_EQ(-1, D.X1);
    EXPECT_EQ(-1, D.Y1);
    EXPECT_EQ(64, D.X2);
    EXPECT_EQ(21, D.Y2);
    EXPECT_EQ("Options", D.HelpTopic);
    ASSERT_EQ(19u, D.Items.size());
    const FarDialogItem &Frame = D.Items[0];
    EXPECT_EQ(DI_DOUBLEBOX, Frame.Type);
    EXPECT_EQ(3, Frame.X1);
    EXPECT_EQ(1, Frame.Y1);
    EXPECT_EQ(60, Frame.X2);
    EXPECT_EQ(19, Frame.Y2);
    EXPECT_STREQ("M0", Frame.Data);

    // Type, line, flags and message of every item.
    const struct {
        int Type, Y1;
        DWORD Flags;
        const char *Text;
    } Expected[19] = {
        {DI_DOUBLEBOX, 1, 0, "M0"},
        {DI_TEXT, 2, 0, "M7"},
        {DI_RADIOBUTTON, 3, DIF_GROUP, "M8"},
        {DI_RADIOBUTTON, 4, 0, "M9"},
        {DI_RADIOBUTTON, 5, 0, "M10"},
        {DI_TEXT, 6, 0x10200, ""},
        {DI_RADIOBUTTON, 7, DIF_GROUP, "M11"},
        {DI_RADIOBUTTON, 8, 0, "M12"},
        {DI_TEXT, 9, 0x10200, ""},
        {DI_RADIOBUTTON, 10, DIF_GROUP, "M13"},
        {DI_RADIOBUTTON, 11, 0, "M14"},
        {DI_RADIOBUTTON, 12, 0, "M15"},
        {DI_TEXT, 13, 0x10200, ""},
        {DI_CHECKBOX, 14, 0, "M16"},
        {DI_CHECKBOX, 15, 0, "M17"},
        {DI_CHECKBOX, 16, 0, "M18"},
        {DI_TEXT, 17, 0x10200, ""},
        {DI_BUTTON, 18, DIF_CENTERGROUP, "M19"},
        {DI_BUTTON, 18, DIF_CENTERGROUP, "M20"},
    };
    for (int I = 0; I < 19; I++) {
        SCOPED_TRACE("item " + std::to_string(I));
        EXPECT_EQ(Expected[I].Type, D.Items[I].Type);
        EXPECT_EQ(Expected[I].Y1, D.Items[I].Y1);
        EXPECT_EQ(Expected[I].Flags, D.Items[I].Flags);
        EXPECT_STREQ(Expected[I].Text, D.Items[I].Data);
        EXPECT_EQ(I == 17 ? -1 : 0, D.Items[I].DefaultButton);
        EXPECT_EQ(I == 2 ? -1 : 0, D.Items[I].Focus);
        if (I > 0) {
            EXPECT_EQ(0, D.Items[I].Y2);
        }
        if (I >= 1 && I <= 15 && Expected[I].Flags != 0x10200) {
            EXPECT_EQ(5, D.Items[I].X1);
        }
    }
}

// Settings -> items shown selected.
TEST_F(OptionsTest, SettingsAreShownInTheirItems)
{
    const struct {
        int Paste, Type;
        bool Copy, Editor, Cmdline, WinTable;
        std::vector<int> Selected;
    } Rows[] = {
        {0, 0, true, false, false, false, {2, 6, 9}},
        {1, 1, false, true, false, false, {3, 7, 10, 13}},
        {2, 2, true, false, true, true, {4, 6, 11, 14, 15}},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("paste " + std::to_string(Row.Paste) + " type " + std::to_string(Row.Type));
        Host.Dialogs.clear();
        Settings.PasteMode = Paste(Row.Paste);
        Settings.TypeMode = Typing(Row.Type);
        Settings.CopyMode = Row.Copy;
        Settings.ShowEditorChar = Row.Editor;
        Settings.ShowCmdlineChar = Row.Cmdline;
        Settings.ShowWinTable = Row.WinTable;
        Configure(0);
        const fake::DialogCall &D = OnlyDialog();
        for (int I = 0; I < 19; I++) {
            bool On = std::find(Row.Selected.begin(), Row.Selected.end(), I) != Row.Selected.end();
            EXPECT_EQ(On ? -1 : 0, D.Items[I].Selected) << "item " << I;
        }
    }
}

// Items the user left selected -> settings, after the confirm button.
TEST_F(OptionsTest, ConfirmReadsTheItemsBackAndWritesAllSix)
{
    const struct {
        std::vector<int> Selected;
        int Paste, Type;
        bool Copy, Editor, Cmdline, WinTable;
    } Rows[] = {
        {{2, 6, 9}, 0, 0, true, false, false, false},
        {{3, 7, 10, 13}, 1, 1, false, true, false, false},
        {{4, 7, 11, 14, 15}, 2, 2, false, false, true, true},
        {{}, 2, 2, false, false, false, false},  // nothing selected: last of each group
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("row with paste " + std::to_string(Row.Paste));
        ClearRegValues(SettingsPath());
        Host.Dialogs.clear();
        Host.DialogScript = [&Row](FarDialogItem *Items, int Count) {
            for (int I = 0; I < Count; I++) Items[I].Selected = 0;
            for (int I : Row.Selected) Items[I].Selected = 1;  // any nonzero counts
            return 17;
        };
        Chart.LastChar = 77;
        EXPECT_EQ(-1, Configure(3));
        EXPECT_EQ(Row.Paste, int(Settings.PasteMode));
        EXPECT_EQ(Row.Type, int(Settings.TypeMode));
        EXPECT_EQ(Row.Copy, Settings.CopyMode);
        EXPECT_EQ(Row.Editor, Settings.ShowEditorChar);
        EXPECT_EQ(Row.Cmdline, Settings.ShowCmdlineChar);
        EXPECT_EQ(Row.WinTable, Settings.ShowWinTable);
        const struct {
            const char *Name;
            DWORD Value;
        } Stored[] = {{"PasteMode", DWORD(Row.Paste)}, {"TypeMode", DWORD(Row.Type)},
                      {"CopyMode", Row.Copy},          {"ShowEditorChar", Row.Editor},
                      {"ShowCmdlineChar", Row.Cmdline}, {"ShowWinTable", Row.WinTable}};
        for (const auto &S : Stored) {
            StoredValue V = GetRegValue(SettingsPath(), S.Name);
            EXPECT_TRUE(V.Exists) << S.Name;
            EXPECT_EQ(DwordBytes(S.Value), V.Data) << S.Name;
        }
        EXPECT_FALSE(GetRegValue(SettingsPath(), "LastChar").Exists);
    }
}

TEST_F(OptionsTest, AnythingButConfirmChangesAndWritesNothing)
{
    for (int Result : {-1, 18, 0, 2, 16}) {
        SCOPED_TRACE("dialog result " + std::to_string(Result));
        ClearRegValues(SettingsPath());
        Host.DialogScript = [Result](FarDialogItem *Items, int) {
            Items[2].Selected = -1;
            Items[3].Selected = 0;
            Items[7].Selected = -1;
            Items[6].Selected = 0;
            Items[15].Selected = -1;
            return Result;
        };
        Settings.PasteMode = Paste(1);
        Settings.CopyMode = true;
        Settings.ShowWinTable = false;
        EXPECT_EQ(0, Configure(0));
        EXPECT_EQ(1, int(Settings.PasteMode));
        EXPECT_TRUE(Settings.CopyMode);
        EXPECT_FALSE(Settings.ShowWinTable);
        for (const char *Name : {"PasteMode", "TypeMode", "CopyMode", "ShowEditorChar",
                                 "ShowCmdlineChar", "ShowWinTable"})
            EXPECT_FALSE(GetRegValue(SettingsPath(), Name).Exists) << Name;
    }
}

TEST_F(OptionsTest, OptionsHookShowsTheDialog)
{
    Host.DialogScript = [](FarDialogItem *Items, int) {
        Items[15].Selected = -1;
        return 17;
    };
    ShowOptions();
    EXPECT_EQ(1u, Host.Dialogs.size());
    EXPECT_TRUE(Settings.ShowWinTable);
}

// ---- the exports and the start-up block ----

class ExportsTest : public PluginTest {};

TEST_F(ExportsTest, GetPluginInfoWritesItsFieldsOnly)
{
    Start();
    PluginInfo Info;
    std::memset(&Info, 0x5A, sizeof(Info));
    PluginInfo Before = Info;
    GetPluginInfo(&Info);
    EXPECT_EQ(int(sizeof(PluginInfo)), Info.StructSize);
    EXPECT_EQ(DWORD(PF_EDITOR | PF_VIEWER), Info.Flags);
    EXPECT_EQ(12u, Info.Flags);
    ASSERT_EQ(1, Info.PluginMenuStringsNumber);
    ASSERT_EQ(1, Info.PluginConfigStringsNumber);
    EXPECT_STREQ("M0", Info.PluginMenuStrings[0]);
    EXPECT_EQ(Info.PluginMenuStrings, Info.PluginConfigStrings);
    EXPECT_EQ(Host.Messages[0].c_str(), Info.PluginMenuStrings[0]);
    EXPECT_EQ(Before.DiskMenuStrings, Info.DiskMenuStrings);
    EXPECT_EQ(Before.DiskMenuNumbers, Info.DiskMenuNumbers);
    EXPECT_EQ(Before.DiskMenuStringsNumber, Info.DiskMenuStringsNumber);
    EXPECT_EQ(Before.CommandPrefix, Info.CommandPrefix);
    // Message 0 is fetched anew on every call.
    Host.Messages[0] = "Other";
    GetPluginInfo(&Info);
    EXPECT_STREQ("Other", Info.PluginMenuStrings[0]);
}

TEST_F(ExportsTest, StartUpBlockAssignsThePushCellHook)
{
    Start();
    QuorrelStart();
    ASSERT_NE(nullptr, Screen.PushCellHook);
    Screen.PushCellHook(12, 3, 0x1F, "x");
    ASSERT_EQ(1u, Host.Texts.size());
    EXPECT_EQ(12, Host.Texts[0].X);
    EXPECT_EQ(3, Host.Texts[0].Y);
    EXPECT_EQ(0x1F, Host.Texts[0].Color);
    EXPECT_EQ("x", Host.Texts[0].Text);
}

}  // namespace
