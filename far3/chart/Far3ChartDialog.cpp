// Far3ChartDialog: the chart as a Far 3 dialog. Far draws the frame, the
// shadow and everything in the colours of the user's palette, and moves the
// dialog as it moves its own; the table's name, the 8 rows of 32 cells and
// the status row are user controls whose cells are filled from the chart's
// state. Keys and the mouse come to the dialog's procedure and go through
// the chart's key table, as in the console window of the Far 1.x edition.
#include "Far3Chart.h"

#include "ChartKeys.h"
#include "ChartLayout.h"
#include "Far3CharacterDialogs.h"
#include "Far3ChartText.h"
#include "Far3Clipboard.h"
#include "Far3Guids.h"
#include "Far3Help.h"
#include "Far3Host.h"
#include "Far3Messages.h"
#include "Input.h"

#include <algorithm>

namespace L = ChartLayout;

namespace {

enum ChartItem : intptr_t {
    FrameItem,
    NameItem,
    TopSeparatorItem,
    CellsItem,
    BottomSeparatorItem,
    StatusItem,
    ItemCount
};

// The status row stays inside the frame, as F2's Unicode line does.
constexpr int StatusRowWidth = L::UnicodeStatusWidth;

// A cursor as DM_SETCURSORSIZE takes it: visible, and its height in percent.
void *CursorSize(int Percent)
{
    return reinterpret_cast<void *>(intptr_t(1 | Percent << 16));
}

FarColor PaletteColor(PaletteColors Index)
{
    FarColor Color = {};
    Color.Flags = FCF_FG_INDEX | FCF_BG_INDEX;
    Color.ForegroundColor = 0;
    Color.BackgroundColor = 7;
    if (Far3Info.AdvControl) Far3Info.AdvControl(&QuorrelGuid, ACTL_GETCOLOR, Index, &Color);
    return Color;
}

struct ChartDialog {
    Far3ChartSession &Session;
    ChartState S;
    HANDLE Handle = nullptr;
    FAR_CHAR_INFO Name[L::NameWidth] = {};
    FAR_CHAR_INFO Cells[L::Rows * L::Columns] = {};
    FAR_CHAR_INFO Status[StatusRowWidth] = {};
    FarColor TextColor, InputColor, SelectedColor;
    // The item that holds the cursor: the cells, or the status row while a
    // code is typed (Far draws the cursor in the focused item only).
    intptr_t CursorItem = -1;

    explicit ChartDialog(Far3ChartSession &Session)
        : Session(Session), TextColor(PaletteColor(COL_DIALOGTEXT)),
          InputColor(PaletteColor(COL_DIALOGEDIT)),
          SelectedColor(PaletteColor(COL_DIALOGLISTSELECTEDTEXT)) {}

    intptr_t Send(intptr_t Msg, intptr_t Param1, void *Param2 = nullptr)
    {
        return Far3Info.SendDlgMessage(Handle, Msg, Param1, Param2);
    }
};

// The chart's state as the opening hands it over: the pages as tables of
// Unicode cells, the start, the options, F2's choice and the history.
ChartState StateOf(const Far3ChartSession &Session)
{
    ChartState S;
    for (const Far3CodePage &Page : *Session.Pages) {
        if (S.CodeTables.size() == 256) break;
        CodeTable Table;
        std::copy(Page.Cells, Page.Cells + 256, Table.Chars);
        Table.CodePage = Page.CodePage;
        S.CodeTables.push_back(Table);
    }
    S.UnicodeCells = true;
    S.CurrentTable = uint8_t(Session.Page < S.CodeTables.size() ? Session.Page : 0);
    S.LastChar = uint8_t(Session.Code);
    const Far3Settings &Settings = *Session.Settings;
    S.TypeMode = Typing(Settings.Options.TypeMode);
    // What a confirm delivers is always the cell's character: a code of one
    // page typed into text of another would stand for another character.
    S.CopyMode = false;
    S.ShowWinTable = Settings.Options.ShowWinTable;
    S.UnicodeStatus = Settings.UnicodeStatus;
    S.RecentChars.assign(Settings.History.begin(), Settings.History.end());
    return S;
}

void Fill(FAR_CHAR_INFO *Cells, size_t Count, const std::wstring &Text, const FarColor &Color)
{
    for (size_t I = 0; I < Count; I++) {
        Cells[I].Char = I < Text.size() ? Text[I] : L' ';
        Cells[I].Attributes = Color;
    }
}

// Everything the dialog shows, from the state; the cursor on the selected
// cell, or after a code being typed.
void Show(ChartDialog &D)
{
    const ChartState &S = D.S;
    const bool Entry = !S.EntryText.empty();
    const size_t Page = S.CurrentTable < D.Session.Pages->size() ? S.CurrentTable : 0;
    Fill(D.Name, L::NameWidth, PageTitle((*D.Session.Pages)[Page]), D.TextColor);
    for (int Code = 0; Code < L::Rows * L::Columns; Code++) {
        FAR_CHAR_INFO &Cell = D.Cells[Code];
        Cell.Char = ShownChar(wchar_t(MapCode(S, uint8_t(Code))));
        Cell.Attributes = Code == S.LastChar && !Entry ? D.SelectedColor : D.TextColor;
    }
    const std::wstring Label = Far3Msg(S.TypeMode == Typing::Decimal ? MsgDecimalPrompt : MsgHexPrompt);
    if (Entry) {
        Fill(D.Status, StatusRowWidth, Label, D.TextColor);
        const size_t Field = std::min(Label.size(), size_t(StatusRowWidth));
        const size_t FieldEnd = std::min(Field + L::EntryFieldWidth, size_t(StatusRowWidth));
        Fill(D.Status + Field, FieldEnd - Field, ToWide(S.EntryText), D.InputColor);
    } else {
        Fill(D.Status, StatusRowWidth, Far3StatusText(S, S.LastChar, StatusRowWidth), D.TextColor);
    }
    // Most messages make Far draw the dialog again: they are sent with its
    // drawing held back, which draws once when it is let go; the focus (which
    // a click on the name may have taken) and the cursor's shape only when
    // they change.
    D.Send(DM_ENABLEREDRAW, FALSE);
    const intptr_t Item = Entry ? StatusItem : CellsItem;
    if (D.Send(DM_GETFOCUS, 0) != Item) D.Send(DM_SETFOCUS, Item);
    if (Item != D.CursorItem) {
        D.Send(DM_SETCURSORSIZE, Item, CursorSize(Entry ? 18 : 99));
        D.CursorItem = Item;
    }
    COORD At = {SHORT(CellCol(S)), SHORT(CellRow(S))};
    if (Entry) At = {SHORT(std::min(Label.size() + S.EntryText.size(), size_t(StatusRowWidth - 1))), 0};
    D.Send(DM_SETCURSORPOS, Item, &At);
    D.Send(DM_ENABLEREDRAW, TRUE);
}

// A key record as the chart's key code. A character (a key with a
// character and neither Ctrl nor Alt, or with AltGr) is Ch; any other key
// goes by the console's translation of keys.
int KeyOf(const INPUT_RECORD &Record, wchar_t &Ch)
{
    Ch = 0;
    const KEY_EVENT_RECORD &Key = Record.Event.KeyEvent;
    if (Record.EventType != KEY_EVENT || !Key.bKeyDown) return kbNone;
    const DWORD State = Key.dwControlKeyState;
    const bool Ctrl = (State & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    const bool Alt = (State & (LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED)) != 0;
    const bool AltGr = (State & LEFT_CTRL_PRESSED) && (State & RIGHT_ALT_PRESSED);
    if (Key.uChar.UnicodeChar >= 32 && (AltGr || (!Ctrl && !Alt))) {
        Ch = Key.uChar.UnicodeChar;
        return Ch;
    }
    DecodeState Keys;
    FollowModifiers(Record, Keys);
    return TranslateKey(Record, Keys, false, 0);
}

// Confirming and copying: the cell's character onto the clipboard; a
// confirm closes when it got there (code 0 closes without a character).
bool Choose(ChartDialog &D, bool Append, bool Close)
{
    const wchar_t Char = wchar_t(ChosenChar(D.S));
    if (!Far3CopyChar(D.S, Char, Append)) return false;
    if (Close) {
        D.Session.Choice = Char;
        D.Send(DM_CLOSE, Char ? intptr_t(CellsItem) : -1);
    }
    return true;
}

// Alt+arrows: the dialog moves a step, staying in Far's window.
void MoveDialog(ChartDialog &D, ChartAction Action)
{
    SMALL_RECT Rect = {};
    if (!D.Send(DM_GETDLGRECT, 0, &Rect)) return;
    const SMALL_RECT Far = Far3WindowRect();
    D.S.ChartX = Rect.Left;
    D.S.ChartY = Rect.Top;
    const int MaxX = Far.Right - Far.Left + 1 - (Rect.Right - Rect.Left + 1);
    const int MaxY = Far.Bottom - Far.Top + 1 - (Rect.Bottom - Rect.Top + 1);
    ApplyChartAction(D.S, Action, 0, MaxX, MaxY);
    COORD To = {SHORT(D.S.ChartX), SHORT(D.S.ChartY)};
    D.Send(DM_MOVEDIALOG, TRUE, &To);
}

void TakeAction(ChartDialog &D, ChartAction Action, int Key)
{
    ChartState &S = D.S;
    switch (Action) {
    case ChartAction::WindowUp:
    case ChartAction::WindowDown:
    case ChartAction::WindowLeft:
    case ChartAction::WindowRight:
        MoveDialog(D, Action);
        return;
    case ChartAction::EntryChar:
        // Codes are typed in ASCII: another character cannot be a digit.
        if (Key >= 0x80) return;
        break;
    case ChartAction::Confirm:
        Choose(D, false, true);
        return;
    case ChartAction::ConfirmAppend:
        Choose(D, true, true);
        return;
    case ChartAction::Copy:
        Choose(D, false, false);
        return;
    case ChartAction::Append:
        Choose(D, true, false);
        return;
    case ChartAction::Cancel:
        D.Send(DM_CLOSE, -1);
        return;
    case ChartAction::Help:
        ShowFar3Help(HelpContents);
        return;
    case ChartAction::Options:
        if (D.Session.ShowOptions) D.Session.ShowOptions();
        S.TypeMode = Typing(D.Session.Settings->Options.TypeMode);
        S.ShowWinTable = D.Session.Settings->Options.ShowWinTable;
        return;
    case ChartAction::TableMenu:
        Far3TableMenu(S, *D.Session.Pages);
        return;
    case ChartAction::Details:
        Far3Details(S);
        return;
    case ChartAction::FindNext:
        if (FindChainGoesOn(S))
            Far3FindAgain(S, 1);
        else
            Far3FindByName(S, 1);
        return;
    case ChartAction::FindPrevious:
        Far3FindAgain(S, -1);
        return;
    case ChartAction::FindNew:
        Far3FindByName(S, 1);
        return;
    case ChartAction::Recent:
        Far3RecentMenu(S);
        return;
    default:
        break;
    }
    ApplyChartAction(S, Action, Key, 0, 0);
}

// A mouse event on one of the chart's controls, its place relative to it:
// a press or a move with a button down on a cell selects it, a double click
// there confirms (with Ctrl it appends), a release on the name opens the
// page menu. Far itself takes the frame, the title and what lies outside.
void TakeMouse(ChartDialog &D, intptr_t Item, const INPUT_RECORD &Record)
{
    if (!D.S.EntryText.empty()) return;  // a code being typed ignores the mouse
    DecodeState Mouse;
    Mouse.CtrlDown =
        (Record.Event.MouseEvent.dwControlKeyState & (LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED)) != 0;
    FollowMouse(Record, Mouse);
    if (Item == NameItem && MouseReleased(Mouse)) {
        Far3TableMenu(D.S, *D.Session.Pages);
    } else if (Item == CellsItem && Mouse.MouseX >= 0 && Mouse.MouseX < L::Columns &&
               Mouse.MouseY >= 0 && Mouse.MouseY < L::Rows) {
        const bool Double = MouseDoubleClick(Mouse);
        if (Double || MousePressed(Mouse) || MouseDragged(Mouse))
            SelectCell(D.S, Mouse.MouseY, Mouse.MouseX);
        if (Double) Choose(D, Mouse.MouseCtrl, true);
    }
}

intptr_t WINAPI ChartProc(HANDLE Handle, intptr_t Msg, intptr_t Param1, void *Param2)
{
    auto *D = reinterpret_cast<ChartDialog *>(Far3Info.SendDlgMessage(Handle, DM_GETDLGDATA, 0, nullptr));
    if (Msg == DN_INITDIALOG) {
        D = static_cast<ChartDialog *>(Param2);
        D->Handle = Handle;
        Show(*D);
        return TRUE;
    }
    if (!D || Msg != DN_CONTROLINPUT || !Param2)
        return Far3Info.DefDlgProc ? Far3Info.DefDlgProc(Handle, Msg, Param1, Param2) : 0;
    const INPUT_RECORD &Record = *static_cast<const INPUT_RECORD *>(Param2);
    if (Record.EventType == MOUSE_EVENT) {
        TakeMouse(*D, Param1, Record);
    } else {
        wchar_t Ch = 0;
        const int Key = KeyOf(Record, Ch);
        // Key releases and lone modifiers change nothing; Far may have its
        // own use for them.
        if (Key == kbNone) return FALSE;
        const bool Entry = !D->S.EntryText.empty();
        // A character of any alphabet takes the character keys' action.
        const ChartAction Action = ActionForKey(Entry, Ch ? ' ' : Key);
        // A key the chart has no use for does nothing while a code is typed
        // (nor Tab, which would move the focus off the chart); else Far
        // takes it as in any dialog.
        if (Action == ChartAction::None) return Entry || Key == kbTab || Key == kbShiftTab;
        TakeAction(*D, Action, Ch ? Ch : Key);
    }
    Show(*D);
    return TRUE;
}

}  // namespace

bool RunFar3Chart(Far3ChartSession &Session)
{
    Session.Choice = 0;
    if (!Session.Pages || Session.Pages->empty() || !Session.Settings || !Far3Info.DialogInit ||
        !Far3Info.DialogRun || !Far3Info.DialogFree || !Far3Info.SendDlgMessage)
        return false;
    ChartDialog D(Session);
    D.S = StateOf(Session);

    FarDialogItem Items[ItemCount] = {};
    auto Place = [&Items](ChartItem I, FARDIALOGITEMTYPES Type, int X1, int Y1, int X2, int Y2) {
        Items[I].Type = Type;
        Items[I].X1 = X1;
        Items[I].Y1 = Y1;
        Items[I].X2 = X2;
        Items[I].Y2 = Y2;
        Items[I].Data = L"";
    };
    Place(FrameItem, DI_DOUBLEBOX, L::FrameLeft, L::FrameTop, L::FrameRight, L::FrameBottom);
    Items[FrameItem].Data = Far3Msg(MsgTitle);
    Place(NameItem, DI_USERCONTROL, L::TextColumn, L::NameRow, L::TextColumn + L::NameWidth - 1,
          L::NameRow);
    Items[NameItem].VBuf = D.Name;
    for (ChartItem Separator : {TopSeparatorItem, BottomSeparatorItem}) {
        const int Row = Separator == TopSeparatorItem ? L::TopSeparatorRow : L::BottomSeparatorRow;
        Place(Separator, DI_TEXT, -1, Row, 0, Row);
        Items[Separator].Flags = DIF_BOXCOLOR | DIF_SEPARATOR;
    }
    Place(CellsItem, DI_USERCONTROL, L::CellX(0), L::CellY(0), L::CellX(L::Columns - 1),
          L::CellY(L::Rows - 1));
    Items[CellsItem].VBuf = D.Cells;
    Items[CellsItem].Flags = DIF_FOCUS;
    Place(StatusItem, DI_USERCONTROL, L::TextColumn, L::StatusRow, L::TextColumn + StatusRowWidth - 1,
          L::StatusRow);
    Items[StatusItem].VBuf = D.Status;

    const HANDLE Handle =
        Far3Info.DialogInit(&QuorrelGuid, &QuorrelChartGuid, -1, -1, L::Width, L::Height, HelpContents,
                            Items, ItemCount, 0, FDLG_NONE, ChartProc, &D);
    if (!Handle || Handle == INVALID_HANDLE_VALUE) return false;
    Far3Info.DialogRun(Handle);
    Far3Info.DialogFree(Handle);

    Session.Page = D.S.CurrentTable;
    Session.Code = D.S.LastChar;
    Session.Settings->UnicodeStatus = D.S.UnicodeStatus;
    Session.Settings->History.assign(D.S.RecentChars.begin(), D.S.RecentChars.end());
    return Session.Choice != 0;
}
