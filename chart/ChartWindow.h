// ChartWindow: the chart window's position, layout and drawing.
#ifndef QUORREL_CHARTWINDOW_H
#define QUORREL_CHARTWINDOW_H

#include <cstdint>
#include <string>

// The box, shadow not included.
constexpr int ChartWidth = 42;
constexpr int ChartHeight = 16;

extern int32_t ChartX, ChartY;
extern bool CentrePending;

void CentreChart();
void DrawChart(uint8_t Code, const std::string &Entry);
std::string FormatStatus(uint8_t Code);
// The label in front of a code being typed.
const std::string &EntryLabel();

// Back to load-time state (for tests).
void ChartWindowResetForTests();

#endif
