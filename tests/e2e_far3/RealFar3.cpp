#include "RealFar3.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

// ------------------------------------------------------------ waiting --

std::wstring EnvPath(const char *Name) {
    const char *Value = std::getenv(Name);
    return Value ? Wide(Value) : L"";
}

testing::AssertionResult WaitScreen(const std::string &What, const std::function<bool(const Screen &)> &Ready,
                                    Screen *Last, int Ms) {
    Screen S;
    const ULONGLONG Deadline = GetTickCount64() + ULONGLONG(Ms);
    for (int Pause = 10;;) {
        const bool Read = FarConsole::Read(&S);
        if (Read && S.Contains(L"Something went wrong.")) {
            if (Last) *Last = S;
            return testing::AssertionFailure() << "Far reports an exception while waiting for " << What << ":\n"
                                               << S.Dump();
        }
        if (Read && Ready(S)) {
            if (Last) *Last = S;
            return testing::AssertionSuccess();
        }
        if (GetTickCount64() > Deadline) {
            if (Last) *Last = S;
            return testing::AssertionFailure() << "timed out after " << Ms << " ms waiting for " << What
                                               << "; the screen:\n"
                                               << S.Dump();
        }
        // Each read is a whole screen through Wine's server and console, a
        // cost that grows with the time waited: soon after the key that
        // was typed, when Far mostly answers, the reads come every 10 ms,
        // then ever more seldom, at most every 80 ms.
        Sleep(Pause);
        Pause = std::min(Pause * 2, 80);
    }
}

testing::AssertionResult WaitSettled(Screen *Last, int Quiet, int Ms) {
    Screen Before;
    FarConsole::Read(&Before);
    ULONGLONG Since = GetTickCount64();
    return WaitScreen("a screen that holds still", [&](const Screen &S) {
        if (S != Before) {
            Before = S;
            Since = GetTickCount64();
        }
        return GetTickCount64() - Since >= ULONGLONG(Quiet);
    }, Last, Ms);
}

// ---------------------------------------------------------- clipboard --

namespace {

// Far or Wine may hold the clipboard for a moment.
bool OpenClipboardSoon() {
    for (int Try = 0; Try < 100; Try++) {
        if (OpenClipboard(nullptr)) return true;
        Sleep(10);
    }
    return false;
}

}  // namespace

namespace {

// What the clipboard held when this program last opened it, and its
// sequence number then (read while it was open, so that no one else's text
// can come in between).
struct {
    DWORD Sequence = 0;
    std::wstring Text;
    bool Valid = false;
} Known;

}  // namespace

std::wstring ClipboardText() {
    std::wstring Text;
    if (!OpenClipboardSoon()) return Text;
    if (HANDLE Data = GetClipboardData(CF_UNICODETEXT)) {
        if (const wchar_t *P = static_cast<const wchar_t *>(GlobalLock(Data))) {
            Text = P;
            GlobalUnlock(Data);
        }
    }
    Known = {GetClipboardSequenceNumber(), Text, true};
    CloseClipboard();
    return Text;
}

bool SetClipboardText(const std::wstring &Text) {
    if (!OpenClipboardSoon()) return false;
    EmptyClipboard();
    bool Ok = true;
    if (!Text.empty()) {
        HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, (Text.size() + 1) * sizeof(wchar_t));
        if (void *P = Block ? GlobalLock(Block) : nullptr) {
            std::memcpy(P, Text.c_str(), (Text.size() + 1) * sizeof(wchar_t));
            GlobalUnlock(Block);
            Ok = SetClipboardData(CF_UNICODETEXT, Block) != nullptr;
        } else {
            Ok = false;
        }
    }
    Known = {GetClipboardSequenceNumber(), Ok ? Text : L"", Ok};
    CloseClipboard();
    return Ok;
}

// The clipboard is opened only when it has changed since this program last
// had it open: a test that opened it every few milliseconds, or just as a
// dialog closed, would hold it when the plugin writes (it tries for about
// 100 ms), and on a busy machine keep it from doing so.
testing::AssertionResult AwaitClipboard(const std::wstring &Text, int Ms) {
    const ULONGLONG Deadline = GetTickCount64() + ULONGLONG(Ms);
    for (;;) {
        if (!Known.Valid || GetClipboardSequenceNumber() != Known.Sequence) ClipboardText();
        if (Known.Text == Text) return testing::AssertionSuccess();
        if (GetTickCount64() > Deadline)
            return testing::AssertionFailure() << "the clipboard holds \"" << Utf8(Known.Text) << "\", not \""
                                               << Utf8(Text) << "\"";
        Sleep(10);
    }
}

// -------------------------------------------------------------- files --

std::string ReadBytes(const std::wstring &Path) {
    std::ifstream In(Path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::wstring &Path, const std::string &Bytes) {
    std::ofstream Out(Path.c_str(), std::ios::binary | std::ios::trunc);
    Out << Bytes;
    return bool(Out.flush());
}

// ------------------------------------------------------------ fixture --

namespace {

// Far starts in about a second and a half here; much more on a busy machine.
const int StartMs = 30000;

std::wstring Quoted(const std::wstring &Path) { return L"\"" + Path + L"\""; }

// The input of the console this program shares with Far.
HANDLE OpenConsoleInput() {
    return CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

// Far's panels, with nothing over them.
bool PanelsShown(const Screen &S) {
    return S.Char(0, 0) == L'╔' && S.Row(S.Height - 1).find(L"10Quit") != std::wstring::npos;
}

bool ChartShown(const Screen &S) {
    ChartView V;
    return FindChart(S, &V);
}

void RemoveTree(const std::wstring &Folder) {
    WIN32_FIND_DATAW Found;
    HANDLE Find = FindFirstFileW((Folder + L"\\*").c_str(), &Found);
    if (Find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring Name = Found.cFileName;
            if (Name == L"." || Name == L"..") continue;
            const std::wstring Path = Folder + L"\\" + Name;
            if (Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(Path);
            else DeleteFileW(Path.c_str());
        } while (FindNextFileW(Find, &Found));
        FindClose(Find);
    }
    RemoveDirectoryW(Folder.c_str());
}

}  // namespace

void RealFar3Test::SetUp() {
    FarFolder = EnvPath("QUORREL_E2E_FAR");
    Plugins = EnvPath("QUORREL_E2E_PLUGINS");
    Work = EnvPath("QUORREL_E2E_WORK");
    ASSERT_FALSE(FarFolder.empty() || Plugins.empty() || Work.empty())
        << "QUORREL_E2E_FAR, QUORREL_E2E_PLUGINS and QUORREL_E2E_WORK name the folders: run the suite "
           "through run-suite.sh (ctest -R e2e_far3)";
    const testing::TestInfo *Info = testing::UnitTest::GetInstance()->current_test_info();
    Profile = Work + L"\\profiles\\" + Wide(Info->test_suite_name()) + L"." + Wide(Info->name());
    RemoveTree(Profile);
    CreateDirectoryW((Work + L"\\profiles").c_str(), nullptr);
    CreateDirectoryW(FilesFolder().c_str(), nullptr);
    // Keys left over from a test that failed halfway must not reach this Far.
    HANDLE Input = OpenConsoleInput();
    FlushConsoleInputBuffer(Input);
    CloseHandle(Input);
    // Ctrl+C typed into a console that takes it as a signal would end this
    // program too.
    SetConsoleCtrlHandler(nullptr, TRUE);
    SetClipboardText(L"");
}

void RealFar3Test::TearDown() { Far->Kill(); }

// Far with our plugins alone, no clock (on the panels, in the editor's
// status line: screens taken a minute apart must match) and the test's profile.
std::wstring RealFar3Test::CommandLine(const std::wstring &Arguments) const {
    return Quoted(FarFolder + L"\\Far.exe") + L" -p" + Quoted(Plugins) + L" -set:Screen.Clock=false " + Arguments +
           L" -s " + Quoted(Profile);
}

testing::AssertionResult RealFar3Test::Start(const std::wstring &Options) {
    const std::wstring Line = CommandLine(Options + L" " + Quoted(FilesFolder()));
    if (!Far->Start(Line, FilesFolder())) return testing::AssertionFailure() << "could not start " << Utf8(Line);
    return WaitScreen("Far's panels", PanelsShown, nullptr, StartMs);
}

testing::AssertionResult RealFar3Test::StartEditor(const std::wstring &Path, const std::wstring &Options) {
    const std::wstring Line = CommandLine(Options + L" -e " + Quoted(Path));
    if (!Far->Start(Line, FilesFolder())) return testing::AssertionFailure() << "could not start " << Utf8(Line);
    return AwaitEditor(StartMs);
}

testing::AssertionResult RealFar3Test::AwaitEditor(int Ms) {
    return WaitScreen("Far's editor", [](const Screen &S) {
        return S.Row(S.Height - 1).find(L"2Save") != std::wstring::npos;
    }, nullptr, Ms);
}

testing::AssertionResult RealFar3Test::AwaitPanels(int Ms) {
    return WaitScreen("Far's panels", [](const Screen &S) { return PanelsShown(S) && !ChartShown(S); }, nullptr,
                      Ms);
}

namespace {

testing::AssertionResult EndedWithZero(FarProcess &Far) {
    DWORD Code = 0;
    if (!Far.WaitExit(15000, &Code)) {
        Screen S;
        FarConsole::Read(&S);
        return testing::AssertionFailure() << "Far did not end; the screen:\n" << S.Dump();
    }
    if (Code != 0) return testing::AssertionFailure() << "Far ended with exit code 0x" << std::hex << Code;
    return testing::AssertionSuccess();
}

// F10 and its confirmation.
testing::AssertionResult QuitFar(FarProcess &Far) {
    if (!FarConsole::Press(L"F10")) return testing::AssertionFailure() << "could not type F10";
    testing::AssertionResult Asked =
        WaitScreen("'Do you want to quit Far?'", [](const Screen &S) { return S.Contains(L"Do you want to quit Far?"); });
    if (!Asked) return Asked;
    FarConsole::Press(L"Enter");
    return EndedWithZero(Far);
}

}  // namespace

testing::AssertionResult RealFar3Test::Quit() { return QuitFar(*Far); }

testing::AssertionResult RealFar3Test::Ended() { return EndedWithZero(*Far); }

FarProcess SharedFar3Test::Shared;

void SharedFar3Test::SetUp() {
    RealFar3Test::SetUp();
    if (HasFatalFailure()) return;
    Far = &Shared;
    Profile = Work + L"\\profiles\\" + Wide(testing::UnitTest::GetInstance()->current_test_info()->test_suite_name());
    if (Shared.Running()) {
        ASSERT_TRUE(AwaitPanels()) << "as the test before left them";
        // Far drops a key that comes while it is still closing a menu.
        ASSERT_TRUE(WaitSettled(nullptr));
        return;
    }
    RemoveTree(Profile);
    ASSERT_TRUE(Start(StartOptions()));
}

void SharedFar3Test::TearDown() {
    if (HasFailure()) Shared.Kill();
}

void SharedFar3Test::TearDownTestSuite() {
    if (Shared.Running()) {
        EXPECT_TRUE(QuitFar(Shared)) << "after the suite's last test";
    }
}

testing::AssertionResult RealFar3Test::AwaitText(const std::wstring &Text, Screen *Last, int Ms) {
    return WaitScreen("'" + Utf8(Text) + "'", [&](const Screen &S) { return S.Contains(Text); }, Last, Ms);
}

testing::AssertionResult RealFar3Test::AwaitGone(const std::wstring &Text, Screen *Last, int Ms) {
    return WaitScreen("'" + Utf8(Text) + "' to go", [&](const Screen &S) { return !S.Contains(Text); }, Last, Ms);
}

namespace {

// The plugin menu's title, which Far puts on the menu of F11.
const wchar_t PluginMenuTitle[] = L"Plugin commands";
// A line of our options dialog.
const wchar_t OptionsLabel[] = L"Typed digits give a decimal code";

// Whether input is waiting to be read.
bool InputPending() {
    HANDLE Input = OpenConsoleInput();
    DWORD Count = 0;
    GetNumberOfConsoleInputEvents(Input, &Count);
    CloseHandle(Input);
    return Count != 0;
}

}  // namespace

// Now and then, on a busy machine and after the test before had closed its
// chart, Far has taken an F11 on its panels and done nothing with it, even
// with the screen still for 300 ms before. An F11 that Far took without
// showing its menu in 3 s is typed once more; one still waiting to be read
// is only waited for.
testing::AssertionResult RealFar3Test::OpenPluginMenu(Screen *Last) {
    testing::AssertionResult Menu = Keys(L"F11");
    if (!Menu) return Menu;
    Menu = AwaitText(PluginMenuTitle, Last, 3000);
    if (Menu) return Menu;
    if (!InputPending()) {
        Menu = Keys(L"F11");
        if (!Menu) return Menu;
    }
    return AwaitText(PluginMenuTitle, Last);
}

testing::AssertionResult RealFar3Test::OpenChart(Screen *Last) {
    testing::AssertionResult Menu = OpenPluginMenu();
    if (!Menu) return Menu;
    // Our item is the only one: only our plugin is loaded.
    FarConsole::Press(L"Enter");
    ChartView V;
    return WaitScreen("the chart", [&](const Screen &S) { return FindChart(S, &V) && V.Code >= 0; }, Last);
}

void RealFar3Test::ExpectScreenBackAfterEsc(const std::wstring &Mark) {
    Screen Before, After;
    ASSERT_TRUE(Keys(Mark));
    ASSERT_TRUE(WaitSettled(&Before));
    ASSERT_TRUE(OpenChart());
    ASSERT_TRUE(Keys(L"Right Down Esc"));
    EXPECT_TRUE(WaitScreen("the screen as it was", [&](const Screen &S) { return S == Before; }, &After))
        << After.Differences(Before);
}

testing::AssertionResult RealFar3Test::AwaitChartGone() {
    return WaitScreen("the chart to close", [](const Screen &S) { return !ChartShown(S); });
}

testing::AssertionResult RealFar3Test::CloseChart() {
    testing::AssertionResult Closed = Keys(L"Esc");
    return Closed ? AwaitChartGone() : Closed;
}

testing::AssertionResult RealFar3Test::OpenOptions(Screen *Last) {
    testing::AssertionResult Menu = OpenPluginMenu();
    if (!Menu) return Menu;
    FarConsole::Press(L"Shift+F9");
    return AwaitText(OptionsLabel, Last);
}

testing::AssertionResult RealFar3Test::CloseOptions(const std::wstring &Closing) {
    testing::AssertionResult Closed = Keys(Closing);
    if (Closed) Closed = AwaitGone(OptionsLabel);
    if (Closed) Closed = AwaitText(PluginMenuTitle);
    if (Closed) Closed = Keys(L"Esc");
    if (Closed) Closed = AwaitGone(PluginMenuTitle);
    return Closed;
}

testing::AssertionResult RealFar3Test::AwaitCode(int Code, ChartView *View) {
    ChartView V;
    testing::AssertionResult Shown = WaitScreen("code " + std::to_string(Code) + " selected in the chart",
        [&](const Screen &S) { return FindChart(S, &V) && V.Code == Code && V.Selected == Code; });
    if (!Shown)
        Shown << "(the status line shows " << V.Code << ", the marked cell is " << V.Selected << ")";
    if (View) *View = V;
    return Shown;
}

testing::AssertionResult RealFar3Test::FocusOn(const std::wstring &Label) {
    Screen S;
    int Row = -1;
    for (int Step = 0; Step < 30; Step++) {
        if (!FarConsole::Read(&S) || !S.Find(Label, nullptr, &Row))
            return testing::AssertionFailure() << "no '" << Utf8(Label) << "' on the screen:\n" << S.Dump();
        if (S.Cursor.Y == Row) return testing::AssertionSuccess();
        const COORD Was = S.Cursor;
        FarConsole::Press(L"Down");
        WaitScreen("the focus to move", [&](const Screen &Now) {
            return Now.Cursor.X != Was.X || Now.Cursor.Y != Was.Y;
        }, &S, 3000);
    }
    return testing::AssertionFailure() << "Down never reached '" << Utf8(Label) << "':\n" << S.Dump();
}

std::wstring CodeKeys(int Code) {
    std::wstring Keys;
    for (wchar_t Digit : std::to_wstring(Code)) Keys += std::wstring(1, Digit) + L" ";
    return Keys + L"Enter";
}

bool ItemOn(const Screen &S, const std::wstring &Label) {
    int X, Y;
    if (!S.Find(Label, &X, &Y) || X < 4) return false;
    // "(•) Label" or "[x] Label": the mark two cells before the blank.
    const wchar_t Mark = S.Char(X - 3, Y);
    return Mark != L' ' && (S.Char(X - 4, Y) == L'(' || S.Char(X - 4, Y) == L'[');
}

std::wstring RealFar3Test::PluginSettings() const {
    WIN32_FIND_DATAW Found;
    const std::wstring Folder = Profile + L"\\PluginsData\\";
    HANDLE Find = FindFirstFileW((Folder + L"*.db").c_str(), &Found);
    if (Find == INVALID_HANDLE_VALUE) return L"";
    FindClose(Find);
    return Folder + Found.cFileName;
}
