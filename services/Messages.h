// Messages: the plugin's texts from the host's message file, and the texts
// an opening takes from it once.
#ifndef QUORREL_MESSAGES_H
#define QUORREL_MESSAGES_H

#include "MessageIds.h"

#include <string>

// The host's text for a message ("" when the host has none).
const char *Msg(int Number);

// The texts the chart window uses on every frame, read at each opening.
struct MessageTexts {
    std::string PluginTitle;
    std::string TitleSuffix;  // after the title in the console's title bar
    const char *StatusFormat = "";  // the host's text
    std::string IdentityTableName;
    std::string WindowsTableName;
    std::string DecimalPrompt;
    std::string HexPrompt;
};
MessageTexts LoadMessages();

#endif
