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

std::deque<ScriptedDialog> Scripts;
std::vector<DialogCall> Calls;

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
};

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

void DrawDialog(const DialogState &D)
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
            int Right = D.X0 + std::max(Item.X2, Item.X1);
            std::string Shown = Item.Type == DI_PSWEDIT ? std::string(Text.size(), '*') : Text;
            for (int C = X; C <= Right; C++) {
                size_t K = size_t(C - X);
                HostPutChar(C, Y, K < Shown.size() ? Shown[K] : ' ', ColDialogEdit);
            }
            break;
        }
        default:
            break;
        }
    }
    HostFlushScreen();
    // The cursor marks a focused check box, radio button or edit line.
    if (D.Focus >= 0) {
        const FarDialogItem &Item = D.Items[size_t(D.Focus)];
        int X = D.X0 + Item.X1, Y = D.Y0 + Item.Y1;
        if (Item.Type == DI_CHECKBOX || Item.Type == DI_RADIOBUTTON)
            HostShowCursorAt(X + 1, Y);
        else if (IsEdit(Item))
            HostShowCursorAt(X + int(strnlen(Item.Data, sizeof(Item.Data))), Y);
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
        if (Key.Vk == VK_TAB || ((Key.Vk == VK_DOWN || Key.Vk == VK_RIGHT) && Plain)) {
            D.Focus = NextFocus(D, Key.Vk == VK_TAB && Key.Shift ? -1 : 1);
            continue;
        }
        if ((Key.Vk == VK_UP || Key.Vk == VK_LEFT) && Plain) {
            D.Focus = NextFocus(D, -1);
            continue;
        }
        FarDialogItem *Focused = D.Focus >= 0 ? &D.Items[size_t(D.Focus)] : nullptr;
        if (Focused && IsEdit(*Focused) && Plain) {
            size_t Length = strnlen(Focused->Data, sizeof(Focused->Data));
            if (Key.Vk == VK_BACK) {
                if (Length > 0) Focused->Data[Length - 1] = 0;
                continue;
            }
            if (Key.Ch >= 32 && Length + 1 < sizeof(Focused->Data)) {
                Focused->Data[Length] = char(Key.Ch);
                Focused->Data[Length + 1] = 0;
                continue;
            }
        }
        if (Key.Vk == VK_SPACE && Plain && Focused) {
            int Closing = Activate(D, D.Focus);
            if (Closing != -2) return Closing;
            continue;
        }
        int Hot = HotkeyItem(D, Key.Ch);
        if (Hot >= 0 && !Key.Ctrl) {
            D.Focus = Hot;
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
    Scripts.push_back({Result, Changes});
}

const std::vector<DialogCall> &HostDialogCalls() { return Calls; }

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

    if (!Scripts.empty()) {
        ScriptedDialog Script = Scripts.front();
        Scripts.pop_front();
        for (const DialogItemChange &Change : Script.Changes)
            if (Item && Change.Index >= 0 && Change.Index < ItemsNumber)
                Item[Change.Index].Selected = Change.Selected;
        Call.Result = Script.Result;
        Calls.push_back(Call);
        return Script.Result;
    }
    if (!Item || ItemsNumber <= 0) {
        Calls.push_back(Call);
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
    LayoutDialogItems(D.Items, D.Width);
    D.Focus = -1;
    for (int I = 0; I < ItemsNumber && D.Focus < 0; I++)
        if (D.Items[size_t(I)].Focus && Focusable(D.Items[size_t(I)])) D.Focus = I;
    for (int I = 0; I < ItemsNumber && D.Focus < 0; I++)
        if (Focusable(D.Items[size_t(I)])) D.Focus = I;
    D.Module = HostPluginModuleName(PluginNumber);
    D.HelpTopic = Call.HelpTopic;

    SavedArea Area = HostSaveArea(D.X0, D.Y0, D.X0 + D.Width + 1, D.Y0 + D.Height);
    int Result = RunDialog(D);
    HostRestoreArea(Area);

    // Like Far, the items go back with the state the user left them in.
    for (int I = 0; I < ItemsNumber; I++) {
        Item[I].Selected = D.Items[size_t(I)].Selected;
        if (IsEdit(Item[I])) std::memcpy(Item[I].Data, D.Items[size_t(I)].Data, sizeof(Item[I].Data));
    }
    Call.Result = Result;
    Calls.push_back(Call);
    return Result;
}

void HostDialogReset()
{
    Scripts.clear();
    Calls.clear();
}
