// Shared set-up for the chart window tests: every unit back to load time,
// known messages, colours and settings, the built-in code tables.
#ifndef QUORREL_TESTS_CHART_FIXTURE_H
#define QUORREL_TESTS_CHART_FIXTURE_H

#include <gtest/gtest.h>

#include "Chart.h"
#include "CodeTables.h"
#include "Console.h"
#include "DlgMenu.h"
#include "Quorrel.h"

#include <string>

inline void ResetAllUnits() {
    ConsoleResetForTests();
    DlgMenuResetForTests();
    CodeTablesResetForTests();
    ChartResetForTests();
    QuorrelResetForTests();
}

// Distinct colours, so each cell's attribute tells which part drew it.
constexpr uint8_t TestTextColor = 0x70;
constexpr uint8_t TestFrameColor = 0x1F;
constexpr uint8_t TestTitleColor = 0x4E;
constexpr uint8_t TestInputColor = 0x30;

inline void SetUpChartState() {
    PluginTitle = "Quorrel";
    TitleSuffix = " - Far";
    StatusFormat = "Char %c  Dec %d  Hex %02X";
    TableMenuTitle = "Code tables";
    IdentityTableName = "OEM (identity)";
    WindowsTableName = "Windows";
    DecimalPrompt = "Dec: ";
    HexPrompt = "Hex: ";
    TextColor = TestTextColor;
    FrameColor = TestFrameColor;
    TitleColor = TestTitleColor;
    InputColor = TestInputColor;
    LastChar = 0;
    PasteMode = 1;
    TypeMode = 1;
    CopyMode = true;
    ShowEditorChar = false;
    ShowCmdlineChar = false;
    ShowWinTable = false;
    InitCodeTables();
    CurrentTable = 0;
}

#endif
