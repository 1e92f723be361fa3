// Clipboard: OEM text on the system clipboard (CF_OEMTEXT).
#include "Clipboard.h"

#include <windows.h>

#include <cstring>

namespace {

// Another program may hold the clipboard for a moment (clipboard managers
// read every change): a few tries over about 100 ms before giving up.
const int OpenAttempts = 5;
const DWORD RetryDelayMs = 25;

bool OpenPatiently()
{
    for (int Attempt = 1;; Attempt++) {
        if (OpenClipboard(nullptr)) return true;
        if (Attempt == OpenAttempts) return false;
        Sleep(RetryDelayMs);
    }
}

void Close()
{
    // A clipboard left open is closed to every other program.
    if (!CloseClipboard()) CloseClipboard();
}

// The open clipboard's text, up to its zero. False when it holds text that
// could not be read; no text at all reads as an empty one.
bool ReadOpenText(std::string &Text)
{
    Text.clear();
    HANDLE Block = GetClipboardData(CF_OEMTEXT);
    if (!Block) return !IsClipboardFormatAvailable(CF_OEMTEXT);
    const char *Data = static_cast<const char *>(GlobalLock(Block));
    // A moveable block of 0 bytes has no memory to lock: an empty text.
    if (!Data) return GlobalSize(Block) == 0;
    // A locked block has bytes: a size of 0 is GlobalSize failing. Another
    // program may have placed text without its zero: never read past the block.
    const SIZE_T Size = GlobalSize(Block);
    if (Size > 0) {
        const void *Zero = std::memchr(Data, 0, Size);
        Text.assign(Data, Zero ? static_cast<const char *>(Zero) - Data : Size);
    }
    GlobalUnlock(Block);
    return Size > 0;
}

std::string FirstLine(std::string Text)
{
    size_t Cr = Text.find('\r');
    if (Cr != std::string::npos) Text.resize(Cr);
    size_t Lf = Text.find('\n');
    if (Lf != std::string::npos) Text.resize(Lf);
    return Text;
}

// A moveable block holding Text and its zero, or null.
HGLOBAL TextBlock(const std::string &Text)
{
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Text.size() + 1);
    if (!Block) return nullptr;
    void *Data = GlobalLock(Block);
    if (!Data) {
        GlobalFree(Block);
        return nullptr;
    }
    std::memcpy(Data, Text.c_str(), Text.size() + 1);
    GlobalUnlock(Block);
    return Block;
}

bool SetText(HGLOBAL Block)
{
    if (SetClipboardData(CF_OEMTEXT, Block)) return true;  // the clipboard owns it now
    GlobalFree(Block);
    return false;
}

// Replaces the open clipboard's contents with Text. Nothing is emptied before
// the new block is ready; when the clipboard then refuses it, Old (if it
// could be read) goes back. True when Text went on.
bool ReplaceOpenText(const std::string &Text, const std::string *Old)
{
    HGLOBAL Block = TextBlock(Text);
    if (!Block) return false;
    if (!EmptyClipboard()) {
        GlobalFree(Block);
        return false;
    }
    if (SetText(Block)) return true;
    if (Old && !Old->empty())
        if (HGLOBAL Back = TextBlock(*Old)) SetText(Back);
    return false;
}

// Puts Text (up to its zero), or the first line followed by Text, in one
// opening of the clipboard, so that nothing changes it between the read and
// the write.
bool Place(const std::string &Text, bool Append)
{
    const std::string Added = Text.substr(0, Text.find('\0'));
    if (!Append && Added.empty()) return true;
    if (!OpenPatiently()) return false;
    std::string Old;
    const bool OldRead = ReadOpenText(Old);
    bool Done = false;
    // Appending to a text that could not be read would replace it.
    if (OldRead || !Append) {
        const std::string New = Append ? FirstLine(Old) + Added : Added;
        Done = New.empty() || ReplaceOpenText(New, OldRead ? &Old : nullptr);
    }
    Close();
    return Done;
}

}  // namespace

bool PutClipboardText(const char *Text)
{
    return Place(Text ? Text : "", false);
}

bool PutClipboardString(const std::string &S)
{
    return Place(S, false);
}

bool ReadClipboardText(std::string &Line)
{
    Line.clear();
    if (!OpenPatiently()) return false;
    std::string Text;
    const bool Read = ReadOpenText(Text);
    Close();
    if (Read) Line = FirstLine(Text);
    return Read;
}

std::string GetClipboardText()
{
    std::string Line;
    ReadClipboardText(Line);
    return Line;
}

bool AppendClipboardText(const std::string &S)
{
    return Place(S, true);
}
