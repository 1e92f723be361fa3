// quorrel-host: a stand-in for the file manager Far. Loads the plugin, hands
// it the startup record and opens it from its panels, editor or viewer;
// scripted runs queue input first and report what the plugin left behind.
#include "HostInternal.h"
#include "Program.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef _WIN32
#include <csignal>
#include <unistd.h>
#endif

LoadedPlugin ThePlugin;
HostOptions Options;

namespace {

DWORD UserInputMode = 0;
bool ModeSaved = false;
ConsoleSnapshot UserScreen;
bool ScreenSaved = false;
bool Restored = false;

// Puts back what the user had before the program started: the input mode
// and the screen. Runs once, also from the Ctrl+C/Ctrl+Break handler.
void RestoreUserConsole()
{
    if (Restored) return;
    Restored = true;
    if (ModeSaved) SetConsoleMode(HostInputHandle(), UserInputMode);
    if (!ScreenSaved) return;
    ConsoleSnapshot Now = TakeSnapshot();
    if (Now.Width != UserScreen.Width || Now.Height != UserScreen.Height) {
        // The terminal was resized meanwhile: what the old screen does not
        // cover is left blank, not showing our last frame.
        CHAR_INFO Blank;
        std::memset(&Blank, 0, sizeof(Blank));
        Blank.Char.AsciiChar = ' ';
        Blank.Attributes = 0x07;
        std::fill(Now.Cells.begin(), Now.Cells.end(), Blank);
        PutSnapshot(Now);
    }
    PutSnapshot(UserScreen);
}

// What a message calls the program: "./run" when the repository's script
// started it (it says so in QUORREL_HOST_COMMAND), else our own name.
std::string CommandName()
{
    const char *Name = std::getenv("QUORREL_HOST_COMMAND");
    return Name && *Name ? Name : "quorrel-host";
}

std::string TimeoutText(int Seconds)
{
    return "quorrel-host: the scripted opening did not end within " + std::to_string(Seconds) +
           " s (do the keys close the chart?); --timeout SECONDS sets the limit, 0 none\n";
}

#ifdef _WIN32
// Ctrl+C is a key in Far (the chart copies with it), and with
// ENABLE_PROCESSED_INPUT off a Windows console delivers it as one. Wine's
// terminal console does not: the terminal turns ^C into SIGINT, which Wine
// raises as CTRL_C_EVENT whatever the input mode (the byte itself never
// arrives), and the default handler would end us. So the event becomes the
// key. Ctrl+Break and closing the console still end the program.
BOOL WINAPI CtrlHandler(DWORD Event)
{
    if (Event == CTRL_C_EVENT) {
        HostWriteKeys("CtrlC");
        return TRUE;
    }
    RestoreUserConsole();
    return FALSE;
}

// The watch over one scripted opening: its thread ends when Lifted is set
// (and closes it), or ends the program after Seconds.
struct TimeoutWatch {
    HANDLE Lifted;
    int Seconds;
};
HANDLE TimeoutLifted = nullptr;

DWORD WINAPI TimeoutThread(LPVOID Param)
{
    const TimeoutWatch Watch = *static_cast<TimeoutWatch *>(Param);
    delete static_cast<TimeoutWatch *>(Param);
    if (WaitForSingleObject(Watch.Lifted, DWORD(Watch.Seconds) * 1000) != WAIT_TIMEOUT) {
        CloseHandle(Watch.Lifted);
        return 0;
    }
    RestoreUserConsole();
    std::fputs(TimeoutText(Watch.Seconds).c_str(), stderr);
    ExitProcess(3);
    return 0;
}
#else
// Natively the console is winsim's, inside this process: nothing of the
// user's terminal needs putting back.
std::string TimeoutMessage;

void OnTimeout(int)
{
    ssize_t Ignored = write(2, TimeoutMessage.data(), TimeoutMessage.size());
    (void)Ignored;
    _exit(3);
}
#endif

void StartTimeout()
{
    int Limit = ScriptTimeout(Options);
    if (Limit <= 0) return;
#ifdef _WIN32
    TimeoutLifted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!TimeoutLifted) return;
    HANDLE Thread = CreateThread(nullptr, 0, TimeoutThread, new TimeoutWatch{TimeoutLifted, Limit}, 0, nullptr);
    if (Thread) CloseHandle(Thread);
#else
    TimeoutMessage = TimeoutText(Limit);
    std::signal(SIGALRM, OnTimeout);
    alarm(unsigned(Limit));
#endif
}

// Once the scripted opening is over and the user has the program, it runs
// as long as they like.
void LiftTimeout()
{
#ifdef _WIN32
    // The watch's thread closes the event.
    if (TimeoutLifted) SetEvent(TimeoutLifted);
    TimeoutLifted = nullptr;
#else
    alarm(0);
#endif
}

// Keys as escape sequences in characters, which a terminal host may leave
// on; the host reads key records.
const DWORD VirtualTerminalInput = 0x0200;

// Like Far: Ctrl+C and the mouse arrive as input records, no quick edit.
void TakeOverInputMode()
{
    if (!GetConsoleMode(HostInputHandle(), &UserInputMode)) return;
    ModeSaved = true;
    DWORD Mode = UserInputMode;
    Mode &= ~DWORD(ENABLE_PROCESSED_INPUT | ENABLE_QUICK_EDIT_MODE | ENABLE_LINE_INPUT |
                   ENABLE_ECHO_INPUT | VirtualTerminalInput);
    Mode |= ENABLE_MOUSE_INPUT | ENABLE_EXTENDED_FLAGS;
    SetConsoleMode(HostInputHandle(), Mode);
}

std::string DefaultPluginPath()
{
#ifdef _WIN32
    return HostProgramFolder() + "Quorrel.dll";
#else
    return HostProgramFolder() + "Quorrel.so";
#endif
}

void ApplySettings()
{
    std::string Key = PluginSettingsKey();
    if (Options.ClearSettings) {
        // The plugin keeps its history of characters in a subkey, as Far
        // keeps its own histories.
        RegDeleteKeyA(HKEY_CURRENT_USER, (Key + "\\History").c_str());
        HKEY Handle;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, KEY_ALL_ACCESS, &Handle) ==
            ERROR_SUCCESS) {
            // Deleting renumbers the values: always take the first.
            for (;;) {
                char Name[256];
                DWORD NameSize = sizeof(Name);
                if (RegEnumValueA(Handle, 0, Name, &NameSize, nullptr, nullptr, nullptr,
                                  nullptr) != ERROR_SUCCESS ||
                    RegDeleteValueA(Handle, Name) != ERROR_SUCCESS)
                    break;
            }
            RegCloseKey(Handle);
        }
    }
    if (Options.Settings.empty()) return;
    HKEY Handle;
    DWORD Disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, Key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &Handle, &Disposition) != ERROR_SUCCESS)
        return;
    for (const auto &Setting : Options.Settings) {
        DWORD Value = Setting.second;
        RegSetValueExA(Handle, Setting.first.c_str(), 0, REG_DWORD,
                       reinterpret_cast<const BYTE *>(&Value), sizeof(Value));
    }
    RegCloseKey(Handle);
}

void SetClipboard(const std::string &Text)
{
    if (!OpenClipboard(nullptr)) return;
    EmptyClipboard();
    if (!Text.empty()) {
        HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Text.size() + 1);
        char *Data = Block ? static_cast<char *>(GlobalLock(Block)) : nullptr;
        if (Data) {
            std::memcpy(Data, Text.c_str(), Text.size() + 1);
            GlobalUnlock(Block);
            SetClipboardData(CF_OEMTEXT, Block);
        }
    }
    CloseClipboard();
}

std::string PluginPath()
{
    return Options.PluginPath.empty() ? DefaultPluginPath() : Options.PluginPath;
}

// A language that no message file beside the plugin is written in would
// fall back to English without a word: it is refused, with the ones there are.
bool KnownLanguage(std::string &Error)
{
    const std::vector<std::string> Languages = ModuleLanguages(PluginPath());
    if (Languages.empty() || ModuleHasLanguage(PluginPath(), Options.Language)) return true;
    Error = "--language: the plugin has no messages in '" + Options.Language + "', only in ";
    for (size_t I = 0; I < Languages.size(); I++)
        Error += (I == 0 ? "" : I + 1 == Languages.size() ? " and " : ", ") + Languages[I];
    return false;
}

bool LoadThePlugin(std::string &Error)
{
    std::string Path = PluginPath();
    if (!HostLoadPlugin(Path, ThePlugin.Module, Error)) return false;
    ThePlugin.Number = HostAddPlugin(ThePlugin.Module.Path);
    HostSetLanguage(Options.Language);
    if (Options.CharTables >= 0) HostSetCharTableCount(Options.CharTables);
    int Size = Options.OldHost ? int(offsetof(PluginStartupInfo, ShowHelp))
                               : int(sizeof(PluginStartupInfo));
    ThePlugin.Module.SetStartupInfo(HostStartupInfo(ThePlugin.Number, Size));

    PluginInfo Info;
    std::memset(&Info, 0, sizeof(Info));
    Info.StructSize = sizeof(Info);
    ThePlugin.Module.GetPluginInfo(&Info);
    ThePlugin.Flags = Info.Flags;
    for (int I = 0; I < Info.PluginMenuStringsNumber && Info.PluginMenuStrings; I++)
        ThePlugin.MenuStrings.push_back(Info.PluginMenuStrings[I] ? Info.PluginMenuStrings[I]
                                                                  : "");
    for (int I = 0; I < Info.PluginConfigStringsNumber && Info.PluginConfigStrings; I++)
        ThePlugin.ConfigStrings.push_back(
            Info.PluginConfigStrings[I] ? Info.PluginConfigStrings[I] : "");
    return true;
}

Place PlaceOf(const std::string &Name)
{
    if (Name == "editor") return Place::Editor;
    if (Name == "viewer") return Place::Viewer;
    return Place::Panels;
}

// One opening as a script asks: the keys go into the input first, then the
// plugin runs; the console is compared before and after. Number: the
// opening's among several (0: it is the only one).
void RunScripted(Place Where, size_t Number)
{
    EnterPlace(Where);
    ConsoleSnapshot Before = TakeSnapshot();
    if (Options.HaveKeys) HostWriteKeys(Options.Keys);
    long Result;
    const char *ResultName;
    if (Options.Configure) {
        ResultName = "configure_result";
        Result = ThePlugin.Module.Configure(0);
    } else {
        ResultName = "open_result";
        Result = long(INT_PTR(ThePlugin.Module.OpenPlugin(OpenFromValue(Where), 0)));
    }
    ConsoleSnapshot After = TakeSnapshot();
    if (Where == Place::Editor) HostProcessPendingEditorInput();
    if (Options.Report) {
        RestoreUserConsole();
        if (Number > 0) std::printf("run=%zu\n", Number);
        PrintReport(ResultName, Result, Before, After);
        std::fflush(stdout);
    }
}

// One run of the program's: the settings, clipboard, command line and
// editor that Options ask for, the plugin loaded for it and unloaded after,
// then the scripted opening or the user's session. Returns the exit code.
int Run(size_t Number)
{
    const bool Scripted = ScriptedRun(Options);
    StartTimeout();
    UserScreen = TakeSnapshot();
    ScreenSaved = true;
    Restored = false;
    TakeOverInputMode();
    ApplySettings();
    if (Options.HaveClipboard) SetClipboard(Options.Clipboard);
    ThePlugin = LoadedPlugin();
    std::string Error;
    if (!LoadThePlugin(Error)) {
        RestoreUserConsole();
        std::fprintf(stderr, "quorrel-host: %s\n", Error.c_str());
        return 1;
    }
    HostSetCmdLine(Options.CmdLine,
                   Options.CmdLinePos < 0 ? int(Options.CmdLine.size()) : Options.CmdLinePos);
    HostSetEditor({Options.EditorLine}, 0, Options.EditorPos, Options.EditorTable,
                  Options.EditorAnsi);
    HostCloseEditor();

    Place Start = PlaceOf(Options.From);
    ShowControlGlyphsUnderWine(ThePlugin.Module.Module);
    if (Scripted) RunScripted(Start, Number);
    LiftTimeout();
#ifdef _WIN32
    if (!Options.Report) RunInteractive(Start);
#endif
    HostUnloadPlugin(ThePlugin.Module);
    RestoreUserConsole();
    return 0;
}

}  // namespace

std::string PluginSettingsKey() { return std::string(HostRootKey) + "\\Quorrel"; }

int main(int argc, char **argv)
{
    std::vector<std::string> Args(argv + 1, argv + argc);
    std::vector<HostOptions> Runs;
    std::string Error;
    bool Ok = ParseHostRuns(Args, Runs, Error);
    for (size_t I = 0; Ok && I < Runs.size(); I++) {
        Options = Runs[I];
        if (!Options.Help && !KnownLanguage(Error)) {
            if (Runs.size() > 1) Error = "opening " + std::to_string(I + 1) + ": " + Error;
            Ok = false;
        }
    }
    if (!Ok) {
        std::fprintf(stderr, "quorrel-host: %s\nTry '%s --help'.\n", Error.c_str(),
                     CommandName().c_str());
        return 2;
    }
    if (Runs[0].Help) {
        std::fputs(HostUsage(CommandName()).c_str(), stdout);
        return 0;
    }
#ifndef _WIN32
    if (!ScriptedRun(Runs[0])) {
        std::fprintf(stderr,
                     "quorrel-host: this native build has no terminal console; give --keys,\n"
                     "--report, --from or --configure for a scripted run, or run the Windows\n"
                     "build (./run).\n");
        return 2;
    }
#endif
    HostStart();
    if (!ConsoleAvailable()) {
        // Nothing could be drawn, and no key would ever arrive.
        std::fprintf(stderr,
                     "quorrel-host: there is no console to draw on; start it from a terminal\n"
                     "(under Wine, with the terminal as its standard input).\n");
        return 1;
    }
#ifdef _WIN32
    SetConsoleCtrlHandler(CtrlHandler, TRUE);
#endif
    for (size_t I = 0; I < Runs.size(); I++) {
        Options = Runs[I];
        if (I > 0) HostReset();
        if (const int Code = Run(Runs.size() > 1 ? I + 1 : 0)) return Code;
    }
    return 0;
}
