// Messages: the plugin's texts from the host's message file, and the message
// variables filled from them at every opening.
#ifndef QUORREL_MESSAGES_H
#define QUORREL_MESSAGES_H

#include <string>

extern std::string PluginTitle;
extern std::string TitleSuffix;
extern const char *StatusFormat;    // host's pointer
extern const char *TableMenuTitle;  // host's pointer
extern std::string IdentityTableName;
extern std::string WindowsTableName;
extern std::string DecimalPrompt;
extern std::string HexPrompt;

// The host's text for a message number ("" when the host has none).
const char *Msg(int Number);
void LoadMessages();

// Back to load-time state (for tests).
void MessagesResetForTests();

#endif
