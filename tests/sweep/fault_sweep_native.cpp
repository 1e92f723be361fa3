// The fault sweep: whole lives of the plugin (load, SetStartupInfo, one
// opening, unload) on the substitute console, in scenarios of keys and mouse,
// while one Win32 call fails: once at each index at which the scenario makes
// that call, and from that index on. Each run is a child process with a time
// limit. After every run: no crash and no hang; the console's screen, title
// and cursor as they were; the clipboard holding its old text or the new one;
// nothing typed but what normal use types, and nothing at all when the
// choice did not reach the clipboard; the settings in the registry in range.
//
// One test per Win32 call. Its failures name the scenario, the call index,
// once or from then on, and what was found.
#include "ChartFixture.h"
#include "Exports.h"
#include "QueuedInput.h"
#include "StartUp.h"

#include <winsim.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// ------------------------------------------------------------------ input --

using namespace queued;

// -------------------------------------------------------------- scenarios --

const char OldClipboard[] = "old text\r\nsecond line";

// One clipboard action at most per scenario: the clipboard then holds either
// its old text or the one that action puts there.
struct Scenario {
    const char *Name;
    int From;
    // In the registry before the plugin loads, and in the settings once it
    // has: a registry read that fails gives the defaults, as it should, and
    // must not change what the scenario chooses.
    std::map<std::string, DWORD> Settings;
    std::function<void()> Input;
    int StructSize = int(sizeof(PluginStartupInfo));
    bool NotNT = false;
    std::string Clipboard = OldClipboard;  // its text before
    // The host's dialogs; by default every one is confirmed as the options are.
    std::function<int(FarDialogItem *, int)> Dialogs = [](FarDialogItem *, int) { return 17; };
};

// F3's dialog (16 items) copies the code point (its fifth form, item 7);
// F7's (6) finds "DELTA", two codes on: each code a find passes costs three
// conversions, each of them swept, and a longer way adds nothing new.
int UnicodeDialogs(FarDialogItem *Items, int Count) {
    if (Count == 6) {
        std::strcpy(Items[2].Data, "DELTA");
        return 4;
    }
    if (Count != 16) return -1;
    for (int I = 3; I < 13; I++) Items[I].Selected = I == 7;
    return 14;
}

// On 80x25 the chart's top-left corner is (19, 4); its cells start 5
// columns and 4 rows further in.
const Scenario Scenarios[] = {
    {"PanelsConfirm", OPEN_PLUGINSMENU, {{"ShowCmdlineChar", 1}},
     [] { Key(VK_RIGHT); Enter(); }},
    {"EditorConfirmAsKeys", OPEN_EDITOR, {{"ShowEditorChar", 1}, {"CopyMode", 1}},
     [] { Key(VK_RIGHT); Enter(); }},
    {"EditorAppendAsText", OPEN_EDITOR, {{"CopyMode", 0}, {"PasteMode", 2}, {"LastChar", 65}},
     [] { Key(VK_RIGHT); Ctrl(VK_RETURN, 10); }},
    {"CopyKey", OPEN_PLUGINSMENU, {{"LastChar", 66}}, [] { Ctrl('C', 3); Esc(); }},
    {"AppendKey", OPEN_PLUGINSMENU, {{"LastChar", 66}}, [] { Ctrl(VK_ADD, '+'); Esc(); }},
    {"AltArrows", OPEN_PLUGINSMENU, {},
     [] { Alt(VK_RIGHT); Alt(VK_DOWN); Alt(VK_LEFT); Alt(VK_UP); Alt(VK_UP); Esc(); }},
    {"HostScreens", OPEN_PLUGINSMENU, {{"ShowWinTable", 1}},
     [] { Key(VK_F1); Key(VK_F11); Combo(VK_SHIFT, SHIFT_PRESSED, VK_F8); Esc(); }},
    {"OldHostHelp", OPEN_PLUGINSMENU, {}, [] { Key(VK_F1); Esc(); },
     int(offsetof(PluginStartupInfo, ShowHelp))},
    {"Esc", OPEN_PLUGINSMENU, {}, [] { Esc(); }},
    {"MouseConfirm", OPEN_PLUGINSMENU, {}, [] { DoubleClick(CellScreenX(65), CellScreenY(65)); }},
    {"HexCode", OPEN_PLUGINSMENU, {{"TypeMode", 2}},
     [] { Key('4', '4'); Key('1', '1'); Enter(); Enter(); }},
    {"Peek", OPEN_PLUGINSMENU, {},
     [] {
         const DWORD All = LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED | SHIFT_PRESSED;
         winsim::PushInput(KeyRecord(VK_SHIFT, 0, All, true));
         winsim::PushInput(KeyRecord(VK_SHIFT, 0, LEFT_CTRL_PRESSED | LEFT_ALT_PRESSED, false));
         Esc();
     }},
    {"Tables", OPEN_VIEWER, {},
     [] { Key(VK_F9); Combo(VK_SHIFT, SHIFT_PRESSED, VK_F9); Key(VK_F8); Enter(); }},
    {"Windows9xTyping", OPEN_PLUGINSMENU, {{"TypeMode", 0}},
     [] { Key('K', 'k'); Enter(); },
     int(sizeof(PluginStartupInfo)), true},
    {"AppendToNothing", OPEN_PLUGINSMENU, {{"LastChar", 66}}, [] { Ctrl(VK_RETURN, 10); },
     int(sizeof(PluginStartupInfo)), false, ""},
    {"UnicodeKeys", OPEN_PLUGINSMENU, {{"LastChar", 0xE9}},
     [] { Key(VK_F2); Key(VK_F3); Key(VK_F7); Alt(VK_F8); Esc(); },
     int(sizeof(PluginStartupInfo)), false, OldClipboard, UnicodeDialogs},
};

// What the scenarios call: every call is swept. Sleep cannot fail; GlobalFree
// is only called after another call failed.
const char *const SweptCalls[] = {
    "CharToOemBuffA", "CloseClipboard", "CloseHandle", "CreateFileA", "EmptyClipboard",
    "GetClipboardData", "GetConsoleCursorInfo", "GetConsoleOutputCP",
    "GetConsoleScreenBufferInfo", "GetConsoleTitleA", "GetVersionExA", "GlobalAlloc",
    "GlobalLock", "GlobalSize", "GlobalUnlock", "IsClipboardFormatAvailable",
    "MultiByteToWideChar", "OemToCharBuffA", "OpenClipboard", "PeekConsoleInputA", "ReadConsoleA",
    "ReadConsoleInputA", "ReadConsoleOutputA", "RegCloseKey", "RegCreateKeyExA",
    "RegOpenKeyExA", "RegQueryValueExA", "RegSetValueExA", "SetClipboardData",
    "SetConsoleCursorInfo", "SetConsoleCursorPosition", "SetConsoleTitleA",
    "WriteConsoleInputA", "WriteConsoleOutputA", "lstrcpynA", "wsprintfA",
};

// ------------------------------------------------------------------ a run --

const std::string OldTitle = "Far - C:\\Work";

struct Fault {
    std::string Call;
    int Index;     // 1: the first call
    bool Lasting;  // from then on, else once
};

std::string Describe(const Fault &F) {
    return F.Call + " #" + std::to_string(F.Index) + (F.Lasting ? " from then on" : " once");
}

// A call failing for good cannot be undone by anyone: what it changed
// before it started failing only it could change back.
bool Lost(const Fault *F, const char *Call) { return F && F->Lasting && F->Call == Call; }

struct Outcome {
    std::map<std::string, int> Calls;
    std::string Clipboard, Typed;
    std::vector<std::string> Problems;
};

struct ConsoleShot {
    std::vector<CHAR_INFO> Cells;
    std::string Title;
    CONSOLE_CURSOR_INFO Cursor;
    COORD Pos;
};

ConsoleShot Shot() {
    return {winsim::Screen(), winsim::Title(), winsim::CursorInfo(), winsim::CursorPos()};
}

void SetUpConsole(bool NotNT) {
    winsim::SetConsoleSize(80, 25);
    for (int Y = 0; Y < 25; Y++)
        for (int X = 0; X < 80; X++)
            winsim::SetCell(X, Y, char('!' + (X * 7 + Y * 3) % 90), WORD(0x10 * (Y % 8) + X % 16));
    winsim::SetTitle(OldTitle);
    winsim::SetCursorInfo(25, TRUE);
    winsim::SetCursorPos(7, 23);
    winsim::SetPlatformNT(!NotNT);
}

std::string Quote(const std::string &S) {
    std::string Q = "\"";
    for (unsigned char C : S) {
        if (C >= 32 && C < 127) {
            Q += char(C);
        } else {
            char Hex[8];
            std::snprintf(Hex, sizeof Hex, "\\x%02X", C);
            Q += Hex;
        }
    }
    return Q + "\"";
}

// The Ctrl+Q pairs in the console input: the characters typed into the editor.
std::string QuotedKeys() {
    std::string Keys;
    const std::vector<INPUT_RECORD> Input = winsim::PendingInput();
    for (size_t I = 0; I + 1 < Input.size(); I++) {
        const KEY_EVENT_RECORD &K = Input[I].Event.KeyEvent;
        if (Input[I].EventType == KEY_EVENT && K.wVirtualKeyCode == 'Q' &&
            (K.dwControlKeyState & LEFT_CTRL_PRESSED))
            Keys += char(Input[++I].Event.KeyEvent.uChar.AsciiChar);
    }
    return Keys;
}

void CheckRegistry(const std::string &Path, Outcome &R) {
    const struct {
        const char *Name;
        DWORD Max;
    } Values[] = {{"LastChar", 255},      {"PasteMode", 2},       {"TypeMode", 2},
                  {"CopyMode", 1},        {"ShowEditorChar", 1}, {"ShowCmdlineChar", 1},
                  {"ShowWinTable", 1},    {"UnicodeStatus", 1}};
    for (const auto &V : Values) {
        winsim::RegValue Stored;
        if (!winsim::RegGet(Path, V.Name, &Stored)) continue;
        DWORD Value = 0;
        if (Stored.data.size() == 4) std::memcpy(&Value, Stored.data.data(), 4);
        if (Stored.type != REG_DWORD || Stored.data.size() != 4 || Value > V.Max)
            R.Problems.push_back(std::string("registry: ") + V.Name + " stored as type " +
                                 std::to_string(Stored.type) + ", " +
                                 std::to_string(Stored.data.size()) + " bytes, value " +
                                 std::to_string(Value));
    }
}

// The recently chosen characters: at most 16 bytes.
void CheckHistory(const std::string &Path, Outcome &R) {
    winsim::RegValue Stored;
    if (winsim::RegGet(Path + "\\History", "Characters", &Stored) &&
        (Stored.type != REG_BINARY || Stored.data.size() > 16))
        R.Problems.push_back("registry: Characters stored as type " + std::to_string(Stored.type) +
                             ", " + std::to_string(Stored.data.size()) + " bytes");
}

void Apply(const std::string &Name, DWORD Value) {
    if (Name == "LastChar") Chart.LastChar = uint8_t(Value);
    if (Name == "PasteMode") Settings.PasteMode = Paste(int32_t(Value));
    if (Name == "TypeMode") Settings.TypeMode = Typing(int32_t(Value));
    if (Name == "CopyMode") Settings.CopyMode = Value != 0;
    if (Name == "ShowEditorChar") Settings.ShowEditorChar = Value != 0;
    if (Name == "ShowCmdlineChar") Settings.ShowCmdlineChar = Value != 0;
    if (Name == "ShowWinTable") Settings.ShowWinTable = Value != 0;
}

// Set in a child process: where its report goes.
int ReportFd = -1;
long CallLimit = 0;

void Say(const std::string &Line) {
    const std::string Out = "@@ " + Line + "\n";
    if (ReportFd >= 0 && write(ReportFd, Out.data(), Out.size()) < 0) _exit(4);
}

void EndlessLoop() {
    Say("hang: still calling after " + std::to_string(CallLimit) + " calls");
    _exit(3);
}

// One life of the plugin in a scenario, with a fault or without; Clean is
// the run without, which a run with a fault is held against.
Outcome RunScenario(const Scenario &S, const Fault *F, const Outcome *Clean) {
    winsim::Reset();
    ResetChartUnits();
    SetUpConsole(S.NotNT);
    if (!S.Clipboard.empty()) winsim::SetClipboardText(S.Clipboard);
    fake::Host Host;
    Host.EditorLine = "hello";
    Host.EditorCurPos = 1;
    Host.CmdLineBytes = std::string("dir x\0", 6);
    Host.CmdLinePos = 4;
    Host.Tables.resize(2);
    for (int I = 0; I < 256; I++) Host.Tables[1].DecodeTable[I] = uint8_t(255 - I);
    Host.DialogScript = S.Dialogs;
    Host.MenuResult = 2;
    // The host's screen reaches the console at once.
    Host.OnText = [](const fake::TextCall &T) {
        if (T.HasText && T.X >= 0 && T.X < 80 && T.Y >= 0 && T.Y < 25)
            winsim::SetCell(T.X, T.Y, T.Text[0], WORD(T.Color));
    };
    const std::string SettingsPath = Host.RootKey + "\\Quorrel";
    for (const auto &Setting : S.Settings)
        winsim::RegPutDword(SettingsPath, Setting.first, Setting.second);
    std::vector<BYTE> Palette(100, 0x07);
    Palette[21] = 0x70;
    Palette[23] = 0x1F;
    Palette[24] = 0x4E;
    Palette[26] = 0x30;
    winsim::RegPut("Software\\Far\\Colors", "CurrentPalette", REG_BINARY, Palette);
    S.Input();
    for (int I = 0; I < 3; I++) Esc();  // whatever happened, the window closes
    const PluginStartupInfo Info = fake::MakeStartupInfo(Host, S.StructSize);
    const ConsoleShot Before = Shot();

    winsim::ResetCallCounts();
    if (ReportFd >= 0) winsim::SetCallLimit(CallLimit, EndlessLoop);
    if (F) winsim::FailCallAfter(F->Call.c_str(), F->Index - 1, F->Lasting ? -1 : 1);
    ConsoleStart();  // the module is loaded
    QuorrelStart();
    SetStartupInfo(&Info);
    for (const auto &Setting : S.Settings) Apply(Setting.first, Setting.second);
    PluginInfo Plugin;
    GetPluginInfo(&Plugin);
    OpenPlugin(S.From, 0);

    Outcome R;
    const ConsoleShot After = Shot();
    int Differ = 0, FirstX = 0, FirstY = 0;
    for (size_t I = 0; I < After.Cells.size(); I++) {
        const CHAR_INFO &A = After.Cells[I], &B = Before.Cells[I];
        if (A.Char.AsciiChar == B.Char.AsciiChar && A.Attributes == B.Attributes) continue;
        if (Differ++ == 0) FirstX = int(I % 80), FirstY = int(I / 80);
    }
    if (Differ && !Lost(F, "WriteConsoleOutputA"))
        R.Problems.push_back("screen: " + std::to_string(Differ) + " cells not restored, from (" +
                             std::to_string(FirstX) + "," + std::to_string(FirstY) + ")");
    if (After.Title != Before.Title && !Lost(F, "SetConsoleTitleA"))
        R.Problems.push_back("title: " + Quote(After.Title));
    if ((After.Cursor.dwSize != Before.Cursor.dwSize ||
         After.Cursor.bVisible != Before.Cursor.bVisible) &&
        !Lost(F, "SetConsoleCursorInfo"))
        R.Problems.push_back("cursor: size " + std::to_string(After.Cursor.dwSize) +
                             (After.Cursor.bVisible ? " visible" : " hidden"));
    if ((After.Pos.X != Before.Pos.X || After.Pos.Y != Before.Pos.Y) &&
        !Lost(F, "SetConsoleCursorPosition"))
        R.Problems.push_back("cursor: at (" + std::to_string(After.Pos.X) + "," +
                             std::to_string(After.Pos.Y) + ")");

    R.Clipboard = winsim::ClipboardText();
    for (const std::string &Line : Host.CmdLineInserted) R.Typed += "command line " + Quote(Line);
    for (const std::string &Text : Host.EditorInserted) R.Typed += "editor " + Quote(Text);
    const std::string Keys = QuotedKeys();
    if (!Keys.empty()) R.Typed += "editor keys " + Quote(Keys);
    if (Clean) {
        // Nothing can go back on a clipboard that refuses every SetClipboardData.
        const bool Emptied = R.Clipboard.empty() && Lost(F, "SetClipboardData");
        if (R.Clipboard != S.Clipboard && R.Clipboard != Clean->Clipboard && !Emptied)
            R.Problems.push_back("clipboard: " + Quote(R.Clipboard) +
                                 ", neither the old text nor " + Quote(Clean->Clipboard));
        if (!R.Typed.empty() && R.Typed != Clean->Typed)
            R.Problems.push_back("typed: " + R.Typed + " instead of " +
                                 (Clean->Typed.empty() ? "nothing" : Clean->Typed));
        if (!R.Typed.empty() && R.Clipboard == S.Clipboard && Clean->Clipboard != S.Clipboard)
            R.Problems.push_back("typed: " + R.Typed + " though the clipboard kept its old text");
    }
    CheckRegistry(SettingsPath, R);
    CheckHistory(SettingsPath, R);
    ConsoleEnd();  // the module is unloaded
    R.Calls = winsim::CallCounts();
    winsim::Reset();
    return R;
}

// ------------------------------------------------------------ child runs --

const unsigned TimeLimitSeconds = 10;

struct Case {
    size_t Scenario;
    Fault F;
};

// The first line of a sanitizer's report, if any.
std::string SanitizerLine(const std::string &Output) {
    for (const char *Mark : {"ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer"}) {
        size_t At = Output.find(Mark);
        if (At == std::string::npos) continue;
        size_t Start = Output.rfind('\n', At);
        Start = Start == std::string::npos ? 0 : Start + 1;
        return Output.substr(Start, Output.find('\n', At) - Start);
    }
    return "";
}

const std::vector<Outcome> &CleanRuns();

// Runs Cases[First..] in one child process, one after the other, and adds
// their problems to Problems. Returns where to go on: past the last case,
// or past a case that crashed or hung the child (its problem says which).
size_t RunCasesInChild(const std::vector<Case> &Cases, size_t First,
                       std::vector<std::vector<std::string>> &Problems) {
    std::fflush(stdout);
    std::fflush(stderr);
    int Pipe[2];
    if (pipe(Pipe) != 0) {
        Problems[First].push_back("no pipe for a child process");
        return First + 1;
    }
    const pid_t Child = fork();
    if (Child == 0) {
        close(Pipe[0]);
        dup2(Pipe[1], STDERR_FILENO);  // sanitizer reports come back too
        ReportFd = Pipe[1];
        for (size_t I = First; I < Cases.size(); I++) {
            const Case &C = Cases[I];
            Say("start " + std::to_string(I));
            alarm(TimeLimitSeconds);
            for (const std::string &P :
                 RunScenario(Scenarios[C.Scenario], &C.F, &CleanRuns()[C.Scenario]).Problems)
                Say("problem " + P);
            Say("done");
        }
        _exit(0);
    }
    close(Pipe[1]);
    std::string Output;
    char Buffer[4096];
    for (;;) {
        const ssize_t N = read(Pipe[0], Buffer, sizeof Buffer);
        if (N > 0) Output.append(Buffer, size_t(N));
        if (N == 0 || (N < 0 && errno != EINTR)) break;
    }
    close(Pipe[0]);
    int Status = 0;
    if (Child > 0) waitpid(Child, &Status, 0);

    size_t Current = First;
    bool Open = false;  // Current started and not done
    for (size_t At = 0; (At = Output.find("@@ ", At)) != std::string::npos;) {
        const size_t End = Output.find('\n', At);
        const std::string Line = Output.substr(At + 3, End - At - 3);
        At = End;
        if (Line.compare(0, 6, "start ") == 0) {
            Current = std::stoul(Line.substr(6));
            Open = true;
        } else if (Line == "done") {
            Open = false;
        } else if (Line.compare(0, 8, "problem ") == 0) {
            Problems[Current].push_back(Line.substr(8));
        } else {
            Problems[Current].push_back(Line);  // the endless loop's report
        }
    }
    if (!Open) {
        if (Child < 0 || Current + 1 < Cases.size())
            Problems[Current].push_back("the child process ended early");
        return Current + 1;
    }
    if (!Problems[Current].empty()) return Current + 1;  // an endless loop, reported
    std::string Why;
    const std::string Report = SanitizerLine(Output);
    if (WIFSIGNALED(Status) && WTERMSIG(Status) == SIGALRM)
        Why = "hang: no end within " + std::to_string(TimeLimitSeconds) + " s";
    else if (!Report.empty())
        Why = "crash: " + Report;
    else if (WIFSIGNALED(Status))
        Why = "crash: signal " + std::to_string(WTERMSIG(Status));
    else
        Why = "crash: exit status " + std::to_string(WEXITSTATUS(Status));
    Problems[Current].push_back(Why);
    return Current + 1;
}

// The clean runs, once per process.
const std::vector<Outcome> &CleanRuns() {
    static const std::vector<Outcome> Runs = [] {
        std::vector<Outcome> All;
        for (const Scenario &S : Scenarios) All.push_back(RunScenario(S, nullptr, nullptr));
        return All;
    }();
    return Runs;
}

// -------------------------------------------------------------- the tests --

TEST(FaultSweepScenarios, RunCleanAndCallOnlyWhatIsSwept) {
    const std::set<std::string> Swept(std::begin(SweptCalls), std::end(SweptCalls));
    std::set<std::string> Called;
    for (size_t I = 0; I < CleanRuns().size(); I++) {
        const Outcome &R = CleanRuns()[I];
        SCOPED_TRACE(Scenarios[I].Name);
        EXPECT_TRUE(R.Problems.empty()) << ::testing::PrintToString(R.Problems);
        for (const auto &Call : R.Calls) {
            if (Call.first == "Sleep" || Call.first == "GlobalFree") continue;
            Called.insert(Call.first);
            EXPECT_TRUE(Swept.count(Call.first)) << Call.first << " is called but not swept";
        }
    }
    for (const std::string &Call : Swept)
        EXPECT_TRUE(Called.count(Call)) << Call << " is never called";
    // The scenarios confirm, copy, append and type as meant.
    EXPECT_EQ("y", CleanRuns()[0].Clipboard);
    EXPECT_EQ("command line \"y\"", CleanRuns()[0].Typed);
    EXPECT_EQ("editor keys \"f\"", CleanRuns()[1].Typed);
    EXPECT_EQ("editor \"old textB\"", CleanRuns()[2].Typed);
    EXPECT_EQ("B", CleanRuns()[3].Clipboard);
    EXPECT_EQ("old textB", CleanRuns()[4].Clipboard);
    EXPECT_EQ("command line \"k\"", CleanRuns()[13].Typed);
    EXPECT_EQ("B", CleanRuns()[14].Clipboard);
    // F3 copies the code point of Θ (0xE9). (It comes before F7: a find
    // that a failing call sends to another character would copy another.)
    EXPECT_EQ("U+0398", CleanRuns()[15].Clipboard);
}

class FaultSweep : public ::testing::TestWithParam<const char *> {};

TEST_P(FaultSweep, EveryIndexOnceAndFromThenOn) {
    const std::string Call = GetParam();
    const auto Start = std::chrono::steady_clock::now();
    std::vector<Case> Cases;
    long Longest = 0;
    for (size_t I = 0; I < CleanRuns().size(); I++) {
        const auto Count = CleanRuns()[I].Calls.find(Call);
        if (Count == CleanRuns()[I].Calls.end()) continue;
        long Total = 0;
        for (const auto &C : CleanRuns()[I].Calls) Total += C.second;
        Longest = std::max(Longest, Total);
        for (int Index = 1; Index <= Count->second; Index++)
            for (bool Lasting : {false, true}) Cases.push_back({I, {Call, Index, Lasting}});
    }
    // Ten times the calls of the longest scenario in normal use is a loop
    // that does not end.
    CallLimit = 10 * Longest + 1000;
    std::vector<std::vector<std::string>> Problems(Cases.size());
    for (size_t Next = 0; Next < Cases.size();) Next = RunCasesInChild(Cases, Next, Problems);

    std::string Report;
    int Failed = 0;
    for (size_t I = 0; I < Cases.size(); I++) {
        if (Problems[I].empty()) continue;
        Failed++;
        for (const std::string &P : Problems[I])
            Report += std::string("\n  ") + Scenarios[Cases[I].Scenario].Name + ", " +
                      Describe(Cases[I].F) + ": " + P;
    }
    const double Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
    std::printf("[ sweep    ] %s: %zu cases, %d failed, %.1f s\n", Call.c_str(), Cases.size(),
                Failed, Seconds);
    EXPECT_EQ(0, Failed) << "cases failed:" << Report;
}

INSTANTIATE_TEST_SUITE_P(Calls, FaultSweep, ::testing::ValuesIn(SweptCalls),
                         [](const ::testing::TestParamInfo<const char *> &Info) {
                             return std::string(Info.param);
                         });

}  // namespace
