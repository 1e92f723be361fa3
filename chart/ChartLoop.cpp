// ChartLoop: the chart window's interaction loop, which moves the selection,
// takes typed codes, switches tables, calls the hooks and confirms.
#include "ChartLoop.h"

#include "CharacterKeys.h"
#include "ChartWindow.h"
#include "Clipboard.h"
#include "CodeTables.h"
#include "Console.h"
#include "Messages.h"
#include "Settings.h"
#include "UnicodeSettings.h"

// ------------------------------------------------------------- state --

ChartHookProc HelpHook = nullptr;
ChartHookProc TableMenuHook = nullptr;
ChartHookProc OptionsHook = nullptr;

std::string EntryText;
uint8_t CellRow = 0, CellCol = 0;
uint8_t Choice = 0;
bool Dragging = false;
int32_t GrabX = 0, GrabY = 0;

namespace {

const MouseAction DoubleClickAction[2] = {maConfirm, maConfirmAppend};

// Mouse position relative to the window, as last computed by ChartMouse.
int MouseRelX = 0, MouseRelY = 0;

// Box areas, in the window's own columns and rows.
struct Area {
    int X1, X2, Y1, Y2;
};
const Area TitleRows = {0, 41, 0, 1};
const Area NameRow = {5, 36, 2, 2};
const Area ChartCells = {5, 36, 4, 11};
const Area WholeBox = {0, 41, 0, 15};

bool In(const Area &A) { return InArea(A.X1, A.X2, A.Y1, A.Y2); }

bool MouseOnScreen() {
    return MouseX >= 0 && MouseX < ScreenWidth && MouseY >= 0 && MouseY < ScreenHeight;
}

// The keys on which the loop may call a host dialog or menu (the character
// keys' among them) or close the window, leaving the console input to the
// host: the records after them are not taken from the console with them. A mouse event may too, unless it is a
// move without a button or a wheel, which no mouse action takes.
bool HandsOverInput(int Key) {
    switch (Key) {
    case kbEnter:
    case kbEsc:
    case kbF10:
    case kbCtrlEnter:
    case kbF1:
    case kbF11:
    case kbCtrlF11:
    case kbShiftF8:
        return true;
    case kbMouse:
        return MousePressed() || MouseReleased() || MouseDragged() || MouseDoubleClick();
    default:
        return CharacterKeyOpensHostUi(Key);
    }
}

// Host dialogs draw over the host's model of the screen: hand ours over
// first and take the console back afterwards.
void CallBracketed(ChartHookProc Hook) {
    if (!Hook) return;
    PushScreen();
    Hook();
    ResyncScreen();
}

// Show the console as it was when the window opened while Ctrl+Alt+Shift
// are held; the events read meanwhile are discarded. The cursor is set
// behind the cursor routines' back, so they forget what they knew.
void PeekUnderWindow() {
    ResetDrawScreen();
    FlushScreen();
    if (SavedCursorInfoValid) SetConsoleCursorInfo(OutputHandle, &SavedCursorInfo);
    SetConsoleCursorPosition(OutputHandle, SavedCursorPos);
    ForgetCursor();
    while (PeekHeld) ReadEvent(false, HandsOverInput);
}

void PlaceCursor() {
    if (!EntryText.empty()) {
        CursorTo(int(EntryLabel().size() + EntryText.size()) + 2, 12);
        LineCursor();
    } else {
        CursorTo(CellCol + 2, CellRow + 3);
        BlockCursor();
    }
}

void SetCode(uint8_t Code) {
    LastChar = Code;
    CodeToCell();
}

// Returns true when the action closes the window.
bool DoMouseAction(MouseAction Action) {
    switch (Action) {
    case maNone:
        return false;
    case maClose:
        return true;
    case maDrag:
        ChartX = MinInt(MaxInt(MouseX - GrabX, 0), ScreenWidth - ChartWidth);
        ChartY = MinInt(MaxInt(MouseY - GrabY, 0), ScreenHeight - ChartHeight);
        return false;
    case maTableMenu:
        if (TableMenuHook) TableMenuHook();
        return false;
    case maSelect:
        CellCol = uint8_t(MouseRelX - 5);
        CellRow = uint8_t(MouseRelY - 4);
        CellToCode();
        return false;
    case maConfirm:
        return CopyChoice();
    case maConfirmAppend:
        return AppendChoice();
    }
    return false;
}

// Selection mode. Returns true when the key closes the window.
bool SelectionKey(int Key) {
    if (Key >= 32 && Key <= 255) {
        if (TypeMode != 0) {
            AddEntryChar(Key);
        } else {
            FindCodeForChar(uint8_t(Key));
            CodeToCell();
        }
        return false;
    }
    if (CharacterKey(Key)) return false;
    switch (Key) {
    case kbEnter:
        return CopyChoice();
    case kbEsc:
    case kbF10:
        return true;
    case kbF1:
        CallBracketed(HelpHook);
        break;
    case kbF8:
        ToggleWindowsTable();
        break;
    case kbF9:
        NextCodeTable();
        break;
    case kbF11:
    case kbCtrlF11:
        CallBracketed(OptionsHook);
        break;
    case kbShiftF8:
        // The table menu brackets its host call itself.
        if (TableMenuHook) TableMenuHook();
        break;
    case kbShiftF9:
        PrevCodeTable();
        break;
    case kbHome:
        CellCol = 0;
        CellToCode();
        break;
    case kbEnd:
        CellCol = 31;
        CellToCode();
        break;
    case kbUp:
        if (CellRow > 0) CellRow--;
        CellToCode();
        break;
    case kbDown:
        if (CellRow < 7) CellRow++;
        CellToCode();
        break;
    case kbLeft:
        if (CellCol > 0) CellCol--;
        CellToCode();
        break;
    case kbRight:
        if (CellCol < 31) CellCol++;
        CellToCode();
        break;
    case kbPgUp:
        CellRow = 0;
        CellToCode();
        break;
    case kbPgDn:
        CellRow = 7;
        CellToCode();
        break;
    case kbCtrlC:
    case kbCtrlIns:
        CopyChoice();
        break;
    case kbCtrlEnter:
        return AppendChoice();
    case kbAltDown:
        if (ChartY < ScreenHeight - ChartHeight) ChartY++;
        break;
    case kbAltLeft:
        if (ChartX > 0) ChartX--;
        break;
    case kbAltRight:
        if (ChartX < ScreenWidth - ChartWidth) ChartX++;
        break;
    case kbAltUp:
        if (ChartY > 0) ChartY--;
        break;
    case kbCtrlEnd:
    case kbCtrlPgDn:
        SetCode(255);
        break;
    case kbCtrlHome:
    case kbCtrlPgUp:
        SetCode(0);
        break;
    case kbCtrlAdd:
        AppendChoice();
        break;
    case kbMouse:
        return DoMouseAction(ChartMouse());
    default:
        break;
    }
    return false;
}

// Entry mode never closes the window; everything but these keys is ignored.
void EntryKey(int Key) {
    if (Key >= 32 && Key <= 255) {
        AddEntryChar(Key);
        return;
    }
    switch (Key) {
    case kbBack:
        EntryText.pop_back();
        break;
    case kbEnter:
        if (TypeMode == 1)
            ParseDecCode(EntryText, LastChar);
        else
            ParseHexCode(EntryText, LastChar);
        CodeToCell();
        EntryText.clear();
        break;
    case kbEsc:
    case kbF10:
        EntryText.clear();
        break;
    default:
        break;
    }
}

}  // namespace

uint8_t RunChart() {
    if (!OpenScreen(PluginTitle + TitleSuffix)) return 0;
    uint8_t Result = ChartLoop();
    CloseScreen();
    return Result;
}

uint8_t ChartLoop() {
    EntryText.clear();
    if (CurrentTable >= CodeTableCount) CurrentTable = 0;
    CodeToCell();
    CentreChart();

    bool Redraw = true;
    for (;;) {
        if (PeekHeld) {
            PeekUnderWindow();
            Redraw = true;
        }
        Choice = 0;
        if (Redraw) {
            ResetDrawScreen();
            DrawChart(LastChar, EntryText);
            FlushScreen();
            PlaceCursor();
        }

        int Key = ReadEvent(false, HandsOverInput);
        // Key releases, lone modifiers and other events change nothing: the
        // frame they would draw is the one on the screen.
        Redraw = Key != kbNone;
        if (!EntryText.empty()) {
            EntryKey(Key);
        } else if (SelectionKey(Key)) {
            EntryText.clear();
            return Choice;
        }
    }
}

MouseAction ChartMouse() {
    MouseRelX = MouseX - ChartX;
    MouseRelY = MouseY - ChartY;
    if (MousePressed() && In(TitleRows)) {
        Dragging = true;
        GrabX = MouseRelX;
        GrabY = MouseRelY;
        return maNone;
    }
    if (Dragging && MouseReleased()) {
        Dragging = false;
        return maNone;
    }
    if (Dragging && MouseDragged()) return maDrag;
    if (MouseReleased() && In(NameRow)) return maTableMenu;
    // Only cells on the screen select: on a console smaller than the window
    // the cells beyond its edges are not there to be clicked.
    if (In(ChartCells) && MouseOnScreen()) {
        if (MousePressed() || MouseDragged()) return maSelect;
        if (MouseDoubleClick()) return DoubleClickAction[MouseCtrl ? 1 : 0];
    }
    if ((MousePressed() || MouseDragged()) && !In(WholeBox)) return maClose;
    return maNone;
}

bool InArea(int X1, int X2, int Y1, int Y2) {
    return MouseRelX >= X1 && MouseRelX <= X2 && MouseRelY >= Y1 && MouseRelY <= Y2;
}

void ParseDecCode(const std::string &Text, uint8_t &Code) {
    if (Text.empty()) return;
    int N = 0;
    for (char C : Text) {
        if (C < '0' || C > '9') return;
        N = N * 10 + (C - '0');
        if (N > 255) return;
    }
    Code = uint8_t(N);
}

void ParseHexCode(const std::string &Text, uint8_t &Code) {
    if (Text.empty()) return;
    int N = 0;
    for (char C : Text) {
        N *= 16;
        int U = UpCaseLetter(static_cast<unsigned char>(C));
        if (U >= '0' && U <= '9')
            N += U - '0';
        else if (U >= 'A' && U <= 'F')
            N += U - 'A' + 10;
        else
            return;
        if (N > 255) return;
    }
    Code = uint8_t(N);
}

void CodeToCell() {
    CellRow = LastChar / 32;
    CellCol = LastChar % 32;
}

void CellToCode() { LastChar = uint8_t(CellRow * 32 + CellCol); }

void AddEntryChar(int Key) {
    if (EntryText.size() < 3) EntryText += char(Key & 0xFF);
}

// A confirm whose character did not reach the clipboard does not close the
// window: closing would look like success (and type the character, or the
// clipboard's old text). The user can try again or leave with Esc.
bool CopyChoice() {
    Choice = CopyMode ? LastChar : MapCode(LastChar);
    const bool Copied = PutClipboardString(std::string(1, char(Choice)));
    if (Copied && Choice) RememberRecentChar(MapCode(LastChar));
    return Copied;
}

bool AppendChoice() {
    Choice = CopyMode ? LastChar : MapCode(LastChar);
    const bool Appended = AppendClipboardText(std::string(1, char(Choice)));
    if (Appended && Choice) RememberRecentChar(MapCode(LastChar));
    return Appended;
}

void ChartLoopResetForTests() {
    HelpHook = TableMenuHook = OptionsHook = nullptr;
    EntryText.clear();
    CellRow = CellCol = Choice = 0;
    Dragging = false;
    GrabX = GrabY = 0;
    MouseRelX = MouseRelY = 0;
}
