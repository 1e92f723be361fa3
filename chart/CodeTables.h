// CodeTables: the chart's code tables in the Far 1.x edition: the identity,
// the Windows table in the console's OEM code page, then the host's tables;
// and the table an opening starts on.
#ifndef QUORREL_CODETABLES_H
#define QUORREL_CODETABLES_H

#include "ChartState.h"
#include "Messages.h"

#include <string>

// The list holds at most this many tables; the host's beyond it are left out.
constexpr int MaxCodeTables = 40;

// The two built-in tables, named by the message file; the host's follow.
void InitCodeTables(ChartState &S, const MessageTexts &Texts);
// False when the list is full.
bool AddCodeTable(ChartState &S, const std::string &Name, const unsigned char *Table);
// Appends the host's tables and chooses the table the opening starts on:
// the editor's own when opened from the editor, else the identity.
void LoadHostCodeTables(ChartState &S, int OpenFrom);
// Whether the editor shows its text in the Windows (ANSI) table.
bool EditorUsesWindowsTable();

#endif
