// Host: a stand-in for the file manager Far, the plugin's host. It offers
// every service of the startup record (messages, dialogs, menus, code
// tables, screen text, editor, command line, help) over a model of the
// screen and the real console, loads a plugin module, and lets tests script
// and inspect what passes between host and plugin.
//
// Plain procedures over module-level state: there is one host per process.
#ifndef QUORREL_HOST_H
#define QUORREL_HOST_H

#include "HostApi.h"

#include <optional>
#include <string>
#include <vector>

// ------------------------------------------------------------ lifecycle --

// Opens the console handles and sizes the screen model from the console,
// reading its cells in. Idempotent.
void HostStart();
// Everything back to the state after HostStart: no plugins, no scripts or
// records, empty command line, no editor, all code tables offered, language
// English, the screen model read afresh from the console.
void HostReset();

// The console handles the host reads and draws through.
HANDLE HostInputHandle();
HANDLE HostOutputHandle();

// ------------------------------------------------------ plugins, record --

// The registry root the host gives its plugins (below HKEY_CURRENT_USER).
extern const char HostRootKey[];

// Registers a plugin module by its full path; returns its ModuleNumber.
int HostAddPlugin(const std::string &ModuleName);
std::string HostPluginModuleName(int ModuleNumber);

// The startup record as the host hands it to SetStartupInfo. Its storage is
// exactly StructSize bytes (older hosts send a record that ends before
// ShowHelp), zero-filled past the given size; valid until the next call or
// reset. StructSize is clamped to 4..sizeof(PluginStartupInfo).
const PluginStartupInfo *HostStartupInfo(int ModuleNumber,
                                         int StructSize = int(sizeof(PluginStartupInfo)));

// ----------------------------------------------------------- services --
// Every service of the record, callable directly as well.

int WINAPI HostMenu(int PluginNumber, int X, int Y, int MaxHeight, DWORD Flags, const char *Title,
                    const char *Bottom, const char *HelpTopic, const int *BreakKeys,
                    int *BreakCode, const FarMenuItem *Item, int ItemsNumber);
int WINAPI HostDialog(int PluginNumber, int X1, int Y1, int X2, int Y2, const char *HelpTopic,
                      FarDialogItem *Item, int ItemsNumber);
const char *WINAPI HostGetMsg(int PluginNumber, int MsgId);
int WINAPI HostControl(HANDLE hPlugin, int Command, void *Param);
int WINAPI HostCharTable(int Command, char *Buffer, int BufferSize);
void WINAPI HostText(int X, int Y, int Color, const char *Str);
int WINAPI HostEditorControl(int Command, void *Param);
BOOL WINAPI HostShowHelp(const char *ModuleName, const char *HelpTopic, DWORD Flags);

// ------------------------------------------------------------ messages --

// Parses the text of a .lng file: the language named by its first
// non-comment line (".Language=Name,Native name"), then one message per line
// holding a double-quoted text (\" and \\ escaped). False when the language
// line is missing.
bool ParseLngText(const std::string &FileText, std::string &Language,
                  std::vector<std::string> &Messages);
// The .lng file beside the module for the language (by either of its names,
// case-insensitively); English, then the first file found, as fallbacks.
// Empty when there is none.
std::string FindLngFile(const std::string &ModuleName, const std::string &Language);
// The languages of the .lng files beside the module, in the order of the
// files' names: "English", or a name with its own ("German (Deutsch)").
std::vector<std::string> ModuleLanguages(const std::string &ModuleName);
// Whether a .lng file beside the module is in the language (either name).
bool ModuleHasLanguage(const std::string &ModuleName, const std::string &Language);
// The language for messages and help (default "English"). A change reloads
// the messages at the next GetMsg; earlier pointers then become invalid.
void HostSetLanguage(const std::string &Name);

// ---------------------------------------------------------------- help --

// One line of help text with its markup resolved: #...# highlighted,
// ~text~@Topic@ a link shown as its text; ## and ~~ stand for # and ~.
struct HelpLink {
    int Start;  // position in Text
    int Length;
    std::string Topic;
};
struct HelpLine {
    std::string Text;
    std::string Kinds;  // one per character: 'n' normal, 'h' highlighted, 'l' link
    std::vector<HelpLink> Links;
    // As read from the file: where the file's wrap marker stood (the column
    // its paragraph's later lines start at; -1: none), and whether the line
    // is laid out (false between "@-" and "@+").
    int WrapColumn = -1;
    bool Formatted = true;
    // As laid out: a line that goes on with the paragraph of the line above.
    bool Continued = false;
};
struct HelpTopic {
    std::string Name;
    std::vector<HelpLine> Header;  // the "$" lines at the top: stay when the text scrolls
    std::vector<HelpLine> Body;
};
HelpLine ParseHelpLine(const std::string &Line);
// Finds topic "@Name" (case-insensitively) in the text of a .hlf file. The
// marker that ".Options CtrlStartPosChar=..." declares in the file's header
// is taken out of the lines and noted in their WrapColumn.
bool FindHelpTopic(const std::string &FileText, const std::string &Name, HelpTopic &Topic);
// The .hlf file beside the module for the language (fallbacks as for .lng).
std::string FindHlfFile(const std::string &ModuleName, const std::string &Language);
// Breaks a line into lines of at most Width characters, at blanks outside
// links where it can; the lines after the first start with Indent blanks.
std::vector<HelpLine> WrapHelpLine(const HelpLine &Line, int Width, int Indent = 0);
// Lays a topic's lines out as Far does, in lines of at most Width visible
// characters: a line that starts with a blank starts a paragraph, any other
// line goes on with the one before (one blank between them), an empty line
// stays; a paragraph is wrapped with its later lines at column 1, or at its
// marker's column. Lines that are not Formatted are kept as they are. Far's
// help window makes Width 69 at 80 columns (ShowHelp's box does the same).
std::vector<HelpLine> LayOutHelpText(const std::vector<HelpLine> &Lines, int Width);

// ------------------------------------------------------- dialog and menu --

// Geometry of a dialog: DIF_CENTERGROUP items that share a line are placed
// side by side, one blank apart, centred as a group in the dialog's width;
// X1 = -1 centres a text. Sets X1 and X2 of those items.
void LayoutDialogItems(std::vector<FarDialogItem> &Items, int DialogWidth);
// Columns an item takes on screen ("[ OK ]", "[x] Text", "( ) Text", text).
int DialogItemWidth(const FarDialogItem &Item);

// Scripting: the next Dialog call does not run; it applies the changes to the
// plugin's items and returns Result. A change with Data replaces the item's
// text (what the user typed into an edit line) and leaves Selected alone.
struct DialogItemChange {
    int Index;
    int Selected;
    std::optional<std::string> Data = std::nullopt;
};
void HostQueueDialog(int Result, const std::vector<DialogItemChange> &Changes = {});
// The next Menu call returns Result without running.
void HostQueueMenu(int Result);

// What the plugin passed, one record per call (scripted or run).
struct DialogCall {
    int PluginNumber;
    int X1, Y1, X2, Y2;
    bool HasHelpTopic;
    std::string HelpTopic;
    std::vector<FarDialogItem> Items;     // as passed, before the dialog ran
    std::vector<FarDialogItem> Returned;  // as handed back: the marks and typed text
    // The screen model as the dialog last drew it, row by row, and where it
    // left the cursor ({-1, -1}: hidden). Empty for a scripted call.
    std::vector<CHAR_INFO> Shown;
    COORD Cursor{-1, -1};
    int Result;
};
struct MenuCall {
    int PluginNumber;
    int X, Y, MaxHeight;
    DWORD Flags;
    bool HasTitle, HasBottom, HasHelpTopic, HasBreakKeys, HasBreakCode;
    std::string Title, Bottom, HelpTopic;
    std::vector<FarMenuItem> Items;
    int Result;
};
struct HelpCall {
    std::string ModuleName;
    std::string Topic;  // as asked ("" for none)
    std::string Shown;  // the topic opened, "" when none was found
    std::vector<std::string> Visited;  // every topic shown, links and going back included
    std::vector<std::string> FirstScreen;  // the screen's rows as the box first showed them
};
const std::vector<DialogCall> &HostDialogCalls();
const std::vector<MenuCall> &HostMenuCalls();
const std::vector<HelpCall> &HostHelpCalls();  // ShowHelp and F1 in dialogs and menus

// With this set (tests), a dialog, menu or help box that finds the console
// input empty closes as on Esc instead of waiting for a key.
void HostSetInputEndsUi(bool Ends);

// ------------------------------------------------------ screen model --

// The host's screen: a cell array the size of the console's buffer. Text()
// writes into it; Text(0,0,0,NULL) and every dialog, menu and help box write
// it to the console.
int HostScreenWidth();
int HostScreenHeight();
CHAR_INFO HostScreenCell(int X, int Y);
std::string HostScreenRow(int Y);
void HostFlushScreen();
// Reads the console into the model (after a resize, or when the console was
// drawn on behind the host's back).
void HostReadConsoleScreen();
// Drawing helpers for the host's own screens.
void HostPutText(int X, int Y, const std::string &S, WORD Attr);
void HostFillRect(int X1, int Y1, int X2, int Y2, char Ch, WORD Attr);
// Counters: Text calls that wrote, and flush requests (Text with no string).
int HostTextCalls();
int HostFlushRequests();

// ---------------------------------------------------------- code tables --

int HostRealCharTableCount();          // the tables the host has data for
void HostSetCharTableCount(int Count);  // offer this many, repeating the real ones
int HostCharTableCount();
bool HostGetCharTable(int Index, CharTableSet &Set);  // as CharTable fills it

// ------------------------------------------------------- command line --

// Far copies at most this many bytes, its zero included, for FCTL_GETCMDLINE.
constexpr int HostCmdLineCopyMax = 1024;
// Pos is taken as given (tests put it outside the text on purpose).
void HostSetCmdLine(const std::string &Text, int Pos);
std::string HostCmdLine();
int HostCmdLinePos();

// -------------------------------------------------------------- editor --

// Opens the in-memory editor. TableNum: host code table or -1; AnsiMode: the
// text is in the Windows encoding (when TableNum is -1).
void HostSetEditor(const std::vector<std::string> &Lines, int CurLine, int CurPos, int TableNum,
                   bool AnsiMode);
void HostCloseEditor();  // EditorControl then fails, as outside an editor
bool HostEditorOpen();
std::vector<std::string> HostEditorLines();
int HostEditorCurLine();
int HostEditorCurPos();
int HostEditorTableNum();
bool HostEditorAnsiMode();
int HostEditorRedraws();
std::vector<int> HostEditorCommands();  // every EditorControl command, in order
// The editor's handling of one key: characters are inserted, Ctrl+Q makes the
// next key's character go in literally, Left/Right/Home/End/BackSpace/Del
// edit. False for a key the editor does not take.
bool HostEditorKey(const KEY_EVENT_RECORD &Key);
// Reads the records waiting in the console input as the editor does after a
// plugin returns: Ctrl+Q and the key after it insert that key's character;
// key-up and modifier records are passed over. Stops at the first other
// record, which stays in the input. Returns the characters inserted.
int HostProcessPendingEditorInput();

// ---------------------------------------------------------------- keys --

// Input records for a key script, as a real console produces them. See
// KeySpecHelp for the syntax. False with Error set on a bad token.
bool ParseKeySpec(const std::string &Spec, std::vector<INPUT_RECORD> &Records,
                  std::string &Error);
extern const char KeySpecHelp[];
// Writes a key script into the console input. False on a bad script.
bool HostWriteKeys(const std::string &Spec);
// One record in words, e.g. "key down vk=27 scan=1 char=27 state=0x20".
std::string DescribeInputRecord(const INPUT_RECORD &Record);

// -------------------------------------------------------------- loader --

typedef void(WINAPI *SetStartupInfoProc)(const PluginStartupInfo *Info);
typedef void(WINAPI *GetPluginInfoProc)(PluginInfo *Info);
typedef HANDLE(WINAPI *OpenPluginProc)(int OpenFrom, INT_PTR Item);
typedef int(WINAPI *ConfigureProc)(int ItemNumber);

struct HostPlugin {
    void *Module = nullptr;
    std::string Path;  // full path, the ModuleName the plugin receives
    SetStartupInfoProc SetStartupInfo = nullptr;
    GetPluginInfoProc GetPluginInfo = nullptr;
    OpenPluginProc OpenPlugin = nullptr;
    ConfigureProc Configure = nullptr;
};
// Loads the module and looks up the four exports by their plain names.
bool HostLoadPlugin(const std::string &Path, HostPlugin &Plugin, std::string &Error);
void HostUnloadPlugin(HostPlugin &Plugin);
// How the host writes cells to the console: WriteConsoleOutputA unless a
// program sets another writer (null puts that one back).
typedef BOOL(WINAPI *HostCellWriter)(HANDLE Output, const CHAR_INFO *Cells, COORD Size,
                                     COORD Origin, PSMALL_RECT Region);
void HostSetCellWriter(HostCellWriter Writer);

// The folder of the running program, with its trailing separator.
std::string HostProgramFolder();

#endif
