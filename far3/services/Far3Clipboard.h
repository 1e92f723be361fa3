// Far3Clipboard: Unicode text on the system clipboard (CF_UNICODETEXT). A
// write that fails leaves the text that was there before; an append whose
// read fails writes nothing.
#ifndef QUORREL_FAR3CLIPBOARD_H
#define QUORREL_FAR3CLIPBOARD_H

#include <string>

// True when the text (up to a zero in it) is now on the clipboard; an empty
// text asks for nothing, leaves the clipboard alone and is true too.
bool PutFar3Clipboard(const std::wstring &Text);
// The first line followed by Text replaces the clipboard's text, read and
// written in one opening; false, changing nothing, when either fails.
bool AppendFar3Clipboard(const std::wstring &Text);
// The first line of the clipboard's text: false, with Line empty, when the
// clipboard holds text that could not be read. No text reads as "".
bool ReadFar3Clipboard(std::wstring &Line);

#endif
