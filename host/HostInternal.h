// HostInternal: the host's own drawing kit, shared by the library's units
// and the program: the screen model's drawing, saved areas, key reading and
// the help viewer that dialogs and menus open.
#ifndef QUORREL_HOST_INTERNAL_H
#define QUORREL_HOST_INTERNAL_H

#include "Host.h"

#include <string>
#include <vector>

// Far's default colours.
enum : WORD {
    ColDialogText = 0x70,
    ColDialogHighlight = 0x7E,  // hotkey letters
    ColDialogFocusText = 0x7F,  // focused check box or radio button
    ColDialogBox = 0x70,
    ColDialogButton = 0x70,
    ColDialogFocusButton = 0x30,
    ColDialogFocusHotkey = 0x3E,
    ColDialogEdit = 0x30,
    ColMenuText = 0x30,
    ColMenuHotkey = 0x3E,
    ColMenuSelected = 0x0F,
    ColMenuSelectedHotkey = 0x0E,
    ColMenuBox = 0x3F,
    ColHelpText = 0x30,
    ColHelpHighlight = 0x3F,
    ColHelpLink = 0x3E,
    ColHelpSelectedLink = 0x0E,
    ColHelpBox = 0x30,
    ColShadow = 0x08,
};

// Frame characters of code page 437.
enum : unsigned char {
    BoxH1 = 0xC4, BoxV1 = 0xB3, BoxTL1 = 0xDA, BoxTR1 = 0xBF, BoxBL1 = 0xC0, BoxBR1 = 0xD9,
    BoxH2 = 0xCD, BoxV2 = 0xBA, BoxTL2 = 0xC9, BoxTR2 = 0xBB, BoxBL2 = 0xC8, BoxBR2 = 0xBC,
    SepLeft2 = 0xC7, SepRight2 = 0xB6,  // single line joining a double frame
    SepLeft1 = 0xC3, SepRight1 = 0xB4,
};

void HostPutChar(int X, int Y, char Ch, WORD Attr);
void HostPutAttr(int X, int Y, WORD Attr);
void HostDrawFrame(int X1, int Y1, int X2, int Y2, bool Double, WORD Attr);
// Title centred in the top line of a frame, with a blank on each side.
void HostDrawFrameTitle(int X1, int X2, int Y, const std::string &Title, WORD Attr);
// A shadow two columns wide on the right and one row below: the cells keep
// their characters and turn dark grey on black.
void HostDrawShadow(int X1, int Y1, int X2, int Y2);
// Text with Far's '&' hotkey marker: the letter after the first '&' in
// HotAttr; "&&" stands for an '&' that is no marker.
void HostPutHotText(int X, int Y, const std::string &S, WORD Attr, WORD HotAttr);
std::string StripHotkey(const std::string &S);
char HotkeyOf(const std::string &S);  // the letter after '&', or 0
int HotkeyPos(const std::string &S);  // where StripHotkey(S) shows it, or -1
std::string HostLower(std::string S);  // in lower case (the C locale's letters)

// What a box covers, and the cursor, kept to be put back when it closes.
struct SavedArea {
    int X1 = 0, Y1 = 0, X2 = -1, Y2 = -1;
    std::vector<CHAR_INFO> Cells;
    CONSOLE_CURSOR_INFO Cursor{};
    COORD CursorPos{};
};
SavedArea HostSaveArea(int X1, int Y1, int X2, int Y2);
void HostRestoreArea(const SavedArea &Area);
void HostHideCursor();
void HostShowCursorAt(int X, int Y);

// One key press as the host's boxes see it.
struct HostKey {
    WORD Vk = 0;
    unsigned char Ch = 0;
    bool Ctrl = false, Alt = false, Shift = false;
};
// Waits for the next key press (key-down record); other records are passed
// over. False when the input is empty and HostSetInputEndsUi is set.
bool HostReadKey(HostKey &Key);
bool HostInputEndsUi();
// Whether an input record is waiting (without taking it).
bool HostInputPending();
HostKey KeyFromRecord(const KEY_EVENT_RECORD &Record);

// Opens a help topic of a module's .hlf in the scrollable help box and runs
// it until closed. Records a HelpCall. False when there is no such topic.
bool HostRunHelp(const std::string &ModuleName, const std::string &Topic);
// Each unit's part of HostReset.
void HostMessagesReset();
void HostPluginsReset();
void HostEditorReset();
void HostDialogReset();
void HostMenuReset();
void HostHelpReset();
std::string HostLanguage();
// The folder of a module's path, with its separator ("." when it has none).
std::string ModuleFolder(const std::string &ModuleName);
std::string ReadWholeFile(const std::string &Path);

#endif
