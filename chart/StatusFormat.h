// StatusFormat: the status text of a code, by message 1's format.
#ifndef QUORREL_STATUSFORMAT_H
#define QUORREL_STATUSFORMAT_H

#include "ChartState.h"
#include "FormatCheck.h"

#include <string>

// The status text of a code of the current table, at most 40 characters:
// the format gets the table's character for the code (a blank for 0), the
// code and the code again. A format that is not safe gives way to a
// built-in one; a failed formatting shows nothing.
std::string FormatStatus(const ChartState &S, uint8_t Code, const char *Format);

#endif
