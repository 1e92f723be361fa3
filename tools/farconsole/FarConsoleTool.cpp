// far-console: attaches to the console of a running Far (AttachConsole)
// and shows its screen cell by cell, or types into it, for a person looking
// at a Far that runs under Wine in another terminal (tmux, say). Its output
// is meant for a pipe or a file: wine far-console.exe screen | cat
#include "FarConsole.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char Usage[] =
    "usage: far-console [--pid N] COMMAND\n"
    "Attaches to the console of a running Far (the first Far.exe, or process N)\n"
    "and, by COMMAND:\n"
    "  screen            prints the screen's rows and the cursor\n"
    "  attributes        prints each cell's attribute as two hex digits\n"
    "  keys \"NAMES\"      types keys by name: \"F11 Enter\", \"Ctrl+Home\", \"Alt+F8\", \"A\"\n"
    "  type TEXT         types each character of TEXT\n"
    "  click X Y         clicks the left button on a cell\n"
    "Exit code 0 when done, 1 when Far or its console cannot be reached, 2 for a bad command.\n";

DWORD FindFar() {
    HANDLE Snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32W Entry = {};
    Entry.dwSize = sizeof Entry;
    DWORD Found = 0;
    for (BOOL More = Process32FirstW(Snapshot, &Entry); More && !Found; More = Process32NextW(Snapshot, &Entry))
        if (lstrcmpiW(Entry.szExeFile, L"Far.exe") == 0) Found = Entry.th32ProcessID;
    CloseHandle(Snapshot);
    return Found;
}

}  // namespace

int wmain(int argc, wchar_t **argv) {
    int Arg = 1;
    DWORD Pid = 0;
    if (Arg + 1 < argc && std::wstring(argv[Arg]) == L"--pid") {
        Pid = DWORD(std::wcstoul(argv[Arg + 1], nullptr, 10));
        Arg += 2;
    }
    if (Arg >= argc) {
        std::fputs(Usage, stderr);
        return 2;
    }
    const std::wstring Command = argv[Arg++];
    if (Command == L"--help" || Command == L"-h") {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (!Pid) Pid = FindFar();
    if (!Pid) {
        std::fputs("far-console: no Far.exe is running\n", stderr);
        return 1;
    }
    // Standard output stays the pipe or file it is; only the console changes.
    if (!FarConsole::AttachTo(Pid)) {
        std::fprintf(stderr, "far-console: cannot attach to the console of process %lu\n", Pid);
        return 1;
    }
    bool Ok = false;
    Screen S;
    if (Command == L"screen" && (Ok = FarConsole::Read(&S))) {
        std::fputs(S.Dump().c_str(), stdout);
    } else if (Command == L"attributes" && (Ok = FarConsole::Read(&S))) {
        for (int Y = 0; Y < S.Height; Y++) {
            for (int X = 0; X < S.Width; X++) std::printf("%02x", S.Attr(X, Y) & 0xff);
            std::printf("\n");
        }
    } else if (Command == L"keys" && Arg < argc) {
        Ok = FarConsole::Press(argv[Arg]);
    } else if (Command == L"type" && Arg < argc) {
        Ok = FarConsole::Type(argv[Arg]);
    } else if (Command == L"click" && Arg + 1 < argc) {
        Ok = FarConsole::Click(int(std::wcstol(argv[Arg], nullptr, 10)), int(std::wcstol(argv[Arg + 1], nullptr, 10)));
    } else {
        std::fprintf(stderr, "far-console: bad command\n%s", Usage);
        return 2;
    }
    if (!Ok) std::fputs("far-console: the console refused the call\n", stderr);
    return Ok ? 0 : 1;
}
