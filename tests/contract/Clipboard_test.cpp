// Global memory blocks and the clipboard with CF_OEMTEXT.
#include "Contract.h"

namespace {

HGLOBAL Block(const char *text, SIZE_T size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
    char *p = static_cast<char *>(GlobalLock(h));
    memcpy(p, text, size);
    GlobalUnlock(h);
    return h;
}

std::string TextOf(HANDLE h)
{
    const char *p = static_cast<const char *>(GlobalLock(h));
    if (!p) return "<no lock>";
    std::string s(p);
    GlobalUnlock(h);
    return s;
}

class ClipboardContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(OpenClipboard(nullptr));
        ASSERT_TRUE(EmptyClipboard());
        ASSERT_TRUE(CloseClipboard());
    }
    void TearDown() override
    {
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
};

TEST(GlobalContract, LocksAreCountedAndTheSizeIsWhatWasAsked)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 5);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 5u);
    void *p1 = GlobalLock(h);
    void *p2 = GlobalLock(h);
    ASSERT_NE(p1, nullptr);
    EXPECT_EQ(p1, p2);
    EXPECT_NE(p1, static_cast<void *>(h)) << "a moveable block's handle is not its memory";

    SetLastError(77);
    EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
    EXPECT_EQ(GetLastError(), 77u);
    SetLastError(77);
    EXPECT_FALSE(GlobalUnlock(h)) << "now unlocked";
    EXPECT_EQ(GetLastError(), 0u);
    SetLastError(0);
    EXPECT_FALSE(GlobalUnlock(h)) << "not locked";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_LOCKED));
    EXPECT_EQ(GlobalFree(h), nullptr);

    HGLOBAL fixed = GlobalAlloc(GMEM_FIXED, 3);
    EXPECT_EQ(GlobalLock(fixed), static_cast<void *>(fixed));
    EXPECT_TRUE(GlobalUnlock(fixed));
    EXPECT_EQ(GlobalFree(fixed), nullptr);

    HGLOBAL zeroed = GlobalAlloc(GHND, 8);
    const unsigned char *z = static_cast<const unsigned char *>(GlobalLock(zeroed));
    for (int i = 0; i < 8; i++) EXPECT_EQ(z[i], 0) << "byte " << i;
    GlobalUnlock(zeroed);
    GlobalFree(zeroed);

    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GlobalLock(empty), nullptr) << "a moveable block of 0 bytes has no memory";
    EXPECT_EQ(GlobalSize(empty), 0u);
    GlobalFree(empty);
}

TEST_F(ClipboardContract, TextPutIsTakenBackAndEmptied)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL h = Block("abcd", 5);
    EXPECT_EQ(SetClipboardData(CF_OEMTEXT, h), h);
    EXPECT_EQ(GetClipboardData(CF_OEMTEXT), h) << "while open, the block set";
    EXPECT_TRUE(CloseClipboard());

    EXPECT_TRUE(IsClipboardFormatAvailable(CF_OEMTEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE got = GetClipboardData(CF_OEMTEXT);
    ASSERT_NE(got, nullptr) << "the data stays after closing";
    EXPECT_EQ(TextOf(got), "abcd");
    EXPECT_EQ(GlobalSize(got), 5u);
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GetClipboardData(CF_OEMTEXT), nullptr);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_OEMTEXT));
}

TEST_F(ClipboardContract, OemTextIsOfferedAsAnsiTextAfterClosing)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    SetClipboardData(CF_OEMTEXT, Block("\x82\xE9z", 4));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_TEXT)) << "not while open";
    ASSERT_TRUE(CloseClipboard());
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_TEXT));
    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE ansi = GetClipboardData(CF_TEXT);
    ASSERT_NE(ansi, nullptr);
    EXPECT_EQ(TextOf(ansi), "\xE9Tz");  // e-acute, and Theta's best fit
    CloseClipboard();
}

TEST_F(ClipboardContract, OpeningTwiceSucceedsAndOneCloseEndsIt)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_TRUE(OpenClipboard(nullptr)) << "this process holds it already";
    EXPECT_TRUE(CloseClipboard());
    SetLastError(0);
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
}

TEST_F(ClipboardContract, NothingButOpeningWorksOnAClosedClipboard)
{
    SetLastError(0);
    EXPECT_FALSE(EmptyClipboard());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    HGLOBAL h = Block("x", 2);
    SetLastError(0);
    EXPECT_EQ(SetClipboardData(CF_OEMTEXT, h), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    SetLastError(0);
    EXPECT_EQ(GetClipboardData(CF_OEMTEXT), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLIPBOARD_NOT_OPEN));
    GlobalFree(h);  // never handed over, so still ours
}

TEST_F(ClipboardContract, EmptyingFreesTheBlocksTheClipboardOwned)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    ASSERT_TRUE(EmptyClipboard());
    HGLOBAL h = Block("gone", 5);
    SetClipboardData(CF_OEMTEXT, h);
    ASSERT_TRUE(EmptyClipboard());
    EXPECT_EQ(GlobalLock(h), nullptr) << "the block went with the data";
    CloseClipboard();
}

}  // namespace
