// Clipboard: OEM text on the system clipboard. A write that fails leaves
// the text that was there before; an append whose read fails writes nothing.
#ifndef QUORREL_CLIPBOARD_H
#define QUORREL_CLIPBOARD_H

#include <string>

// True when the text (up to its zero) is now on the clipboard; an empty text
// asks for nothing, leaves the clipboard alone and is true too.
bool PutClipboardText(const char *Text);
bool PutClipboardString(const std::string &S);
// The first line of the clipboard's text: false, with Line empty, when the
// clipboard holds text that could not be read. No text reads as "".
bool ReadClipboardText(std::string &Line);
std::string GetClipboardText();  // the first line, "" when it could not be read
// The first line followed by S replaces the clipboard's text, read and
// written in one opening; false, changing nothing, when either fails.
bool AppendClipboardText(const std::string &S);

#endif
