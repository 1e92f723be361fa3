// FormatCheck: the safety check of the status format. The format comes from
// the message file, which a user may edit, and is handed to wsprintf with
// exactly three int arguments, so only conversions that read one int each,
// three at most, may pass: a %s or %n would follow an integer as a pointer, a
// size prefix (l, h, I64) could read a wider argument than was passed, and a
// fourth conversion would read past the arguments.
#include "FormatCheck.h"

const char BuiltInStatusFormat[] = "%c  %3d  %02Xh";

namespace {

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

// Skips at most three digits; wider fields are refused (the text is cut to
// 40 characters anyway, and this keeps the output far below wsprintfA's limit).
bool SkipNumber(const char *&P)
{
    int Digits = 0;
    while (IsDigit(*P)) {
        if (++Digits > 3) return false;
        P++;
    }
    return true;
}

}  // namespace

bool StatusFormatIsSafe(const char *Format)
{
    if (!Format) return false;
    int Conversions = 0;
    for (const char *P = Format; *P; P++) {
        if (*P != '%') continue;
        P++;
        if (*P == '%') continue;
        while (*P == '-' || *P == '#' || *P == '0') P++;
        if (!SkipNumber(P)) return false;
        if (*P == '.') {
            P++;
            if (!SkipNumber(P)) return false;
        }
        switch (*P) {
        case 'c': case 'd': case 'i': case 'u': case 'x': case 'X': case 'o':
            break;
        default:  // other conversions, size prefixes, '*', or the end of the text
            return false;
        }
        if (++Conversions > 3) return false;
    }
    return true;
}
