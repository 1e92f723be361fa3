// End to end: quorrel-host loads the real plugin module, opens it with
// queued input and reports what the plugin left behind. The same reports are
// expected natively (winsim) and under Wine (a real console).
#include <gtest/gtest.h>

#include "Host.h"

#include <windows.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

struct RunResult {
    int Exit = -1;
    std::string Out;
};

#ifdef _WIN32
// Quotes one argument for the Windows command line: backslashes before a
// quote are doubled, quotes escaped.
std::string Quote(const std::string &Arg)
{
    std::string Out = "\"";
    size_t Backslashes = 0;
    for (char Ch : Arg) {
        if (Ch == '\\') {
            Backslashes++;
            continue;
        }
        if (Ch == '"') Out.append(Backslashes * 2 + 1, '\\');
        else Out.append(Backslashes, '\\');
        Backslashes = 0;
        Out += Ch;
    }
    Out.append(Backslashes * 2, '\\');
    return Out + "\"";
}

RunResult RunHost(const std::vector<std::string> &Args, DWORD CreationFlags = 0)
{
    RunResult Result;
    std::string Command = Quote(HostProgramFolder() + "quorrel-host.exe");
    for (const std::string &Arg : Args) Command += " " + Quote(Arg);
    SECURITY_ATTRIBUTES Inherit = {sizeof(Inherit), nullptr, TRUE};
    HANDLE Read, Write;
    if (!CreatePipe(&Read, &Write, &Inherit, 0)) return Result;
    SetHandleInformation(Read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA Startup;
    ZeroMemory(&Startup, sizeof(Startup));
    Startup.cb = sizeof(Startup);
    Startup.dwFlags = STARTF_USESTDHANDLES;
    Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    Startup.hStdOutput = Write;
    Startup.hStdError = Write;
    PROCESS_INFORMATION Process;
    // Under Wine, the first process of a session that needs the desktop
    // window starts explorer.exe and hands it its standard error. Were that
    // the program (its clipboard needs the desktop), explorer would keep our
    // pipe open and the reading below would never end: this process goes first.
    GetDesktopWindow();
    // The program shares this test's console, as Far's plugins share Far's, unless
    // the flags detach it.
    BOOL Started = CreateProcessA(nullptr, &Command[0], nullptr, nullptr, TRUE, CreationFlags,
                                  nullptr, nullptr, &Startup, &Process);
    CloseHandle(Write);
    if (!Started) {
        CloseHandle(Read);
        return Result;
    }
    char Buffer[4096];
    DWORD Got;
    while (ReadFile(Read, Buffer, sizeof(Buffer), &Got, nullptr) && Got > 0)
        Result.Out.append(Buffer, Got);
    CloseHandle(Read);
    WaitForSingleObject(Process.hProcess, INFINITE);
    DWORD Code = 0;
    GetExitCodeProcess(Process.hProcess, &Code);
    Result.Exit = int(Code);
    CloseHandle(Process.hProcess);
    CloseHandle(Process.hThread);
    // Text mode on the other side may have turned line ends into CR LF.
    std::string Clean;
    for (char Ch : Result.Out)
        if (Ch != '\r') Clean += Ch;
    Result.Out = Clean;
    return Result;
}
#else
std::string Quote(const std::string &Arg)
{
    std::string Out = "'";
    for (char Ch : Arg) Out += Ch == '\'' ? std::string("'\\''") : std::string(1, Ch);
    return Out + "'";
}

RunResult RunHost(const std::vector<std::string> &Args)
{
    RunResult Result;
    std::string Command = Quote(HostProgramFolder() + "quorrel-host");
    for (const std::string &Arg : Args) Command += " " + Quote(Arg);
    Command += " 2>&1";
    FILE *Pipe = popen(Command.c_str(), "r");
    if (!Pipe) return Result;
    char Buffer[4096];
    size_t Got;
    while ((Got = fread(Buffer, 1, sizeof(Buffer), Pipe)) > 0) Result.Out.append(Buffer, Got);
    int Status = pclose(Pipe);
    Result.Exit = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    return Result;
}
#endif

// Every scripted opening starts from nothing: no settings, an empty
// clipboard (the registry and the clipboard outlive a run under Wine).
const std::vector<std::string> FromNothing = {"--report", "--timeout", "60", "--clear-settings",
                                              "--clipboard", ""};

RunResult Report(std::vector<std::string> Args)
{
    std::vector<std::string> All = FromNothing;
    All.insert(All.end(), Args.begin(), Args.end());
    return RunHost(All);
}

struct Scenario {
    const char *Name;
    std::vector<std::string> Args;
    const char *Expected;
};

std::vector<std::string> Lines(const std::string &Text);

// A table's scenarios as the openings of one host program (--then), as Far
// opens a plugin many times in one session; under Wine in qemu a start of
// the program costs more than a second. Each report is compared apart.
template <size_t N>
void ExpectReports(const Scenario (&Table)[N])
{
    std::vector<std::string> All;
    for (const Scenario &S : Table) {
        if (!All.empty()) All.push_back("--then");
        All.insert(All.end(), FromNothing.begin(), FromNothing.end());
        All.insert(All.end(), S.Args.begin(), S.Args.end());
    }
    const RunResult R = RunHost(All);
    EXPECT_EQ(0, R.Exit) << R.Out;
    std::vector<std::vector<std::string>> Reports;
    for (const std::string &Line : Lines(R.Out)) {
        if (Line == "run=" + std::to_string(Reports.size() + 1)) Reports.emplace_back();
        else if (!Reports.empty()) Reports.back().push_back(Line);
    }
    Reports.resize(N);
    for (size_t I = 0; I < N; I++) EXPECT_EQ(Lines(Table[I].Expected), Reports[I]) << Table[I].Name;
}

// The console lines end every report: whatever the plugin drew, the console
// is as it was before the opening.
#define RESTORED                                                                               \
    "console_cells=same\n"                                                                     \
    "console_title=same\n"                                                                     \
    "console_cursor_shape=same\n"                                                              \
    "console_cursor_pos=same\n"
#define ENTER_UP_LEFT                                                                          \
    "input_left=1\n"                                                                           \
    "input_left.1=key up vk=13 scan=28 char=13 state=0x20\n"
#define NO_EDITOR                                                                              \
    "editor_line=\n"                                                                           \
    "editor_cur_line=0\n"                                                                      \
    "editor_pos=0\n"                                                                           \
    "editor_redraws=0\n"

const Scenario Scenarios[] = {
    {"panels, PasteMode 1: the character goes in at the command line's cursor",
     {"--set", "PasteMode=1", "--set", "CopyMode=1", "--set", "LastChar=65", "--cmdline", "ab",
      "--cmdline-pos", "1", "--keys", "Right Right Enter"},
     "open_result=-1\n"
     "cmdline=aCb\n"
     "cmdline_pos=2\n" NO_EDITOR
     "clipboard_hex=43\n"
     "registry.CopyMode=dword:1\n"
     "registry.LastChar=dword:67\n"
     "registry.PasteMode=dword:1\n" RESTORED ENTER_UP_LEFT},

    {"panels, PasteMode 2: Ctrl+Enter appends to the clipboard's first line, which goes in",
     {"--clipboard-hex", "78790D0A7A7A", "--set", "PasteMode=2", "--set", "LastChar=67",
      "--cmdline", "ab", "--keys", "CtrlEnter"},
     "open_result=-1\n"
     "cmdline=abxyC\n"
     "cmdline_pos=5\n" NO_EDITOR
     "clipboard_hex=787943\n"
     "registry.LastChar=dword:67\n"
     "registry.PasteMode=dword:2\n" RESTORED
     "input_left=2\n"
     "input_left.1=key up vk=13 scan=28 char=10 state=0x28\n"
     "input_left.2=key up vk=17 scan=29 char=0 state=0x20\n"},

    {"editor, CopyMode set: Ctrl+Q and the raw code, read by the editor afterwards",
     {"--from", "editor", "--editor-line", "abc", "--editor-pos", "1", "--set", "CopyMode=1",
      "--set", "LastChar=1", "--keys", "Enter"},
     "open_result=-1\n"
     "cmdline=\n"
     "cmdline_pos=0\n"
     "editor_line=a\\x01bc\n"
     "editor_cur_line=0\n"
     "editor_pos=2\n"
     "editor_redraws=0\n"
     "clipboard_hex=01\n"
     "registry.CopyMode=dword:1\n"
     "registry.LastChar=dword:1\n" RESTORED "input_left=0\n"},

    {"editor, CopyMode clear: the table's character inserted as text, then a redraw",
     {"--from", "editor", "--editor-line", "abc", "--editor-pos", "1", "--editor-table", "0",
      "--set", "CopyMode=0", "--set", "LastChar=233", "--keys", "Enter"},
     "open_result=-1\n"
     "cmdline=\n"
     "cmdline_pos=0\n"
     "editor_line=a\\x82bc\n"
     "editor_cur_line=0\n"
     "editor_pos=2\n"
     "editor_redraws=1\n"
     "clipboard_hex=82\n"
     "registry.CopyMode=dword:0\n"
     "registry.LastChar=dword:233\n" RESTORED "input_left=0\n"},

    {"editor, ShowEditorChar: the chart starts on the character under the cursor",
     {"--from", "editor", "--editor-line", "xyz", "--editor-pos", "2", "--set",
      "ShowEditorChar=1", "--set", "LastChar=0", "--keys", "Esc"},
     "open_result=-1\n"
     "cmdline=\n"
     "cmdline_pos=0\n"
     "editor_line=xyz\n"
     "editor_cur_line=0\n"
     "editor_pos=2\n"
     "editor_redraws=0\n"
     "clipboard_hex=\n"
     "registry.LastChar=dword:122\n"
     "registry.ShowEditorChar=dword:1\n" RESTORED "input_left=0\n"},

    {"viewer: the clipboard gets the character, nothing is typed",
     {"--from", "viewer", "--cmdline", "ab", "--set", "LastChar=65", "--keys", "Right Enter"},
     "open_result=-1\n"
     "cmdline=ab\n"
     "cmdline_pos=2\n" NO_EDITOR
     "clipboard_hex=42\n"
     "registry.LastChar=dword:66\n" RESTORED ENTER_UP_LEFT},

    {"Esc: nothing delivered, the code moved to is kept",
     {"--cmdline", "ab", "--set", "LastChar=65", "--keys", "Down Esc"},
     "open_result=-1\n"
     "cmdline=ab\n"
     "cmdline_pos=2\n" NO_EDITOR
     "clipboard_hex=\n"
     "registry.LastChar=dword:97\n" RESTORED
     "input_left=1\n"
     "input_left.1=key up vk=27 scan=1 char=27 state=0x20\n"},

    {"the host's configuration menu: the options dialog saves all six",
     {"--configure", "--keys", "Down Down Space Enter"},
     "configure_result=-1\n"
     "cmdline=\n"
     "cmdline_pos=0\n" NO_EDITOR
     "clipboard_hex=\n"
     "registry.CopyMode=dword:1\n"
     "registry.PasteMode=dword:2\n"
     "registry.ShowCmdlineChar=dword:0\n"
     "registry.ShowEditorChar=dword:0\n"
     "registry.ShowWinTable=dword:0\n"
     "registry.TypeMode=dword:1\n" RESTORED ENTER_UP_LEFT},

    {"options from the chart (F11) apply at once: PasteMode 2 delivers the clipboard",
     {"--set", "LastChar=65", "--keys", "F11 Down Down Space Enter Enter"},
     "open_result=-1\n"
     "cmdline=A\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=41\n"
     "registry.CopyMode=dword:1\n"
     "registry.LastChar=dword:65\n"
     "registry.PasteMode=dword:2\n"
     "registry.ShowCmdlineChar=dword:0\n"
     "registry.ShowEditorChar=dword:0\n"
     "registry.ShowWinTable=dword:0\n"
     "registry.TypeMode=dword:1\n" RESTORED ENTER_UP_LEFT},

    {"table menu (Shift+F8): the host's ISO 8859-1 maps 233 to 437's 130",
     {"--set", "LastChar=233", "--set", "CopyMode=0", "--keys", "ShiftF8 Down Enter Enter"},
     "open_result=-1\n"
     "cmdline=\\x82\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=82\n"
     "registry.CopyMode=dword:0\n"
     "registry.LastChar=dword:233\n" RESTORED ENTER_UP_LEFT},

    {"help (F1) over the chart, then confirm",
     {"--set", "LastChar=66", "--keys", "F1 PgDn Tab Enter Esc Enter"},
     "open_result=-1\n"
     "cmdline=B\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=42\n"
     "registry.LastChar=dword:66\n" RESTORED ENTER_UP_LEFT},

    {"mouse: a double click on row 2, column 1 of the chart at (19,4) confirms 65",
     {"--keys", "DoubleClick(25,10)"},
     "open_result=-1\n"
     "cmdline=A\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=41\n"
     "registry.LastChar=dword:65\n" RESTORED
     "input_left=1\n"
     "input_left.1=mouse x=25 y=10 buttons=0 flags=0 state=0x20\n"},

    {"Ctrl+Alt+Shift held: keys meanwhile do nothing",
     {"--set", "LastChar=65", "--keys", "CtrlAltShiftDown Right CtrlAltShiftUp Right Enter"},
     "open_result=-1\n"
     "cmdline=B\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=42\n"
     "registry.LastChar=dword:66\n" RESTORED ENTER_UP_LEFT},
};

std::vector<std::string> Lines(const std::string &Text)
{
    std::vector<std::string> Out;
    size_t Start = 0;
    while (Start < Text.size()) {
        size_t End = Text.find('\n', Start);
        if (End == std::string::npos) End = Text.size();
        Out.push_back(Text.substr(Start, End - Start));
        Start = End + 1;
    }
    return Out;
}

TEST(HostReport, Scenarios) { ExpectReports(Scenarios); }

// The keys that tell what a character is, through the host's dialogs and
// menu: the report shows where the selection went and what was copied.
const Scenario UnicodeScenarios[] = {
    {"F2: the Unicode status line is remembered beside the settings",
     {"--set", "LastChar=65", "--keys", "F2 Esc"},
     "open_result=-1\n"
     "cmdline=\n"
     "cmdline_pos=0\n" NO_EDITOR
     "clipboard_hex=\n"
     "registry.LastChar=dword:65\n"
     "registry.UnicodeStatus=dword:1\n" RESTORED
     "input_left=1\n"
     "input_left.1=key up vk=27 scan=1 char=27 state=0x20\n"},

    {"F3: the HTML form of e acute (its hotkey T) to the clipboard; the chart stays",
     {"--set", "LastChar=130", "--keys", "F3 t Enter Esc"},
     "open_result=-1\n"
     "cmdline=\n"
     "cmdline_pos=0\n" NO_EDITOR
     "clipboard_hex=26233233333B\n"
     "registry.LastChar=dword:130\n" RESTORED
     "input_left=1\n"
     "input_left.1=key up vk=27 scan=1 char=27 state=0x20\n"},

    {"F7 finds e acute from A; F7 again the next match; Shift+F7 back, and back again wrapping",
     {"--set", "LastChar=65", "--keys", "F7 \"e acute\" Enter F7 ShiftF7 ShiftF7 Enter"},
     "open_result=-1\n"
     "cmdline=\\x90\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=90\n"
     "registry.LastChar=dword:144\n" RESTORED ENTER_UP_LEFT},

    {"Ctrl+F7 without a match: the notice's OK, and the selection stays",
     {"--set", "LastChar=65", "--keys", "CtrlF7 \"zzz\" Enter Enter Enter"},
     "open_result=-1\n"
     "cmdline=A\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=41\n"
     "registry.LastChar=dword:65\n" RESTORED ENTER_UP_LEFT},

    {"Alt+F8: two copies, newest first; the second item selects A again",
     {"--set", "LastChar=65", "--keys", "CtrlC Right CtrlC AltF8 Down Enter Enter"},
     "open_result=-1\n"
     "cmdline=A\n"
     "cmdline_pos=1\n" NO_EDITOR
     "clipboard_hex=41\n"
     "registry.LastChar=dword:65\n" RESTORED ENTER_UP_LEFT},
};

TEST(HostReport, UnicodeKeys) { ExpectReports(UnicodeScenarios); }

TEST(HostProgram, BadOptionsExitWithTwo)
{
    const struct {
        std::vector<std::string> Args;
        const char *Says;
    } Bad[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--from", "menu"}, "--from takes panels"},
        {{"--keys", "Right Nowhere"}, "--keys: "},
        {{"--cmdline-pos", "x"}, "bad number"},
        // No silent fall back to English: the languages there are.
        {{"--language", "Klingon"},
         "--language: the plugin has no messages in 'Klingon', only in English and German "
         "(Deutsch)"},
    };
    for (const auto &B : Bad) {
        SCOPED_TRACE(B.Args[0]);
        RunResult R = RunHost(B.Args);
        EXPECT_EQ(2, R.Exit);
        EXPECT_NE(std::string::npos, R.Out.find(std::string("quorrel-host: ") + B.Says)) << R.Out;
        EXPECT_NE(std::string::npos, R.Out.find("--help")) << R.Out;
    }
    const RunResult Alone = Report({"--language", "deutsch", "--keys", "Esc"});
    EXPECT_EQ(0, Alone.Exit) << "either name";
    EXPECT_EQ(0u, Alone.Out.find("open_result=")) << "one opening, no run=N:\n" << Alone.Out;
    RunResult Help = RunHost({"--help"});
    EXPECT_EQ(0, Help.Exit);
    EXPECT_NE(std::string::npos, Help.Out.find("--keys SPEC")) << Help.Out;
    EXPECT_NE(std::string::npos, Help.Out.find("CtrlDoubleClick(X,Y)")) << Help.Out;
}

TEST(HostProgram, AScriptedRunThatDoesNotEndGivesUpClearly)
{
    RunResult R = RunHost({"--report", "--timeout", "1", "--keys", "Right"});
    EXPECT_EQ(3, R.Exit);
    EXPECT_NE(std::string::npos, R.Out.find("did not end within 1 s")) << R.Out;
#ifdef _WIN32
    // Under Wine the host's wait for input outlives the host, in the
    // console it shares with this program, and takes the next record that
    // comes: it gets one here, so that the tests after this one get theirs.
    HANDLE In = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
    INPUT_RECORD Taken = {};
    Taken.EventType = FOCUS_EVENT;
    DWORD Written = 0;
    WriteConsoleInputA(In, &Taken, 1, &Written);
    FlushConsoleInputBuffer(In);  // where nothing took it
    CloseHandle(In);
#endif
}

#ifdef _WIN32
TEST(HostProgram, NoConsoleIsAnErrorNotAWait)
{
    RunResult R = RunHost({"--report", "--keys", "Esc"}, DETACHED_PROCESS);
    EXPECT_EQ(1, R.Exit);
    EXPECT_NE(std::string::npos, R.Out.find("no console to draw on")) << R.Out;
}
#endif

TEST(HostProgram, MissingPluginExitsWithOne)
{
    RunResult R = RunHost({"--report", "--plugin", "no-such-plugin.module"});
    EXPECT_EQ(1, R.Exit);
    EXPECT_NE(std::string::npos, R.Out.find("cannot load")) << R.Out;
}

}  // namespace
