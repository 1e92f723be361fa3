// DetailsDialog: a heading with the code point and name, one radio button
// per form (its label, then its text), and the copy and cancel buttons.
#include "DetailsDialog.h"

#include "CharNames.h"
#include "Clipboard.h"
#include "DialogItems.h"
#include "Messages.h"
#include "NoticeDialog.h"
#include "Screen.h"
#include "StatusFormat.h"
#include "UnicodeLine.h"
#include "UnicodeSettings.h"
#include "UnicodeText.h"

namespace {

const int FormCount = 10;
const int HeadingItem = 1;
const int FirstFormItem = 3;
const int CopyItem = FirstFormItem + FormCount + 1;
const int DetailsItemCount = CopyItem + 2;
const int MinTextWidth = 40;

// Columns a message takes on screen: its hotkey mark is not shown.
int ShownLength(const std::string &Text)
{
    int Length = 0;
    for (size_t I = 0; I < Text.size(); I++, Length++)
        if (Text[I] == '&' && I + 1 < Text.size()) I++;
    return Length;
}

// The Windows table holds each ANSI code as the console's OEM byte that
// CharToOemBuffA gives, and a code that the OEM code page lacks as '?' or a
// look-alike ('S' for S with caron): the cell then shows another character
// than the code's in the ANSI code page. A control code's glyph counts (the
// console draws OEM 0x15 as the section sign). The other tables say nothing
// of the code page their codes come from, and Unicode cells show every
// character.
bool ConsoleShowsCode(const ChartState &S, uint8_t Code)
{
    if (S.UnicodeCells || S.CurrentTable != 1) return true;
    const char Ansi = char(Code);
    WCHAR Wanted;
    if (MultiByteToWideChar(CP_ACP, 0, &Ansi, 1, &Wanted, 1) != 1) return true;
    const CellCharacter Cell = CharacterOfCell(S, MapCode(S, Code));
    return !Cell.Known || Cell.CodePoint == Wanted || Cell.Glyph == Wanted;
}

}  // namespace

std::vector<CharForm> CharForms(const ChartState &S, uint8_t Code)
{
    const uint8_t Shown = uint8_t(MapCode(S, Code));
    const uint8_t Copied = S.CopyMode ? Code : Shown;
    const CellCharacter C = CharacterOfCode(S, Code);
    const bool Windows = S.CurrentTable == 1;
    // Each form shows what it copies, but for the character (below).
    auto Form = [](int Label, const std::string &Value) {
        return CharForm{Label, Value, Value};
    };
    std::vector<CharForm> Forms = {
        Form(MsgFormCharacter + 0, Copied ? std::string(1, char(Copied)) : std::string()),
        Form(MsgFormCharacter + 1, FormatDigits(Code, 10)),
        Form(MsgFormCharacter + 2, FormatDigits(Code, 16, 2)),
        Form(MsgFormCharacter + 3, FormatDigits(Code, 8)),
        Form(MsgFormCharacter + 4, C.Known ? FormatCodePoint(C.CodePoint) : std::string()),
        Form(MsgFormCharacter + 5, C.Known ? CharName(C.CodePoint) : std::string()),
        Form(MsgFormCharacter + 6, C.Known ? FormatUtf8(C.CodePoint) : std::string()),
        Form(MsgFormCharacter + 7, C.Known ? FormatHtml(C.CodePoint) : std::string()),
        Form(MsgFormCharacter + 8, FormatCEscape(Code)),
        Form(MsgFormCharacter + 9, FormatAltKeystroke(Windows ? Code : Shown, Windows)),
    };
    Forms[0].Shown = !ConsoleShowsCode(S, Code) ? std::string(Msg(MsgNotShown))
                     : Shown                    ? std::string(1, char(Shown))
                                                : std::string();
    return Forms;
}

void ShowDetails(ChartState &S)
{
    const uint8_t Code = S.LastChar;
    const std::vector<CharForm> Forms = CharForms(S, Code);
    std::string Heading = DescribeCell(S, MapCode(S, Code), true);
    if (Heading.empty()) Heading = FormatStatus(S, Code, Msg(MsgStatusFormat));

    // The labels line up; the dialog is as wide as its widest line, as far
    // as the screen allows, and cuts what does not fit. As in the notice:
    // the frame a blank away from the text, three columns outside it.
    int LabelWidth = 0;
    for (const CharForm &F : Forms)
        LabelWidth = MaxInt(LabelWidth, ShownLength(Msg(F.LabelMsg)));
    const int ValueColumn = 4 + LabelWidth + 2;  // after "( ) " and the label
    int TextWidth = MaxInt(MinTextWidth, int(Heading.size()));
    for (const CharForm &F : Forms)
        TextWidth = MaxInt(TextWidth, ValueColumn + int(F.Shown.size()));
    if (Screen.ScreenWidth > 0)
        TextWidth = MinInt(TextWidth, MaxInt(Screen.ScreenWidth - 10, MinTextWidth));

    DialogItemInit Inits[DetailsItemCount] = {
        {DI_DOUBLEBOX, 3, 1, 5 + TextWidth + 1, 0, MsgDetailsTitle},
        {DI_TEXT, 5, 2, 0, 0, MsgDetailsTitle},  // the heading, set below
        {DI_TEXT, 0, 3, 0, DIF_BOXCOLOR | DIF_SEPARATOR, 0},
    };
    for (int K = 0; K < FormCount; K++)
        Inits[FirstFormItem + K] = {DI_RADIOBUTTON, 5, 4 + K, 0, K == 0 ? DWORD(DIF_GROUP) : 0,
                                    uint8_t(Forms[size_t(K)].LabelMsg)};
    Inits[CopyItem - 1] = {DI_TEXT, 0, 4 + FormCount, 0, DIF_BOXCOLOR | DIF_SEPARATOR, 0};
    Inits[CopyItem] = {DI_BUTTON, 0, 5 + FormCount, 0, DIF_CENTERGROUP, MsgCopy};
    Inits[CopyItem + 1] = {DI_BUTTON, 0, 5 + FormCount, 0, DIF_CENTERGROUP, MsgCancel};

    std::vector<FarDialogItem> Items(DetailsItemCount);
    BuildDialogItems(Inits, DetailsItemCount, Items.data(), FirstFormItem + S.LastForm, CopyItem);
    const std::string Shown = LiteralAmpersands(ShortenLine(Heading, size_t(TextWidth)));
    lstrcpynA(Items[HeadingItem].Data, Shown.c_str(), sizeof(Items[HeadingItem].Data));
    const size_t ValueRoom = size_t(MaxInt(TextWidth - ValueColumn, 0));
    for (int K = 0; K < FormCount; K++) {
        FarDialogItem &Item = Items[size_t(FirstFormItem + K)];
        std::string Text = Item.Data;
        Text.append(size_t(MaxInt(ValueColumn - 4 - ShownLength(Text), 0)), ' ');
        Text += LiteralAmpersands(Forms[size_t(K)].Shown.substr(0, ValueRoom));
        lstrcpynA(Item.Data, Text.c_str(), sizeof(Item.Data));
        Item.Selected = K == S.LastForm ? -1 : 0;
    }

    PushScreen();
    int Result = RunDialog(Items.data(), DetailsItemCount, "Details");
    ResyncScreen();
    if (Result != CopyItem) return;

    int Form = S.LastForm;
    for (int K = FormCount - 1; K >= 0; K--)
        if (Items[size_t(FirstFormItem + K)].Selected) Form = K;
    S.LastForm = Form;
    const std::string &Value = Forms[size_t(Form)].Value;
    if (Value.empty()) return;
    // Only a character that reached the clipboard counts as chosen.
    if (PutClipboardString(Value)) RecordRecentChar(S, MapCode(S, Code));
}
