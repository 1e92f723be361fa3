// CodeTables: the code-table list, entry 0 the identity, entry 1 the Windows
// table in the console's OEM code page, then the host's tables.
#include "CodeTables.h"

#include "HostInfo.h"

#include <windows.h>

#include <cstring>

bool AddCodeTable(ChartState &S, const std::string &Name, const unsigned char *Table)
{
    if (S.CodeTables.size() >= size_t(MaxCodeTables)) return false;
    CodeTable Entry;
    Entry.Name = Name;
    for (int I = 0; I < 256; I++) Entry.Chars[I] = Table[I];
    Entry.CodePage = 0;
    S.CodeTables.push_back(Entry);
    return true;
}

void InitCodeTables(ChartState &S, const MessageTexts &Texts)
{
    S.CodeTables.clear();
    unsigned char Buffer[256];
    for (int I = 0; I < 256; I++) Buffer[I] = static_cast<unsigned char>(I);
    AddCodeTable(S, Texts.IdentityTableName, Buffer);
    CharToOemBuffA(reinterpret_cast<const char *>(Buffer), reinterpret_cast<char *>(Buffer),
                   sizeof(Buffer));
    AddCodeTable(S, Texts.WindowsTableName, Buffer);
}

void LoadHostCodeTables(ChartState &S, int OpenFrom)
{
    for (int N = 0; HostInfo.CharTable && N < 256; N++) {
        CharTableSet Set;
        std::memset(&Set, 0, sizeof(Set));
        if (HostInfo.CharTable(N, reinterpret_cast<char *>(&Set), sizeof(Set)) == -1) break;
        size_t NameLength = 0;
        while (NameLength < sizeof(Set.TableName) && Set.TableName[NameLength]) NameLength++;
        if (!AddCodeTable(S, std::string(Set.TableName, NameLength), Set.DecodeTable)) break;
    }

    if (OpenFrom == OPEN_PLUGINSMENU) {
        S.CurrentTable = 0;
    } else if (OpenFrom == OPEN_EDITOR && !HostInfo.EditorControl) {
        S.CurrentTable = 0;  // the editor's table cannot be asked for: the console's
    } else if (OpenFrom == OPEN_EDITOR) {
        EditorInfo Info;
        std::memset(&Info, 0, sizeof(Info));
        Info.TableNum = -1;
        HostInfo.EditorControl(ECTL_GETINFO, &Info);
        if (Info.TableNum == -1)
            S.CurrentTable = EditorUsesWindowsTable() ? 1 : 0;
        else
            S.CurrentTable = static_cast<uint8_t>(Info.TableNum + 2);
    }
}

bool EditorUsesWindowsTable()
{
    if (!HostInfo.EditorControl) return false;
    char A[256], B[256];
    for (int I = 0; I < 256; I++) A[I] = B[I] = static_cast<char>(I);
    CharToOemBuffA(A, A, sizeof(A));
    EditorConvertText Convert = {B, static_cast<int>(sizeof(B))};
    HostInfo.EditorControl(ECTL_EDITORTOOEM, &Convert);
    return std::memcmp(A, B, sizeof(A)) == 0;
}
