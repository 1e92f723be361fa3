// Code page conversion and the string routines of user32/kernel32.
#include "Internal.h"
#include "winsim.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using winsim::detail::Enter;

namespace {

#include "CodePageTables.inc"

// The system's pages, as in the Wine prefix the tables come from.
constexpr UINT SystemAnsiPage = 1252;
constexpr UINT SystemOemPage = 437;

const MultiByteTable *FindMultiByteTable(UINT codePage)
{
    if (codePage == CP_ACP) codePage = SystemAnsiPage;
    if (codePage == CP_OEMCP) codePage = SystemOemPage;
    for (const MultiByteTable &t : MultiByteTables)
        if (t.CodePage == codePage) return &t;
    return nullptr;
}

bool IsInvalidByte(const MultiByteTable &t, unsigned char c)
{
    return (t.Invalid[c / 8] >> (c % 8)) & 1;
}

// wsprintfA as Wine implements it (user32/wsprintf.c): flags only '-', '#',
// '0' and in that order; no '+', ' ', '*' or %o; an unknown conversion prints
// from the unknown character on and takes no argument.
enum Type { tUnknown, tChar, tWChar, tString, tWString, tSigned, tUnsigned, tHex };
enum Flags {
    fLeft = 1, fPrefixHex = 2, fZeroPad = 4, fLong = 8, fShort = 16, fUpper = 32, fWide = 64,
    fI64 = 128, fIntPtr = 256
};

struct Format {
    unsigned flags;
    unsigned width;
    unsigned precision;
    Type type;
};

int ParseFormat(const char *format, Format *res)
{
    const char *p = format;
    res->flags = 0;
    res->width = 0;
    res->precision = 0;
    if (*p == '-') { res->flags |= fLeft; p++; }
    if (*p == '#') { res->flags |= fPrefixHex; p++; }
    if (*p == '0') { res->flags |= fZeroPad; p++; }
    while (*p >= '0' && *p <= '9') res->width = res->width * 10 + (*p++ - '0');
    if (*p == '.') {
        p++;
        while (*p >= '0' && *p <= '9') res->precision = res->precision * 10 + (*p++ - '0');
    }
    if (*p == 'l') { res->flags |= fLong; p++; }
    else if (*p == 'h') { res->flags |= fShort; p++; }
    else if (*p == 'w') { res->flags |= fWide; p++; }
    else if (*p == 'I') {
        if (p[1] == '6' && p[2] == '4') { res->flags |= fI64; p += 3; }
        else if (p[1] == '3' && p[2] == '2') p += 3;
        else { res->flags |= fIntPtr; p++; }
    }
    switch (*p) {
    case 'c': res->type = (res->flags & fLong) ? tWChar : tChar; break;
    case 'C': res->type = (res->flags & fShort) ? tChar : tWChar; break;
    case 'd':
    case 'i': res->type = tSigned; break;
    case 's': res->type = (res->flags & (fLong | fWide)) ? tWString : tString; break;
    case 'S': res->type = (res->flags & (fShort | fWide)) ? tString : tWString; break;
    case 'u': res->type = tUnsigned; break;
    case 'p':
        res->width = 2 * sizeof(void *);
        res->flags |= fZeroPad | fIntPtr;
        // fall through
    case 'X': res->flags |= fUpper; // fall through
    case 'x': res->type = tHex; break;
    default:
        res->type = tUnknown;
        p--;  // the unknown character is printed as text
        break;
    }
    return static_cast<int>(p - format) + 1;
}

union Arg {
    char ch;
    WCHAR wch;
    const char *str;
    const WCHAR *wstr;
    long long num;
};

// Wide characters become bytes the simple way: Latin-1 range as is, the
// rest '?' (the product passes no wide arguments).
char Narrow(WCHAR c)
{
    return (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) ? static_cast<char>(c) : '?';
}

unsigned GetLen(Format *format, Arg *arg, char *number, unsigned maxlen)
{
    unsigned len;
    if (format->flags & fLeft) format->flags &= ~fZeroPad;
    if (format->width > maxlen) format->width = maxlen;
    switch (format->type) {
    case tChar:
    case tWChar:
        return format->precision = 1;
    case tString:
        if (!arg->str) arg->str = "(null)";
        for (len = 0; !format->precision || len < format->precision; len++)
            if (!arg->str[len]) break;
        if (len > maxlen) len = maxlen;
        return format->precision = len;
    case tWString:
        static const WCHAR nullW[] = {'(', 'n', 'u', 'l', 'l', ')', 0};
        if (!arg->wstr) arg->wstr = nullW;
        for (len = 0; !format->precision || len < format->precision; len++)
            if (!arg->wstr[len]) break;
        if (len > maxlen) len = maxlen;
        return format->precision = len;
    case tSigned:
    case tUnsigned:
    case tHex: {
        const char *digits = (format->flags & fUpper) ? "0123456789ABCDEF" : "0123456789abcdef";
        unsigned long long num = static_cast<unsigned long long>(arg->num);
        unsigned base = format->type == tHex ? 16 : 10;
        char buffer[24], *p = buffer, *dst = number;
        if (format->type == tSigned && arg->num < 0) {
            *dst++ = '-';
            num = 0ULL - static_cast<unsigned long long>(arg->num);
        }
        if (format->flags & fIntPtr) num = static_cast<uintptr_t>(num);
        else if (!(format->flags & fI64)) num = static_cast<unsigned>(num);
        do {
            *p++ = digits[num % base];
            num /= base;
        } while (num);
        while (p > buffer) *dst++ = *--p;
        *dst = 0;
        len = static_cast<unsigned>(dst - number);
        break;
    }
    default:
        return 0;
    }
    if (len > maxlen) len = maxlen;
    if (format->precision < len) format->precision = len;
    if (format->precision > maxlen) format->precision = maxlen;
    if ((format->flags & fZeroPad) && format->width > format->precision)
        format->precision = format->width;
    if (format->flags & fPrefixHex) len += 2;
    return len;
}

int FormatA(char *buffer, unsigned maxlen, const char *spec, va_list args)
{
    char number[24];
    char *p = buffer;
    char *const last = buffer + maxlen - 1;
    // Wine's arithmetic can run one or two characters past the end when a
    // 0x prefix meets the limit; here such characters are dropped instead.
    auto put = [&](char c) {
        if (p < last) *p++ = c;
    };
    auto room = [&]() { return static_cast<long>(last - p) + 1; };
    while (*spec && room() > 1) {
        if (*spec != '%') {
            put(*spec++);
            continue;
        }
        spec++;
        if (*spec == '%') {
            put(*spec++);
            continue;
        }
        Format format;
        spec += ParseFormat(spec, &format);
        Arg arg;
        arg.num = 0;
        switch (format.type) {
        case tWChar: arg.wch = static_cast<WCHAR>(va_arg(args, int)); break;
        case tChar: arg.ch = static_cast<char>(va_arg(args, int)); break;
        case tString: arg.str = va_arg(args, const char *); break;
        case tWString: arg.wstr = va_arg(args, const WCHAR *); break;
        case tHex:
        case tSigned:
        case tUnsigned:
            if (format.flags & fIntPtr) arg.num = va_arg(args, INT_PTR);
            else if (format.flags & fI64) arg.num = va_arg(args, long long);
            else arg.num = va_arg(args, int);
            break;
        default: break;
        }
        unsigned len = GetLen(&format, &arg, number, static_cast<unsigned>(room()) - 1);
        int sign = 0;
        if (!(format.flags & fLeft))
            for (unsigned i = format.precision; i < format.width; i++) put(' ');
        switch (format.type) {
        case tWChar: put(Narrow(arg.wch)); break;
        case tChar: put(arg.ch); break;
        case tString:
            for (unsigned i = 0; i < len; i++) put(arg.str[i]);
            break;
        case tWString:
            for (unsigned i = 0; i < len; i++) put(Narrow(arg.wstr[i]));
            break;
        case tHex:
            if (format.flags & fPrefixHex) {
                if (room() > 3) {
                    put('0');
                    put((format.flags & fUpper) ? 'X' : 'x');
                }
                len -= 2;
            }
            // fall through
        case tSigned:
            if (number[0] == '-') {  // the sign goes before any zero padding
                put('-');
                sign = 1;
            }
            // fall through
        case tUnsigned:
            for (unsigned i = len; i < format.precision; i++) put('0');
            for (unsigned i = sign; i < len; i++) put(number[i]);
            break;
        case tUnknown: continue;
        }
        if (format.flags & fLeft)
            for (unsigned i = format.precision; i < format.width; i++) put(' ');
    }
    *p = 0;
    return room() > 1 ? static_cast<int>(p - buffer) : -1;
}

}  // namespace

namespace winsim {
namespace detail {

unsigned char AnsiToOemByte(unsigned char c)
{
    return AnsiToOem[c];
}

unsigned char OemToAnsiByte(unsigned char c)
{
    return OemToAnsi[c];
}

const WCHAR *CodePageToUnicode(UINT codePage)
{
    const MultiByteTable *t = FindMultiByteTable(codePage);
    return t ? t->Unicode : nullptr;
}

}  // namespace detail
}  // namespace winsim

extern "C" {

BOOL WINAPI CharToOemBuffA(LPCSTR src, LPSTR dst, DWORD length)
{
    if (Enter("CharToOemBuffA")) return FALSE;
    if (!src || !dst) return FALSE;
    for (DWORD i = 0; i < length; i++)
        dst[i] = static_cast<char>(winsim::detail::AnsiToOemByte(static_cast<unsigned char>(src[i])));
    return TRUE;
}

BOOL WINAPI OemToCharBuffA(LPCSTR src, LPSTR dst, DWORD length)
{
    if (Enter("OemToCharBuffA")) return FALSE;
    if (!src || !dst) return FALSE;
    for (DWORD i = 0; i < length; i++)
        dst[i] = static_cast<char>(winsim::detail::OemToAnsiByte(static_cast<unsigned char>(src[i])));
    return TRUE;
}

int WINAPI MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR src, int srcLength, LPWSTR dst,
                               int dstLength)
{
    if (Enter("MultiByteToWideChar")) return 0;
    // Wine's order: the arguments, the code page, the flags, undefined bytes
    // (nothing is written), then the room (what fits is written).
    if (!src || !srcLength || (!dst && dstLength) || dstLength < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (srcLength < 0) srcLength = static_cast<int>(strlen(src)) + 1;
    const MultiByteTable *table = FindMultiByteTable(codePage);
    if (!table) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (flags & ~DWORD(MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    if (flags & MB_COMPOSITE) {
        // Wine decomposes (0x82 in 437 becomes e and U+0301); nothing here needs it.
        fprintf(stderr, "winsim: MultiByteToWideChar: MB_COMPOSITE is not simulated\n");
        abort();
    }
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(src);
    if (flags & MB_ERR_INVALID_CHARS)
        for (int i = 0; i < srcLength; i++)
            if (IsInvalidByte(*table, bytes[i])) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
    if (!dstLength) return srcLength;
    const unsigned short *low =
        (flags & MB_USEGLYPHCHARS) && table->GlyphsLow ? table->GlyphsLow : table->Unicode;
    for (int i = 0; i < srcLength && i < dstLength; i++)
        dst[i] = bytes[i] < 128 ? low[bytes[i]] : table->Unicode[bytes[i]];
    if (srcLength > dstLength) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    return srcLength;
}

LPSTR WINAPI lstrcpyA(LPSTR dst, LPCSTR src)
{
    if (Enter("lstrcpyA")) return nullptr;
    if (!dst || !src) return nullptr;  // Windows catches the fault and returns NULL
    return strcpy(dst, src);
}

LPSTR WINAPI lstrcpynA(LPSTR dst, LPCSTR src, int max)
{
    if (Enter("lstrcpynA")) return nullptr;
    if (!dst || !src) return nullptr;
    // max is taken as unsigned, so a negative one copies without bound.
    unsigned count = static_cast<unsigned>(max);
    char *d = dst;
    while (count > 1 && *src) {
        count--;
        *d++ = *src++;
    }
    if (count) *d = 0;
    return dst;
}

int WINAPI lstrlenA(LPCSTR s)
{
    if (Enter("lstrlenA")) return 0;
    return s ? static_cast<int>(strlen(s)) : 0;
}

int wsprintfA(LPSTR out, LPCSTR format, ...)
{
    if (Enter("wsprintfA")) return 0;
    va_list args;
    va_start(args, format);
    // At most 1023 characters and the zero. Wine returns 1024 whenever the
    // output fills the buffer, even when 1023 characters were all there was.
    int res = FormatA(out, 1024, format, args);
    va_end(args);
    return res == -1 ? 1024 : res;
}

}  // extern "C"
