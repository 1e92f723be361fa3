// StatusFormat: whether a status format from the message file is safe to
// hand to wsprintfA with three int arguments.
#ifndef QUORREL_STATUSFORMAT_H
#define QUORREL_STATUSFORMAT_H

bool StatusFormatIsSafe(const char *Format);

#endif
