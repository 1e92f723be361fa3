// Clipboard: OEM text on the system clipboard (CF_OEMTEXT).
#include "Clipboard.h"

#include "ClipboardCore.h"

bool PutClipboardText(const char *Text)
{
    return clipboard_core::Place<char>(CF_OEMTEXT, Text ? Text : "", false);
}

bool PutClipboardString(const std::string &S)
{
    return clipboard_core::Place(CF_OEMTEXT, S, false);
}

bool ReadClipboardText(std::string &Line)
{
    return clipboard_core::ReadFirstLine(CF_OEMTEXT, Line);
}

std::string GetClipboardText()
{
    std::string Line;
    ReadClipboardText(Line);
    return Line;
}

bool AppendClipboardText(const std::string &S)
{
    return clipboard_core::Place(CF_OEMTEXT, S, true);
}
