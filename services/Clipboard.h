// Clipboard: OEM text on the system clipboard.
#ifndef QUORREL_CLIPBOARD_H
#define QUORREL_CLIPBOARD_H

#include <string>

bool PutClipboardText(const char *Text);
void PutClipboardString(const std::string &S);
std::string GetClipboardText();  // the first line
void AppendClipboardText(const std::string &S);

#endif
