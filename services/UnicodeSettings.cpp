// UnicodeSettings: the Unicode status choice and the history of characters.
#include "UnicodeSettings.h"

#include "Registry.h"
#include "Settings.h"

#include <algorithm>

namespace {

const char StatusValue[] = "UnicodeStatus";
const char HistoryValue[] = "Characters";

std::string HistoryKey()
{
    return Settings.Key + "\\History";
}

}  // namespace

void LoadUnicodeSettings(ChartState &S)
{
    S.UnicodeStatus = ReadFlag(StatusValue, false);
    S.RecentChars.clear();
    // One byte of room more than a history holds: a longer value is not one
    // of ours and loads as none.
    BYTE Stored[RecentCharsMax + 1];
    DWORD Length = 0;
    if (!ReadBinaryValue(HKEY_CURRENT_USER, HistoryKey().c_str(), HistoryValue, Stored,
                         sizeof(Stored), &Length) ||
        Length > RecentCharsMax)
        return;
    for (DWORD I = 0; I < Length; I++)
        if (std::find(S.RecentChars.begin(), S.RecentChars.end(), Stored[I]) == S.RecentChars.end())
            S.RecentChars.push_back(Stored[I]);
}

void SaveUnicodeStatus(const ChartState &S)
{
    WriteSetting(StatusValue, S.UnicodeStatus ? 1 : 0);
}

void SaveRecentChars(const ChartState &S)
{
    // Before SetStartupInfo there is no key of ours to write to.
    if (Settings.Key.empty() || S.RecentChars.empty()) return;
    BYTE Bytes[RecentCharsMax];
    const size_t Count = std::min(S.RecentChars.size(), size_t(RecentCharsMax));
    for (size_t I = 0; I < Count; I++) Bytes[I] = BYTE(S.RecentChars[I]);
    HKEY Key = CreateKeyForWrite(HKEY_CURRENT_USER, HistoryKey().c_str());
    if (!Key) return;
    RegSetValueExA(Key, HistoryValue, 0, REG_BINARY, Bytes, static_cast<DWORD>(Count));
    RegCloseKey(Key);
}

void RecordRecentChar(ChartState &S, ChartChar Ch)
{
    RememberRecentChar(S, Ch);
    SaveRecentChars(S);
}
