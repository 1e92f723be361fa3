// The chart opened from Far 3's panels: the package installed, moving,
// confirming into the command line, the Unicode keys, and the screen given
// back as it was.
#include "RealFar3.h"

namespace {

// One Far for them all, which keeps what each test chose: Alt+F8's test
// comes before the ones that choose and copy.
using Panels = SharedFar3Test;

// The lines of the menu whose frame's title is Title, between its top and
// bottom frame lines.
std::vector<std::wstring> MenuLines(const Screen &S, const std::wstring &Title) {
    std::vector<std::wstring> Lines;
    int X, Y;
    if (!S.Find(Title, &X, &Y)) return Lines;
    while (X > 0 && S.Char(X, Y) != L'╔') X--;
    for (int Row = Y + 1; Row < S.Height && S.Char(X, Row) != L'╚'; Row++) Lines.push_back(S.Row(Row));
    return Lines;
}

TEST_F(Panels, ThePackageInstallsOurPluginAlone) {
    for (const wchar_t *Name : {L"Quorrel.dll", L"QuorrelEng.lng", L"QuorrelGer.lng", L"Quorrel.hlf",
                                L"QuorrelGer.hlf", L"ReadMe.txt"})
        EXPECT_NE(GetFileAttributesW((Plugins + L"\\Quorrel\\" + Name).c_str()), INVALID_FILE_ATTRIBUTES)
            << "the package has no Quorrel\\" << Utf8(Name);
    Screen S;
    ASSERT_TRUE(OpenPluginMenu(&S));
    const std::vector<std::wstring> Items = MenuLines(S, L"Plugin commands");
    ASSERT_EQ(1u, Items.size()) << S.Dump();
    EXPECT_NE(std::wstring::npos, Items[0].find(L"Quorrel")) << S.Dump();
    // Far's information on the plugin of the menu's item: ours, from the package.
    ASSERT_TRUE(Keys(L"F3"));
    ASSERT_TRUE(AwaitText(L"Plugin information", &S));
    EXPECT_TRUE(S.Contains(L"Quorrel")) << S.Dump();
    EXPECT_TRUE(S.Contains(QUORREL_VERSION)) << S.Dump();
    EXPECT_TRUE(S.Contains(L"\\Quorrel\\Quorrel.dll")) << S.Dump();
    ASSERT_TRUE(Keys(L"Esc"));
    ASSERT_TRUE(AwaitGone(L"Plugin information"));
    ASSERT_TRUE(Keys(L"Esc"));
    ASSERT_TRUE(AwaitGone(L"Plugin commands"));
}

// The Far 1.x chart's keys, one after the other from code 0.
TEST_F(Panels, KeysAndTheMouseMoveTheSelection) {
    const struct {
        const wchar_t *Keys;
        int Code;
    } Steps[] = {
        {L"Ctrl+Home", 0},   {L"Left", 0},       {L"Up", 0},          {L"Right", 1},
        {L"Down", 33},       {L"End", 63},       {L"Home", 32},       {L"PgDn", 224},
        {L"Right", 225},     {L"PgUp", 1},       {L"Ctrl+End", 255},  {L"Right", 255},
        {L"Down", 255},      {L"Ctrl+PgUp", 0},  {L"Ctrl+PgDn", 255}, {L"1 2 3 Enter", 123},
        {L"7 BS 8 Enter", 8},
    };
    ASSERT_TRUE(OpenChart());
    for (const auto &Step : Steps) {
        ASSERT_TRUE(Keys(Step.Keys));
        ASSERT_TRUE(AwaitCode(Step.Code)) << "after " << Utf8(Step.Keys);
    }
    ChartView V;
    ASSERT_TRUE(AwaitCode(8, &V));
    ASSERT_TRUE(FarConsole::Click(CellX(V, 100), CellY(V, 100)));
    EXPECT_TRUE(AwaitCode(100)) << "after a click on the cell of code 100";
    ASSERT_TRUE(CloseChart());
}

// F7 finds by words of the name; F7 on the match goes on to the next,
// Shift+F7 back; Ctrl+F7 asks for new words.
TEST_F(Panels, FindByName) {
    ASSERT_TRUE(OpenChart());
    ASSERT_TRUE(Keys(L"Ctrl+Home F7"));
    ASSERT_TRUE(AwaitText(L"Find by name"));
    ASSERT_TRUE(FarConsole::Type(L"digit"));
    ASSERT_TRUE(Keys(L"Enter"));
    ASSERT_TRUE(AwaitCode(48));
    ASSERT_TRUE(Keys(L"F7"));
    ASSERT_TRUE(AwaitCode(49));
    ASSERT_TRUE(Keys(L"F7"));
    ASSERT_TRUE(AwaitCode(50));
    ASSERT_TRUE(Keys(L"Shift+F7"));
    ASSERT_TRUE(AwaitCode(49));
    ASSERT_TRUE(Keys(L"Ctrl+F7"));
    ASSERT_TRUE(AwaitText(L"Find by name"));
    ASSERT_TRUE(Keys(L"Ctrl+Y"));  // the last words, as Far's edit lines clear
    ASSERT_TRUE(FarConsole::Type(L"lat cap b"));
    ASSERT_TRUE(Keys(L"Enter"));
    ASSERT_TRUE(AwaitCode(66));
    ASSERT_TRUE(CloseChart());
}

// Alt+F8: the characters copied, newest first; choosing one selects it.
TEST_F(Panels, RecentlyChosen) {
    ASSERT_TRUE(OpenChart());
    ASSERT_TRUE(Keys(L"Alt+F8"));
    ASSERT_TRUE(AwaitText(L"No character has been chosen or copied yet."));
    ASSERT_TRUE(Keys(L"Esc"));
    ASSERT_TRUE(Keys(CodeKeys(67) + L" Ctrl+C"));
    ASSERT_TRUE(AwaitClipboard(L"C"));
    ASSERT_TRUE(Keys(CodeKeys(68) + L" Ctrl+Ins Ctrl+Home"));
    ASSERT_TRUE(AwaitClipboard(L"D"));
    ASSERT_TRUE(AwaitCode(0));
    ASSERT_TRUE(Keys(L"Alt+F8"));
    ASSERT_TRUE(AwaitText(L"Recently chosen"));
    ASSERT_TRUE(Keys(L"Down Enter"));
    EXPECT_TRUE(AwaitCode(67)) << "the second of the menu, the older one";
    ASSERT_TRUE(CloseChart());
}

// F3: each form of code 65 by its item's hot key, copied with the default
// button; the chart stays open.
TEST_F(Panels, DetailsCopyEachForm) {
    const struct {
        const wchar_t *HotKey;
        const wchar_t *Copied;
    } Forms[] = {
        {L"r", L"A"},      {L"d", L"65"},    {L"o", L"101"},       {L"u", L"U+0041"},
        {L"n", L"LATIN CAPITAL LETTER A"},   {L"t", L"&#65;"},     {L"s", L"\\x41"},
    };
    ASSERT_TRUE(OpenChart());
    ASSERT_TRUE(Keys(CodeKeys(65)));
    ASSERT_TRUE(AwaitCode(65));
    for (const auto &Form : Forms) {
        SetClipboardText(L"");
        ASSERT_TRUE(Keys(L"F3"));
        ASSERT_TRUE(AwaitText(L"LATIN CAPITAL LETTER A")) << "F3 shows the name of code 65";
        ASSERT_TRUE(Keys(std::wstring(Form.HotKey) + L" Enter"));
        ASSERT_TRUE(AwaitGone(L"LATIN CAPITAL LETTER A"));
        EXPECT_TRUE(AwaitClipboard(Form.Copied)) << "the form of hot key " << Utf8(Form.HotKey);
        ASSERT_TRUE(AwaitCode(65));
    }
    ASSERT_TRUE(CloseChart());
}

TEST_F(Panels, EnterPutsTheCharacterOnTheClipboardAndTheCommandLine) {
    ASSERT_TRUE(OpenChart());
    ASSERT_TRUE(Keys(L"Ctrl+Home " + CodeKeys(67)));
    ASSERT_TRUE(AwaitCode(67));
    ASSERT_TRUE(Keys(L"Enter"));
    ASSERT_TRUE(AwaitText(L"\\files>C "));
    EXPECT_TRUE(AwaitClipboard(L"C"));
    // The next opening starts where this one ended.
    ASSERT_TRUE(OpenChart());
    EXPECT_TRUE(AwaitCode(67));
    ASSERT_TRUE(CloseChart());
    ASSERT_TRUE(AwaitText(L"\\files>C "));
}

// Esc leaves the panels as they were before the chart, the command line
// and its cursor included.
TEST_F(Panels, EscGivesTheScreenBack) { ExpectScreenBackAfterEsc(L"x y z Left"); }

}  // namespace
