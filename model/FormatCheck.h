// FormatCheck: whether a status format from the message file is safe to
// hand to wsprintf (A or W) with three int arguments.
#ifndef QUORREL_FORMATCHECK_H
#define QUORREL_FORMATCHECK_H

bool StatusFormatIsSafe(const char *Format);

// The format used in place of one that is not safe.
extern const char BuiltInStatusFormat[];

#endif
