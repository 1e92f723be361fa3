// ChartLoop: the chart window's interaction loop. Keys go through the key
// table: the chart's own actions change its state, the others are carried
// out here (the clipboard, the host's dialogs and menus, the mouse).
#include "ChartLoop.h"

#include "ChartKeys.h"
#include "Clipboard.h"
#include "DetailsDialog.h"
#include "FindDialog.h"
#include "Input.h"
#include "RecentMenu.h"
#include "Screen.h"
#include "Settings.h"
#include "UnicodeSettings.h"

namespace {

// Records are not taken from the console past a key that may hand the input
// over; a mouse event does only when a mouse action may follow.
bool HandsOverInput(int Key)
{
    return KeyHandsOver(Key) && (Key != kbMouse || MouseMayAct());
}

// Host dialogs draw over the host's model of the screen: hand ours over
// first and take the console back afterwards.
void CallBracketed(void (*Hook)())
{
    if (!Hook) return;
    PushScreen();
    Hook();
    ResyncScreen();
}

// Show the console as it was when the window opened while Ctrl+Alt+Shift
// are held; the events read meanwhile are discarded. The cursor is set
// behind the cursor routines' back, so they forget what they knew.
void PeekUnderWindow()
{
    ResetDrawScreen();
    FlushScreen();
    if (Screen.SavedCursorInfoValid)
        SetConsoleCursorInfo(Screen.OutputHandle, &Screen.SavedCursorInfo);
    SetConsoleCursorPosition(Screen.OutputHandle, Screen.SavedCursorPos);
    ForgetCursor();
    while (Input.PeekHeld) ReadEvent(false, HandsOverInput);
}

// Returns true when the action closes the window.
bool DoMouseAction(ChartState &S, const ChartHooks &Hooks, const MouseHit &Hit)
{
    switch (Hit.Action) {
    case maNone:
        return false;
    case maClose:
        return true;
    case maDrag:
        DragTo(S, Input.MouseX, Input.MouseY, WindowMaxX(), WindowMaxY());
        return false;
    case maTableMenu:
        if (Hooks.TableMenu) Hooks.TableMenu(S);
        return false;
    case maSelect:
        SelectCell(S, Hit.Row, Hit.Col);
        return false;
    case maConfirm:
        return CopyChoice(S);
    case maConfirmAppend:
        return AppendChoice(S);
    }
    return false;
}

// The actions the chart's state cannot carry out alone. Returns true when
// the action closes the window.
bool FrontEndAction(ChartState &S, const ChartHooks &Hooks, ChartAction Action)
{
    switch (Action) {
    case ChartAction::Confirm:
        return CopyChoice(S);
    case ChartAction::ConfirmAppend:
        return AppendChoice(S);
    case ChartAction::Cancel:
        return true;
    case ChartAction::Copy:
        CopyChoice(S);
        break;
    case ChartAction::Append:
        AppendChoice(S);
        break;
    case ChartAction::Help:
        CallBracketed(Hooks.Help);
        break;
    case ChartAction::Options:
        if (!Hooks.Options) break;
        CallBracketed(Hooks.Options);
        UseChartOptions(S);
        break;
    case ChartAction::TableMenu:
        // The table menu brackets its host call itself.
        if (Hooks.TableMenu) Hooks.TableMenu(S);
        break;
    case ChartAction::Details:
        ShowDetails(S);
        break;
    case ChartAction::FindNext:
        // Again on the match it found: the next one; anywhere else, new words.
        if (FindChainGoesOn(S))
            FindAgain(S, 1);
        else
            FindByNameDialog(S, 1);
        break;
    case ChartAction::FindPrevious:
        FindAgain(S, -1);
        break;
    case ChartAction::FindNew:
        FindByNameDialog(S, 1);
        break;
    case ChartAction::Recent:
        ShowRecentMenu(S);
        break;
    case ChartAction::Mouse:
        return DoMouseAction(S, Hooks, ChartMouse(S));
    default:
        break;
    }
    return false;
}

}  // namespace

ChartChar RunChart(ChartState &S, const ChartLook &Look, const ChartHooks &Hooks)
{
    S.Choice = 0;
    if (!OpenScreen(Look.Texts.PluginTitle + Look.Texts.TitleSuffix)) return 0;
    // The cells' bytes are in the console's output code page, as read now.
    S.UnicodeCells = false;
    S.CellCodePage = Screen.OutputCodePage;
    ChartLoop(S, Look, Hooks);
    CloseScreen();
    return S.Choice;
}

ChartChar ChartLoop(ChartState &S, const ChartLook &Look, const ChartHooks &Hooks)
{
    S.EntryText.clear();
    if (S.CurrentTable >= S.CodeTables.size()) S.CurrentTable = 0;
    CentreChart(S);

    bool Redraw = true;
    for (;;) {
        if (Input.PeekHeld) {
            PeekUnderWindow();
            Redraw = true;
        }
        S.Choice = 0;
        if (Redraw) {
            ResetDrawScreen();
            DrawChart(S, Look);
            FlushScreen();
            PlaceCursor(S, Look);
        }

        const int Key = ReadEvent(false, HandsOverInput);
        // Key releases, lone modifiers and other events change nothing: the
        // frame they would draw is the one on the screen.
        Redraw = Key != kbNone;
        if (TakeKey(S, Hooks, Key)) {
            S.EntryText.clear();
            return S.Choice;
        }
    }
}

bool TakeKey(ChartState &S, const ChartHooks &Hooks, int Key)
{
    const ChartAction Action = ActionForKey(!S.EntryText.empty(), Key);
    if (ApplyChartAction(S, Action, Key, WindowMaxX(), WindowMaxY())) {
        if (Action == ChartAction::ToggleUnicodeStatus) SaveUnicodeStatus(S);
        return false;
    }
    return FrontEndAction(S, Hooks, Action);
}

// A confirm whose character did not reach the clipboard does not close the
// window: closing would look like success (and type the character, or the
// clipboard's old text). The user can try again or leave with Esc.
bool CopyChoice(ChartState &S)
{
    S.Choice = ChosenChar(S);
    const bool Copied = PutClipboardString(std::string(1, char(S.Choice)));
    if (Copied && S.Choice) RecordRecentChar(S, MapCode(S, S.LastChar));
    return Copied;
}

bool AppendChoice(ChartState &S)
{
    S.Choice = ChosenChar(S);
    const bool Appended = AppendClipboardText(std::string(1, char(S.Choice)));
    if (Appended && S.Choice) RecordRecentChar(S, MapCode(S, S.LastChar));
    return Appended;
}
