// Far 3 services under failing Win32 calls (winsim's failure injection).
#include "Far3Fixture.h"

#include "ClipboardRows.h"
#include "Far3CodePages.h"

#include <winsim.h>

namespace {

class Far3NativeTest : public Far3Test {
protected:
    void SetUp() override
    {
        winsim::Reset();
        Far3Test::SetUp();
    }
    void TearDown() override
    {
        Far3Test::TearDown();
        winsim::Reset();
    }
};

TEST_F(Far3NativeTest, ClipboardFailuresKeepTheOldText)
{
    const std::wstring Old = L"\x0416old\r\nsecond";
    const struct {
        bool Append;
        const char *Call;
        int Skip, Times;
        bool Done;
    } Rows[] = {
        {false, nullptr, 0, 0, true},
        {false, "OpenClipboard", 0, 4, true},  // busy for a moment
        {false, "OpenClipboard", 0, -1, false},
        {false, "GlobalAlloc", 0, 1, false},
        {false, "EmptyClipboard", 0, 1, false},
        {false, "SetClipboardData", 0, 1, false},  // the old text goes back
        {true, nullptr, 0, 0, true},
        {true, "GetClipboardData", 0, 1, false},
        {true, "GlobalLock", 0, 1, false},
        {true, "SetClipboardData", 0, 1, false},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(std::string(Row.Append ? "append" : "put") + ", failing " +
                     (Row.Call ? Row.Call : "nothing"));
        winsim::Reset();
        PutUnicodeText(Old);
        if (Row.Call) winsim::FailCallAfter(Row.Call, Row.Skip, Row.Times);
        const bool Done = Row.Append ? AppendFar3Clipboard(L"\x00E9") : PutFar3Clipboard(L"new");
        winsim::ClearFailures();
        EXPECT_EQ(Row.Done, Done);
        const std::wstring New = Row.Append ? L"\x0416old\x00E9" : L"new";
        EXPECT_EQ(Row.Done ? New : Old, UnicodeText());
    }
}

TEST_F(Far3NativeTest, ClipboardTextIsNeverReadPastItsBlock)
{
    // Another program's text without its zero (Wine puts one over the last
    // character, so this runs natively only).
    ExpectClipboardLines({
        {Utf16Bytes(L"ab", false), L"ab"},
        {{'a', 0, 'b', 0, 'c'}, L"ab"},  // an odd byte left over
        {{}, L""},                       // a block of 0 bytes cannot be locked: empty
    });
}

TEST_F(Far3NativeTest, APageTheSystemCannotDescribeOrConvertIsLeftOut)
{
    const size_t All = BuildFar3CodePages().size();
    ASSERT_GT(All, 3u);
    // The OEM page's description fails: the list starts with the ANSI page.
    winsim::FailCallAfter("GetCPInfoExW", 0, 1);
    std::vector<Far3CodePage> Pages = BuildFar3CodePages();
    EXPECT_EQ(All - 1, Pages.size());
    EXPECT_EQ(1252u, Pages[0].CodePage);
    // A conversion fails.
    winsim::FailCallAfter("MultiByteToWideChar", 1, 1);
    EXPECT_EQ(All - 1, BuildFar3CodePages().size());
    // No enumeration: the OEM and the ANSI page only.
    winsim::FailCall("EnumSystemCodePagesW");
    Pages = BuildFar3CodePages();
    ASSERT_EQ(2u, Pages.size());
    EXPECT_EQ(437u, Pages[0].CodePage);
}

}  // namespace
