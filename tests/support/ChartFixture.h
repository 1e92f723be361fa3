// Shared set-up for the tests of the chart layer and above: the chart's
// state back to load time as well, and known messages, colours and settings
// with the built-in code tables.
#ifndef QUORREL_TESTS_CHART_FIXTURE_H
#define QUORREL_TESTS_CHART_FIXTURE_H

#include "ChartLoop.h"
#include "ChartView.h"
#include "CodeTables.h"
#include "DetailsDialog.h"
#include "FindDialog.h"
#include "ServicesFixture.h"
#include "StatusFormat.h"
#include "TableMenu.h"

#include <string>

// The chart as the plugin keeps it between openings: the plugin's own in
// the suites that link the plugin, test support's in the chart's suite.
extern ChartState Chart;
// What a test's opening shows and calls.
inline ChartLook TestLook;
inline ChartHooks TestHooks;

inline void ResetChartUnits() {
    ResetServiceUnits();
    Chart = ChartState();
    TestLook = ChartLook();
    TestHooks = ChartHooks();
}

// One run of the window as an opening runs it, with the options as the
// settings hold them.
inline ChartChar RunTestChart() {
    UseChartOptions(Chart);
    return RunChart(Chart, TestLook, TestHooks);
}

// The window drawn on a code, with a code being typed; the typed code is
// not left in the state.
inline void DrawTestChart(uint8_t Code, const std::string &Entry) {
    Chart.LastChar = Code;
    Chart.EntryText = Entry;
    DrawChart(Chart, TestLook);
    Chart.EntryText.clear();
}

// Screen cells of the window as it is first centred on an 80x25 console:
// a cell of the box, and a code's chart cell.
constexpr int CentredX = (80 - ChartLayout::Width) / 2;
constexpr int CentredY = (25 - ChartLayout::Height - 1) / 2;
constexpr int ScreenX(int BoxX) { return CentredX + BoxX; }
constexpr int ScreenY(int BoxY) { return CentredY + BoxY; }
constexpr int CellScreenX(int Code) { return ScreenX(ChartLayout::CellX(Code % 32)); }
constexpr int CellScreenY(int Code) { return ScreenY(ChartLayout::CellY(Code / 32)); }

// Distinct colours, so each cell's attribute tells which part drew it.
constexpr uint8_t TestTextColor = 0x70;
constexpr uint8_t TestFrameColor = 0x1F;
constexpr uint8_t TestTitleColor = 0x4E;
constexpr uint8_t TestInputColor = 0x30;

inline void SetUpChartState() {
    MessageTexts &T = TestLook.Texts;
    T.PluginTitle = "Quorrel";
    T.TitleSuffix = " - Far";
    T.StatusFormat = "Char %c  Dec %d  Hex %02X";
    T.IdentityTableName = "OEM (identity)";
    T.WindowsTableName = "Windows";
    T.DecimalPrompt = "Dec: ";
    T.HexPrompt = "Hex: ";
    TestLook.Colors = {TestTextColor, TestFrameColor, TestTitleColor, TestInputColor};
    Chart.LastChar = 0;
    Settings.PasteMode = Paste::Character;
    Settings.TypeMode = Typing::Decimal;
    Settings.CopyMode = true;
    Settings.ShowEditorChar = false;
    Settings.ShowCmdlineChar = false;
    Settings.ShowWinTable = false;
    UseChartOptions(Chart);
    InitCodeTables(Chart, TestLook.Texts);
    Chart.CurrentTable = 0;
}

class ChartTest : public ServicesTest {
protected:
    void ResetUnits() override { ResetChartUnits(); }
};

#endif
