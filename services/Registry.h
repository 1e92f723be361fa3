// Registry: small wrappers over the registry; every call opens and closes its key.
#ifndef QUORREL_REGISTRY_H
#define QUORREL_REGISTRY_H

#include <windows.h>

HKEY CreateKeyForWrite(HKEY Root, const char *Path);
HKEY OpenKeyForRead(HKEY Root, const char *Path);
void WriteDwordValue(HKEY Root, const char *Path, const char *Name, DWORD Value);
DWORD ReadDwordValue(HKEY Root, const char *Path, const char *Name, DWORD Default);
// A REG_BINARY value's first bytes, up to Capacity; how many is reported in
// *Length when given (the value may be shorter, or longer, than Capacity).
bool ReadBinaryValue(HKEY Root, const char *Path, const char *Name, void *Buffer,
                     DWORD Capacity, DWORD *Length = nullptr);

#endif
