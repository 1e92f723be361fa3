// Code page conversion and the string routines of user32/kernel32.
#include "Internal.h"
#include "winsim.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// GetCPInfoExW's names, as Wine gives them.
const char *CodePageName(UINT codePage)
{
    static const struct {
        UINT page;
        const char *name;
    } names[] = {
        {437, "OEM United States"}, {720, "Arabic (Transparent ASMO)"}, {737, "OEM Greek 437G"},
        {775, "OEM Baltic"}, {850, "OEM Multilingual Latin 1"}, {852, "OEM Slovak Latin 2"},
        {855, "OEM Cyrillic"}, {857, "OEM Turkish"}, {860, "OEM Portuguese"},
        {861, "OEM Icelandic"}, {862, "OEM Hebrew"}, {863, "OEM Canadian French"},
        {864, "OEM Arabic"}, {865, "OEM Nordic"}, {866, "OEM Russian"}, {869, "OEM Greek"},
        {874, "ANSI/OEM Thai"}, {1250, "ANSI Eastern Europe"}, {1251, "ANSI Cyrillic"},
        {1252, "ANSI Latin 1"}, {1253, "ANSI Greek"}, {1254, "ANSI Turkish"},
        {1255, "ANSI Hebrew"}, {1256, "ANSI Arabic"}, {1257, "ANSI Baltic"},
        {1258, "ANSI/OEM Viet Nam"}, {20866, "Russian KOI8"}, {21866, "Ukrainian KOI8"},
        {28591, "ISO 8859-1 Latin 1"}, {28592, "ISO 8859-2 Latin 2 (East European)"},
        {28593, "ISO 8859-3 Latin 3 (South European)"}, {28594, "ISO 8859-4 Latin 4 (Baltic old)"},
        {28595, "ISO 8859-5 Cyrillic"}, {28596, "ISO 8859-6 Arabic"}, {28597, "ISO 8859-7 Greek"},
        {28598, "ISO 8859-8 Hebrew"}, {28599, "ISO 8859-9 Latin 5 (Turkish)"},
        {28603, "ISO 8859-13 Latin 7 (Baltic)"}, {28605, "ISO 8859-15 Latin 9 (Euro)"},
    };
    for (const auto &n : names)
        if (n.page == codePage) return n.name;
    return "";
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

UINT WINAPI GetACP(void)
{
    Enter("GetACP");
    return SystemAnsiPage;
}

UINT WINAPI GetOEMCP(void)
{
    Enter("GetOEMCP");
    return SystemOemPage;
}

BOOL WINAPI EnumSystemCodePagesW(CODEPAGE_ENUMPROCW proc, DWORD flags)
{
    if (Enter("EnumSystemCodePagesW")) return FALSE;
    if (!proc || (flags != CP_INSTALLED && flags != CP_SUPPORTED)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    for (const MultiByteTable &t : MultiByteTables) {
        WCHAR number[16];
        std::string digits = std::to_string(t.CodePage);
        size_t i = 0;
        for (; i < digits.size(); i++) number[i] = static_cast<WCHAR>(digits[i]);
        number[i] = 0;
        if (!proc(number)) break;
    }
    return TRUE;
}

BOOL WINAPI GetCPInfoExW(UINT codePage, DWORD flags, LPCPINFOEXW info)
{
    if (Enter("GetCPInfoExW")) return FALSE;
    const MultiByteTable *table = FindMultiByteTable(codePage);
    if (!info || flags || !table) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    memset(info, 0, sizeof *info);
    info->MaxCharSize = 1;
    info->DefaultChar[0] = '?';
    info->UnicodeDefaultChar = '?';
    info->CodePage = table->CodePage;
    const char *name = CodePageName(table->CodePage);
    for (size_t i = 0; name[i] && i + 1 < MAX_PATH; i++) info->CodePageName[i] = static_cast<unsigned char>(name[i]);
    return TRUE;
}

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
