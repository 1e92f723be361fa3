// NoticeDialog: a host dialog that says one thing and has one button, for
// the find and history keys.
#ifndef QUORREL_NOTICEDIALOG_H
#define QUORREL_NOTICEDIALOG_H

#include <string>

// The host takes '&' in an item's text as the mark of its hotkey; "&&"
// shows one '&'. For texts that are not messages: names, forms, typed words.
std::string LiteralAmpersands(const std::string &Text);

// A dialog titled by message TitleMsg, with the text of message TextMsg,
// the line Detail below it (shown as it is) and an OK button (message 19).
// The caller hands the screen to the host around it.
void ShowNotice(int TitleMsg, int TextMsg, const std::string &Detail);

#endif
