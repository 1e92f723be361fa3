// Exchange: characters between the plugin and the editor or the command
// line, at the start of an opening and when its result is delivered.
#ifndef QUORREL_EXCHANGE_H
#define QUORREL_EXCHANGE_H

#include <string>

void PickStartChar();
void DeliverResult(unsigned char Choice);
unsigned char EditorCharAtCursor();
unsigned char CmdLineCharAtCursor();
void EditorPutText(const std::string &S);
void CmdLineInsert(const std::string &S);
void TypeChar(unsigned char Ch);

// Back to load-time state (for tests).
void ExchangeResetForTests();

#endif
