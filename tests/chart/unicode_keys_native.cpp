// F3's copy when the clipboard refuses it, which only winsim can arrange.
#include "ChartFixture.h"

#include "CharacterKeys.h"
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
    LastChar = 'A';

    winsim::SetClipboardBusy(true);
    ASSERT_TRUE(CharacterKey(kbF3));
    winsim::SetClipboardBusy(false);
    EXPECT_EQ("before", winsim::ClipboardText());
    EXPECT_TRUE(RecentChars.empty());

    ASSERT_TRUE(CharacterKey(kbF3));
    EXPECT_EQ("A", winsim::ClipboardText());
    EXPECT_EQ(std::vector<uint8_t>{'A'}, RecentChars);
}

}  // namespace
