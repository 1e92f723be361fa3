// winsim test API: drive and inspect the in-process Win32 substitute.
// Only tests (and the native host) include this; product code never does.
#ifndef WINSIM_WINSIM_H
#define WINSIM_WINSIM_H

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace winsim {

// Everything back to the start state: an 80x25 console of blanks in
// attribute 0x07, cursor (0,0) size 25 visible, empty title, code page 437,
// NT platform, empty input queue, empty registry and clipboard, no global
// memory blocks, no failure injections or call limit, all call counts zero.
// Console handles from before the reset stay valid.
void Reset();

// ---- console ----
// Cells hold a character byte and an attribute. Like Wine's A functions,
// GetCell, Screen and ReadConsoleOutputA hand the byte out in the low byte
// of the character union and leave the high byte of its UTF-16 code unit in
// code page 437 in the high byte (0xC4 reads back as 0x25C4); key records
// read from the input queue carry their character the same way.
void SetConsoleSize(int width, int height);  // contents become blanks in 0x07
int ConsoleWidth();
int ConsoleHeight();
void SetCell(int x, int y, char ch, WORD attr);
CHAR_INFO GetCell(int x, int y);
std::string ScreenRow(int y);                 // the character bytes of one row
std::vector<CHAR_INFO> Screen();              // all cells, row by row
void FillScreen(char ch, WORD attr);
std::string Title();
void SetTitle(const std::string &title);
CONSOLE_CURSOR_INFO CursorInfo();
void SetCursorInfo(DWORD size, BOOL visible);
COORD CursorPos();
void SetCursorPos(int x, int y);
void SetOutputCP(UINT cp);
void SetPlatformNT(bool nt);                  // GetVersionExA's dwPlatformId
DWORD ConsoleInputMode();

// ---- input ----
// Queues a record as given; the tests build their records with the builders
// of the suite (InputRecords.h of the console library, the contract's own).
void PushInput(const INPUT_RECORD &rec);
std::vector<INPUT_RECORD> PendingInput();     // what is queued, oldest first
void ClearInput();
// Queues a record that arrives while the program waits, as a key typed while
// it is idle: the next WaitForSingleObject on a console handle that finds the
// queue empty ends with this record queued (one per wait, in order).
void PushInputOnWait(const INPUT_RECORD &rec);
// A wake with nothing to read, in the same order: that wait ends signalled
// with the queue still empty, as when another reader of the console took
// the record that woke it before the program could look.
void PushWakeOnWait();
// Characters that ReadConsoleA returns, consumed before the queue's own
// characters (the console's character input on non-NT platforms).
void PushTypedChars(const std::string &chars);

// Total milliseconds passed to Sleep (which returns at once).
DWORD TotalSleepMs();

// ---- call counting ----
int CallCount(const char *function);          // by Win32 name, e.g. "WriteConsoleOutputA"
std::map<std::string, int> CallCounts();      // every function called, with its count
void ResetCallCounts();
// After `calls` more calls of any function, `handler` runs once, inside the
// call that reaches the limit: a test's way out of a loop that never ends
// (it may exit the process or throw). 0 removes the limit.
void SetCallLimit(long calls, void (*handler)());
struct WriteCall {                            // one WriteConsoleOutputA, as the caller passed it
    COORD bufferSize;
    COORD bufferCoord;
    SMALL_RECT region;
};
std::vector<WriteCall> WriteOutputCalls();

// ---- failure injection ----
// The named function fails (returns its failure value, sets `error`) for the
// next `times` calls; times < 0 means until cleared, 0 clears this one.
// With `after`, that many calls succeed before the failures start.
// Registry functions return `error`; the others set it as the last error.
void FailCall(const char *function, DWORD error = ERROR_ACCESS_DENIED, int times = -1);
// The same after the next `skip` calls of the function have passed: with
// counts from zero, skip k fails the call of index k + 1 first.
void FailCallAfter(const char *function, int skip, int times = -1,
                   DWORD error = ERROR_ACCESS_DENIED);
void ClearFailures();
// ReadConsoleOutputA fails for requests larger than this many cells (0 = no limit).
void SetMaxReadCells(int cells);
// Another process holds the clipboard open: OpenClipboard fails.
void SetClipboardBusy(bool busy);

// ---- registry ----
struct RegValue {
    std::string name;
    DWORD type;
    std::vector<BYTE> data;
};
bool RegKeyExists(const std::string &path);   // below HKEY_CURRENT_USER
std::vector<RegValue> RegValues(const std::string &path);
bool RegGet(const std::string &path, const std::string &name, RegValue *out);
void RegPut(const std::string &path, const std::string &name, DWORD type,
            const std::vector<BYTE> &data);
void RegPutDword(const std::string &path, const std::string &name, DWORD value);

// ---- clipboard ----
bool ClipboardHasText();
std::string ClipboardText();                  // CF_OEMTEXT up to its zero, or ""
void SetClipboardText(const std::string &text);
// Place raw CF_OEMTEXT bytes exactly as given (no terminating zero added).
void SetClipboardBytes(const std::vector<BYTE> &bytes);
// Whether this process holds the clipboard open (no other program can open it).
bool ClipboardIsOpen();
// Global memory blocks neither freed nor owned by the clipboard: once a
// caller is done with the clipboard, blocks it leaked.
int LooseGlobalBlocks();

}  // namespace winsim

#endif
