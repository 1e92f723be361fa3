#include "FarProcess.h"

bool FarProcess::Start(const std::wstring &CommandLine, const std::wstring &Folder) {
    Kill();
    SECURITY_ATTRIBUTES Inherit = {sizeof Inherit, nullptr, TRUE};
    auto Open = [&](const wchar_t *Name) {
        return CreateFileW(Name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &Inherit,
                           OPEN_EXISTING, 0, nullptr);
    };
    // Our own standard output is a file (the report's runner reads it):
    // Far gets the console itself.
    HANDLE In = Open(L"CONIN$"), Out = Open(L"CONOUT$");
    STARTUPINFOW Startup = {};
    Startup.cb = sizeof Startup;
    Startup.dwFlags = STARTF_USESTDHANDLES;
    Startup.hStdInput = In;
    Startup.hStdOutput = Out;
    Startup.hStdError = Out;
    PROCESS_INFORMATION Info = {};
    std::wstring Line = CommandLine;
    const BOOL Started =
        CreateProcessW(nullptr, &Line[0], nullptr, nullptr, TRUE, 0, nullptr, Folder.c_str(), &Startup, &Info);
    CloseHandle(In);
    CloseHandle(Out);
    if (!Started) return false;
    CloseHandle(Info.hThread);
    Process = Info.hProcess;
    ProcessId = Info.dwProcessId;
    return true;
}

bool FarProcess::Running() const { return Process && WaitForSingleObject(Process, 0) == WAIT_TIMEOUT; }

bool FarProcess::WaitExit(DWORD Ms, DWORD *Code) {
    if (!Process || WaitForSingleObject(Process, Ms) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(Process, Code);
    CloseHandle(Process);
    Process = nullptr;
    return true;
}

void FarProcess::Kill() {
    if (!Process) return;
    TerminateProcess(Process, 1);
    WaitForSingleObject(Process, 10000);
    CloseHandle(Process);
    Process = nullptr;
}
