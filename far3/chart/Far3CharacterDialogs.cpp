// Far3CharacterDialogs: the code page menu, the details, finding by name,
// the characters chosen last and the notice, in Far 3's dialogs and menus.
#include "Far3CharacterDialogs.h"

#include "CharNames.h"
#include "Far3ChartText.h"
#include "Far3Clipboard.h"
#include "Far3Guids.h"
#include "Far3Host.h"
#include "Far3Messages.h"
#include "UnicodeText.h"

#include <algorithm>

namespace {

const FARDIALOGITEMFLAGS Separator = DIF_BOXCOLOR | DIF_SEPARATOR;

FarDialogItem Item(FARDIALOGITEMTYPES Type, intptr_t X1, intptr_t Y1, intptr_t X2,
                   FARDIALOGITEMFLAGS Flags, const wchar_t *Text)
{
    FarDialogItem I = {};
    I.Type = Type;
    I.X1 = X1;
    I.Y1 = Y1;
    I.X2 = X2;
    I.Y2 = Type == DI_DOUBLEBOX ? 0 : Y1;
    I.Flags = Flags;
    I.Data = Text;
    return I;
}

bool CanRunDialogs()
{
    return Far3Info.DialogInit && Far3Info.DialogRun && Far3Info.DialogFree &&
           Far3Info.SendDlgMessage;
}

// Runs the items as a dialog centred on Far's window; the frame (item 0)
// stands three columns and one row inside it. Read is called with the open
// dialog when it closed on an item (its index), before it is freed.
template <class Reader>
intptr_t RunItems(const GUID &Id, std::vector<FarDialogItem> &Items, const wchar_t *HelpTopic,
                  Reader Read)
{
    if (!CanRunDialogs() || Items.empty()) return -1;
    Items[0].Y2 = Items.back().Y1 + 1;
    const HANDLE Dialog =
        Far3Info.DialogInit(&QuorrelGuid, &Id, -1, -1, Items[0].X2 + 4, Items[0].Y2 + 2, HelpTopic,
                            Items.data(), Items.size(), 0, FDLG_NONE, nullptr, nullptr);
    if (!Dialog || Dialog == INVALID_HANDLE_VALUE) return -1;
    const intptr_t Result = Far3Info.DialogRun(Dialog);
    if (Result >= 0) Read(Dialog, Result);
    Far3Info.DialogFree(Dialog);
    return Result;
}

// Columns a text takes on screen: its hotkey mark is not shown.
size_t ShownLength(const std::wstring &Text)
{
    size_t Length = 0;
    for (size_t I = 0; I < Text.size(); I++, Length++)
        if (Text[I] == L'&' && I + 1 < Text.size()) I++;
    return Length;
}

// '&' shown as itself in an item's text, not taken as a hotkey mark.
std::wstring LiteralAmpersands(const std::wstring &Text)
{
    std::wstring Out;
    for (wchar_t Ch : Text) {
        if (Ch == L'&') Out += L'&';
        Out += Ch;
    }
    return Out;
}

// Room for a dialog's text on Far's window: a line may take what the
// frame, its blanks and Far's margins leave.
size_t TextRoom(size_t Wanted, size_t Least)
{
    const SMALL_RECT Far = Far3WindowRect();
    const size_t Screen = size_t(std::max(Far.Right - Far.Left + 1, 0));
    const size_t Most = std::max(Screen > 10 ? Screen - 10 : 0, Least);
    return std::min(std::max(Wanted, Least), Most);
}

// A history line: the character as a cell shows it, its code on this page
// (blank when the page lacks it) and its Unicode line.
std::wstring RecentLine(const ChartState &S, ChartChar Char)
{
    const int Code = CodeOfChar(S, Char);
    std::wstring Number = L"   ";
    if (Code >= 0) {
        Number = std::to_wstring(Code);
        Number.insert(0, 3 - Number.size(), L' ');
    }
    const CellCharacter C = CharacterOfCell(S, Char);
    return std::wstring(1, ShownChar(Char)) + L"  " + Number + L"  " + ToWide(UnicodeLine(C, false));
}

}  // namespace

SMALL_RECT Far3WindowRect()
{
    SMALL_RECT Far = {0, 0, 79, 24};
    if (Far3Info.AdvControl) Far3Info.AdvControl(&QuorrelGuid, ACTL_GETFARRECT, 0, &Far);
    return Far;
}

bool Far3CopyChar(ChartState &S, wchar_t Char, bool Append)
{
    const std::wstring Text(1, Char);
    const bool Copied = Append ? AppendFar3Clipboard(Text) : PutFar3Clipboard(Text);
    if (Copied && Char) RememberRecentChar(S, Char);
    return Copied;
}

void Far3Notice(MsgId Title, MsgId Text, const std::wstring &Detail)
{
    const std::wstring Message = Far3Msg(Text);
    const size_t Width = TextRoom(std::max(Message.size(), Detail.size()), 30);
    const std::wstring Shown = LiteralAmpersands(Detail.substr(0, Width));
    std::vector<FarDialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, intptr_t(5 + Width + 1), DIF_NONE, Far3Msg(Title)),
        Item(DI_TEXT, 5, 2, 0, DIF_NONE, Message.c_str()),
        Item(DI_TEXT, 5, 3, 0, DIF_NONE, Shown.c_str()),
        Item(DI_BUTTON, 0, 4, 0, DIF_CENTERGROUP | DIF_DEFAULTBUTTON | DIF_FOCUS, Far3Msg(MsgOk)),
    };
    RunItems(QuorrelChartGuid, Items, nullptr, [](HANDLE, intptr_t) {});
}

void Far3TableMenu(ChartState &S, const std::vector<Far3CodePage> &Pages)
{
    if (!Far3Info.Menu) return;
    std::vector<int> Offered;
    for (int Index : OfferedTables(S))
        if (size_t(Index) < Pages.size()) Offered.push_back(Index);
    std::vector<std::wstring> Titles;
    for (int Index : Offered) Titles.push_back(PageTitle(Pages[size_t(Index)]));
    std::vector<FarMenuItem> Items(Offered.size());
    for (size_t I = 0; I < Offered.size(); I++) {
        Items[I].Text = Titles[I].c_str();
        // The current page, or the one before it when it is not offered.
        if (Offered[I] <= S.CurrentTable) {
            for (FarMenuItem &Other : Items) Other.Flags = MIF_NONE;
            Items[I].Flags = MIF_SELECTED;
        }
    }
    const intptr_t Chosen = Far3Info.Menu(
        &QuorrelGuid, &QuorrelTableMenuGuid, -1, -1, 0, FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT,
        Far3Msg(MsgTableMenuTitle), nullptr, nullptr, nullptr, nullptr, Items.data(), Items.size());
    if (Chosen >= 0 && size_t(Chosen) < Offered.size()) S.CurrentTable = uint8_t(Offered[size_t(Chosen)]);
}

std::vector<Far3CharForm> Far3CharForms(const ChartState &S, uint8_t Code)
{
    const wchar_t Shown = wchar_t(MapCode(S, Code));
    const CellCharacter C = CharacterOfCode(S, Code);
    std::wstring Keystroke;
    if (S.CurrentTable == 1) {
        Keystroke = ToWide(FormatAltKeystroke(Code, true));
    } else if (!S.CodeTables.empty()) {
        // The OEM page's code that shows the same character.
        const CodeTable &Oem = S.CodeTables[0];
        for (int K = 0; K < 256 && Keystroke.empty(); K++)
            if (Oem.Chars[K] == Shown) Keystroke = ToWide(FormatAltKeystroke(uint8_t(K), false));
    }
    auto Unicode = [&C](std::string Text) { return C.Known ? ToWide(Text) : std::wstring(); };
    return {
        {MsgFormCharacter, Shown ? std::wstring(1, Shown) : std::wstring()},
        {MsgFormDecimal, ToWide(FormatDigits(Code, 10))},
        {MsgFormHexadecimal, ToWide(FormatDigits(Code, 16, 2))},
        {MsgFormOctal, ToWide(FormatDigits(Code, 8))},
        {MsgFormUnicode, Unicode(FormatCodePoint(C.CodePoint))},
        {MsgFormName, Unicode(CharName(C.CodePoint))},
        {MsgFormUtf8, Unicode(FormatUtf8(C.CodePoint))},
        {MsgFormHtml, Unicode(FormatHtml(C.CodePoint))},
        {MsgFormCString, ToWide(FormatCEscape(Code))},
        {MsgFormKeystroke, Keystroke},
    };
}

void Far3Details(ChartState &S)
{
    const uint8_t Code = S.LastChar;
    const std::vector<Far3CharForm> Forms = Far3CharForms(S, Code);
    const int FormCount = int(Forms.size());
    const size_t Unlimited = size_t(-1);
    std::wstring Heading = Far3UnicodeLine(S, Code, true, Unlimited);
    if (Heading.empty()) Heading = Far3CodeStatus(S, Code, Unlimited);

    // The labels line up; the values follow them, as far as Far's window
    // allows.
    size_t LabelWidth = 0;
    for (const Far3CharForm &F : Forms) LabelWidth = std::max(LabelWidth, ShownLength(Far3Msg(F.Label)));
    const size_t ValueColumn = 4 + LabelWidth + 2;  // after "( ) " and the label
    size_t Wanted = Heading.size();
    for (const Far3CharForm &F : Forms) Wanted = std::max(Wanted, ValueColumn + F.Value.size());
    const size_t Width = TextRoom(Wanted, 40);
    std::wstring Shown = Far3UnicodeLine(S, Code, true, Width);
    if (Shown.empty()) Shown = Heading.substr(0, Width);
    const std::wstring ShownHeading = LiteralAmpersands(Shown);

    std::vector<std::wstring> Texts(Forms.size());
    std::vector<FarDialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, intptr_t(5 + Width + 1), DIF_NONE, Far3Msg(MsgDetailsTitle)),
        Item(DI_TEXT, 5, 2, 0, DIF_NONE, ShownHeading.c_str()),
        Item(DI_TEXT, -1, 3, 0, Separator, L""),
    };
    const int FirstForm = int(Items.size());
    const int LastForm = S.LastForm >= 0 && S.LastForm < FormCount ? S.LastForm : 0;
    for (int K = 0; K < FormCount; K++) {
        std::wstring &Text = Texts[size_t(K)];
        Text = Far3Msg(Forms[size_t(K)].Label);
        Text.append(ValueColumn - 4 - ShownLength(Text), L' ');
        const size_t Room = Width > ValueColumn ? Width - ValueColumn : 0;
        Text += LiteralAmpersands(Forms[size_t(K)].Value.substr(0, Room));
        FarDialogItem Radio = Item(DI_RADIOBUTTON, 5, 4 + K, 0, K == 0 ? DIF_GROUP : DIF_NONE, Text.c_str());
        if (K == LastForm) {
            Radio.Selected = BSTATE_CHECKED;
            Radio.Flags |= DIF_FOCUS;
        }
        Items.push_back(Radio);
    }
    Items.push_back(Item(DI_TEXT, -1, 4 + FormCount, 0, Separator, L""));
    const int CopyItem = int(Items.size());
    Items.push_back(Item(DI_BUTTON, 0, 5 + FormCount, 0, DIF_CENTERGROUP | DIF_DEFAULTBUTTON,
                         Far3Msg(MsgCopy)));
    Items.push_back(Item(DI_BUTTON, 0, 5 + FormCount, 0, DIF_CENTERGROUP, Far3Msg(MsgCancel)));

    int Form = LastForm;
    const intptr_t Result = RunItems(QuorrelChartGuid, Items, L"Details", [&](HANDLE Dialog, intptr_t) {
        for (int K = FormCount - 1; K >= 0; K--)
            if (Far3Info.SendDlgMessage(Dialog, DM_GETCHECK, FirstForm + K, nullptr) == BSTATE_CHECKED)
                Form = K;
    });
    if (Result != CopyItem) return;
    S.LastForm = Form;
    const std::wstring &Value = Forms[size_t(Form)].Value;
    if (Value.empty()) return;
    // Only a character that reached the clipboard counts as chosen.
    if (PutFar3Clipboard(Value)) RememberRecentChar(S, MapCode(S, Code));
}

void Far3FindByName(ChartState &S, int Step)
{
    const std::wstring Last = ToWide(S.FindWords);
    const int EditItem = 2, FindItem = 4;
    std::vector<FarDialogItem> Items = {
        Item(DI_DOUBLEBOX, 3, 1, 60, DIF_NONE, Far3Msg(MsgFindTitle)),
        Item(DI_TEXT, 5, 2, 0, DIF_NONE, Far3Msg(MsgFindPrompt)),
        Item(DI_EDIT, 5, 3, 58, DIF_HISTORY | DIF_FOCUS, Last.c_str()),
        Item(DI_TEXT, -1, 4, 0, Separator, L""),
        Item(DI_BUTTON, 0, 5, 0, DIF_CENTERGROUP | DIF_DEFAULTBUTTON, Far3Msg(MsgFind)),
        Item(DI_BUTTON, 0, 5, 0, DIF_CENTERGROUP, Far3Msg(MsgCancel)),
    };
    Items[EditItem].History = L"QuorrelFind";
    std::wstring Typed;
    const intptr_t Result = RunItems(QuorrelChartGuid, Items, L"Find", [&](HANDLE Dialog, intptr_t) {
        const auto *Text = reinterpret_cast<const wchar_t *>(
            Far3Info.SendDlgMessage(Dialog, DM_GETCONSTTEXTPTR, EditItem, nullptr));
        if (Text) Typed = Text;
    });
    if (Result != FindItem) return;
    const std::string Words = ToAscii(Typed);
    if (!HasAWord(Words)) return;
    S.FindWords = Words;
    if (!FindAndSelect(S, S.LastChar, Step)) Far3Notice(MsgFindTitle, MsgFindNoMatch, Typed);
}

void Far3FindAgain(ChartState &S, int Step)
{
    if (!HasAWord(S.FindWords)) {
        Far3FindByName(S, Step);
        return;
    }
    if (!FindAndSelect(S, (S.LastChar + Step) & 0xFF, Step))
        Far3Notice(MsgFindTitle, MsgFindNoMatch, ToWide(S.FindWords));
}

void Far3RecentMenu(ChartState &S)
{
    if (!Far3Info.Menu) return;
    if (S.RecentChars.empty()) {
        Far3Notice(MsgRecentTitle, MsgRecentEmpty, std::wstring());
        return;
    }
    std::vector<std::wstring> Lines;
    for (ChartChar Char : S.RecentChars) Lines.push_back(RecentLine(S, Char));
    std::vector<FarMenuItem> Items(Lines.size());
    for (size_t I = 0; I < Lines.size(); I++) Items[I].Text = Lines[I].c_str();
    Items[0].Flags = MIF_SELECTED;
    const intptr_t Chosen =
        Far3Info.Menu(&QuorrelGuid, &QuorrelChartGuid, -1, -1, 0, FMENU_WRAPMODE | FMENU_SHOWAMPERSAND,
                      Far3Msg(MsgRecentTitle), nullptr, L"Recent", nullptr, nullptr, Items.data(),
                      Items.size());
    if (Chosen < 0 || size_t(Chosen) >= S.RecentChars.size()) return;
    const int Code = CodeOfChar(S, S.RecentChars[size_t(Chosen)]);
    if (Code >= 0)
        S.LastChar = uint8_t(Code);
    else
        Far3Notice(MsgRecentTitle, MsgRecentNotInTable, Lines[size_t(Chosen)]);
}
