// Shared set-up for the plugin tests: every unit back to load time, a fake
// host, and small registry and console-input helpers over Win32.
#ifndef QUORREL_TESTS_PLUGIN_FIXTURE_H
#define QUORREL_TESTS_PLUGIN_FIXTURE_H

#include <gtest/gtest.h>

#include "Chart.h"
#include "CodeTables.h"
#include "Console.h"
#include "DlgMenu.h"
#include "FakeHost.h"
#include "Quorrel.h"

#include <string>
#include <vector>

inline void ResetAllUnits()
{
    ConsoleResetForTests();
    DlgMenuResetForTests();
    CodeTablesResetForTests();
    ChartResetForTests();
    QuorrelResetForTests();
}

// ---- registry, below HKEY_CURRENT_USER ----

// Removes every value of the key (the key itself may stay).
inline void ClearRegValues(const std::string &Path)
{
    HKEY Key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Path.c_str(), 0, KEY_ALL_ACCESS, &Key) != ERROR_SUCCESS)
        return;
    for (;;) {
        char Name[256];
        DWORD NameSize = sizeof(Name);
        if (RegEnumValueA(Key, 0, Name, &NameSize, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        if (RegDeleteValueA(Key, Name) != ERROR_SUCCESS) break;
    }
    RegCloseKey(Key);
}

inline void PutRegValue(const std::string &Path, const std::string &Name, DWORD Type,
                        const std::vector<BYTE> &Data)
{
    HKEY Key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, Path.c_str(), 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &Key, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(Key, Name.c_str(), 0, Type, Data.data(),
                                            static_cast<DWORD>(Data.size())));
    RegCloseKey(Key);
}

inline std::vector<BYTE> DwordBytes(DWORD V)
{
    return {BYTE(V), BYTE(V >> 8), BYTE(V >> 16), BYTE(V >> 24)};
}

struct StoredValue {
    bool Exists = false;
    DWORD Type = REG_NONE;
    std::vector<BYTE> Data;
};

inline StoredValue GetRegValue(const std::string &Path, const std::string &Name)
{
    StoredValue V;
    HKEY Key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, Path.c_str(), 0, KEY_QUERY_VALUE, &Key) != ERROR_SUCCESS)
        return V;
    BYTE Data[256];
    DWORD Size = sizeof(Data);
    if (RegQueryValueExA(Key, Name.c_str(), nullptr, &V.Type, Data, &Size) == ERROR_SUCCESS) {
        V.Exists = true;
        V.Data.assign(Data, Data + Size);
    }
    RegCloseKey(Key);
    return V;
}

// ---- console input ----

inline std::vector<INPUT_RECORD> TakeConsoleInput()
{
    std::vector<INPUT_RECORD> Records;
    DWORD Count = 0;
    if (!GetNumberOfConsoleInputEvents(InputHandle, &Count) || Count == 0) return Records;
    Records.resize(Count);
    DWORD Read = 0;
    ReadConsoleInputA(InputHandle, Records.data(), Count, &Read);
    Records.resize(Read);
    return Records;
}

class PluginTest : public ::testing::Test {
protected:
    fake::Host Host;
    const std::string PaletteKey = "Software\\Far\\Colors";

    void SetUp() override
    {
        ResetAllUnits();
        ClearRegValues(Host.RootKey + "\\Quorrel");
        fake::Current = &Host;
    }
    void TearDown() override
    {
        ResetAllUnits();
        fake::Current = nullptr;
    }

    // SetStartupInfo with the fake host's record.
    void Start(int StructSize = sizeof(PluginStartupInfo))
    {
        PluginStartupInfo Info = fake::MakeStartupInfo(Host, StructSize);
        SetStartupInfo(&Info);
    }

    std::string SettingsPath() const { return Host.RootKey + "\\Quorrel"; }

    // A console input handle with nothing waiting.
    void OpenConsoleInput()
    {
        ConsoleStart();
        FlushConsoleInputBuffer(InputHandle);
    }
};

#endif
