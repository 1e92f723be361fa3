// Far3Clipboard: the clipboard's core in UTF-16 code units. The plugin's
// strings are wchar_t, which is WCHAR on Windows and wider natively.
#include "Far3Clipboard.h"

#include "ClipboardCore.h"

namespace {

using Units = std::basic_string<WCHAR>;

Units ToUnits(const std::wstring &Text)
{
    return Units(Text.begin(), Text.end());
}

std::wstring FromUnits(const Units &Text)
{
    return std::wstring(Text.begin(), Text.end());
}

}  // namespace

bool PutFar3Clipboard(const std::wstring &Text)
{
    return clipboard_core::Place(CF_UNICODETEXT, ToUnits(Text), false);
}

bool AppendFar3Clipboard(const std::wstring &Text)
{
    return clipboard_core::Place(CF_UNICODETEXT, ToUnits(Text), true);
}

bool ReadFar3Clipboard(std::wstring &Line)
{
    Units Read;
    const bool Done = clipboard_core::ReadFirstLine(CF_UNICODETEXT, Read);
    Line = FromUnits(Read);
    return Done;
}
