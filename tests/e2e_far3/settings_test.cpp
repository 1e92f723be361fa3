// The options in Far 3's settings store: a choice and the code page kept
// across a restart of Far, and a store that holds what the plugin never
// wrote (values of the wrong type or size, a code page the system lacks).
#include "RealFar3.h"

#include "FarDatabase.h"

namespace {

// The options dialog's radio buttons and check boxes.
const wchar_t *const OptionLabels[] = {
    L"Nothing (clipboard only)", L"The chosen character", L"The first line of the clipboard",
    L"Raw code, typed as keys after Ctrl+Q", L"Character of the table, inserted as text",
    L"A typed key selects its character in the chart", L"Typed digits give a decimal code",
    L"Typed digits give a hexadecimal code", L"Start on the character under the editor cursor",
    L"Start on the character at the command line cursor", L"Show the Windows table in F9, Shift+F9 and menu",
};

// Which of them are on, one line each: "[on] Nothing (clipboard only)".
std::string Marks(const Screen &S) {
    std::string Out;
    for (const wchar_t *Label : OptionLabels) Out += (ItemOn(S, Label) ? "[on]  " : "[off] ") + Utf8(Label) + "\n";
    return Out;
}

class Settings : public RealFar3Test {
protected:
    // Writes values into the plugin's store, under the key that holds the
    // values it wrote: name and an SQL literal each.
    void Put(const std::vector<std::pair<std::string, std::string>> &Values) {
        const std::wstring Path = PluginSettings();
        ASSERT_FALSE(Path.empty()) << "no settings database of the plugin in " << Utf8(Profile);
        FarDatabase Db(FarFolder + L"\\sqlite3.dll", Path);
        ASSERT_TRUE(Db.Ok()) << Db.Error();
        const auto Key = Db.Rows("SELECT DISTINCT key_id FROM table_values");
        ASSERT_EQ(1u, Key.size()) << "the values of the plugin are not under one key in " << Utf8(Path);
        for (const auto &V : Values)
            ASSERT_TRUE(Db.Exec("INSERT OR REPLACE INTO table_values (key_id, name, value) VALUES (" + Key[0][0] +
                                ", '" + V.first + "', " + V.second + ")"))
                << V.first << ": " << Db.Error();
    }
};

// The store across restarts of Far (each costs more than a second here):
// an option chosen and the code page used last are kept; then every value
// of a type or size the plugin does not write, and a code page the system
// lacks, load as on the first start, and the chart works as then.
TEST_F(Settings, KeptAcrossARestartAndWhatThePluginNeverWroteLoadsAsDefaults) {
    const wchar_t Label[] = L"A typed key selects its character in the chart";
    Screen S;
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenOptions(&S));
    const std::string Defaults = Marks(S);
    ASSERT_FALSE(ItemOn(S, Label)) << S.Dump();
    ASSERT_TRUE(FocusOn(Label));
    ASSERT_TRUE(Keys(L"Space"));
    ASSERT_TRUE(WaitScreen("the item marked", [&](const Screen &S) { return ItemOn(S, Label); }, &S));
    ASSERT_TRUE(CloseOptions(L"Enter"));
    // F8: the ANSI page (the chart is found by its row of ASCII letters, which
    // the pages after it by number, EBCDIC ones among them, may lack).
    ChartView First, Next;
    ASSERT_TRUE(OpenChart(&S));
    ASSERT_TRUE(FindChart(S, &First));
    ASSERT_TRUE(Keys(L"F8"));
    ASSERT_TRUE(WaitScreen("the next code page", [&](const Screen &S) {
        return FindChart(S, &Next) && Next.Table != First.Table;
    }));
    ASSERT_TRUE(CloseChart());
    ASSERT_TRUE(Quit());

    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenOptions(&S));
    EXPECT_TRUE(ItemOn(S, Label)) << S.Dump();
    ASSERT_TRUE(CloseOptions(L"Esc"));
    ChartView Restored;
    ASSERT_TRUE(OpenChart(&S));
    ASSERT_TRUE(FindChart(S, &Restored));
    EXPECT_EQ(Utf8(Next.Table), Utf8(Restored.Table)) << "the code page used last";
    // And the chart acts on the option: a typed key selects its character.
    ASSERT_TRUE(Keys(L"Ctrl+Home A"));
    EXPECT_TRUE(AwaitCode(65));
    ASSERT_TRUE(CloseChart());
    ASSERT_TRUE(Quit());

    ASSERT_NO_FATAL_FAILURE(Put({
        {"PasteMode", "'0'"},                 // text for a number
        {"TypeMode", "7"},                    // out of range
        {"CopyMode", "x'00'"},                // bytes for a number
        {"ShowEditorChar", "1.0"},            // a real number
        {"ShowCmdlineChar", "NULL"},
        {"ShowWinTable", "x'31'"},            // the bytes of the text "1"
        {"LastChar", "4294967362"},           // 66 in its low 32 bits
        {"CodePage", "12345"},                // no such code page here
        {"UnicodeStatus", "-1"},
        {"History", "x'410042'"},             // three bytes: no whole UTF-16 character
    }));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(OpenOptions(&S));
    EXPECT_EQ(Defaults, Marks(S));
    ASSERT_TRUE(CloseOptions(L"Esc"));
    ChartView Fallen;
    ASSERT_TRUE(OpenChart(&S));
    ASSERT_TRUE(FindChart(S, &Fallen));
    EXPECT_EQ(Utf8(First.Table), Utf8(Fallen.Table)) << "the code page of a first start";
    ASSERT_TRUE(AwaitCode(0)) << "LastChar loads as 0";
    ASSERT_TRUE(Keys(L"Alt+F8"));
    ASSERT_TRUE(AwaitText(L"No character has been chosen or copied yet."));
    ASSERT_TRUE(Keys(L"Esc"));
    // Typed digits give a decimal code, Enter types the character into the
    // command line.
    ASSERT_TRUE(Keys(CodeKeys(65)));
    ASSERT_TRUE(AwaitCode(65));
    ASSERT_TRUE(Keys(L"Enter"));
    ASSERT_TRUE(AwaitText(L"\\files>A "));
    ASSERT_TRUE(Quit());
}

}  // namespace
