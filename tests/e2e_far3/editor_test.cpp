// The chart opened from Far 3's editor: Esc gives back the screen as it
// was, a file in code page 1251 gets a Cyrillic letter, files in multi-byte
// code pages keep theirs.
#include "RealFar3.h"

namespace {

// Far opens a file without a byte order mark in the code page it is told.
std::wstring CodePageOptions(int CodePage) {
    return L"-set:Editor.AutoDetectCodePage=false -set:Editor.DefaultCodePage=" + std::to_wstring(CodePage);
}

std::string Encoded(wchar_t Ch, UINT CodePage) {
    char Bytes[8];
    const int Count = WideCharToMultiByte(CodePage, 0, &Ch, 1, Bytes, sizeof Bytes, nullptr, nullptr);
    return std::string(Bytes, size_t(Count > 0 ? Count : 0));
}

// Files whose code page has characters of more than one byte: the chart
// opens (on a code page of single bytes), and what it inserts is saved in
// the file's own code page beside the characters the file had.
struct MultiByteFile {
    const char *Name;
    UINT CodePage;
    std::string Before;  // after the inserted character
    std::string Bom;
    int Code;
};
const MultiByteFile Utf8File = {"utf-8", CP_UTF8, "\xD0\x96" "ab\r\n", "\xEF\xBB\xBF", 233};
const MultiByteFile ShiftJisFile = {"932", 932, "\x82\xA0" "ab\r\n", "", 65};  // あ in Shift-JIS

template <class Base>
class EditorTest : public Base {
protected:
    // Chooses F.Code in the chart opened from the editor that shows F's
    // file, and saves the file with F2 and leaves with Esc; Shown is the
    // character the chart showed for the code.
    void ChooseAndSave(const MultiByteFile &F, wchar_t *Shown) {
        ChartView V;
        Screen S;
        ASSERT_TRUE(this->OpenChart());
        ASSERT_TRUE(this->Keys(L"Ctrl+Home " + CodeKeys(F.Code)));
        ASSERT_TRUE(this->AwaitCode(F.Code, &V));
        ASSERT_TRUE(FarConsole::Read(&S));
        *Shown = S.Char(CellX(V, F.Code), CellY(V, F.Code));
        ASSERT_TRUE(this->Keys(L"Enter"));
        ASSERT_TRUE(this->AwaitChartGone());
        ASSERT_TRUE(this->Keys(L"F2 Esc"));
    }

    void ExpectSaved(const MultiByteFile &F, wchar_t Shown) {
        EXPECT_EQ(F.Bom + Encoded(Shown, F.CodePage) + F.Before, ReadBytes(FilePath(F)))
            << "the chart showed U+" << std::hex << int(Shown) << " at code " << std::dec << F.Code;
    }

    std::wstring FilePath(const MultiByteFile &F) const { return this->File(Wide(F.Name) + L".txt"); }
};

// The files in 1251 and the one with a byte order mark share one Far,
// which opens them with Shift+F4 (a start of Far costs more than a second
// here); 1251 is its editor's code page for a file without a mark.
class Editor : public EditorTest<SharedFar3Test> {
protected:
    std::wstring StartOptions() const override { return CodePageOptions(1251); }

    testing::AssertionResult OpenFile(const std::wstring &Path) {
        testing::AssertionResult Opened = Keys(L"Shift+F4");
        if (Opened) Opened = AwaitText(L"Open/create file:");
        if (Opened && !FarConsole::Type(Path)) Opened = testing::AssertionFailure() << "could not type the path";
        if (Opened) Opened = Keys(L"Enter");
        if (Opened) Opened = AwaitEditor();
        return Opened;
    }
};

// A file in a code page of its own: Far started on it with that code page.
using EditorAlone = EditorTest<RealFar3Test>;

// Esc leaves the editor's screen as it was before the chart, cell by cell,
// with the cursor where it was; then Enter in the chart types Ж into the
// file, in 1251.
TEST_F(Editor, EscGivesTheScreenBackAndA1251FileGetsTheLetterChosen) {
    ASSERT_TRUE(WriteBytes(File(L"cyrillic.txt"), "ab\r\n"));
    ASSERT_TRUE(OpenFile(File(L"cyrillic.txt")));
    ASSERT_NO_FATAL_FAILURE(ExpectScreenBackAfterEsc(L"Right Down"));

    Screen S;
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
    ASSERT_TRUE(AwaitPanels());
    EXPECT_EQ("\xC6" "ab\r\n", ReadBytes(File(L"cyrillic.txt")));
}

TEST_F(Editor, AUtf8FileGetsTheCharacterInUtf8) {
    ASSERT_TRUE(WriteBytes(FilePath(Utf8File), Utf8File.Bom + Utf8File.Before));
    ASSERT_TRUE(OpenFile(FilePath(Utf8File)));
    wchar_t Shown = 0;
    ASSERT_NO_FATAL_FAILURE(ChooseAndSave(Utf8File, &Shown));
    ASSERT_TRUE(AwaitPanels());
    ExpectSaved(Utf8File, Shown);
}

TEST_F(EditorAlone, AShiftJisFileGetsTheCharacterInShiftJis) {
    ASSERT_TRUE(WriteBytes(FilePath(ShiftJisFile), ShiftJisFile.Before));
    ASSERT_TRUE(StartEditor(FilePath(ShiftJisFile), CodePageOptions(932)));
    wchar_t Shown = 0;
    ASSERT_NO_FATAL_FAILURE(ChooseAndSave(ShiftJisFile, &Shown));
    ASSERT_TRUE(Ended());
    ExpectSaved(ShiftJisFile, Shown);
}

}  // namespace
