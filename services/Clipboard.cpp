// Clipboard: OEM text on the system clipboard (CF_OEMTEXT).
#include "Clipboard.h"

#include <windows.h>

#include <cstring>

bool PutClipboardText(const char *Text)
{
    if (!Text || !*Text) return true;
    size_t Length = std::strlen(Text);

    // The block is filled before the clipboard is opened and emptied, so that
    // running out of memory leaves the old contents in place.
    HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, Length + 1);
    if (!Block) return true;
    void *Data = GlobalLock(Block);
    if (!Data) {
        GlobalFree(Block);
        return true;
    }
    std::memcpy(Data, Text, Length + 1);
    GlobalUnlock(Block);

    if (!OpenClipboard(nullptr)) {
        GlobalFree(Block);
        return false;
    }
    EmptyClipboard();
    // On success the clipboard owns the block; otherwise it is still ours.
    if (!SetClipboardData(CF_OEMTEXT, Block)) GlobalFree(Block);
    CloseClipboard();
    return true;
}

void PutClipboardString(const std::string &S)
{
    PutClipboardText(S.c_str());
}

std::string GetClipboardText()
{
    std::string Result;
    if (OpenClipboard(nullptr)) {
        HANDLE Block = GetClipboardData(CF_OEMTEXT);
        if (Block) {
            const char *Data = static_cast<const char *>(GlobalLock(Block));
            if (Data) {
                // Another program may have placed text without its zero: never
                // read past the block.
                size_t Size = GlobalSize(Block);
                const void *Zero = std::memchr(Data, 0, Size);
                Result.assign(Data, Zero ? static_cast<const char *>(Zero) - Data : Size);
                GlobalUnlock(Block);
            }
        }
        CloseClipboard();
    }
    size_t Cr = Result.find('\r');
    if (Cr != std::string::npos) Result.resize(Cr);
    size_t Lf = Result.find('\n');
    if (Lf != std::string::npos) Result.resize(Lf);
    return Result;
}

void AppendClipboardText(const std::string &S)
{
    PutClipboardString(GetClipboardText() + S);
}
