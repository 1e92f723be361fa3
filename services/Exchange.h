// Exchange: characters between the plugin and the editor or the command
// line, at the start of an opening and when its result is delivered.
#ifndef QUORREL_EXCHANGE_H
#define QUORREL_EXCHANGE_H

#include <string>

// The code the chart starts on, as the options ask: the editor's character
// under its cursor, or the command line's at its cursor; -1 to keep the
// last code.
int PickStartChar(int OpenFrom);
// Types or inserts the chosen character where the opening came from, as
// PasteMode and CopyMode say; 0 delivers nothing.
void DeliverResult(unsigned char Choice, int OpenFrom);
unsigned char EditorCharAtCursor();
unsigned char CmdLineCharAtCursor();
void EditorPutText(const std::string &S);
void CmdLineInsert(const std::string &S);
void TypeChar(unsigned char Ch);

#endif
