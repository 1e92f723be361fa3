// The console: one screen buffer, title, cursor, code page, input queue.
// Edge behaviour (clipping, failures, what is written back) follows Wine's
// kernelbase and conhost, checked by the contract tests under Wine.
#include "Internal.h"
#include "winsim.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace winsim {
namespace detail {
namespace {

struct Cell {
    unsigned char ch;
    WORD attr;
};

// What ends a wait on an empty queue: a record, or a wake whose record
// another reader took first.
struct Arrival {
    bool taken;
    INPUT_RECORD rec;
};

struct ConsoleState {
    int width = 80;
    int height = 25;
    std::vector<Cell> cells = std::vector<Cell>(80 * 25, Cell{' ', 0x07});
    std::string title;
    CONSOLE_CURSOR_INFO cursor{25, TRUE};
    COORD cursorPos{0, 0};
    UINT codePage = 437;
    DWORD inputMode = 0x1F7;  // Wine's and Windows' default for a new console
    DWORD outputMode = 0x3;
    std::deque<INPUT_RECORD> input;
    std::deque<Arrival> arriving;  // one per wait
    std::string typed;
    std::vector<WriteCall> writeCalls;
    int maxReadCells = 0;
};

ConsoleState &Con()
{
    static ConsoleState *state = new ConsoleState;
    return *state;
}

bool CheckHandle(HANDLE h, HandleKind want)
{
    if (KindOf(h) == want) return true;
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
}

CHAR_INFO ToCharInfo(const Cell &c)
{
    CHAR_INFO ci;
    ci.Char.UnicodeChar = ConsoleCharUnion(c.ch);
    ci.Attributes = c.attr;
    return ci;
}

// A key record as the A functions hand it out: the character went through
// the console code page and back, leaving Wine's high byte in the union.
INPUT_RECORD Outgoing(INPUT_RECORD rec)
{
    if (rec.EventType == KEY_EVENT)
        rec.Event.KeyEvent.uChar.UnicodeChar =
            ConsoleCharUnion(static_cast<unsigned char>(rec.Event.KeyEvent.uChar.AsciiChar));
    return rec;
}

}  // namespace

WCHAR ConsoleCharUnion(unsigned char c)
{
    WCHAR high = Con().codePage == 437 ? (CodePageToUnicode(437)[c] & 0xFF00) : 0;
    return static_cast<WCHAR>(high | c);
}

void ResetConsole()
{
    ConsoleState &s = Con();
    s = ConsoleState();
}

}  // namespace detail

using detail::Con;
using detail::Cell;

void SetConsoleSize(int width, int height)
{
    auto &s = Con();
    s.width = width;
    s.height = height;
    s.cells.assign(static_cast<size_t>(width) * height, Cell{' ', 0x07});
    s.cursorPos.X = static_cast<SHORT>(std::min<int>(s.cursorPos.X, width - 1));
    s.cursorPos.Y = static_cast<SHORT>(std::min<int>(s.cursorPos.Y, height - 1));
}

int ConsoleWidth() { return Con().width; }
int ConsoleHeight() { return Con().height; }

void SetCell(int x, int y, char ch, WORD attr)
{
    auto &s = Con();
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return;
    s.cells[static_cast<size_t>(y) * s.width + x] = Cell{static_cast<unsigned char>(ch), attr};
}

CHAR_INFO GetCell(int x, int y)
{
    auto &s = Con();
    if (x < 0 || y < 0 || x >= s.width || y >= s.height) return CHAR_INFO{};
    return detail::ToCharInfo(s.cells[static_cast<size_t>(y) * s.width + x]);
}

std::string ScreenRow(int y)
{
    auto &s = Con();
    std::string row;
    if (y < 0 || y >= s.height) return row;
    for (int x = 0; x < s.width; x++)
        row += static_cast<char>(s.cells[static_cast<size_t>(y) * s.width + x].ch);
    return row;
}

std::vector<CHAR_INFO> Screen()
{
    std::vector<CHAR_INFO> all;
    for (const Cell &c : Con().cells) all.push_back(detail::ToCharInfo(c));
    return all;
}

void FillScreen(char ch, WORD attr)
{
    for (Cell &c : Con().cells) c = Cell{static_cast<unsigned char>(ch), attr};
}

std::string Title() { return Con().title; }
void SetTitle(const std::string &title) { Con().title = title; }
CONSOLE_CURSOR_INFO CursorInfo() { return Con().cursor; }

void SetCursorInfo(DWORD size, BOOL visible)
{
    Con().cursor.dwSize = size;
    Con().cursor.bVisible = visible;
}

COORD CursorPos() { return Con().cursorPos; }

void SetCursorPos(int x, int y)
{
    Con().cursorPos.X = static_cast<SHORT>(x);
    Con().cursorPos.Y = static_cast<SHORT>(y);
}

void SetOutputCP(UINT cp) { Con().codePage = cp; }
DWORD ConsoleInputMode() { return Con().inputMode; }

void PushInput(const INPUT_RECORD &rec) { Con().input.push_back(rec); }

std::vector<INPUT_RECORD> PendingInput()
{
    std::vector<INPUT_RECORD> all;
    for (const INPUT_RECORD &rec : Con().input) all.push_back(detail::Outgoing(rec));
    return all;
}

void PushInputOnWait(const INPUT_RECORD &rec) { Con().arriving.push_back({false, rec}); }

void PushWakeOnWait() { Con().arriving.push_back({true, INPUT_RECORD{}}); }

void ClearInput()
{
    Con().input.clear();
    Con().arriving.clear();
    Con().typed.clear();
}

void PushTypedChars(const std::string &chars) { Con().typed += chars; }

std::vector<WriteCall> WriteOutputCalls() { return Con().writeCalls; }

void SetMaxReadCells(int cells) { Con().maxReadCells = cells; }

}  // namespace winsim

using winsim::detail::Cell;
using winsim::detail::CheckHandle;
using winsim::detail::Con;
using winsim::detail::Enter;
using winsim::detail::HandleKind;

extern "C" {

DWORD WINAPI GetConsoleTitleA(LPSTR title, DWORD size)
{
    if (Enter("GetConsoleTitleA")) return 0;
    const std::string &t = Con().title;
    // Wine: an empty title or a zero size returns 0 and leaves the buffer
    // untouched; a long title is cut to size - 1 bytes, but the full length
    // is returned.
    if (size == 0 || t.empty()) return 0;
    size_t n = std::min<size_t>(t.size(), size - 1);
    memcpy(title, t.data(), n);
    title[n] = 0;
    return static_cast<DWORD>(t.size());
}

BOOL WINAPI SetConsoleTitleA(LPCSTR title)
{
    if (Enter("SetConsoleTitleA")) return FALSE;
    Con().title = title ? title : "";
    return TRUE;
}

BOOL WINAPI GetConsoleCursorInfo(HANDLE out, PCONSOLE_CURSOR_INFO info)
{
    if (Enter("GetConsoleCursorInfo") || !CheckHandle(out, HandleKind::Output)) return FALSE;
    *info = Con().cursor;
    return TRUE;
}

BOOL WINAPI SetConsoleCursorInfo(HANDLE out, const CONSOLE_CURSOR_INFO *info)
{
    if (Enter("SetConsoleCursorInfo") || !CheckHandle(out, HandleKind::Output)) return FALSE;
    if (info->dwSize < 1 || info->dwSize > 100) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Con().cursor.dwSize = info->dwSize;
    Con().cursor.bVisible = info->bVisible ? TRUE : FALSE;  // stored as 1, as Wine does
    return TRUE;
}

BOOL WINAPI GetConsoleScreenBufferInfo(HANDLE out, PCONSOLE_SCREEN_BUFFER_INFO info)
{
    if (Enter("GetConsoleScreenBufferInfo") || !CheckHandle(out, HandleKind::Output))
        return FALSE;
    auto &s = Con();
    info->dwSize.X = static_cast<SHORT>(s.width);
    info->dwSize.Y = static_cast<SHORT>(s.height);
    info->dwCursorPosition = s.cursorPos;
    info->wAttributes = 0x07;
    info->srWindow.Left = 0;
    info->srWindow.Top = 0;
    info->srWindow.Right = static_cast<SHORT>(s.width - 1);
    info->srWindow.Bottom = static_cast<SHORT>(s.height - 1);
    info->dwMaximumWindowSize = info->dwSize;
    return TRUE;
}

BOOL WINAPI SetConsoleCursorPosition(HANDLE out, COORD pos)
{
    if (Enter("SetConsoleCursorPosition") || !CheckHandle(out, HandleKind::Output)) return FALSE;
    auto &s = Con();
    if (pos.X < 0 || pos.Y < 0 || pos.X >= s.width || pos.Y >= s.height) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    s.cursorPos = pos;
    return TRUE;
}

UINT WINAPI GetConsoleOutputCP(void)
{
    if (Enter("GetConsoleOutputCP")) return 0;
    return Con().codePage;
}

// Wine clips in two steps: kernelbase cuts the region to the caller's buffer
// (signed arithmetic), then conhost cuts it to the screen buffer with the
// origin taken as unsigned, so a region starting left of or above the
// screen is not clipped but refused (Windows would clip it to 0).
BOOL WINAPI ReadConsoleOutputA(HANDLE out, PCHAR_INFO buffer, COORD bufferSize, COORD bufferCoord,
                               PSMALL_RECT region)
{
    if (Enter("ReadConsoleOutputA")) return FALSE;
    if (bufferSize.X <= bufferCoord.X || bufferSize.Y <= bufferCoord.Y) {
        region->Right = static_cast<SHORT>(region->Left - 1);
        region->Bottom = static_cast<SHORT>(region->Top - 1);
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
    int width = std::min(region->Right - region->Left + 1, bufferSize.X - bufferCoord.X);
    int height = std::min(region->Bottom - region->Top + 1, bufferSize.Y - bufferCoord.Y);
    region->Right = static_cast<SHORT>(region->Left + width - 1);
    region->Bottom = static_cast<SHORT>(region->Top + height - 1);
    auto &s = Con();
    if (width <= 0 || height <= 0 || (s.maxReadCells > 0 && width * height > s.maxReadCells)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    if (!CheckHandle(out, HandleKind::Output)) return FALSE;
    const uint32_t x = static_cast<uint32_t>(static_cast<int>(region->Left));
    const uint32_t y = static_cast<uint32_t>(static_cast<int>(region->Top));
    const uint32_t w = static_cast<uint32_t>(s.width), h = static_cast<uint32_t>(s.height);
    if (x >= w || y >= h) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    region->Right = static_cast<SHORT>(std::min(x + width, w) - 1);
    region->Bottom = static_cast<SHORT>(std::min(y + height, h) - 1);
    for (int row = 0; row <= region->Bottom - region->Top; row++)
        for (int col = 0; col <= region->Right - region->Left; col++)
            buffer[(bufferCoord.Y + row) * bufferSize.X + bufferCoord.X + col] =
                winsim::detail::ToCharInfo(s.cells[(y + row) * w + x + col]);
    return TRUE;
}

BOOL WINAPI WriteConsoleOutputA(HANDLE out, const CHAR_INFO *buffer, COORD bufferSize,
                                COORD bufferCoord, PSMALL_RECT region)
{
    if (Enter("WriteConsoleOutputA")) return FALSE;
    auto &s = Con();
    s.writeCalls.push_back({bufferSize, bufferCoord, *region});
    int width = std::min(region->Right - region->Left + 1, bufferSize.X - bufferCoord.X);
    int height = std::min(region->Bottom - region->Top + 1, bufferSize.Y - bufferCoord.Y);
    if (width <= 0 || height <= 0) {
        // Nothing to send: succeeds with the emptied rectangle, before any
        // look at the handle.
        region->Bottom = static_cast<SHORT>(region->Top + height - 1);
        region->Right = static_cast<SHORT>(region->Left + width - 1);
        return TRUE;
    }
    if (!CheckHandle(out, HandleKind::Output)) return FALSE;
    // The whole buffer-clipped block is taken from the caller, like Wine does.
    std::vector<CHAR_INFO> block;
    for (int row = 0; row < height; row++)
        for (int col = 0; col < width; col++)
            block.push_back(buffer[(bufferCoord.Y + row) * bufferSize.X + bufferCoord.X + col]);
    const uint32_t x = static_cast<uint32_t>(static_cast<int>(region->Left));
    const uint32_t y = static_cast<uint32_t>(static_cast<int>(region->Top));
    const uint32_t w = static_cast<uint32_t>(s.width), h = static_cast<uint32_t>(s.height);
    if (x >= w) return TRUE;  // region left as the caller gave it
    for (size_t i = 0; i < block.size(); i++) {
        uint32_t cx = x + static_cast<uint32_t>(i % width);
        uint32_t cy = y + static_cast<uint32_t>(i / width);
        if (cx >= w) continue;
        if (cy >= h) break;
        s.cells[cy * w + cx] = Cell{static_cast<unsigned char>(block[i].Char.AsciiChar),
                                    block[i].Attributes};
    }
    region->Left = static_cast<SHORT>(x);
    region->Top = static_cast<SHORT>(y);
    region->Right = static_cast<SHORT>(std::min(x + width, w) - 1);
    region->Bottom = static_cast<SHORT>(std::min(y + height, h) - 1);
    return TRUE;
}

BOOL WINAPI PeekConsoleInputA(HANDLE in, PINPUT_RECORD buffer, DWORD length, LPDWORD read)
{
    if (Enter("PeekConsoleInputA") || !CheckHandle(in, HandleKind::Input)) return FALSE;
    auto &q = Con().input;
    DWORD n = std::min<DWORD>(length, static_cast<DWORD>(q.size()));
    for (DWORD i = 0; i < n; i++) buffer[i] = winsim::detail::Outgoing(q[i]);
    *read = n;
    return TRUE;
}

// Never blocks: with nothing queued it returns at once with no record
// (Windows would wait for one).
BOOL WINAPI ReadConsoleInputA(HANDLE in, PINPUT_RECORD buffer, DWORD length, LPDWORD read)
{
    if (Enter("ReadConsoleInputA") || !CheckHandle(in, HandleKind::Input)) return FALSE;
    auto &q = Con().input;
    DWORD n = std::min<DWORD>(length, static_cast<DWORD>(q.size()));
    for (DWORD i = 0; i < n; i++) {
        buffer[i] = winsim::detail::Outgoing(q.front());
        q.pop_front();
    }
    *read = n;
    return TRUE;
}

// A console handle is signalled while input is queued. Never blocks: with
// nothing queued and nothing arriving it returns WAIT_TIMEOUT at once,
// whatever the timeout (Windows would wait, INFINITE for ever).
DWORD WINAPI WaitForSingleObject(HANDLE h, DWORD)
{
    if (Enter("WaitForSingleObject")) return WAIT_FAILED;
    if (winsim::detail::KindOf(h) == HandleKind::None) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    auto &s = Con();
    if (s.input.empty() && !s.arriving.empty()) {
        const winsim::detail::Arrival a = s.arriving.front();
        s.arriving.pop_front();
        if (a.taken) return WAIT_OBJECT_0;  // woken, and the record is gone already
        s.input.push_back(a.rec);
    }
    return s.input.empty() ? WAIT_TIMEOUT : WAIT_OBJECT_0;
}

BOOL WINAPI WriteConsoleInputA(HANDLE in, const INPUT_RECORD *buffer, DWORD length,
                               LPDWORD written)
{
    if (Enter("WriteConsoleInputA") || !CheckHandle(in, HandleKind::Input)) return FALSE;
    for (DWORD i = 0; i < length; i++) Con().input.push_back(buffer[i]);
    *written = length;
    return TRUE;
}

// Raw character input (no line editing, no echo): key-down records that
// carry a character give it, every other record is consumed and dropped.
// Never blocks.
BOOL WINAPI ReadConsoleA(HANDLE in, LPVOID buffer, DWORD toRead, LPDWORD read, LPVOID)
{
    if (Enter("ReadConsoleA") || !CheckHandle(in, HandleKind::Input)) return FALSE;
    auto &s = Con();
    char *out = static_cast<char *>(buffer);
    DWORD n = 0;
    while (n < toRead && !s.typed.empty()) {
        out[n++] = s.typed[0];
        s.typed.erase(0, 1);
    }
    while (n < toRead && !s.input.empty()) {
        INPUT_RECORD rec = s.input.front();
        s.input.pop_front();
        if (rec.EventType == KEY_EVENT && rec.Event.KeyEvent.bKeyDown &&
            rec.Event.KeyEvent.uChar.AsciiChar != 0)
            out[n++] = rec.Event.KeyEvent.uChar.AsciiChar;
    }
    if (read) *read = n;
    return TRUE;
}

BOOL WINAPI GetConsoleMode(HANDLE h, LPDWORD mode)
{
    if (Enter("GetConsoleMode")) return FALSE;
    switch (winsim::detail::KindOf(h)) {
    case HandleKind::Input: *mode = Con().inputMode; return TRUE;
    case HandleKind::Output: *mode = Con().outputMode; return TRUE;
    default: SetLastError(ERROR_INVALID_HANDLE); return FALSE;
    }
}

BOOL WINAPI SetConsoleMode(HANDLE h, DWORD mode)
{
    if (Enter("SetConsoleMode")) return FALSE;
    switch (winsim::detail::KindOf(h)) {
    case HandleKind::Input: Con().inputMode = mode; return TRUE;
    case HandleKind::Output: Con().outputMode = mode; return TRUE;
    default: SetLastError(ERROR_INVALID_HANDLE); return FALSE;
    }
}

BOOL WINAPI GetNumberOfConsoleInputEvents(HANDLE in, LPDWORD count)
{
    if (Enter("GetNumberOfConsoleInputEvents") || !CheckHandle(in, HandleKind::Input))
        return FALSE;
    *count = static_cast<DWORD>(Con().input.size());
    return TRUE;
}

BOOL WINAPI FlushConsoleInputBuffer(HANDLE in)
{
    if (Enter("FlushConsoleInputBuffer") || !CheckHandle(in, HandleKind::Input)) return FALSE;
    Con().input.clear();
    return TRUE;
}

}  // extern "C"
