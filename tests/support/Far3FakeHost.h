// A scriptable Far 3 for the Far 3 edition's tests: every service the
// plugin calls, with Far 3's signatures, recording what the plugin passed.
// Far's settings store is a map of values by name under one GUID.
#ifndef QUORREL_TESTS_FAR3FAKEHOST_H
#define QUORREL_TESTS_FAR3FAKEHOST_H

#include "Far3Api.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace far3fake {

struct StoredValue {
    FARSETTINGSTYPES Type;
    unsigned long long Number;
    std::wstring String;
};

struct DialogCall {
    GUID PluginId, Id;
    intptr_t X1, Y1, X2, Y2;
    std::wstring HelpTopic;
    std::vector<FarDialogItem> Items;  // as passed; Data points into Texts
    std::vector<std::wstring> Texts;
};

// Input for a dialog with a procedure: the record goes to Item as
// DN_CONTROLINPUT (-1: to the focused item), with a mouse record's place
// relative to the item, as Far hands a user control its mouse.
struct DialogInput {
    intptr_t Item;
    INPUT_RECORD Record;
};

// What a dialog with a procedure shows after its start and after each
// input: each item's text (a user control's cells, row after row) and the
// user controls' cells, the focused item, the cursor in its item, and the
// dialog's place on the screen.
struct DialogFrame {
    std::vector<std::wstring> Texts;
    std::vector<std::vector<FAR_CHAR_INFO>> Cells;
    intptr_t Focus;
    intptr_t CursorItem;
    COORD Cursor;
    intptr_t CursorSize;  // as DM_SETCURSORSIZE got it: visible in the low word
    SMALL_RECT Rect;
};

struct MenuCall {
    GUID Id;
    std::wstring Title;
    std::vector<std::wstring> Texts;
    int Selected;  // the item with MIF_SELECTED, or -1
    bool HasBreakKeys;
};

struct MenuAnswer {
    intptr_t Result;     // the item chosen, or -1
    intptr_t BreakCode;  // the break key pressed, or -1
};

struct Host {
    std::wstring ModuleName = L"C:\\Far\\Plugins\\Quorrel\\Quorrel.dll";
    std::vector<std::wstring> Messages;  // GetMsg by number; beyond them, null
    std::vector<GUID> MsgGuids;

    std::vector<std::pair<std::wstring, std::wstring>> Helps;  // module, topic
    std::vector<FARHELPFLAGS> HelpFlags;

    // Settings store.
    std::map<std::wstring, StoredValue> Settings;
    bool RefuseSettings = false;  // SCTL_CREATE fails
    bool RefuseList = false;      // SCTL_ENUM fails
    int SettingsCreated = 0, SettingsFreed = 0;
    std::vector<intptr_t> SettingsLocations;
    std::vector<GUID> SettingsGuids;

    // Editor: the cursor's line, the cursor, the file's code page.
    bool HasEditor = true;
    std::wstring EditorLine;
    intptr_t EditorCurPos = 0;
    uintptr_t EditorCodePage = 1252;
    std::vector<std::wstring> EditorInserted;
    int EditorRedraws = 0;

    // Command line.
    bool HasCmdLine = true;
    std::wstring CmdLine;
    int CmdLinePos = 0;
    std::vector<std::wstring> CmdLineInserted;

    // Dialogs without a procedure: the script checks or unchecks items (as
    // the user would), may change edit lines' texts, and returns the index
    // of the closing item. Dialogs with a procedure take DialogInputs; when
    // those run out the dialog ends as Esc would (-1).
    std::function<intptr_t(std::vector<intptr_t> &Checks)> DialogScript;
    std::function<intptr_t(std::vector<intptr_t> &Checks, std::vector<std::wstring> &Texts)>
        DialogEditScript;
    std::vector<DialogCall> Dialogs;
    int DialogsFreed = 0;
    std::vector<DialogInput> DialogInputs;
    std::vector<DialogFrame> Frames;
    // Far's window, and the colours of its palette (each index gives a
    // foreground of its own number).
    SMALL_RECT FarRect = {0, 0, 79, 24};

    // Menus: answered in order; past the script, Esc.
    std::vector<MenuAnswer> MenuAnswers;
    std::vector<MenuCall> Menus;

    Host();
};

extern Host *Current;

// A startup record whose services are the fake host's.
PluginStartupInfo MakeStartupInfo(Host &H);

// The messages in their roles: texts name their number ("M7").
std::vector<std::wstring> NumberedMessages();

// Settings of the store, for the tests' rows.
StoredValue Number(unsigned long long N);
StoredValue String(const std::wstring &S);
StoredValue Data();  // a binary value

}  // namespace far3fake

#endif
