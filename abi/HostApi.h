// HostApi: the host's records, services and constants, the one interface the
// plugin and our host share. Plain C layouts in the host's field order; on
// the 32-bit target the published offsets are asserted below.
#ifndef QUORREL_HOSTAPI_H
#define QUORREL_HOSTAPI_H

#include <windows.h>

#include <cstddef>

// Where OpenPlugin was called from.
enum {
    OPEN_DISKMENU = 0,
    OPEN_PLUGINSMENU = 1,
    OPEN_FINDLIST = 2,
    OPEN_SHORTCUT = 3,
    OPEN_COMMANDLINE = 4,
    OPEN_EDITOR = 5,
    OPEN_VIEWER = 6,
};

// PluginInfo.Flags
enum { PF_EDITOR = 4, PF_VIEWER = 8 };

// Menu flags
enum { FMENU_WRAPMODE = 2, FMENU_AUTOHIGHLIGHT = 4 };

// Dialog item types and flags
enum {
    DI_TEXT = 0,
    DI_VTEXT = 1,
    DI_SINGLEBOX = 2,
    DI_DOUBLEBOX = 3,
    DI_EDIT = 4,
    DI_PSWEDIT = 5,
    DI_FIXEDIT = 6,
    DI_BUTTON = 7,
    DI_CHECKBOX = 8,
    DI_RADIOBUTTON = 9,
};
enum : DWORD {
    DIF_BOXCOLOR = 0x200,
    DIF_GROUP = 0x400,
    DIF_CENTERGROUP = 0x4000,
    DIF_SEPARATOR = 0x10000,
};

// Editor and panel commands
enum {
    ECTL_GETSTRING = 0,
    ECTL_INSERTTEXT = 5,
    ECTL_GETINFO = 6,
    ECTL_REDRAW = 9,
    ECTL_EDITORTOOEM = 10,
};
enum {
    FCTL_GETCMDLINE = 8,
    FCTL_INSERTCMDLINE = 14,
    FCTL_GETCMDLINEPOS = 18,
};

struct FarMenuItem {
    char Text[128];
    int Selected;
    int Checked;
    int Separator;
};

struct FarDialogItem {
    int Type;
    int X1, Y1, X2, Y2;
    int Focus;
    int Selected;
    DWORD Flags;
    int DefaultButton;
    char Data[512];
};

struct CharTableSet {
    unsigned char DecodeTable[256];
    unsigned char EncodeTable[256];
    unsigned char UpperTable[256];
    unsigned char LowerTable[256];
    char TableName[128];
};

struct EditorGetString {
    int StringNumber;
    const char *StringText;
    const char *StringEOL;
    int StringLength;
    int SelStart;
    int SelEnd;
};

struct EditorInfo {
    int EditorID;
    const char *FileName;
    int WindowSizeX;
    int WindowSizeY;
    int TotalLines;
    int CurLine;
    int CurPos;
    int CurTabPos;
    int TopScreenLine;
    int LeftPos;
    int Overtype;
    int BlockType;
    int BlockStartLine;
    int AnsiMode;
    int TableNum;
    DWORD Options;
    int TabSize;
    int BookMarkCount;
    DWORD CurState;
    DWORD Reserved[6];
};

struct EditorConvertText {
    char *Text;
    int TextLength;
};

typedef int(WINAPI *FARAPIMENU)(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags,
                                const char *Title, const char *Bottom, const char *HelpTopic,
                                const int *BreakKeys, int *BreakCode,
                                const struct FarMenuItem *Item, int ItemsNumber);
typedef int(WINAPI *FARAPIDIALOG)(int PluginNumber, int X1, int Y1, int X2, int Y2,
                                  const char *HelpTopic, struct FarDialogItem *Item,
                                  int ItemsNumber);
typedef int(WINAPI *FARAPIMESSAGE)(int PluginNumber, DWORD Flags, const char *HelpTopic,
                                   const char *const *Items, int ItemsNumber, int ButtonsNumber);
typedef const char *(WINAPI *FARAPIGETMSG)(int PluginNumber, int MsgId);
typedef int(WINAPI *FARAPICONTROL)(HANDLE hPlugin, int Command, void *Param);
typedef int(WINAPI *FARAPICHARTABLE)(int Command, char *Buffer, int BufferSize);
typedef void(WINAPI *FARAPITEXT)(int X, int Y, int Color, const char *Str);
typedef int(WINAPI *FARAPIEDITORCONTROL)(int Command, void *Param);
typedef BOOL(WINAPI *FARAPISHOWHELP)(const char *ModuleName, const char *HelpTopic, DWORD Flags);
typedef void *FARAPIUNUSED;  // services the plugin never calls

struct PluginStartupInfo {
    int StructSize;
    char ModuleName[MAX_PATH];
    int ModuleNumber;
    const char *RootKey;
    FARAPIMENU Menu;
    FARAPIDIALOG Dialog;
    FARAPIMESSAGE Message;
    FARAPIGETMSG GetMsg;
    FARAPICONTROL Control;
    FARAPIUNUSED SaveScreen;
    FARAPIUNUSED RestoreScreen;
    FARAPIUNUSED GetDirList;
    FARAPIUNUSED GetPluginDirList;
    FARAPIUNUSED FreeDirList;
    FARAPIUNUSED Viewer;
    FARAPIUNUSED Editor;
    FARAPIUNUSED CmpName;
    FARAPICHARTABLE CharTable;
    FARAPITEXT Text;
    FARAPIEDITORCONTROL EditorControl;
    void *FSF;
    FARAPISHOWHELP ShowHelp;
};

// A record of at least this size includes ShowHelp (344 on the 32-bit target).
constexpr int StartupInfoWithShowHelp =
    int(offsetof(PluginStartupInfo, ShowHelp) + sizeof(FARAPISHOWHELP));

struct PluginInfo {
    int StructSize;
    DWORD Flags;
    const char *const *DiskMenuStrings;
    int *DiskMenuNumbers;
    int DiskMenuStringsNumber;
    const char *const *PluginMenuStrings;
    int PluginMenuStringsNumber;
    const char *const *PluginConfigStrings;
    int PluginConfigStringsNumber;
    const char *CommandPrefix;
};

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(PluginStartupInfo) == 344, "PluginStartupInfo size");
static_assert(offsetof(PluginStartupInfo, ModuleName) == 4, "ModuleName");
static_assert(offsetof(PluginStartupInfo, ModuleNumber) == 264, "ModuleNumber");
static_assert(offsetof(PluginStartupInfo, RootKey) == 268, "RootKey");
static_assert(offsetof(PluginStartupInfo, Menu) == 272, "Menu");
static_assert(offsetof(PluginStartupInfo, Dialog) == 276, "Dialog");
static_assert(offsetof(PluginStartupInfo, Message) == 280, "Message");
static_assert(offsetof(PluginStartupInfo, GetMsg) == 284, "GetMsg");
static_assert(offsetof(PluginStartupInfo, Control) == 288, "Control");
static_assert(offsetof(PluginStartupInfo, SaveScreen) == 292, "SaveScreen");
static_assert(offsetof(PluginStartupInfo, CmpName) == 320, "CmpName");
static_assert(offsetof(PluginStartupInfo, CharTable) == 324, "CharTable");
static_assert(offsetof(PluginStartupInfo, Text) == 328, "Text");
static_assert(offsetof(PluginStartupInfo, EditorControl) == 332, "EditorControl");
static_assert(offsetof(PluginStartupInfo, FSF) == 336, "FSF");
static_assert(offsetof(PluginStartupInfo, ShowHelp) == 340, "ShowHelp");
static_assert(StartupInfoWithShowHelp == 344, "record with ShowHelp");
static_assert(sizeof(PluginInfo) == 40, "PluginInfo size");
static_assert(offsetof(PluginInfo, Flags) == 4, "Flags");
static_assert(offsetof(PluginInfo, PluginMenuStrings) == 20, "PluginMenuStrings");
static_assert(offsetof(PluginInfo, PluginMenuStringsNumber) == 24, "PluginMenuStringsNumber");
static_assert(offsetof(PluginInfo, PluginConfigStrings) == 28, "PluginConfigStrings");
static_assert(offsetof(PluginInfo, PluginConfigStringsNumber) == 32, "PluginConfigStringsNumber");
static_assert(offsetof(PluginInfo, CommandPrefix) == 36, "CommandPrefix");
static_assert(sizeof(EditorGetString) == 24, "EditorGetString size");
static_assert(offsetof(EditorGetString, StringLength) == 12, "StringLength");
static_assert(sizeof(EditorInfo) == 100, "EditorInfo size");
static_assert(offsetof(EditorInfo, CurPos) == 24, "CurPos");
static_assert(offsetof(EditorInfo, TableNum) == 56, "TableNum");
static_assert(sizeof(EditorConvertText) == 8, "EditorConvertText size");
static_assert(sizeof(CharTableSet) == 1152, "CharTableSet size");
static_assert(offsetof(CharTableSet, TableName) == 1024, "TableName");
static_assert(sizeof(FarMenuItem) == 140, "FarMenuItem size");
static_assert(offsetof(FarMenuItem, Selected) == 128, "Selected");
static_assert(offsetof(FarMenuItem, Separator) == 136, "Separator");
static_assert(sizeof(FarDialogItem) == 548, "FarDialogItem size");
static_assert(offsetof(FarDialogItem, Flags) == 28, "Flags");
static_assert(offsetof(FarDialogItem, DefaultButton) == 32, "DefaultButton");
static_assert(offsetof(FarDialogItem, Data) == 36, "Data");
#endif

#endif
