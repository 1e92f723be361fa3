// The Menu service: a framed list drawn over the screen model, chosen with
// the keyboard, or answered from a script queued by a test.
#include "HostInternal.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>

namespace {

std::deque<int> Scripts;
std::vector<MenuCall> Calls;

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

}  // namespace

void HostQueueMenu(int Result) { Scripts.push_back(Result); }
const std::vector<MenuCall> &HostMenuCalls() { return Calls; }

int WINAPI HostMenu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char *Title,
                    const char *Bottom, const char *HelpTopic, const int *BreakKeys,
                    int *BreakCode, const FarMenuItem *Item, int ItemsNumber)
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
    if (BreakCode) *BreakCode = -1;

    if (!Scripts.empty()) {
        Call.Result = Scripts.front();
        Scripts.pop_front();
        Calls.push_back(Call);
        return Call.Result;
    }
    if (!Item || ItemsNumber <= 0) {
        Calls.push_back(Call);
        return -1;
    }

    MenuState M;
    M.Title = Call.Title;
    M.Bottom = Call.Bottom;
    int Longest = 0;
    for (int I = 0; I < ItemsNumber; I++) {
        std::string Text(Item[I].Text, strnlen(Item[I].Text, sizeof(Item[I].Text)));
        M.Texts.push_back(Text);
        M.Separators.push_back(Item[I].Separator != 0);
        M.Checked.push_back(Item[I].Checked != 0);
        Longest = std::max(Longest, int(StripHotkey(Text).size()));
    }
    // Hotkeys: a letter marked with '&'; with FMENU_AUTOHIGHLIGHT the others
    // get the first letter or digit of their text that no item has yet.
    std::string Used;
    for (int I = 0; I < ItemsNumber; I++) {
        char Hot = M.Separators[size_t(I)] ? 0 : HotkeyOf(M.Texts[size_t(I)]);
        M.Hotkeys.push_back(Hot);
        if (Hot) Used += char(std::tolower(static_cast<unsigned char>(Hot)));
    }
    if (Flags & FMENU_AUTOHIGHLIGHT)
        for (int I = 0; I < ItemsNumber; I++) {
            if (M.Hotkeys[size_t(I)] || M.Separators[size_t(I)]) continue;
            for (char Ch : StripHotkey(M.Texts[size_t(I)])) {
                char Low = char(std::tolower(static_cast<unsigned char>(Ch)));
                if (std::isalnum(static_cast<unsigned char>(Ch)) &&
                    Used.find(Low) == std::string::npos) {
                    M.Hotkeys[size_t(I)] = Ch;
                    Used += Low;
                    break;
                }
            }
        }

    int ScreenW = HostScreenWidth(), ScreenH = HostScreenHeight();
    M.Width = std::max({Longest + 6, int(M.Title.size()) + 6, int(M.Bottom.size()) + 6, 12});
    M.Width = std::min(M.Width, std::max(ScreenW - 2, 8));
    int MaxRows = std::max(ScreenH - 4, 1);
    if (MaxHeight > 0) MaxRows = std::min(MaxRows, MaxHeight);
    M.Rows = std::min(ItemsNumber, MaxRows);
    int Height = M.Rows + 2;
    M.X0 = X < 0 ? std::max(0, (ScreenW - M.Width) / 2) : X;
    M.Y0 = Y < 0 ? std::max(0, (ScreenH - Height) / 2) : Y;

    M.Selected = -1;
    for (int I = 0; I < ItemsNumber && M.Selected < 0; I++)
        if (Item[I].Selected && Selectable(M, I)) M.Selected = I;
    for (int I = 0; I < ItemsNumber && M.Selected < 0; I++)
        if (Selectable(M, I)) M.Selected = I;
    M.Top = 0;
    if (M.Selected < 0) {
        Calls.push_back(Call);
        return -1;  // nothing but separators
    }
    bool Wrap = (Flags & FMENU_WRAPMODE) != 0;
    std::string Module = HostPluginModuleName(PluginNumber);

    SavedArea Area = HostSaveArea(M.X0, M.Y0, M.X0 + M.Width + 1, M.Y0 + Height);
    int Result = -1;
    for (;;) {
        ScrollToSelection(M);
        DrawMenu(M);
        HostKey Key;
        if (!HostReadKey(Key)) break;
        bool Plain = !Key.Ctrl && !Key.Alt && !Key.Shift;
        int Break = BreakKeyIndex(BreakKeys, Key);
        if (Break >= 0) {
            if (BreakCode) *BreakCode = Break;
            Result = M.Selected;
            break;
        }
        if (Key.Vk == VK_ESCAPE || (Key.Vk == VK_F10 && Plain)) break;
        if (Key.Vk == VK_RETURN) {
            Result = M.Selected;
            break;
        }
        if (Key.Vk == VK_F1 && Plain) {
            if (!Call.HelpTopic.empty()) HostRunHelp(Module, Call.HelpTopic);
            continue;
        }
        if (Key.Vk == VK_UP || Key.Vk == VK_LEFT) {
            Step(M, -1, Wrap);
        } else if (Key.Vk == VK_DOWN || Key.Vk == VK_RIGHT) {
            Step(M, 1, Wrap);
        } else if (Key.Vk == VK_HOME || Key.Vk == VK_PRIOR) {
            int Target = Key.Vk == VK_HOME ? 0 : std::max(0, M.Selected - (M.Rows - 1));
            SelectNear(M, Target, 1);
        } else if (Key.Vk == VK_END || Key.Vk == VK_NEXT) {
            int Target = Key.Vk == VK_END ? ItemsNumber - 1
                                          : std::min(ItemsNumber - 1, M.Selected + (M.Rows - 1));
            SelectNear(M, Target, -1);
        } else if (Key.Ch > ' ' && !Key.Ctrl) {
            // A hotkey chooses its item at once, as in Far.
            int Found = -1;
            for (int I = 0; I < ItemsNumber && Found < 0; I++)
                if (M.Hotkeys[size_t(I)] &&
                    std::tolower(static_cast<unsigned char>(M.Hotkeys[size_t(I)])) ==
                        std::tolower(Key.Ch))
                    Found = I;
            if (Found >= 0) {
                M.Selected = Found;
                Result = Found;
                break;
            }
        }
    }
    HostRestoreArea(Area);
    Call.Result = Result;
    Calls.push_back(Call);
    return Result;
}

void HostMenuReset()
{
    Scripts.clear();
    Calls.clear();
}
