// Shared set-up for the tests of the services and the layers above: the
// units back to load time, a fake host, and small registry and console-input
// helpers over Win32.
#ifndef QUORREL_TESTS_SERVICES_FIXTURE_H
#define QUORREL_TESTS_SERVICES_FIXTURE_H

#include <gtest/gtest.h>

#include "ConsoleReset.h"
#include "Exchange.h"
#include "FakeHost.h"
#include "HostInfo.h"
#include "Messages.h"
#include "Settings.h"
#include "UnicodeSettings.h"

#include <cstring>
#include <string>
#include <vector>

// Every product variable of the services and below back to load time.
inline void ResetServiceUnits()
{
    ResetConsole();
    std::memset(&HostInfo, 0, sizeof(HostInfo));
    Settings = PluginSettings();
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
    if (!GetNumberOfConsoleInputEvents(Screen.InputHandle, &Count) || Count == 0) return Records;
    Records.resize(Count);
    DWORD Read = 0;
    ReadConsoleInputA(Screen.InputHandle, Records.data(), Count, &Read);
    Records.resize(Read);
    return Records;
}

// Each layer's fixture derives from this one and resets its own units too.
class ServicesTest : public ::testing::Test {
protected:
    fake::Host Host;
    const std::string PaletteKey = "Software\\Far\\Colors";

    void SetUp() override
    {
        ResetUnits();
        ClearRegValues(Host.RootKey + "\\Quorrel");
        fake::Current = &Host;
    }
    void TearDown() override
    {
        ResetUnits();
        fake::Current = nullptr;
    }

    virtual void ResetUnits() { ResetServiceUnits(); }

    // The code the settings start the chart on.
    uint8_t LastChar = 0;

    // The host's record taken in as SetStartupInfo does it: copied, the
    // settings key built, the settings loaded.
    virtual void StartWith(const PluginStartupInfo *Info)
    {
        CopyStartupInfo(Info);
        MakeSettingsKey(HostInfo.RootKey);
        LastChar = LoadLastChar();
        LoadSettings();
    }
    // The same with the fake host's record.
    void Start(int StructSize = sizeof(PluginStartupInfo))
    {
        PluginStartupInfo Info = fake::MakeStartupInfo(Host, StructSize);
        StartWith(&Info);
    }

    std::string SettingsPath() const { return Host.RootKey + "\\Quorrel"; }

    // A console input handle with nothing waiting.
    void OpenConsoleInput()
    {
        ConsoleStart();
        FlushConsoleInputBuffer(Screen.InputHandle);
    }
};

#endif
