// winsim internals shared by the implementation files.
#ifndef WINSIM_INTERNAL_H
#define WINSIM_INTERNAL_H

#include <windows.h>

namespace winsim {
namespace detail {

// Counts one call of a Win32 function by name and reports whether an
// injected failure is due. The failure's error code goes to `error` when
// given (registry functions return it), else it becomes the last error.
bool Enter(const char *function, DWORD *error = nullptr);

// Per-unit resets, called by winsim::Reset.
void ResetConsole();
void ResetRegistry();
void ResetClipboard();
void ResetCore();

// Console handles: what a handle from CreateFileA refers to.
enum class HandleKind { None, Input, Output };
HandleKind KindOf(HANDLE h);

// The byte conversions of the committed tables.
unsigned char AnsiToOemByte(unsigned char c);
unsigned char OemToAnsiByte(unsigned char c);
// MultiByteToWideChar's table of a code page (256 UTF-16 code units), or
// null for a page the tables do not have.
const WCHAR *CodePageToUnicode(UINT codePage);
// What the A functions of Wine's console leave in the high byte of a
// character union: the high byte of the character's UTF-16 code unit in the
// console code page (known for 437; 0 for any other page).
WCHAR ConsoleCharUnion(unsigned char c);

}  // namespace detail
}  // namespace winsim

#endif
