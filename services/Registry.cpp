// Registry: every operation opens its key, does one thing and closes it
// again, so no handle outlives a call.
#include "Registry.h"

#include <cstring>
#include <vector>

HKEY CreateKeyForWrite(HKEY Root, const char *Path)
{
    HKEY Key = nullptr;
    DWORD Disposition = 0;
    if (RegCreateKeyExA(Root, Path, 0, nullptr, 0, KEY_WRITE, nullptr, &Key, &Disposition) !=
        ERROR_SUCCESS)
        return nullptr;
    return Key;
}

HKEY OpenKeyForRead(HKEY Root, const char *Path)
{
    HKEY Key = nullptr;
    if (RegOpenKeyExA(Root, Path, 0, KEY_QUERY_VALUE, &Key) != ERROR_SUCCESS) return nullptr;
    return Key;
}

void WriteDwordValue(HKEY Root, const char *Path, const char *Name, DWORD Value)
{
    HKEY Key = CreateKeyForWrite(Root, Path);
    if (!Key) return;
    RegSetValueExA(Key, Name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&Value),
                   sizeof(Value));
    RegCloseKey(Key);
}

DWORD ReadDwordValue(HKEY Root, const char *Path, const char *Name, DWORD Default)
{
    HKEY Key = OpenKeyForRead(Root, Path);
    if (!Key) return Default;
    DWORD Value = 0;
    DWORD Type = REG_NONE;
    DWORD Size = sizeof(Value);
    LONG Result =
        RegQueryValueExA(Key, Name, nullptr, &Type, reinterpret_cast<BYTE *>(&Value), &Size);
    RegCloseKey(Key);
    // A REG_DWORD shorter than four bytes would leave part of Value unset.
    if (Result != ERROR_SUCCESS || Type != REG_DWORD || Size != sizeof(Value)) return Default;
    return Value;
}

bool ReadBinaryValue(HKEY Root, const char *Path, const char *Name, void *Buffer,
                     DWORD Capacity, DWORD *Length)
{
    HKEY Key = OpenKeyForRead(Root, Path);
    if (!Key) return false;
    DWORD Type = REG_NONE;
    DWORD Size = Capacity;
    LONG Result =
        RegQueryValueExA(Key, Name, nullptr, &Type, static_cast<BYTE *>(Buffer), &Size);
    if (Result == ERROR_MORE_DATA && Type == REG_BINARY) {
        // Longer than the buffer (a newer host's palette has more entries):
        // read it whole and keep its first bytes.
        std::vector<BYTE> Whole(Size);
        Result = RegQueryValueExA(Key, Name, nullptr, &Type, Whole.data(), &Size);
        if (Result == ERROR_SUCCESS) {
            if (Size > Capacity) Size = Capacity;
            std::memcpy(Buffer, Whole.data(), Size);
        }
    }
    RegCloseKey(Key);
    if (Result != ERROR_SUCCESS || Type != REG_BINARY) return false;
    if (Length) *Length = Size;
    return true;
}
