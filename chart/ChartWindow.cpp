// ChartWindow: the chart window's place on the screen and its drawing: a
// framed box with the 256 codes of the current table as 8 rows of 32 cells,
// the table name and a status row.
#include "ChartWindow.h"

#include "CodeTables.h"
#include "Console.h"
#include "Messages.h"
#include "Settings.h"
#include "StatusFormat.h"
#include "UnicodeLine.h"
#include "UnicodeSettings.h"

int32_t ChartX = 0, ChartY = 0;
bool CentrePending = true;

namespace {

const int FrameInset = 3;
const size_t NameWidth = 32;
const size_t StatusWidth = 40;
const size_t EntryFieldWidth = 4;

// Used when the message file's status format is not one wsprintfA can take
// safely with three integers.
const char BuiltInStatusFormat[] = "%c  %3d  %02Xh";

}  // namespace

// TypeMode is 1 or 2 whenever entry mode can begin (out-of-range stored
// values load as the default).
const std::string &EntryLabel() { return TypeMode == 1 ? DecimalPrompt : HexPrompt; }

void CentreChart() {
    if (!CentrePending && !ScreenSizeChanged) return;
    CentrePending = false;
    // Integer division truncates toward zero: a 40-column console gives -1.
    ChartX = (ScreenWidth - ChartWidth) / 2;
    ChartY = (ScreenHeight - (ChartHeight + 1)) / 2;
}

std::string FormatStatus(uint8_t Code) {
    int Ch = MapCode(Code);
    if (Ch == 0) Ch = ' ';
    const char *Format = StatusFormatIsSafe(StatusFormat) ? StatusFormat : BuiltInStatusFormat;
    char Buffer[1025];  // wsprintfA writes up to 1024 characters and the zero
    // On failure it writes nothing: the buffer holds whatever was there.
    const int Length = wsprintfA(Buffer, Format, Ch, int(Code), int(Code));
    std::string Status(Buffer, size_t(Length > 0 ? Length : 0));
    if (Status.size() > StatusWidth) Status.resize(StatusWidth);
    return Status;
}

void DrawChart(uint8_t Code, const std::string &Entry) {
    DrawBox(ChartX, ChartY, ChartX + ChartWidth - 1, ChartY + ChartHeight - 1, FrameInset, TextColor,
            FrameColor, TitleColor, PluginTitle);

    static const std::string Separator = "\xC7" + RepeatChar('\xC4', 34) + "\xB6";
    SetTextAttr(FrameColor);
    GotoXY(0, 2);
    WriteText(Separator);
    GotoXY(0, 11);
    WriteText(Separator);

    SetTextAttr(TextColor);
    const char *Map = reinterpret_cast<const char *>(CodeMap());
    static std::string Cells;  // kept: no allocation per frame
    for (int Row = 0; Row < 8; Row++) {
        Cells.assign(Map + 32 * Row, 32);
        GotoXY(2, Row + 3);
        WriteText(Cells);
    }

    GotoXY(2, 1);
    WriteText(CodeTableName(CurrentTable).substr(0, NameWidth));

    GotoXY(2, 12);
    if (Entry.empty()) {
        WriteText(UnicodeStatus ? FormatUnicodeStatus(Code) : FormatStatus(Code));
    } else {
        WriteText(EntryLabel());
        SetTextAttr(InputColor);
        WriteText(Entry);
        if (Entry.size() < EntryFieldWidth) WriteText(std::string(EntryFieldWidth - Entry.size(), ' '));
    }
}

void ChartWindowResetForTests() {
    ChartX = ChartY = 0;
    CentrePending = true;
}
