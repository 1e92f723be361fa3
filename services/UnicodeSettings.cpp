// UnicodeSettings: the Unicode status choice and the history of characters.
#include "UnicodeSettings.h"

#include "Registry.h"
#include "Settings.h"

#include <algorithm>

bool UnicodeStatus = false;
std::vector<uint8_t> RecentChars;

namespace {

const char StatusValue[] = "UnicodeStatus";
const char HistoryValue[] = "Characters";

std::string HistoryKey()
{
    return SettingsKey + "\\History";
}

void SaveRecentChars()
{
    // Before SetStartupInfo there is no key of ours to write to.
    if (SettingsKey.empty() || RecentChars.empty()) return;
    HKEY Key = CreateKeyForWrite(HKEY_CURRENT_USER, HistoryKey().c_str());
    if (!Key) return;
    RegSetValueExA(Key, HistoryValue, 0, REG_BINARY, RecentChars.data(),
                   static_cast<DWORD>(RecentChars.size()));
    RegCloseKey(Key);
}

}  // namespace

void LoadUnicodeSettings()
{
    UnicodeStatus = ReadFlag(StatusValue, false);
    RecentChars.clear();
    // One byte of room more than a history holds: a longer value is not one
    // of ours and loads as none.
    BYTE Stored[RecentCharsMax + 1];
    DWORD Length = 0;
    if (!ReadBinaryValue(HKEY_CURRENT_USER, HistoryKey().c_str(), HistoryValue, Stored,
                         sizeof(Stored), &Length) ||
        Length > RecentCharsMax)
        return;
    for (DWORD I = 0; I < Length; I++)
        if (std::find(RecentChars.begin(), RecentChars.end(), Stored[I]) == RecentChars.end())
            RecentChars.push_back(Stored[I]);
}

void SaveUnicodeStatus()
{
    WriteSetting(StatusValue, UnicodeStatus ? 1 : 0);
}

void RememberRecentChar(uint8_t Char)
{
    RecentChars.erase(std::remove(RecentChars.begin(), RecentChars.end(), Char),
                      RecentChars.end());
    RecentChars.insert(RecentChars.begin(), Char);
    if (RecentChars.size() > size_t(RecentCharsMax)) RecentChars.resize(RecentCharsMax);
    SaveRecentChars();
}

void UnicodeSettingsResetForTests()
{
    UnicodeStatus = false;
    RecentChars.clear();
}
