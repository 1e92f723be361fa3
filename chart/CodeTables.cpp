// CodeTables: the code-table list, entry 0 the identity, entry 1 the Windows
// table in the console's OEM code page, then the host's tables.
#include "CodeTables.h"

#include "HostInfo.h"
#include "Messages.h"
#include "Settings.h"

#include <windows.h>

#include <cstring>

CodeTableEntry CodeTables[MaxCodeTables];
uint8_t CodeTableCount = 0;
uint8_t CurrentTable = 0;

namespace {

const std::string NoName;

// The entry MapCode reads. CurrentTable may come from the editor's table
// number and lie beyond the list until the chart window puts it back to 0;
// a lookup must not read past the array meanwhile.
const CodeTableEntry *CurrentEntry()
{
    if (CodeTableCount == 0) return nullptr;
    return &CodeTables[CurrentTable < CodeTableCount ? CurrentTable : 0];
}

}  // namespace

bool AddCodeTable(const std::string &Name, const unsigned char *Table)
{
    if (CodeTableCount >= MaxCodeTables) return false;
    CodeTableEntry &Entry = CodeTables[CodeTableCount];
    Entry.Name = Name;
    std::memcpy(Entry.Table, Table, sizeof(Entry.Table));
    CodeTableCount++;
    return true;
}

void InitCodeTables()
{
    CodeTableCount = 0;
    unsigned char Buffer[256];
    for (int I = 0; I < 256; I++) Buffer[I] = static_cast<unsigned char>(I);
    AddCodeTable(IdentityTableName, Buffer);
    CharToOemBuffA(reinterpret_cast<const char *>(Buffer), reinterpret_cast<char *>(Buffer),
                   sizeof(Buffer));
    AddCodeTable(WindowsTableName, Buffer);
}

// The host's tables follow the two built-in ones; the start table depends on
// where the opening came from.
void LoadHostCodeTables()
{
    for (int N = 0; HostInfo.CharTable && N < 256; N++) {
        CharTableSet Set;
        std::memset(&Set, 0, sizeof(Set));
        if (HostInfo.CharTable(N, reinterpret_cast<char *>(&Set), sizeof(Set)) == -1) break;
        size_t NameLength = 0;
        while (NameLength < sizeof(Set.TableName) && Set.TableName[NameLength]) NameLength++;
        if (!AddCodeTable(std::string(Set.TableName, NameLength), Set.DecodeTable)) break;
    }

    if (OpenFrom == OPEN_PLUGINSMENU) {
        CurrentTable = 0;
    } else if (OpenFrom == OPEN_EDITOR && !HostInfo.EditorControl) {
        CurrentTable = 0;  // the editor's table cannot be asked for: the console's
    } else if (OpenFrom == OPEN_EDITOR) {
        EditorInfo Info;
        std::memset(&Info, 0, sizeof(Info));
        Info.TableNum = -1;
        HostInfo.EditorControl(ECTL_GETINFO, &Info);
        if (Info.TableNum == -1)
            CurrentTable = EditorUsesWindowsTable() ? 1 : 0;
        else
            CurrentTable = static_cast<uint8_t>(Info.TableNum + 2);
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

const std::string &CodeTableName(int Index)
{
    if (Index < 0 || Index >= CodeTableCount) return NoName;
    return CodeTables[Index].Name;
}

unsigned char MapCode(unsigned char Code)
{
    return CodeMap()[Code];
}

const unsigned char *CodeMap()
{
    static const struct Identity {
        unsigned char Codes[256];
        Identity()
        {
            for (int I = 0; I < 256; I++) Codes[I] = static_cast<unsigned char>(I);
        }
    } Identity;
    const CodeTableEntry *Entry = CurrentEntry();
    return Entry ? Entry->Table : Identity.Codes;
}

void FindCodeForChar(unsigned char Ch)
{
    for (int Code = 0; Code < 256; Code++) {
        if (MapCode(static_cast<unsigned char>(Code)) == Ch) {
            LastChar = static_cast<uint8_t>(Code);
            return;
        }
    }
}

namespace {

void StepForward()
{
    if (CurrentTable + 1 < CodeTableCount)
        CurrentTable++;
    else
        CurrentTable = 0;
}

void StepBack()
{
    if (CurrentTable > 0 && CodeTableCount > 0)
        CurrentTable--;
    else
        CurrentTable = CodeTableCount > 0 ? CodeTableCount - 1 : 0;
}

}  // namespace

// Entry 1, the Windows table, is skipped unless ShowWinTable asks for it; one
// more step always leaves it (to 2, or round to 0).
void NextCodeTable()
{
    StepForward();
    if (CurrentTable == 1 && !ShowWinTable) StepForward();
}

void PrevCodeTable()
{
    StepBack();
    if (CurrentTable == 1 && !ShowWinTable) StepBack();
}

void ToggleWindowsTable()
{
    CurrentTable = CurrentTable == 1 ? 0 : 1;
}

void CodeTablesResetForTests()
{
    for (CodeTableEntry &Entry : CodeTables) {
        std::memset(Entry.Table, 0, sizeof(Entry.Table));
        Entry.Name.clear();
    }
    CodeTableCount = 0;
    CurrentTable = 0;
}
