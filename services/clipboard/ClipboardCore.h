// ClipboardCore: text on the system clipboard in one format, one code unit
// type: the Far 1.x edition's OEM text (char, CF_OEMTEXT) and the Far 3
// edition's Unicode text (WCHAR, CF_UNICODETEXT) share it. What it keeps:
// another program may hold the clipboard for a moment, so opening is tried
// a few times; text another program placed without its zero is never read
// past its block; nothing is emptied before the new block is ready, and a
// clipboard that refuses the new block gets its old text back; an append
// reads and writes in one opening, and never replaces a text it could not
// read.
#ifndef QUORREL_CLIPBOARDCORE_H
#define QUORREL_CLIPBOARDCORE_H

#include <windows.h>

#include <cstring>
#include <string>

namespace clipboard_core {

// A few tries over about 100 ms before giving up.
const int OpenAttempts = 5;
const DWORD RetryDelayMs = 25;

inline bool OpenPatiently()
{
    for (int Attempt = 1;; Attempt++) {
        if (OpenClipboard(nullptr)) return true;
        if (Attempt == OpenAttempts) return false;
        Sleep(RetryDelayMs);
    }
}

inline void Close()
{
    // A clipboard left open is closed to every other program.
    if (!CloseClipboard()) CloseClipboard();
}

// The open clipboard's text in Format, up to its zero. False when it holds
// text that could not be read; no text at all reads as an empty one.
template <class Unit>
bool ReadOpenText(UINT Format, std::basic_string<Unit> &Text)
{
    Text.clear();
    HANDLE Block = GetClipboardData(Format);
    if (!Block) return !IsClipboardFormatAvailable(Format);
    const Unit *Data = static_cast<const Unit *>(GlobalLock(Block));
    // A moveable block of 0 bytes has no memory to lock: an empty text.
    if (!Data) return GlobalSize(Block) == 0;
    // A locked block has bytes: a size of 0 is GlobalSize failing.
    const SIZE_T Size = GlobalSize(Block);
    const SIZE_T Units = Size / sizeof(Unit);
    size_t Length = 0;
    while (Length < Units && Data[Length]) Length++;
    Text.assign(Data, Length);
    GlobalUnlock(Block);
    return Size > 0;
}

template <class Unit>
std::basic_string<Unit> FirstLine(std::basic_string<Unit> Text)
{
    size_t Cr = Text.find(Unit('\r'));
    if (Cr != Text.npos) Text.resize(Cr);
    size_t Lf = Text.find(Unit('\n'));
    if (Lf != Text.npos) Text.resize(Lf);
    return Text;
}

// A moveable block holding Text and its zero, or null.
template <class Unit>
HGLOBAL TextBlock(const std::basic_string<Unit> &Text)
{
    const SIZE_T Bytes = (Text.size() + 1) * sizeof(Unit);
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Bytes);
    if (!Block) return nullptr;
    void *Data = GlobalLock(Block);
    if (!Data) {
        GlobalFree(Block);
        return nullptr;
    }
    std::memcpy(Data, Text.c_str(), Bytes);
    GlobalUnlock(Block);
    return Block;
}

inline bool SetText(UINT Format, HGLOBAL Block)
{
    if (SetClipboardData(Format, Block)) return true;  // the clipboard owns it now
    GlobalFree(Block);
    return false;
}

// Replaces the open clipboard's contents with Text. When the clipboard then
// refuses it, Old (if it could be read) goes back. True when Text went on.
template <class Unit>
bool ReplaceOpenText(UINT Format, const std::basic_string<Unit> &Text,
                     const std::basic_string<Unit> *Old)
{
    HGLOBAL Block = TextBlock(Text);
    if (!Block) return false;
    if (!EmptyClipboard()) {
        GlobalFree(Block);
        return false;
    }
    if (SetText(Format, Block)) return true;
    if (Old && !Old->empty())
        if (HGLOBAL Back = TextBlock(*Old)) SetText(Format, Back);
    return false;
}

// Puts Text (up to its zero), or the first line followed by Text, in one
// opening of the clipboard, so that nothing changes it between the read and
// the write. An empty text put (not appended) asks for nothing and is true.
template <class Unit>
bool Place(UINT Format, const std::basic_string<Unit> &Text, bool Append)
{
    const std::basic_string<Unit> Added = Text.substr(0, Text.find(Unit(0)));
    if (!Append && Added.empty()) return true;
    if (!OpenPatiently()) return false;
    std::basic_string<Unit> Old;
    const bool OldRead = ReadOpenText(Format, Old);
    bool Done = false;
    // Appending to a text that could not be read would replace it.
    if (OldRead || !Append) {
        const std::basic_string<Unit> New = Append ? FirstLine(Old) + Added : Added;
        Done = New.empty() || ReplaceOpenText(Format, New, OldRead ? &Old : nullptr);
    }
    Close();
    return Done;
}

// The first line of the clipboard's text in Format: false, with Line empty,
// when the clipboard holds text that could not be read.
template <class Unit>
bool ReadFirstLine(UINT Format, std::basic_string<Unit> &Line)
{
    Line.clear();
    if (!OpenPatiently()) return false;
    std::basic_string<Unit> Text;
    const bool Read = ReadOpenText(Format, Text);
    Close();
    if (Read) Line = FirstLine(Text);
    return Read;
}

}  // namespace clipboard_core

#endif
