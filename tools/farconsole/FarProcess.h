// A program (Far, or our stand-in for it) started in this process's
// console, with its standard handles on the console itself, so that what
// it draws and reads is what FarConsole reads and writes.
#pragma once

#include <windows.h>

#include <string>

class FarProcess {
public:
    FarProcess() = default;
    FarProcess(const FarProcess &) = delete;
    FarProcess &operator=(const FarProcess &) = delete;
    ~FarProcess() { Kill(); }

    bool Start(const std::wstring &CommandLine, const std::wstring &Folder);
    bool Running() const;
    // True when it ended within Ms, with its exit code.
    bool WaitExit(DWORD Ms, DWORD *Code);
    void Kill();
    DWORD Id() const { return ProcessId; }

private:
    HANDLE Process = nullptr;
    DWORD ProcessId = 0;
};
