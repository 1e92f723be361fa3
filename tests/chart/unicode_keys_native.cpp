// F3's copy when the clipboard refuses it, which only winsim can arrange.
#include "ChartFixture.h"

#include "UnicodeSettings.h"

#include <winsim.h>

namespace {

class UnicodeKeysNative : public ChartTest {};

TEST_F(UnicodeKeysNative, DetailsRememberOnlyACharacterThatReachedTheClipboard)
{
    Host.DialogScript = [](FarDialogItem *, int Count) { return Count == 16 ? 14 : -1; };
    Start();
    SetUpChartState();
    winsim::SetClipboardText("before");
    Chart.LastChar = 'A';

    winsim::SetClipboardBusy(true);
    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
    winsim::SetClipboardBusy(false);
    EXPECT_EQ("before", winsim::ClipboardText());
    EXPECT_TRUE(Chart.RecentChars.empty());

    ASSERT_FALSE(TakeKey(Chart, TestHooks, kbF3));
    EXPECT_EQ("A", winsim::ClipboardText());
    EXPECT_EQ(std::vector<ChartChar>{'A'}, Chart.RecentChars);
}

}  // namespace
