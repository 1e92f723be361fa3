// CodeTables: the list of code tables (built-in and the host's), the current
// table, its lookups and switching.
#ifndef QUORREL_CODETABLES_H
#define QUORREL_CODETABLES_H

#include <cstdint>
#include <string>

struct CodeTableEntry {
    unsigned char Table[256];
    std::string Name;
};

constexpr int MaxCodeTables = 40;
extern CodeTableEntry CodeTables[MaxCodeTables];
extern uint8_t CodeTableCount;
extern uint8_t CurrentTable;

void InitCodeTables();
bool AddCodeTable(const std::string &Name, const unsigned char *Table);
void LoadHostCodeTables();
bool EditorUsesWindowsTable();
const std::string &CodeTableName(int Index);
unsigned char MapCode(unsigned char Code);
// The 256 characters MapCode gives, in code order.
const unsigned char *CodeMap();
void FindCodeForChar(unsigned char Ch);
void NextCodeTable();
void PrevCodeTable();
void ToggleWindowsTable();

void CodeTablesResetForTests();

#endif
