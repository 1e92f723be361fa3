// Shared set-up for the tests of the chart layer and above: its units back
// to load time as well, and known messages, colours and settings with the
// built-in code tables.
#ifndef QUORREL_TESTS_CHART_FIXTURE_H
#define QUORREL_TESTS_CHART_FIXTURE_H

#include "ChartLoop.h"
#include "ChartWindow.h"
#include "CodeTables.h"
#include "DetailsDialog.h"
#include "FindDialog.h"
#include "ServicesFixture.h"
#include "StatusFormat.h"
#include "TableMenu.h"

#include <string>

inline void ResetChartUnits() {
    ResetServiceUnits();
    CodeTablesResetForTests();
    ChartWindowResetForTests();
    ChartLoopResetForTests();
    FindDialogResetForTests();
    DetailsDialogResetForTests();
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

class ChartTest : public ServicesTest {
protected:
    void ResetUnits() override { ResetChartUnits(); }
};

#endif
