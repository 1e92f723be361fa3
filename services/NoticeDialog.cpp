// NoticeDialog: a frame, two lines of text and an OK button, centred.
#include "NoticeDialog.h"

#include "DialogItems.h"
#include "Messages.h"
#include "Screen.h"

#include <cstring>
#include <vector>

namespace {

const int NoticeItemCount = 4;
const int DetailItem = 2;
const int MinTextWidth = 30;

}  // namespace

std::string LiteralAmpersands(const std::string &Text)
{
    std::string Out;
    for (char Ch : Text) {
        if (Ch == '&') Out += '&';
        Out += Ch;
    }
    return Out;
}

void ShowNotice(int TitleMsg, int TextMsg, const std::string &Detail)
{
    // Wide enough for both lines, as far as the screen allows; the dialog
    // is the text's width plus a blank and the frame on each side, plus
    // three columns outside the frame on each side.
    int TextWidth = MaxInt(int(std::strlen(Msg(TextMsg))), int(Detail.size()));
    TextWidth = MaxInt(TextWidth, MinTextWidth);
    if (Screen.ScreenWidth > 0)
        TextWidth = MinInt(TextWidth, MaxInt(Screen.ScreenWidth - 10, MinTextWidth));
    const std::string Shown = LiteralAmpersands(Detail.substr(0, size_t(TextWidth)));
    const int FrameRight = 5 + TextWidth + 1;

    const DialogItemInit Inits[NoticeItemCount] = {
        {DI_DOUBLEBOX, 3, 1, FrameRight, 0, uint8_t(TitleMsg)},
        {DI_TEXT, 5, 2, 0, 0, uint8_t(TextMsg)},
        {DI_TEXT, 5, 3, 0, 0, uint8_t(TextMsg)},  // replaced by the detail
        {DI_BUTTON, 0, 4, 0, DIF_CENTERGROUP, MsgOk},
    };
    std::vector<FarDialogItem> Items(NoticeItemCount);
    BuildDialogItems(Inits, NoticeItemCount, Items.data(), NoticeItemCount - 1,
                     NoticeItemCount - 1);
    lstrcpynA(Items[DetailItem].Data, Shown.c_str(), sizeof(Items[DetailItem].Data));
    RunDialog(Items.data(), NoticeItemCount, nullptr);
}
