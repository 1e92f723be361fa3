// Global memory blocks and the clipboard.
#include "Internal.h"
#include "winsim.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

namespace winsim {
namespace detail {
namespace {

struct Block {
    unsigned char *data;
    SIZE_T size;
    bool fixed;  // GMEM_FIXED: the handle is the pointer
    int locks;
};

struct ClipboardState {
    std::map<HGLOBAL, Block> blocks;
    bool open = false;
    bool busy = false;
    std::map<UINT, HANDLE> formats;  // a null handle: announced, not rendered
};

ClipboardState &Clip()
{
    static ClipboardState *state = new ClipboardState;
    return *state;
}

Block *FindBlock(HGLOBAL h)
{
    auto it = Clip().blocks.find(h);
    return it == Clip().blocks.end() ? nullptr : &it->second;
}

void FreeBlock(HGLOBAL h)
{
    auto it = Clip().blocks.find(h);
    if (it == Clip().blocks.end()) return;
    free(it->second.data);
    if (!it->second.fixed) delete static_cast<char *>(h);
    Clip().blocks.erase(it);
}

HGLOBAL AllocBlock(UINT flags, SIZE_T bytes)
{
    Block b;
    b.size = bytes;
    b.fixed = !(flags & GMEM_MOVEABLE);
    b.locks = 0;
    b.data = static_cast<unsigned char *>(flags & GMEM_ZEROINIT ? calloc(bytes ? bytes : 1, 1)
                                                                : malloc(bytes ? bytes : 1));
    if (!b.data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // A moveable block gets a handle of its own, distinct from its memory.
    HGLOBAL h = b.fixed ? static_cast<HGLOBAL>(b.data) : static_cast<HGLOBAL>(new char);
    Clip().blocks[h] = b;
    return h;
}

HGLOBAL NewBlock(const unsigned char *bytes, SIZE_T size)
{
    HGLOBAL h = AllocBlock(GMEM_MOVEABLE, size);
    if (h && size) memcpy(FindBlock(h)->data, bytes, size);
    return h;
}

void EmptyFormats()
{
    for (auto &f : Clip().formats) FreeBlock(f.second);
    Clip().formats.clear();
}

// On closing, each text format is also offered in the other code page,
// converted, like Windows synthesises CF_TEXT and CF_OEMTEXT.
void SynthesizeText()
{
    auto &formats = Clip().formats;
    for (UINT from : {CF_OEMTEXT, CF_TEXT}) {
        UINT to = from == CF_OEMTEXT ? CF_TEXT : CF_OEMTEXT;
        auto it = formats.find(from);
        if (it == formats.end() || formats.count(to)) continue;
        Block *src = FindBlock(it->second);
        if (!src) continue;
        std::vector<unsigned char> bytes(src->data, src->data + src->size);
        for (unsigned char &c : bytes) c = from == CF_OEMTEXT ? OemToAnsiByte(c) : AnsiToOemByte(c);
        formats[to] = NewBlock(bytes.data(), bytes.size());
    }
}

}  // namespace

void ResetClipboard()
{
    EmptyFormats();
    while (!Clip().blocks.empty()) FreeBlock(Clip().blocks.begin()->first);
    Clip().open = false;
    Clip().busy = false;
}

}  // namespace detail

using detail::Clip;

void SetClipboardBusy(bool busy)
{
    Clip().busy = busy;
}

bool ClipboardHasText()
{
    auto it = Clip().formats.find(CF_OEMTEXT);
    return it != Clip().formats.end() && detail::FindBlock(it->second);
}

std::string ClipboardText()
{
    auto it = Clip().formats.find(CF_OEMTEXT);
    detail::Block *b = it == Clip().formats.end() ? nullptr : detail::FindBlock(it->second);
    if (!b) return "";
    return std::string(reinterpret_cast<char *>(b->data), strnlen(reinterpret_cast<char *>(b->data), b->size));
}

void SetClipboardBytes(const std::vector<BYTE> &bytes)
{
    detail::EmptyFormats();
    Clip().formats[CF_OEMTEXT] = detail::NewBlock(bytes.data(), bytes.size());
    detail::SynthesizeText();
}

void SetClipboardText(const std::string &text)
{
    std::vector<BYTE> bytes(text.begin(), text.end());
    bytes.push_back(0);
    SetClipboardBytes(bytes);
}

bool ClipboardIsOpen()
{
    return Clip().open;
}

int LooseGlobalBlocks()
{
    int loose = 0;
    for (const auto &b : Clip().blocks) {
        bool owned = false;
        for (const auto &f : Clip().formats) owned = owned || f.second == b.first;
        loose += owned ? 0 : 1;
    }
    return loose;
}

}  // namespace winsim

using winsim::detail::Clip;
using winsim::detail::Enter;
using winsim::detail::FindBlock;

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes)
{
    if (Enter("GlobalAlloc")) return nullptr;
    return winsim::detail::AllocBlock(flags, bytes);
}

LPVOID WINAPI GlobalLock(HGLOBAL mem)
{
    if (Enter("GlobalLock")) return nullptr;
    winsim::detail::Block *b = FindBlock(mem);
    if (!b) return nullptr;
    if (b->fixed) return b->data;
    if (b->size == 0) return nullptr;  // a moveable block of 0 bytes is discarded
    b->locks++;
    return b->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL mem)
{
    if (Enter("GlobalUnlock")) return FALSE;
    winsim::detail::Block *b = FindBlock(mem);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (b->fixed) return TRUE;
    if (b->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    if (--b->locks > 0) return TRUE;
    SetLastError(0);  // FALSE with no error: now unlocked
    return FALSE;
}

SIZE_T WINAPI GlobalSize(HGLOBAL mem)
{
    if (Enter("GlobalSize")) return 0;
    winsim::detail::Block *b = FindBlock(mem);
    return b ? b->size : 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL mem)
{
    if (Enter("GlobalFree")) return mem;
    if (!mem) return nullptr;
    if (!FindBlock(mem)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return mem;
    }
    winsim::detail::FreeBlock(mem);
    return nullptr;
}

BOOL WINAPI OpenClipboard(HWND)
{
    if (Enter("OpenClipboard")) return FALSE;
    if (Clip().busy) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // Opening again while this process holds it succeeds (one close ends it).
    Clip().open = true;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void)
{
    if (Enter("CloseClipboard")) return FALSE;
    if (!Clip().open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return FALSE;
    }
    winsim::detail::SynthesizeText();
    Clip().open = false;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void)
{
    if (Enter("EmptyClipboard")) return FALSE;
    if (!Clip().open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return FALSE;
    }
    winsim::detail::EmptyFormats();
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT format, HANDLE mem)
{
    if (Enter("SetClipboardData")) return nullptr;
    if (!Clip().open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto &formats = Clip().formats;
    auto it = formats.find(format);
    if (it != formats.end() && it->second != mem) winsim::detail::FreeBlock(it->second);
    formats[format] = mem;  // the clipboard owns the block from now on
    return mem;
}

HANDLE WINAPI GetClipboardData(UINT format)
{
    if (Enter("GetClipboardData")) return nullptr;
    if (!Clip().open) {
        SetLastError(ERROR_CLIPBOARD_NOT_OPEN);
        return nullptr;
    }
    auto it = Clip().formats.find(format);
    return it == Clip().formats.end() ? nullptr : it->second;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format)
{
    if (Enter("IsClipboardFormatAvailable")) return FALSE;
    return Clip().formats.count(format) ? TRUE : FALSE;
}

}  // extern "C"
