// The Menu service: a framed list drawn over the screen model, chosen with
// the keyboard, or answered from a script queued by a test.
#include "HostInternal.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>

namespace {

std::deque<int> MenuScripts;
std::vector<MenuCall> MenuCalls;

// Far's break-key modifiers, in the high word of a break key.
enum { PKF_CONTROL = 1, PKF_ALT = 2, PKF_SHIFT = 4 };

struct MenuState {
    int X0, Y0, Width, Rows;
    std::vector<std::string> Texts;  // with '&' markers
    std::vector<char> Hotkeys;
    std::vector<bool> Separators, Checked;
    int Selected, Top;
    std::string Title, Bottom;
};

void DrawMenu(const MenuState &M)
{
    int X2 = M.X0 + M.Width - 1, Y2 = M.Y0 + M.Rows + 1;
    HostFillRect(M.X0, M.Y0, X2, Y2, ' ', ColMenuText);
    HostDrawFrame(M.X0, M.Y0, X2, Y2, true, ColMenuBox);
    HostDrawShadow(M.X0, M.Y0, X2, Y2);
    HostDrawFrameTitle(M.X0, X2, M.Y0, M.Title, ColMenuBox);
    HostDrawFrameTitle(M.X0, X2, Y2, M.Bottom, ColMenuBox);
    for (int Row = 0; Row < M.Rows; Row++) {
        size_t I = size_t(M.Top + Row);
        if (I >= M.Texts.size()) break;
        int Y = M.Y0 + 1 + Row;
        if (M.Separators[I]) {
            for (int X = M.X0 + 1; X < X2; X++) HostPutChar(X, Y, char(BoxH1), ColMenuBox);
            HostPutChar(M.X0, Y, char(SepLeft2), ColMenuBox);
            HostPutChar(X2, Y, char(SepRight2), ColMenuBox);
            continue;
        }
        bool Sel = int(I) == M.Selected;
        WORD Attr = Sel ? ColMenuSelected : ColMenuText;
        WORD Hot = Sel ? ColMenuSelectedHotkey : ColMenuHotkey;
        HostFillRect(M.X0 + 1, Y, X2 - 1, Y, ' ', Attr);
        if (M.Checked[I]) HostPutChar(M.X0 + 2, Y, char(0xFB), Attr);  // the check mark
        // The text, cut at the frame, its hotkey letter highlighted.
        std::string Shown = StripHotkey(M.Texts[I]);
        int Room = M.Width - 6;
        if (int(Shown.size()) > Room) Shown.resize(size_t(std::max(Room, 0)));
        HostPutText(M.X0 + 4, Y, Shown, Attr);
        char HotCh = M.Hotkeys[I];
        if (HotCh) {
            int Marked = HotkeyPos(M.Texts[I]);
            size_t At = Marked >= 0 ? size_t(Marked) : Shown.find(HotCh);
            if (At != std::string::npos && int(At) < Room) HostPutAttr(M.X0 + 4 + int(At), Y, Hot);
        }
    }
    HostFlushScreen();
    HostHideCursor();
}

bool Selectable(const MenuState &M, int I)
{
    return I >= 0 && I < int(M.Texts.size()) && !M.Separators[size_t(I)];
}

// Moves the selection one step, over separators; wraps in FMENU_WRAPMODE,
// otherwise stays at the ends.
void Step(MenuState &M, int Dir, bool Wrap)
{
    int Count = int(M.Texts.size());
    int I = M.Selected;
    for (int K = 0; K < Count; K++) {
        I += Dir;
        if (I < 0 || I >= Count) {
            if (!Wrap) return;
            I = (I + Count) % Count;
        }
        if (Selectable(M, I)) {
            M.Selected = I;
            return;
        }
    }
}

// Selects the item at Target, or the nearest selectable one from there in
// direction Dir, or else in the other direction.
void SelectNear(MenuState &M, int Target, int Dir)
{
    for (int D : {Dir, -Dir})
        for (int I = Target; I >= 0 && I < int(M.Texts.size()); I += D)
            if (Selectable(M, I)) {
                M.Selected = I;
                return;
            }
}

void ScrollToSelection(MenuState &M)
{
    if (M.Selected < M.Top) M.Top = M.Selected;
    if (M.Selected >= M.Top + M.Rows) M.Top = M.Selected - M.Rows + 1;
}

int BreakKeyIndex(const int *BreakKeys, const HostKey &Key)
{
    if (!BreakKeys) return -1;
    for (int I = 0; BreakKeys[I] != 0; I++) {
        int Vk = BreakKeys[I] & 0xFFFF, Mods = (BreakKeys[I] >> 16) & 0xFFFF;
        bool Ctrl = (Mods & PKF_CONTROL) != 0, Alt = (Mods & PKF_ALT) != 0,
             Shift = (Mods & PKF_SHIFT) != 0;
        if (Vk == Key.Vk && Ctrl == Key.Ctrl && Alt == Key.Alt && Shift == Key.Shift) return I;
    }
    return -1;
}

// What the plugin asked for, as the tests read it back.
MenuCall RecordCall(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char *Title,
                    const char *Bottom, const char *HelpTopic, const int *BreakKeys,
                    const int *BreakCode, const FarMenuItem *Item, int ItemsNumber)
{
    MenuCall Call;
    Call.PluginNumber = PluginNumber;
    Call.X = X;
    Call.Y = Y;
    Call.MaxHeight = MaxHeight;
    Call.Flags = Flags;
    Call.HasTitle = Title != nullptr;
    Call.HasBottom = Bottom != nullptr;
    Call.HasHelpTopic = HelpTopic != nullptr;
    Call.HasBreakKeys = BreakKeys != nullptr;
    Call.HasBreakCode = BreakCode != nullptr;
    Call.Title = Title ? Title : "";
    Call.Bottom = Bottom ? Bottom : "";
    Call.HelpTopic = HelpTopic ? HelpTopic : "";
    if (Item && ItemsNumber > 0) Call.Items.assign(Item, Item + ItemsNumber);
    Call.Result = -1;
    return Call;
}

// The items' texts, separators and check marks; the widest text.
int TakeItems(MenuState &M, const FarMenuItem *Item, int ItemsNumber)
{
    int Longest = 0;
    for (int I = 0; I < ItemsNumber; I++) {
        std::string Text(Item[I].Text, strnlen(Item[I].Text, sizeof(Item[I].Text)));
        M.Texts.push_back(Text);
        M.Separators.push_back(Item[I].Separator != 0);
        M.Checked.push_back(Item[I].Checked != 0);
        Longest = std::max(Longest, int(StripHotkey(Text).size()));
    }
    return Longest;
}

// Hotkeys: a letter marked with '&'; with AutoHighlight the others get the
// first letter or digit of their text that no item has yet.
void AssignHotkeys(MenuState &M, bool AutoHighlight)
{
    const size_t Count = M.Texts.size();
    std::string Used;
    for (size_t I = 0; I < Count; I++) {
        char Hot = M.Separators[I] ? 0 : HotkeyOf(M.Texts[I]);
        M.Hotkeys.push_back(Hot);
        if (Hot) Used += char(std::tolower(static_cast<unsigned char>(Hot)));
    }
    if (!AutoHighlight) return;
    for (size_t I = 0; I < Count; I++) {
        if (M.Hotkeys[I] || M.Separators[I]) continue;
        for (char Ch : StripHotkey(M.Texts[I])) {
            char Low = char(std::tolower(static_cast<unsigned char>(Ch)));
            if (std::isalnum(static_cast<unsigned char>(Ch)) && Used.find(Low) == std::string::npos) {
                M.Hotkeys[I] = Ch;
                Used += Low;
                break;
            }
        }
    }
}

// Size and place on the screen: as wide as the widest text or title, as
// many rows as fit; centred where X or Y is -1.
void PlaceMenu(MenuState &M, int Longest, int X, int Y, int MaxHeight)
{
    const int ScreenW = HostScreenWidth(), ScreenH = HostScreenHeight();
    M.Width = std::max({Longest + 6, int(M.Title.size()) + 6, int(M.Bottom.size()) + 6, 12});
    M.Width = std::min(M.Width, std::max(ScreenW - 2, 8));
    int MaxRows = std::max(ScreenH - 4, 1);
    if (MaxHeight > 0) MaxRows = std::min(MaxRows, MaxHeight);
    M.Rows = std::min(int(M.Texts.size()), MaxRows);
    const int Height = M.Rows + 2;
    M.X0 = X < 0 ? std::max(0, (ScreenW - M.Width) / 2) : X;
    M.Y0 = Y < 0 ? std::max(0, (ScreenH - Height) / 2) : Y;
    M.Top = 0;
}

// The first selectable item marked selected, else the first selectable one;
// false when there is none (nothing but separators).
bool SelectFirst(MenuState &M, const FarMenuItem *Item)
{
    const int Count = int(M.Texts.size());
    M.Selected = -1;
    for (int I = 0; I < Count && M.Selected < 0; I++)
        if (Item[I].Selected && Selectable(M, I)) M.Selected = I;
    for (int I = 0; I < Count && M.Selected < 0; I++)
        if (Selectable(M, I)) M.Selected = I;
    return M.Selected >= 0;
}

// The item whose hotkey is Ch, or -1.
int HotkeyItem(const MenuState &M, int Ch)
{
    for (size_t I = 0; I < M.Hotkeys.size(); I++)
        if (M.Hotkeys[I] && std::tolower(static_cast<unsigned char>(M.Hotkeys[I])) == std::tolower(Ch))
            return int(I);
    return -1;
}

// Draws the menu and takes keys until an item is chosen (its index) or the
// menu is left (-1). A break key chooses the selected item and reports its
// own index in BreakCode.
int RunMenu(MenuState &M, DWORD Flags, const int *BreakKeys, int *BreakCode,
            const std::string &HelpTopic, const std::string &Module)
{
    const bool Wrap = (Flags & FMENU_WRAPMODE) != 0;
    const int Count = int(M.Texts.size());
    for (;;) {
        ScrollToSelection(M);
        DrawMenu(M);
        HostKey Key;
        if (!HostReadKey(Key)) return -1;
        const bool Plain = !Key.Ctrl && !Key.Alt && !Key.Shift;
        const int Break = BreakKeyIndex(BreakKeys, Key);
        if (Break >= 0) {
            if (BreakCode) *BreakCode = Break;
            return M.Selected;
        }
        if (Key.Vk == VK_ESCAPE || (Key.Vk == VK_F10 && Plain)) return -1;
        if (Key.Vk == VK_RETURN) return M.Selected;
        if (Key.Vk == VK_F1 && Plain) {
            if (!HelpTopic.empty()) HostRunHelp(Module, HelpTopic);
        } else if (Key.Vk == VK_UP || Key.Vk == VK_LEFT) {
            Step(M, -1, Wrap);
        } else if (Key.Vk == VK_DOWN || Key.Vk == VK_RIGHT) {
            Step(M, 1, Wrap);
        } else if (Key.Vk == VK_HOME || Key.Vk == VK_PRIOR) {
            const int Target = Key.Vk == VK_HOME ? 0 : std::max(0, M.Selected - (M.Rows - 1));
            SelectNear(M, Target, 1);
        } else if (Key.Vk == VK_END || Key.Vk == VK_NEXT) {
            const int Target =
                Key.Vk == VK_END ? Count - 1 : std::min(Count - 1, M.Selected + (M.Rows - 1));
            SelectNear(M, Target, -1);
        } else if (Key.Ch > ' ' && !Key.Ctrl) {
            // A hotkey chooses its item at once, as in Far.
            const int Found = HotkeyItem(M, Key.Ch);
            if (Found >= 0) {
                M.Selected = Found;
                return Found;
            }
        }
    }
}

}  // namespace

void HostQueueMenu(int Result) { MenuScripts.push_back(Result); }
const std::vector<MenuCall> &HostMenuCalls() { return MenuCalls; }

int WINAPI HostMenu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char *Title,
                    const char *Bottom, const char *HelpTopic, const int *BreakKeys,
                    int *BreakCode, const FarMenuItem *Item, int ItemsNumber)
{
    MenuCall Call = RecordCall(PluginNumber, X, Y, MaxHeight, Flags, Title, Bottom, HelpTopic,
                               BreakKeys, BreakCode, Item, ItemsNumber);
    if (BreakCode) *BreakCode = -1;
    if (!MenuScripts.empty()) {
        Call.Result = MenuScripts.front();
        MenuScripts.pop_front();
    } else if (Item && ItemsNumber > 0) {
        MenuState M;
        M.Title = Call.Title;
        M.Bottom = Call.Bottom;
        const int Longest = TakeItems(M, Item, ItemsNumber);
        AssignHotkeys(M, (Flags & FMENU_AUTOHIGHLIGHT) != 0);
        PlaceMenu(M, Longest, X, Y, MaxHeight);
        if (SelectFirst(M, Item)) {
            SavedArea Area = HostSaveArea(M.X0, M.Y0, M.X0 + M.Width + 1, M.Y0 + M.Rows + 2);
            Call.Result = RunMenu(M, Flags, BreakKeys, BreakCode, Call.HelpTopic,
                                  HostPluginModuleName(PluginNumber));
            HostRestoreArea(Area);
        }
    }
    MenuCalls.push_back(Call);
    return Call.Result;
}

void HostMenuReset()
{
    MenuScripts.clear();
    MenuCalls.clear();
}
