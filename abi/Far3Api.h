// Far3Api: what the Far 3 edition uses of Far 3's plugin interface (the
// wide API: GUIDs, SettingsControl, DialogInit), declared here in Far 3's
// own names and field order. Only what the plugin and its tests touch is
// named; a record the plugin reads or hands over is declared whole, so that
// its size and offsets match the host's. Those are asserted below for the
// two Windows targets; a native build (tests against winsim) has its own
// sizes, and the plugin and the tests' fake host agree through this header.
#ifndef QUORREL_FAR3API_H
#define QUORREL_FAR3API_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

typedef GUID UUID;

// ---- versions and the plugin's description ----
enum VERSION_STAGE { VS_RELEASE = 0, VS_ALPHA = 1, VS_BETA = 2, VS_RC = 3 };
struct VersionInfo {
    DWORD Major;
    DWORD Minor;
    DWORD Revision;
    DWORD Build;
    enum VERSION_STAGE Stage;
};
struct GlobalInfo {
    size_t StructSize;
    struct VersionInfo MinFarVersion;
    struct VersionInfo Version;
    UUID Guid;
    const wchar_t *Title;
    const wchar_t *Description;
    const wchar_t *Author;
    void *Instance;
};

typedef unsigned long long PLUGIN_FLAGS;
constexpr PLUGIN_FLAGS PF_EDITOR = 0x4, PF_VIEWER = 0x8, PF_DIALOG = 0x20, PF_NONE = 0;
struct PluginMenuItem {
    const UUID *Guids;
    const wchar_t *const *Strings;
    size_t Count;
};
struct PluginInfo {
    size_t StructSize;
    PLUGIN_FLAGS Flags;
    struct PluginMenuItem DiskMenu;
    struct PluginMenuItem PluginMenu;
    struct PluginMenuItem PluginConfig;
    const wchar_t *CommandPrefix;
    void *Instance;
};

enum OPENFROM {
    OPEN_LEFTDISKMENU = 0,
    OPEN_PLUGINSMENU = 1,
    OPEN_FINDLIST = 2,
    OPEN_SHORTCUT = 3,
    OPEN_COMMANDLINE = 4,
    OPEN_EDITOR = 5,
    OPEN_VIEWER = 6,
    OPEN_FILEPANEL = 7,
    OPEN_DIALOG = 8,
    OPEN_ANALYSE = 9,
    OPEN_RIGHTDISKMENU = 10,
    OPEN_FROMMACRO = 11,
};
struct OpenInfo {
    size_t StructSize;
    enum OPENFROM OpenFrom;
    const UUID *Guid;
    intptr_t Data;
    void *Instance;
};
struct ConfigureInfo {
    size_t StructSize;
    const UUID *Guid;
    void *Instance;
};
struct ExitInfo {
    size_t StructSize;
    void *Instance;
};

// ---- colours and cells ----
typedef unsigned long long FARCOLORFLAGS;
constexpr FARCOLORFLAGS FCF_FG_INDEX = 0x1, FCF_BG_INDEX = 0x2, FCF_NONE = 0;
struct FarColor {
    FARCOLORFLAGS Flags;
    COLORREF ForegroundColor;  // with FCF_FG_INDEX, the console's colour index
    COLORREF BackgroundColor;
    COLORREF UnderlineColor;
    DWORD Reserved;
};
struct FAR_CHAR_INFO {
    wchar_t Char;
    wchar_t Reserved0;
    int Reserved1;
    struct FarColor Attributes;
};

// ---- dialogs ----
enum FARDIALOGITEMTYPES {
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
    DI_COMBOBOX = 10,
    DI_LISTBOX = 11,
    DI_USERCONTROL = 255,
};
typedef unsigned long long FARDIALOGITEMFLAGS;
constexpr FARDIALOGITEMFLAGS DIF_BOXCOLOR = 0x200, DIF_GROUP = 0x400, DIF_LEFTTEXT = 0x800,
                             DIF_CENTERGROUP = 0x4000, DIF_SEPARATOR = 0x10000,
                             DIF_CENTERTEXT = 0x40000, DIF_HISTORY = 0x40000,  // (edit lines)
                             DIF_DEFAULTBUTTON = 0x100000000ULL,
                             DIF_FOCUS = 0x200000000ULL, DIF_NONE = 0;
struct FarDialogItem {
    enum FARDIALOGITEMTYPES Type;
    intptr_t X1, Y1, X2, Y2;
    union {
        intptr_t Selected;
        struct FAR_CHAR_INFO *VBuf;  // DI_USERCONTROL: its cells, X2-X1+1 by Y2-Y1+1
        intptr_t Reserved0;
    };
    const wchar_t *History;
    const wchar_t *Mask;
    FARDIALOGITEMFLAGS Flags;
    const wchar_t *Data;
    size_t MaxLength;
    intptr_t UserData;
    intptr_t Reserved[2];
};
struct FarGetDialogItem {
    size_t StructSize;
    size_t Size;
    struct FarDialogItem *Item;
};
enum FARCHECKEDSTATE { BSTATE_UNCHECKED = 0, BSTATE_CHECKED = 1, BSTATE_3STATE = 2, BSTATE_TOGGLE = 3 };

enum FARMESSAGE {
    DM_FIRST = 0,
    DM_CLOSE = 1,
    DM_ENABLE = 2,
    DM_ENABLEREDRAW = 3,
    DM_GETDLGDATA = 4,
    DM_GETDLGITEM = 5,
    DM_GETDLGRECT = 6,
    DM_GETTEXT = 7,
    DM_KEY = 9,
    DM_MOVEDIALOG = 10,
    DM_SETDLGDATA = 11,
    DM_SETDLGITEM = 12,
    DM_SETFOCUS = 13,
    DM_REDRAW = 14,
    DM_SETTEXT = 15,
    DM_SHOWDIALOG = 17,
    DM_GETFOCUS = 18,
    DM_GETCURSORPOS = 19,
    DM_SETCURSORPOS = 20,
    DM_SETTEXTPTR = 22,
    DM_SHOWITEM = 23,
    DM_GETCHECK = 25,
    DM_SETCHECK = 26,
    DM_RESIZEDIALOG = 43,
    DM_SETITEMPOSITION = 44,
    DM_GETITEMPOSITION = 48,
    DM_SETINPUTNOTIFY = 49,
    DM_GETCURSORSIZE = 54,
    DM_SETCURSORSIZE = 55,
    DM_GETCONSTTEXTPTR = 63,  // the item's text, the dialog's own
    DM_GETDIALOGINFO = 66,

    DN_FIRST = 4096,
    DN_BTNCLICK = 4097,
    DN_CTLCOLORDIALOG = 4098,
    DN_CTLCOLORDLGITEM = 4099,
    DN_DRAWDIALOG = 4101,
    DN_DRAWDLGITEM = 4102,
    DN_GOTFOCUS = 4105,
    DN_HELP = 4106,
    DN_HOTKEY = 4107,
    DN_INITDIALOG = 4108,
    DN_KILLFOCUS = 4109,
    DN_DRAGGED = 4111,
    DN_RESIZECONSOLE = 4112,
    DN_DRAWDIALOGDONE = 4113,
    DN_INPUT = 4115,
    DN_CONTROLINPUT = 4116,  // Param2: the INPUT_RECORD for the focused item
    DN_CLOSE = 4117,
    DN_DRAWDLGITEMDONE = 4120,

    DM_USER = 0x4000,
};

typedef unsigned long long FARDIALOGFLAGS;
constexpr FARDIALOGFLAGS FDLG_WARNING = 0x1, FDLG_SMALLDIALOG = 0x2, FDLG_NODRAWSHADOW = 0x4,
                         FDLG_KEEPCONSOLETITLE = 0x10, FDLG_NONE = 0;

typedef intptr_t(WINAPI *FARWINDOWPROC)(HANDLE hDlg, intptr_t Msg, intptr_t Param1, void *Param2);
typedef intptr_t(WINAPI *FARAPISENDDLGMESSAGE)(HANDLE hDlg, intptr_t Msg, intptr_t Param1,
                                               void *Param2);
typedef intptr_t(WINAPI *FARAPIDEFDLGPROC)(HANDLE hDlg, intptr_t Msg, intptr_t Param1,
                                           void *Param2);
typedef HANDLE(WINAPI *FARAPIDIALOGINIT)(const UUID *PluginId, const UUID *Id, intptr_t X1,
                                         intptr_t Y1, intptr_t X2, intptr_t Y2,
                                         const wchar_t *HelpTopic, const struct FarDialogItem *Item,
                                         size_t ItemsNumber, intptr_t Reserved,
                                         FARDIALOGFLAGS Flags, FARWINDOWPROC DlgProc, void *Param);
typedef intptr_t(WINAPI *FARAPIDIALOGRUN)(HANDLE hDlg);
typedef void(WINAPI *FARAPIDIALOGFREE)(HANDLE hDlg);

// ---- menus ----
typedef unsigned long long MENUITEMFLAGS;
constexpr MENUITEMFLAGS MIF_SELECTED = 0x10000, MIF_CHECKED = 0x20000, MIF_SEPARATOR = 0x40000,
                        MIF_DISABLE = 0x80000, MIF_GRAYED = 0x100000, MIF_HIDDEN = 0x200000,
                        MIF_NONE = 0;
struct FarKey {
    WORD VirtualKeyCode;
    DWORD ControlKeyState;
};
struct FarMenuItem {
    MENUITEMFLAGS Flags;
    const wchar_t *Text;
    struct FarKey AccelKey;
    intptr_t UserData;
    intptr_t Reserved[2];
};
typedef unsigned long long FARMENUFLAGS;
constexpr FARMENUFLAGS FMENU_SHOWAMPERSAND = 0x1, FMENU_WRAPMODE = 0x2,
                       FMENU_AUTOHIGHLIGHT = 0x4, FMENU_CHANGECONSOLETITLE = 0x10,
                       FMENU_NONE = 0;
typedef intptr_t(WINAPI *FARAPIMENU)(const UUID *PluginId, const UUID *Id, intptr_t X, intptr_t Y,
                                     intptr_t MaxHeight, FARMENUFLAGS Flags, const wchar_t *Title,
                                     const wchar_t *Bottom, const wchar_t *HelpTopic,
                                     const struct FarKey *BreakKeys, intptr_t *BreakCode,
                                     const struct FarMenuItem *Item, size_t ItemsNumber);

// ---- messages, help, screen ----
typedef const wchar_t *(WINAPI *FARAPIGETMSG)(const UUID *PluginId, intptr_t MsgId);
typedef unsigned long long FARHELPFLAGS;
constexpr FARHELPFLAGS FHELP_SELFHELP = 0, FHELP_FARHELP = 0x1, FHELP_CUSTOMFILE = 0x2,
                       FHELP_USECONTENTS = 0x40000000, FHELP_NOSHOWERROR = 0x80000000;
typedef BOOL(WINAPI *FARAPISHOWHELP)(const wchar_t *ModuleName, const wchar_t *Topic,
                                     FARHELPFLAGS Flags);
typedef void(WINAPI *FARAPITEXT)(intptr_t X, intptr_t Y, const struct FarColor *Color,
                                 const wchar_t *Str);

// ---- panels and the command line ----
enum FILE_CONTROL_COMMANDS {
    FCTL_GETCMDLINE = 4,      // Param1: room in characters, Param2: buffer; gives the room needed
    FCTL_SETCMDLINE = 5,
    FCTL_INSERTCMDLINE = 8,   // Param2: the text
    FCTL_SETCMDLINEPOS = 11,
    FCTL_GETCMDLINEPOS = 12,  // Param2: int *, the cursor's position
};
#define PANEL_NONE ((HANDLE)(-1))
#define PANEL_ACTIVE ((HANDLE)(-1))
typedef intptr_t(WINAPI *FARAPIPANELCONTROL)(HANDLE hPanel, enum FILE_CONTROL_COMMANDS Command,
                                             intptr_t Param1, void *Param2);

// ---- the editor ----
enum EDITOR_CONTROL_COMMANDS {
    ECTL_GETSTRING = 0,
    ECTL_SETSTRING = 1,
    ECTL_INSERTSTRING = 2,
    ECTL_DELETESTRING = 3,
    ECTL_DELETECHAR = 4,
    ECTL_INSERTTEXT = 5,  // Param2: the text, inserted at the cursor
    ECTL_GETINFO = 6,
    ECTL_SETPOSITION = 7,
    ECTL_SELECT = 8,
    ECTL_REDRAW = 9,
};
constexpr intptr_t CURRENT_EDITOR = -1;
struct EditorGetString {
    size_t StructSize;
    intptr_t StringNumber;  // -1: the cursor's line
    intptr_t StringLength;
    const wchar_t *StringText;  // not zero-terminated: StringLength counts it
    const wchar_t *StringEOL;
    intptr_t SelStart;
    intptr_t SelEnd;
};
struct EditorInfo {
    size_t StructSize;
    intptr_t EditorID;
    intptr_t WindowSizeX;
    intptr_t WindowSizeY;
    intptr_t TotalLines;
    intptr_t CurLine;
    intptr_t CurPos;  // in characters from the start of the line
    intptr_t CurTabPos;
    intptr_t TopScreenLine;
    intptr_t LeftPos;
    intptr_t Overtype;
    intptr_t BlockType;
    intptr_t BlockStartLine;
    uintptr_t Options;
    intptr_t TabSize;
    size_t BookmarkCount;
    size_t SessionBookmarkCount;
    uintptr_t CurState;
    uintptr_t CodePage;  // the file's code page
    RECT WindowArea;
    RECT ClientArea;
};
typedef intptr_t(WINAPI *FARAPIEDITORCONTROL)(intptr_t EditorID,
                                              enum EDITOR_CONTROL_COMMANDS Command,
                                              intptr_t Param1, void *Param2);

// ---- Far's settings store ----
enum FAR_SETTINGS_CONTROL_COMMANDS {
    SCTL_CREATE = 0,  // Param1: FAR_PLUGIN_SETTINGS_LOCATION, Param2: FarSettingsCreate
    SCTL_FREE = 1,
    SCTL_SET = 2,
    SCTL_GET = 3,
    SCTL_ENUM = 4,
    SCTL_DELETE = 5,
    SCTL_CREATESUBKEY = 6,
    SCTL_OPENSUBKEY = 7,
};
enum FARSETTINGSTYPES {
    FST_UNKNOWN = 0,
    FST_SUBKEY = 1,
    FST_QWORD = 2,
    FST_STRING = 3,
    FST_DATA = 4,
};
enum FAR_PLUGIN_SETTINGS_LOCATION { PSL_ROAMING = 0, PSL_LOCAL = 1 };
struct FarSettingsCreate {
    size_t StructSize;
    UUID Guid;
    HANDLE Handle;
};
struct FarSettingsItem {
    size_t StructSize;
    size_t Root;  // 0: the plugin's own root
    const wchar_t *Name;
    enum FARSETTINGSTYPES Type;
    union {
        unsigned long long Number;
        const wchar_t *String;
        struct {
            size_t Size;
            const void *Data;
        } Data;
    };
};
struct FarSettingsName {
    const wchar_t *Name;
    enum FARSETTINGSTYPES Type;  // as the store holds the value
};
struct FarSettingsEnum {  // SCTL_ENUM: the values and subkeys of a key
    size_t StructSize;
    size_t Root;
    size_t Count;
    const struct FarSettingsName *Items;
};
typedef intptr_t(WINAPI *FARAPISETTINGSCONTROL)(HANDLE hHandle,
                                                enum FAR_SETTINGS_CONTROL_COMMANDS Command,
                                                intptr_t Param1, void *Param2);

// ---- the rest of Far's services ----
enum ADVANCED_CONTROL_COMMANDS {
    ACTL_GETFARMANAGERVERSION = 0,
    ACTL_GETCOLOR = 3,       // Param1: a palette index, Param2: FarColor *
    ACTL_REDRAWALL = 19,
    ACTL_GETFARRECT = 24,    // Param2: SMALL_RECT *, Far's window on the screen
};
// The palette's colours that the chart takes (indexes of Far's palette).
enum PaletteColors {
    COL_DIALOGTEXT = 21,
    COL_DIALOGHIGHLIGHTTEXT = 22,
    COL_DIALOGEDIT = 26,
    COL_DIALOGLISTSELECTEDTEXT = 32,
};
typedef intptr_t(WINAPI *FARAPIADVCONTROL)(const UUID *PluginId,
                                           enum ADVANCED_CONTROL_COMMANDS Command, intptr_t Param1,
                                           void *Param2);

// Far's standard functions (string and file helpers): the plugin calls none
// of them, and keeps a copy of the record only as far as the host filled it.
typedef void(WINAPI *FARSTDFUNCTION)();
constexpr int FarStandardFunctionCount = 49;
struct FarStandardFunctions {
    size_t StructSize;
    FARSTDFUNCTION Functions[FarStandardFunctionCount];  // atoi ... DetectCodePage
};

// The services Far hands to SetStartupInfoW. Those the plugin does not call
// are slots of the right size.
typedef void(WINAPI *FARAPIUNUSED)();
struct PluginStartupInfo {
    size_t StructSize;
    const wchar_t *ModuleName;  // the full path of the plugin's DLL
    FARAPIMENU Menu;
    FARAPIUNUSED Message;
    FARAPIGETMSG GetMsg;
    FARAPIPANELCONTROL PanelControl;
    FARAPIUNUSED SaveScreen;
    FARAPIUNUSED RestoreScreen;
    FARAPIUNUSED GetDirList;
    FARAPIUNUSED GetPluginDirList;
    FARAPIUNUSED FreeDirList;
    FARAPIUNUSED FreePluginDirList;
    FARAPIUNUSED Viewer;
    FARAPIUNUSED Editor;
    FARAPITEXT Text;
    FARAPIEDITORCONTROL EditorControl;
    struct FarStandardFunctions *FSF;
    FARAPISHOWHELP ShowHelp;
    FARAPIADVCONTROL AdvControl;
    FARAPIUNUSED InputBox;
    FARAPIUNUSED ColorDialog;
    FARAPIDIALOGINIT DialogInit;
    FARAPIDIALOGRUN DialogRun;
    FARAPIDIALOGFREE DialogFree;
    FARAPISENDDLGMESSAGE SendDlgMessage;
    FARAPIDEFDLGPROC DefDlgProc;
    FARAPIUNUSED ViewerControl;
    FARAPIUNUSED PluginsControl;
    FARAPIUNUSED FileFilterControl;
    FARAPIUNUSED RegExpControl;
    FARAPIUNUSED MacroControl;
    FARAPISETTINGSCONTROL SettingsControl;
    const void *Private;
    void *Instance;
    FARAPIUNUSED FreeScreen;
};

// ---- the records' layout in Far 3.0 build 6727, x64 and x86 ----
#if defined(_WIN32)
#define QUORREL_FAR3_LAYOUT(x64, x86) ((sizeof(void *) == 8) ? (x64) : (x86))
#define QUORREL_FAR3_ASSERT(expr, x64, x86) \
    static_assert((expr) == QUORREL_FAR3_LAYOUT(x64, x86), #expr)
QUORREL_FAR3_ASSERT(sizeof(PluginStartupInfo), 280, 140);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, ModuleName), 8, 4);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, Menu), 16, 8);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, GetMsg), 32, 16);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, PanelControl), 40, 20);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, Text), 112, 56);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, EditorControl), 120, 60);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, FSF), 128, 64);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, ShowHelp), 136, 68);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, AdvControl), 144, 72);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, DialogInit), 168, 84);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, DialogRun), 176, 88);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, DialogFree), 184, 92);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, SendDlgMessage), 192, 96);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, DefDlgProc), 200, 100);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, SettingsControl), 248, 124);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, Private), 256, 128);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, Instance), 264, 132);
QUORREL_FAR3_ASSERT(offsetof(PluginStartupInfo, FreeScreen), 272, 136);
QUORREL_FAR3_ASSERT(sizeof(FarStandardFunctions), 400, 200);
QUORREL_FAR3_ASSERT(sizeof(VersionInfo), 20, 20);
QUORREL_FAR3_ASSERT(sizeof(GlobalInfo), 96, 76);
QUORREL_FAR3_ASSERT(offsetof(GlobalInfo, Version), 28, 24);
QUORREL_FAR3_ASSERT(offsetof(GlobalInfo, Guid), 48, 44);
QUORREL_FAR3_ASSERT(offsetof(GlobalInfo, Title), 64, 60);
QUORREL_FAR3_ASSERT(offsetof(GlobalInfo, Description), 72, 64);
QUORREL_FAR3_ASSERT(offsetof(GlobalInfo, Author), 80, 68);
QUORREL_FAR3_ASSERT(offsetof(GlobalInfo, Instance), 88, 72);
QUORREL_FAR3_ASSERT(sizeof(PluginMenuItem), 24, 12);
QUORREL_FAR3_ASSERT(sizeof(PluginInfo), 104, 64);
QUORREL_FAR3_ASSERT(offsetof(PluginInfo, Flags), 8, 8);
QUORREL_FAR3_ASSERT(offsetof(PluginInfo, DiskMenu), 16, 16);
QUORREL_FAR3_ASSERT(offsetof(PluginInfo, PluginMenu), 40, 28);
QUORREL_FAR3_ASSERT(offsetof(PluginInfo, PluginConfig), 64, 40);
QUORREL_FAR3_ASSERT(offsetof(PluginInfo, CommandPrefix), 88, 52);
QUORREL_FAR3_ASSERT(offsetof(PluginInfo, Instance), 96, 56);
QUORREL_FAR3_ASSERT(sizeof(OpenInfo), 40, 20);
QUORREL_FAR3_ASSERT(offsetof(OpenInfo, OpenFrom), 8, 4);
QUORREL_FAR3_ASSERT(offsetof(OpenInfo, Guid), 16, 8);
QUORREL_FAR3_ASSERT(offsetof(OpenInfo, Data), 24, 12);
QUORREL_FAR3_ASSERT(sizeof(ConfigureInfo), 24, 12);
QUORREL_FAR3_ASSERT(offsetof(ConfigureInfo, Guid), 8, 4);
QUORREL_FAR3_ASSERT(sizeof(ExitInfo), 16, 8);
QUORREL_FAR3_ASSERT(sizeof(FarSettingsCreate), 32, 24);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsCreate, Guid), 8, 4);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsCreate, Handle), 24, 20);
QUORREL_FAR3_ASSERT(sizeof(FarSettingsItem), 48, 24);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsItem, Root), 8, 4);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsItem, Name), 16, 8);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsItem, Type), 24, 12);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsItem, Number), 32, 16);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsItem, Data.Size), 32, 16);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsItem, Data.Data), 40, 20);
QUORREL_FAR3_ASSERT(sizeof(FarSettingsName), 16, 8);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsName, Type), 8, 4);
QUORREL_FAR3_ASSERT(sizeof(FarSettingsEnum), 32, 16);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsEnum, Count), 16, 8);
QUORREL_FAR3_ASSERT(offsetof(FarSettingsEnum, Items), 24, 12);
QUORREL_FAR3_ASSERT(sizeof(EditorInfo), 184, 108);
QUORREL_FAR3_ASSERT(offsetof(EditorInfo, CurLine), 40, 20);
QUORREL_FAR3_ASSERT(offsetof(EditorInfo, CurPos), 48, 24);
QUORREL_FAR3_ASSERT(offsetof(EditorInfo, CodePage), 144, 72);
QUORREL_FAR3_ASSERT(offsetof(EditorInfo, WindowArea), 152, 76);
QUORREL_FAR3_ASSERT(sizeof(EditorGetString), 56, 28);
QUORREL_FAR3_ASSERT(offsetof(EditorGetString, StringNumber), 8, 4);
QUORREL_FAR3_ASSERT(offsetof(EditorGetString, StringLength), 16, 8);
QUORREL_FAR3_ASSERT(offsetof(EditorGetString, StringText), 24, 12);
QUORREL_FAR3_ASSERT(offsetof(EditorGetString, SelEnd), 48, 24);
QUORREL_FAR3_ASSERT(sizeof(FarDialogItem), 112, 64);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, X1), 8, 4);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, Y2), 32, 16);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, Selected), 40, 20);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, History), 48, 24);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, Flags), 64, 32);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, Data), 72, 40);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, MaxLength), 80, 44);
QUORREL_FAR3_ASSERT(offsetof(FarDialogItem, UserData), 88, 48);
QUORREL_FAR3_ASSERT(sizeof(FarGetDialogItem), 24, 12);
QUORREL_FAR3_ASSERT(sizeof(FarKey), 8, 8);
QUORREL_FAR3_ASSERT(sizeof(FarMenuItem), 48, 32);
QUORREL_FAR3_ASSERT(offsetof(FarMenuItem, Text), 8, 8);
QUORREL_FAR3_ASSERT(offsetof(FarMenuItem, AccelKey), 16, 12);
QUORREL_FAR3_ASSERT(offsetof(FarMenuItem, UserData), 24, 20);
QUORREL_FAR3_ASSERT(sizeof(FarColor), 24, 24);
QUORREL_FAR3_ASSERT(offsetof(FarColor, ForegroundColor), 8, 8);
QUORREL_FAR3_ASSERT(offsetof(FarColor, BackgroundColor), 12, 12);
QUORREL_FAR3_ASSERT(sizeof(FAR_CHAR_INFO), 32, 32);
QUORREL_FAR3_ASSERT(offsetof(FAR_CHAR_INFO, Attributes), 8, 8);
#undef QUORREL_FAR3_ASSERT
#undef QUORREL_FAR3_LAYOUT
#endif

#endif
