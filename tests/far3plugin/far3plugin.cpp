// The Far 3 edition's exports, its options dialog and whole openings
// against the fake Far 3.
#include "Far3Fixture.h"

#include "Far3CodePages.h"
#include "Far3Guids.h"
#include "Far3OptionsDialog.h"
#include "Far3Plugin.h"

namespace {

using far3fake::Number;

class Far3PluginTest : public Far3Test {
protected:
    // SetStartupInfoW with the fake host, as Far does after loading us.
    void Load()
    {
        const PluginStartupInfo Info = far3fake::MakeStartupInfo(Host);
        SetStartupInfoW(&Info);
    }
    HANDLE Open(OPENFROM From)
    {
        OpenInfo Info = {sizeof Info, From, nullptr, 0, nullptr};
        return OpenW(&Info);
    }
};

TEST_F(Far3PluginTest, GlobalInfoNamesQuorrelWithItsGuidAndTheProjectVersion)
{
    GlobalInfo Info = {};
    GetGlobalInfoW(&Info);
    EXPECT_EQ(sizeof Info, Info.StructSize);
    EXPECT_TRUE(SameGuid(QuorrelGuid, Info.Guid));
    EXPECT_STREQ(L"Quorrel", Info.Title);
    EXPECT_GT(wcslen(Info.Description), 10u);
    EXPECT_GT(wcslen(Info.Author), 3u);
    EXPECT_EQ(QUORREL_TEST_VERSION_MAJOR, Info.Version.Major);
    EXPECT_EQ(QUORREL_TEST_VERSION_MINOR, Info.Version.Minor);
    EXPECT_EQ(QUORREL_TEST_VERSION_PATCH, Info.Version.Revision);
    EXPECT_EQ(3u, Info.MinFarVersion.Major);
    // Our GUIDs are distinct from each other.
    const GUID *Guids[] = {&QuorrelGuid, &QuorrelMenuGuid, &QuorrelConfigGuid,
                           &QuorrelOptionsGuid, &QuorrelChartGuid, &QuorrelTableMenuGuid};
    for (const GUID *A : Guids)
        for (const GUID *B : Guids) EXPECT_EQ(A == B, SameGuid(*A, *B));
}

TEST_F(Far3PluginTest, PluginInfoOffersOneMenuItemEverywhereAndOneConfigItem)
{
    Load();
    PluginInfo Info = {};
    GetPluginInfoW(&Info);
    EXPECT_EQ(sizeof Info, Info.StructSize);
    EXPECT_EQ(PF_EDITOR | PF_VIEWER, Info.Flags);
    ASSERT_EQ(1u, Info.PluginMenu.Count);
    ASSERT_EQ(1u, Info.PluginConfig.Count);
    EXPECT_EQ(0u, Info.DiskMenu.Count);
    EXPECT_TRUE(SameGuid(QuorrelMenuGuid, Info.PluginMenu.Guids[0]));
    EXPECT_TRUE(SameGuid(QuorrelConfigGuid, Info.PluginConfig.Guids[0]));
    EXPECT_STREQ(L"M0", Info.PluginMenu.Strings[0]);
    EXPECT_STREQ(L"M0", Info.PluginConfig.Strings[0]);
    Host.Messages[0] = L"Quorrel (new)";  // fetched anew each time
    GetPluginInfoW(&Info);
    EXPECT_STREQ(L"Quorrel (new)", Info.PluginMenu.Strings[0]);
}

TEST_F(Far3PluginTest, OptionsDialogHasTheFar1LayoutAndTexts)
{
    Load();
    const ConfigureInfo Configure = {sizeof Configure, &QuorrelConfigGuid, nullptr};
    EXPECT_EQ(FALSE, ConfigureW(&Configure));
    ASSERT_EQ(1u, Host.Dialogs.size());
    const far3fake::DialogCall &D = Host.Dialogs[0];
    EXPECT_TRUE(SameGuid(QuorrelGuid, D.PluginId));
    EXPECT_TRUE(SameGuid(QuorrelOptionsGuid, D.Id));
    EXPECT_EQ(-1, D.X1);
    EXPECT_EQ(-1, D.Y1);
    EXPECT_EQ(64, D.X2);
    EXPECT_EQ(21, D.Y2);
    EXPECT_EQ(L"Options", D.HelpTopic);
    ASSERT_EQ(19u, D.Items.size());
    EXPECT_EQ(DI_DOUBLEBOX, D.Items[0].Type);
    EXPECT_EQ(3, D.Items[0].X1);
    EXPECT_EQ(60, D.Items[0].X2);
    EXPECT_EQ(1, D.Items[0].Y1);
    EXPECT_EQ(19, D.Items[0].Y2);
    // Item i shows message Texts[i]; separators none.
    const wchar_t *Texts[19] = {L"M0",  L"M7",  L"M8",  L"M9",  L"M10", L"",    L"M11",
                                L"M12", L"",    L"M13", L"M14", L"M15", L"",    L"M16",
                                L"M17", L"M18", L"",    L"M19", L"M20"};
    for (int I = 0; I < 19; I++) {
        EXPECT_EQ(Texts[I], D.Texts[I]) << "item " << I;
        EXPECT_EQ(Texts[I][0] == 0, (D.Items[I].Flags & DIF_SEPARATOR) != 0) << "item " << I;
    }
    EXPECT_TRUE(D.Items[17].Flags & DIF_DEFAULTBUTTON);
    EXPECT_TRUE(D.Items[2].Flags & DIF_FOCUS);
    EXPECT_EQ(1, Host.DialogsFreed);
}

TEST_F(Far3PluginTest, OptionsDialogShowsAndStoresTheSixOptions)
{
    // The script clicks the items in Set (a radio button takes its group's
    // check from the others) and closes with Result.
    const int Groups[][2] = {{2, 3}, {6, 2}, {9, 3}};
    const struct {
        Far3Options Before;
        std::vector<int> Checked;  // items checked when the dialog opens
        std::vector<int> Set;
        intptr_t Result;
        Far3Options After;
        bool Saved;
    } Rows[] = {
        {{1, 1, true, false, false, false}, {3, 6, 10}, {}, 17, {1, 1, true, false, false, false}, true},
        {{1, 1, true, false, false, false}, {3, 6, 10}, {4, 7, 9, 13, 15}, 17, {2, 0, false, true, false, true}, true},
        {{2, 0, false, true, true, true}, {4, 7, 9, 13, 14, 15}, {2, 6, 11, 14}, 17, {0, 2, true, true, false, true}, true},
        {{1, 1, true, false, false, false}, {3, 6, 10}, {4, 13}, 18, {1, 1, true, false, false, false}, false},
        {{1, 1, true, false, false, false}, {3, 6, 10}, {4, 13}, -1, {1, 1, true, false, false, false}, false},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("closing with " + std::to_string(Row.Result) + ", " +
                     std::to_string(Row.Set.size()) + " clicks");
        Host.Settings.clear();
        Host.Dialogs.clear();
        Load();
        Far3Config.Options = Row.Before;
        Host.DialogScript = [&](std::vector<intptr_t> &Checks) {
            for (int Item : Row.Set) {
                for (const auto &G : Groups)
                    if (Item >= G[0] && Item < G[0] + G[1])
                        for (int I = G[0]; I < G[0] + G[1]; I++) Checks[I] = BSTATE_UNCHECKED;
                Checks[Item] = Checks[Item] == BSTATE_CHECKED && Item >= 13 ? BSTATE_UNCHECKED
                                                                           : BSTATE_CHECKED;
            }
            return Row.Result;
        };
        EXPECT_EQ(Row.Saved, RunFar3OptionsDialog());
        ASSERT_EQ(1u, Host.Dialogs.size());
        for (int I = 0; I < 19; I++) {
            const bool Want = std::find(Row.Checked.begin(), Row.Checked.end(), I) != Row.Checked.end();
            EXPECT_EQ(Want, Host.Dialogs[0].Items[I].Selected == BSTATE_CHECKED) << "item " << I;
        }
        const Far3Options &O = Far3Config.Options;
        EXPECT_EQ(Row.After.PasteMode, O.PasteMode);
        EXPECT_EQ(Row.After.TypeMode, O.TypeMode);
        EXPECT_EQ(Row.After.CopyMode, O.CopyMode);
        EXPECT_EQ(Row.After.ShowEditorChar, O.ShowEditorChar);
        EXPECT_EQ(Row.After.ShowCmdlineChar, O.ShowCmdlineChar);
        EXPECT_EQ(Row.After.ShowWinTable, O.ShowWinTable);
        EXPECT_EQ(Row.Saved ? 6u : 0u, Host.Settings.size());
        if (Row.Saved) {
            EXPECT_EQ(Row.After.PasteMode, static_cast<int>(Host.Settings[L"PasteMode"].Number));
        }
    }
}

TEST_F(Far3PluginTest, AnOpeningDeliversTheChosenCharacterAndKeepsWhereItWasLeft)
{
    const std::vector<Far3CodePage> Pages = BuildFar3CodePages();
    ASSERT_EQ(0, FindFar3CodePage(Pages, 437));
    // The chart starts on code 5; a typed code and Enter select, Enter confirms.
    auto Code = [](const std::wstring &Digits) {
        std::vector<far3fake::DialogInput> Keys = Typed(Digits);
        Keys.push_back(KeyInput(VK_RETURN, 13));
        Keys.push_back(KeyInput(VK_RETURN, 13));
        return Keys;
    };
    const struct {
        const char *What;
        OPENFROM From;
        std::vector<far3fake::DialogInput> Keys;
        UINT EditorPage;
        std::wstring Clipboard, Editor, CmdLine;  // after the opening
        UINT Page;                                // stored at its end
        unsigned Code;
    } Rows[] = {
        {"panels, Enter on 65", OPEN_PLUGINSMENU, Code(L"65"), 1252, L"A", L"", L"A", 437, 65},
        {"panels, Esc after moving", OPEN_PLUGINSMENU, {KeyInput(VK_RIGHT), KeyInput(VK_ESCAPE, 27)},
         1252, L"before", L"", L"", 437, 6},
        {"panels, Enter on code 0", OPEN_PLUGINSMENU, Code(L"0"), 1252, L"before", L"", L"", 437, 0},
        {"editor in 1251, Enter on C6h", OPEN_EDITOR, Code(L"198"), 1251, L"\x0416", L"\x0416", L"",
         1251, 0xC6},
        // The editor's page is the ANSI one; F9 goes on to the next page.
        {"editor in 1252, F9 then Enter", OPEN_EDITOR,
         [&Code] {
             std::vector<far3fake::DialogInput> Keys = {KeyInput(VK_F9)};
             for (const auto &K : Code(L"233")) Keys.push_back(K);
             return Keys;
         }(),
         1252, std::wstring(1, Pages[2].Cells[0xE9]), std::wstring(1, Pages[2].Cells[0xE9]), L"",
         Pages[2].CodePage, 0xE9},
        {"viewer: clipboard only", OPEN_VIEWER, Code(L"66"), 1252, L"B", L"", L"", 437, 66},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        Host = far3fake::Host();
        Host.Settings[L"CodePage"] = Number(437);
        Host.Settings[L"LastChar"] = Number(5);
        Host.EditorCodePage = Row.EditorPage;
        Host.DialogInputs = Row.Keys;
        PutUnicodeText(L"before");
        Load();
        EXPECT_EQ(nullptr, Open(Row.From));
        EXPECT_EQ(Row.Clipboard, UnicodeText());
        EXPECT_EQ(Row.Editor, Host.EditorInserted.empty() ? L"" : Host.EditorInserted[0]);
        EXPECT_EQ(Row.CmdLine, Host.CmdLineInserted.empty() ? L"" : Host.CmdLineInserted[0]);
        EXPECT_EQ(Row.Page, Host.Settings[L"CodePage"].Number);
        EXPECT_EQ(Row.Code, Host.Settings[L"LastChar"].Number);
        EXPECT_EQ(Host.SettingsCreated, Host.SettingsFreed);
        EXPECT_EQ(Row.Clipboard == L"before" ? L"" : Row.Clipboard.substr(0, 1),
                  Host.Settings[L"History"].String);
        EXPECT_TRUE(Host.DialogInputs.empty());
    }
}

TEST_F(Far3PluginTest, TheChartOpensOnTheEditorsPageAndCharacter)
{
    Host.Settings[L"ShowEditorChar"] = Number(1);
    Host.EditorCodePage = 1251;
    Host.EditorLine = L"\x041F\x0440";
    Host.EditorCurPos = 1;
    Load();
    Open(OPEN_EDITOR);
    ASSERT_EQ(1u, Host.Frames.size());  // opened, then left
    const far3fake::DialogFrame &Chart = Host.Frames[0];
    EXPECT_EQ(3, Chart.CursorItem);
    EXPECT_EQ(0xF0 % 32, Chart.Cursor.X);  // Cyrillic er in 1251
    EXPECT_EQ(0xF0 / 32, Chart.Cursor.Y);
    EXPECT_EQ(0u, Chart.Texts[1].find(L"1251"));
    EXPECT_EQ(L'\x0440', Chart.Texts[3][0xF0]);
}

TEST_F(Far3PluginTest, EntryPointsSurviveAHostWithoutServicesAndNullRecords)
{
    SetStartupInfoW(nullptr);
    GetGlobalInfoW(nullptr);
    GetPluginInfoW(nullptr);
    EXPECT_EQ(nullptr, OpenW(nullptr));
    EXPECT_EQ(FALSE, ConfigureW(nullptr));
    ExitFARW(nullptr);
    PluginInfo Info = {};
    GetPluginInfoW(&Info);
    EXPECT_STREQ(L"", Info.PluginMenu.Strings[0]);
    EXPECT_EQ(nullptr, Open(OPEN_PLUGINSMENU));  // no Menu: the chart cannot run
}

}  // namespace
