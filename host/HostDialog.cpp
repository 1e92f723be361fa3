// The Dialog service: a modal dialog drawn over the screen model and run
// with the keyboard, or answered from a script queued by a test.
#include "HostInternal.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>

namespace {

struct ScriptedDialog {
    int Result;
    std::vector<DialogItemChange> Changes;
};

std::deque<ScriptedDialog> DialogScripts;
std::vector<DialogCall> DialogCalls;

std::string ItemText(const FarDialogItem &Item)
{
    return std::string(Item.Data, strnlen(Item.Data, sizeof(Item.Data)));
}

bool IsEdit(const FarDialogItem &Item)
{
    return Item.Type == DI_EDIT || Item.Type == DI_FIXEDIT || Item.Type == DI_PSWEDIT;
}

bool Focusable(const FarDialogItem &Item)
{
    return Item.Type == DI_CHECKBOX || Item.Type == DI_RADIOBUTTON || Item.Type == DI_BUTTON ||
           IsEdit(Item);
}

// A radio group runs from a radio button with DIF_GROUP over the radio
// buttons after it, up to the next DIF_GROUP or the next other item.
void RadioGroup(const std::vector<FarDialogItem> &Items, int Index, int &First, int &Last)
{
    First = Index;
    while (First > 0 && !(Items[size_t(First)].Flags & DIF_GROUP) &&
           Items[size_t(First) - 1].Type == DI_RADIOBUTTON)
        First--;
    Last = Index;
    while (Last + 1 < int(Items.size()) && Items[size_t(Last) + 1].Type == DI_RADIOBUTTON &&
           !(Items[size_t(Last) + 1].Flags & DIF_GROUP))
        Last++;
}

void SelectRadio(std::vector<FarDialogItem> &Items, int Index)
{
    int First, Last;
    RadioGroup(Items, Index, First, Last);
    for (int I = First; I <= Last; I++) Items[size_t(I)].Selected = I == Index;
}

struct DialogState {
    int X0, Y0, Width, Height;
    std::vector<FarDialogItem> Items;
    int Focus;
    std::string Module;
    std::string HelpTopic;
    // The focused edit line: the insertion point and the first character
    // shown, both as offsets into its text.
    size_t EditPos = 0, EditLeft = 0;
    COORD Cursor{-1, -1};  // where the last drawing left the cursor; -1: hidden
};

size_t TextLength(const FarDialogItem &Item)
{
    return strnlen(Item.Data, sizeof(Item.Data));
}

int EditWidth(const FarDialogItem &Item)
{
    return std::max(Item.X2 - Item.X1 + 1, 1);
}

// Scrolls the focused edit line so that the insertion point stays inside it.
void KeepEditPosShown(DialogState &D)
{
    size_t Width = size_t(EditWidth(D.Items[size_t(D.Focus)]));
    if (D.EditPos < D.EditLeft) D.EditLeft = D.EditPos;
    if (D.EditPos >= D.EditLeft + Width) D.EditLeft = D.EditPos - Width + 1;
}

// Like Far, an edit line that gets the focus puts the insertion point after its text.
void SetFocus(DialogState &D, int Index)
{
    D.Focus = Index;
    D.EditPos = D.EditLeft = 0;
    if (Index >= 0 && IsEdit(D.Items[size_t(Index)])) {
        D.EditPos = TextLength(D.Items[size_t(Index)]);
        KeepEditPosShown(D);
    }
}

// The editing keys of a focused edit line. False for a key it does not take.
bool EditKey(DialogState &D, const HostKey &Key)
{
    FarDialogItem &Item = D.Items[size_t(D.Focus)];
    const size_t Length = TextLength(Item);
    switch (Key.Vk) {
    case VK_LEFT: D.EditPos -= D.EditPos > 0; break;
    case VK_RIGHT: D.EditPos += D.EditPos < Length; break;
    case VK_HOME: D.EditPos = 0; break;
    case VK_END: D.EditPos = Length; break;
    case VK_BACK:
        if (D.EditPos == 0) break;
        D.EditPos--;
        [[fallthrough]];  // and deletes what is now under the insertion point
    case VK_DELETE:
        if (D.EditPos < Length)
            std::memmove(Item.Data + D.EditPos, Item.Data + D.EditPos + 1, Length - D.EditPos);
        break;
    default:
        // A character goes in at the insertion point while the text fits
        // the field's 511 characters and its zero.
        if (Key.Ch < 32 || Key.Ch == 127) return false;
        if (Length + 1 < sizeof(Item.Data)) {
            std::memmove(Item.Data + D.EditPos + 1, Item.Data + D.EditPos, Length - D.EditPos + 1);
            Item.Data[D.EditPos++] = char(Key.Ch);
        }
        break;
    }
    KeepEditPosShown(D);
    return true;
}

void DrawSeparator(const DialogState &D, const FarDialogItem &Item)
{
    // The line joins the dialog's frame when there is one.
    int Left = 3, Right = D.Width - 4;
    bool Double = false;
    for (const FarDialogItem &Box : D.Items)
        if (Box.Type == DI_DOUBLEBOX || Box.Type == DI_SINGLEBOX) {
            Left = Box.X1;
            Right = Box.X2;
            Double = Box.Type == DI_DOUBLEBOX;
            break;
        }
    int Y = D.Y0 + Item.Y1;
    for (int X = Left + 1; X < Right; X++) HostPutChar(D.X0 + X, Y, char(BoxH1), ColDialogBox);
    HostPutChar(D.X0 + Left, Y, char(Double ? SepLeft2 : SepLeft1), ColDialogBox);
    HostPutChar(D.X0 + Right, Y, char(Double ? SepRight2 : SepRight1), ColDialogBox);
    std::string Text = StripHotkey(ItemText(Item));
    if (!Text.empty()) HostDrawFrameTitle(D.X0 + Left, D.X0 + Right, Y, Text, ColDialogText);
}

void DrawDialog(DialogState &D)
{
    HostFillRect(D.X0, D.Y0, D.X0 + D.Width - 1, D.Y0 + D.Height - 1, ' ', ColDialogText);
    HostDrawShadow(D.X0, D.Y0, D.X0 + D.Width - 1, D.Y0 + D.Height - 1);
    for (size_t I = 0; I < D.Items.size(); I++) {
        const FarDialogItem &Item = D.Items[I];
        bool Focused = int(I) == D.Focus;
        int X = D.X0 + Item.X1, Y = D.Y0 + Item.Y1;
        std::string Text = ItemText(Item);
        switch (Item.Type) {
        case DI_DOUBLEBOX:
        case DI_SINGLEBOX:
            HostDrawFrame(X, Y, D.X0 + Item.X2, D.Y0 + Item.Y2, Item.Type == DI_DOUBLEBOX,
                          ColDialogBox);
            HostDrawFrameTitle(X, D.X0 + Item.X2, Y, StripHotkey(Text), ColDialogBox);
            break;
        case DI_TEXT:
            if (Item.Flags & DIF_SEPARATOR)
                DrawSeparator(D, Item);
            else
                HostPutHotText(X, Y, Text, ColDialogText, ColDialogHighlight);
            break;
        case DI_VTEXT:
            for (size_t K = 0; K < Text.size(); K++)
                HostPutChar(X, Y + int(K), Text[K], ColDialogText);
            break;
        case DI_CHECKBOX:
        case DI_RADIOBUTTON: {
            bool Radio = Item.Type == DI_RADIOBUTTON;
            std::string Mark = Radio ? (Item.Selected ? "(*) " : "( ) ")
                                     : (Item.Selected ? "[x] " : "[ ] ");
            WORD Attr = Focused ? ColDialogFocusText : ColDialogText;
            HostPutText(X, Y, Mark, Attr);
            HostPutHotText(X + 4, Y, Text, Attr, ColDialogHighlight);
            break;
        }
        case DI_BUTTON: {
            WORD Attr = Focused ? ColDialogFocusButton : ColDialogButton;
            WORD Hot = Focused ? ColDialogFocusHotkey : ColDialogHighlight;
            HostPutText(X, Y, "[ ", Attr);
            HostPutHotText(X + 2, Y, Text, Attr, Hot);
            HostPutText(X + 2 + int(StripHotkey(Text).size()), Y, " ]", Attr);
            break;
        }
        case DI_EDIT:
        case DI_FIXEDIT:
        case DI_PSWEDIT: {
            // X1 to X2 in the edit colour; the focused line scrolled to its
            // insertion point, the others from their start.
            std::string Shown = Item.Type == DI_PSWEDIT ? std::string(Text.size(), '*') : Text;
            size_t Left = Focused ? D.EditLeft : 0;
            for (int K = 0; K < EditWidth(Item); K++) {
                size_t At = Left + size_t(K);
                HostPutChar(X + K, Y, At < Shown.size() ? Shown[At] : ' ', ColDialogEdit);
            }
            break;
        }
        default:
            break;
        }
    }
    HostFlushScreen();
    // The cursor marks a focused check box, radio button or edit line.
    D.Cursor = {-1, -1};
    if (D.Focus >= 0) {
        const FarDialogItem &Item = D.Items[size_t(D.Focus)];
        int X = D.X0 + Item.X1, Y = D.Y0 + Item.Y1;
        if (Item.Type == DI_CHECKBOX || Item.Type == DI_RADIOBUTTON)
            D.Cursor = {SHORT(X + 1), SHORT(Y)};
        else if (IsEdit(Item))
            D.Cursor = {SHORT(X + int(D.EditPos - D.EditLeft)), SHORT(Y)};
        if (D.Cursor.X >= 0)
            HostShowCursorAt(D.Cursor.X, D.Cursor.Y);
        else
            HostHideCursor();
    }
}

int NextFocus(const DialogState &D, int Step)
{
    int Count = int(D.Items.size());
    if (D.Focus < 0) return D.Focus;
    for (int K = 1; K <= Count; K++) {
        int I = ((D.Focus + Step * K) % Count + Count) % Count;
        if (Focusable(D.Items[size_t(I)])) return I;
    }
    return D.Focus;
}

int DefaultButton(const DialogState &D)
{
    for (size_t I = 0; I < D.Items.size(); I++)
        if (D.Items[I].DefaultButton) return int(I);
    return D.Focus;
}

// Space on an item, or its hotkey: toggles, selects or presses it. Returns
// the index that closes the dialog, or -2 to stay.
int Activate(DialogState &D, int Index)
{
    FarDialogItem &Item = D.Items[size_t(Index)];
    if (Item.Type == DI_CHECKBOX) Item.Selected = Item.Selected ? 0 : 1;
    if (Item.Type == DI_RADIOBUTTON) SelectRadio(D.Items, Index);
    if (Item.Type == DI_BUTTON) return Index;
    return -2;
}

int HotkeyItem(const DialogState &D, unsigned char Ch)
{
    if (Ch == 0) return -1;
    for (size_t I = 0; I < D.Items.size(); I++) {
        if (!Focusable(D.Items[I]) || IsEdit(D.Items[I])) continue;
        char Hot = HotkeyOf(ItemText(D.Items[I]));
        if (Hot && std::tolower(static_cast<unsigned char>(Hot)) == std::tolower(Ch))
            return int(I);
    }
    return -1;
}

int RunDialog(DialogState &D)
{
    for (;;) {
        DrawDialog(D);
        HostKey Key;
        if (!HostReadKey(Key)) return -1;
        bool Plain = !Key.Ctrl && !Key.Alt;
        if (Key.Vk == VK_ESCAPE || (Key.Vk == VK_F10 && Plain)) return -1;
        if (Key.Vk == VK_F1 && Plain) {
            if (!D.HelpTopic.empty()) HostRunHelp(D.Module, D.HelpTopic);
            continue;
        }
        if (Key.Vk == VK_RETURN && !Key.Alt) {
            if (D.Focus >= 0 && D.Items[size_t(D.Focus)].Type == DI_BUTTON) return D.Focus;
            return DefaultButton(D);
        }
        FarDialogItem *Focused = D.Focus >= 0 ? &D.Items[size_t(D.Focus)] : nullptr;
        // In an edit line Left and Right move the insertion point, and
        // characters (blank included) are text, not hotkeys.
        if (Focused && IsEdit(*Focused) && Plain && EditKey(D, Key)) continue;
        if (Key.Vk == VK_TAB || ((Key.Vk == VK_DOWN || Key.Vk == VK_RIGHT) && Plain)) {
            SetFocus(D, NextFocus(D, Key.Vk == VK_TAB && Key.Shift ? -1 : 1));
            continue;
        }
        if ((Key.Vk == VK_UP || Key.Vk == VK_LEFT) && Plain) {
            SetFocus(D, NextFocus(D, -1));
            continue;
        }
        if (Key.Vk == VK_SPACE && Plain && Focused) {
            int Closing = Activate(D, D.Focus);
            if (Closing != -2) return Closing;
            continue;
        }
        int Hot = HotkeyItem(D, Key.Ch);
        if (Hot >= 0 && !Key.Ctrl) {
            SetFocus(D, Hot);
            int Closing = Activate(D, Hot);
            if (Closing != -2) return Closing;
        }
    }
}

}  // namespace

int DialogItemWidth(const FarDialogItem &Item)
{
    int Text = int(StripHotkey(ItemText(Item)).size());
    switch (Item.Type) {
    case DI_BUTTON: return Text + 4;
    case DI_CHECKBOX:
    case DI_RADIOBUTTON: return Text + 4;
    case DI_EDIT:
    case DI_FIXEDIT:
    case DI_PSWEDIT: return std::max(Item.X2 - Item.X1 + 1, 1);
    default: return Text;
    }
}

void LayoutDialogItems(std::vector<FarDialogItem> &Items, int DialogWidth)
{
    size_t I = 0;
    while (I < Items.size()) {
        FarDialogItem &Item = Items[I];
        if (Item.Type == DI_TEXT && Item.X1 == -1 && !(Item.Flags & DIF_SEPARATOR)) {
            int Width = DialogItemWidth(Item);
            Item.X1 = std::max(0, (DialogWidth - Width) / 2);
            Item.X2 = Item.X1 + Width - 1;
        }
        if (!(Item.Flags & DIF_CENTERGROUP)) {
            I++;
            continue;
        }
        // The group: this item and the ones after it on the same line.
        size_t End = I + 1;
        while (End < Items.size() && (Items[End].Flags & DIF_CENTERGROUP) &&
               Items[End].Y1 == Item.Y1)
            End++;
        int Total = int(End - I) - 1;
        for (size_t K = I; K < End; K++) Total += DialogItemWidth(Items[K]);
        int X = std::max(0, (DialogWidth - Total) / 2);
        for (size_t K = I; K < End; K++) {
            int Width = DialogItemWidth(Items[K]);
            Items[K].X1 = X;
            Items[K].X2 = X + Width - 1;
            X += Width + 1;
        }
        I = End;
    }
}

void HostQueueDialog(int Result, const std::vector<DialogItemChange> &Changes)
{
    DialogScripts.push_back({Result, Changes});
}

const std::vector<DialogCall> &HostDialogCalls() { return DialogCalls; }

int WINAPI HostDialog(int PluginNumber, int X1, int Y1, int X2, int Y2, const char *HelpTopic,
                      FarDialogItem *Item, int ItemsNumber)
{
    DialogCall Call;
    Call.PluginNumber = PluginNumber;
    Call.X1 = X1;
    Call.Y1 = Y1;
    Call.X2 = X2;
    Call.Y2 = Y2;
    Call.HasHelpTopic = HelpTopic != nullptr;
    Call.HelpTopic = HelpTopic ? HelpTopic : "";
    if (Item && ItemsNumber > 0) Call.Items.assign(Item, Item + ItemsNumber);
    Call.Result = -1;

    if (!DialogScripts.empty()) {
        ScriptedDialog Script = DialogScripts.front();
        DialogScripts.pop_front();
        for (const DialogItemChange &Change : Script.Changes) {
            if (!Item || Change.Index < 0 || Change.Index >= ItemsNumber) continue;
            FarDialogItem &Target = Item[Change.Index];
            if (Change.Data) {
                std::memset(Target.Data, 0, sizeof(Target.Data));
                std::memcpy(Target.Data, Change.Data->data(),
                            std::min(Change.Data->size(), sizeof(Target.Data) - 1));
            } else {
                Target.Selected = Change.Selected;
            }
        }
        Call.Result = Script.Result;
        if (Item && ItemsNumber > 0) Call.Returned.assign(Item, Item + ItemsNumber);
        DialogCalls.push_back(Call);
        return Script.Result;
    }
    if (!Item || ItemsNumber <= 0) {
        DialogCalls.push_back(Call);
        return -1;
    }

    DialogState D;
    // X1 = -1 and Y1 = -1 ask for a centred dialog of width X2 and height Y2;
    // otherwise the four are its corners.
    D.Width = X1 < 0 ? X2 : X2 - X1 + 1;
    D.Height = Y1 < 0 ? Y2 : Y2 - Y1 + 1;
    D.X0 = X1 < 0 ? std::max(0, (HostScreenWidth() - D.Width) / 2) : X1;
    D.Y0 = Y1 < 0 ? std::max(0, (HostScreenHeight() - D.Height) / 2) : Y1;
    D.Items.assign(Item, Item + ItemsNumber);
    // An edit line holds at most 511 characters and its zero, whatever came in.
    for (FarDialogItem &Edit : D.Items)
        if (IsEdit(Edit)) Edit.Data[sizeof(Edit.Data) - 1] = 0;
    LayoutDialogItems(D.Items, D.Width);
    int First = -1;
    for (int I = 0; I < ItemsNumber && First < 0; I++)
        if (D.Items[size_t(I)].Focus && Focusable(D.Items[size_t(I)])) First = I;
    for (int I = 0; I < ItemsNumber && First < 0; I++)
        if (Focusable(D.Items[size_t(I)])) First = I;
    SetFocus(D, First);
    D.Module = HostPluginModuleName(PluginNumber);
    D.HelpTopic = Call.HelpTopic;

    SavedArea Area = HostSaveArea(D.X0, D.Y0, D.X0 + D.Width + 1, D.Y0 + D.Height);
    int Result = RunDialog(D);
    for (int Y = 0; Y < HostScreenHeight(); Y++)
        for (int X = 0; X < HostScreenWidth(); X++) Call.Shown.push_back(HostScreenCell(X, Y));
    Call.Cursor = D.Cursor;
    HostRestoreArea(Area);

    // Like Far, the items go back with the state the user left them in: the
    // marks, and the text of the edit lines.
    for (int I = 0; I < ItemsNumber; I++) {
        Item[I].Selected = D.Items[size_t(I)].Selected;
        if (IsEdit(Item[I])) std::memcpy(Item[I].Data, D.Items[size_t(I)].Data, sizeof(Item[I].Data));
    }
    Call.Returned.assign(Item, Item + ItemsNumber);
    Call.Result = Result;
    DialogCalls.push_back(Call);
    return Result;
}

void HostDialogReset()
{
    DialogScripts.clear();
    DialogCalls.clear();
}
