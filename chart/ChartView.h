// ChartView: the chart window on the console: the frame, the table's name,
// the 8 rows of 32 cells and the status row drawn from the chart's state,
// the cursor on the selection, and what the mouse points at.
#ifndef QUORREL_CHARTVIEW_H
#define QUORREL_CHARTVIEW_H

#include "ChartLayout.h"
#include "ChartState.h"
#include "Messages.h"
#include "Settings.h"

#include <cstdint>
#include <string>

// What an opening takes from the host to show the window: the message
// texts and the palette's colours.
struct ChartLook {
    MessageTexts Texts;
    PaletteColors Colors;
};

// Centres the window when that is due (the first opening, a resized console).
void CentreChart(ChartState &S);
// Draws the whole window into the drawing image; does not flush.
void DrawChart(const ChartState &S, const ChartLook &Look);
// The block cursor on the selected cell, or the line cursor after a code
// being typed.
void PlaceCursor(const ChartState &S, const ChartLook &Look);
// The label in front of a code being typed.
const std::string &EntryLabel(const ChartState &S, const MessageTexts &Texts);
// The status row's text in selection mode: F2's Unicode line, or message
// 1's status text where that is off or the character has no Unicode.
std::string StatusText(const ChartState &S, uint8_t Code, const MessageTexts &Texts);
// The farthest the window's top-left corner may go, for the Alt+arrows and
// dragging.
int WindowMaxX();
int WindowMaxY();

// What the mouse asks of the window.
enum MouseAction : uint8_t {
    maNone = 0,
    maClose = 1,
    maDrag = 2,
    maTableMenu = 3,
    maSelect = 4,
    maConfirm = 5,
    maConfirmAppend = 6,
};

// The last mouse event against the window's areas, in their order: a press
// on the title rows starts a drag (and a release ends it), a release on the
// table's name opens the menu, a press or drag on a cell selects it and a
// double click there confirms (appends with Ctrl), a press or drag outside
// the box closes. Row and Col are the cell under the mouse for maSelect.
struct MouseHit {
    MouseAction Action;
    int Row, Col;
};
MouseHit ChartMouse(ChartState &S);
// Whether a mouse event is one ChartMouse may act on (a move without a
// button or a wheel is not).
bool MouseMayAct();

#endif
