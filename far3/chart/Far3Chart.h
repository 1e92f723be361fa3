// Far3Chart: the chart window of the Far 3 edition, as the opening hands
// over to it and takes back from it.
#ifndef QUORREL_FAR3CHART_H
#define QUORREL_FAR3CHART_H

#include "Far3CodePages.h"
#include "Far3Settings.h"

#include <vector>

struct Far3ChartSession {
    // In: the code pages (OEM first, ANSI second when the system has them
    // as single-byte pages; never empty).
    const std::vector<Far3CodePage> *Pages;
    // In: where the chart starts; out: where it was left (confirmed or not).
    size_t Page;
    unsigned Code;
    // In and out: the options (F11 may change them, and saves them), F2's
    // choice (UnicodeStatus) and the history of chosen characters.
    Far3Settings *Settings;
    // The options dialog, for F11 and Ctrl+F11: true when confirmed.
    bool (*ShowOptions)();
    // Out: the character the user confirmed (already on the clipboard, put
    // or appended as the key said), or 0 when nothing is to be typed.
    wchar_t Choice;
};

// Runs the chart until the user confirms or leaves it; true when a
// character was confirmed (Session.Choice then holds it).
bool RunFar3Chart(Far3ChartSession &Session);

#endif
