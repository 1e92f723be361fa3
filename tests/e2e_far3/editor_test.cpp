// The chart opened from Far 3's editor: Esc gives back the screen as it
// was, a file in code page 1251 gets a Cyrillic letter, files in multi-byte
// code pages keep theirs. (Each test starts Far on its file: a start costs
// more than a second here.)
#include "RealFar3.h"

namespace {

using Editor = RealFar3Test;

// Far opens a file without a byte order mark in the code page it is told.
std::wstring CodePageOptions(int CodePage) {
    return L"-set:Editor.AutoDetectCodePage=false -set:Editor.DefaultCodePage=" + std::to_wstring(CodePage);
}

std::string Encoded(wchar_t Ch, UINT CodePage) {
    char Bytes[8];
    const int Count = WideCharToMultiByte(CodePage, 0, &Ch, 1, Bytes, sizeof Bytes, nullptr, nullptr);
    return std::string(Bytes, size_t(Count > 0 ? Count : 0));
}

// Esc leaves the editor's screen as it was before the chart, cell by cell,
// with the cursor where it was; then Enter in the chart types Ж into the
// file, in 1251.
TEST_F(Editor, EscGivesTheScreenBackAndA1251FileGetsTheLetterChosen) {
    ASSERT_TRUE(WriteBytes(File(L"cyrillic.txt"), "ab\r\n"));
    ASSERT_TRUE(StartEditor(File(L"cyrillic.txt"), CodePageOptions(1251)));
    Screen S, Before;
    ASSERT_TRUE(Keys(L"Right Down"));
    ASSERT_TRUE(WaitSettled(&Before));
    ASSERT_TRUE(OpenChart());
    ASSERT_TRUE(Keys(L"Right Down Esc"));
    EXPECT_TRUE(WaitScreen("the screen as it was", [&](const Screen &Now) { return Now == Before; }, &S))
        << S.Differences(Before);

    ASSERT_TRUE(Keys(L"Ctrl+Home"));
    ASSERT_TRUE(OpenChart(&S));
    ChartView V;
    ASSERT_TRUE(FindChart(S, &V));
    EXPECT_NE(std::wstring::npos, V.Table.find(L"1251")) << "the chart starts on the file's code page:\n"
                                                         << S.Dump();
    // 0xC6 is Ж in 1251.
    ASSERT_TRUE(Keys(CodeKeys(198)));
    ASSERT_TRUE(AwaitCode(198, &V));
    ASSERT_TRUE(FarConsole::Read(&S));
    EXPECT_EQ(L'Ж', S.Char(CellX(V, 198), CellY(V, 198)));
    ASSERT_TRUE(Keys(L"Enter"));
    ASSERT_TRUE(AwaitText(L"Жab"));
    EXPECT_TRUE(AwaitClipboard(L"Ж"));
    ASSERT_TRUE(Keys(L"F2 Esc"));
    ASSERT_TRUE(Ended());
    EXPECT_EQ("\xC6" "ab\r\n", ReadBytes(File(L"cyrillic.txt")));
}

// Files whose code page has characters of more than one byte: the chart
// opens (on a code page of single bytes), and what it inserts is saved in
// the file's own code page beside the characters the file had.
TEST_F(Editor, MultiByteFilesGetTheCharacterInTheirOwnCodePage) {
    const struct {
        const char *Name;
        UINT CodePage;
        std::string Before;  // after the inserted character
        std::string Bom;
        int Code;
    } Files[] = {
        {"utf-8", CP_UTF8, "\xD0\x96" "ab\r\n", "\xEF\xBB\xBF", 233},
        {"932", 932, "\x82\xA0" "ab\r\n", "", 65},  // あ in Shift-JIS
    };
    for (const auto &F : Files) {
        SCOPED_TRACE(F.Name);
        const std::wstring Path = File(Wide(F.Name) + L".txt");
        ASSERT_TRUE(WriteBytes(Path, F.Bom + F.Before));
        ASSERT_TRUE(StartEditor(Path, CodePageOptions(int(F.CodePage))));
        Screen S;
        ASSERT_TRUE(OpenChart(&S));
        ChartView V;
        ASSERT_TRUE(Keys(L"Ctrl+Home " + CodeKeys(F.Code)));
        ASSERT_TRUE(AwaitCode(F.Code, &V));
        ASSERT_TRUE(FarConsole::Read(&S));
        const wchar_t Shown = S.Char(CellX(V, F.Code), CellY(V, F.Code));
        ASSERT_TRUE(Keys(L"Enter"));
        ASSERT_TRUE(AwaitChartGone());
        ASSERT_TRUE(Keys(L"F2 Esc"));
        ASSERT_TRUE(Ended());
        EXPECT_EQ(F.Bom + Encoded(Shown, F.CodePage) + F.Before, ReadBytes(Path))
            << "the chart showed U+" << std::hex << int(Shown) << " at code " << std::dec << F.Code;
    }
}

}  // namespace
