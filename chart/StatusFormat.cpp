// StatusFormat: the status text of a code, by message 1's format when that
// is safe (FormatCheck), by a built-in one when not.
#include "StatusFormat.h"

#include "ChartLayout.h"
#include "FormatCheck.h"

#include <windows.h>

std::string FormatStatus(const ChartState &S, uint8_t Code, const char *Format)
{
    int Ch = uint8_t(MapCode(S, Code));
    if (Ch == 0) Ch = ' ';
    if (!StatusFormatIsSafe(Format)) Format = BuiltInStatusFormat;
    char Buffer[1025];  // wsprintfA writes up to 1024 characters and the zero
    // On failure it writes nothing: the buffer holds whatever was there.
    const int Length = wsprintfA(Buffer, Format, Ch, int(Code), int(Code));
    std::string Status(Buffer, size_t(Length > 0 ? Length : 0));
    if (Status.size() > size_t(ChartLayout::StatusWidth)) Status.resize(ChartLayout::StatusWidth);
    return Status;
}
