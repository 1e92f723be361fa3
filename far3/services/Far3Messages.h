// Far3Messages: the plugin's texts from its message files (QuorrelEng.lng,
// QuorrelGer.lng beside the DLL, in Far 3's format), by name. The Far 3
// files are made from the Far 1.x edition's, so the names are the same.
#ifndef QUORREL_FAR3MESSAGES_H
#define QUORREL_FAR3MESSAGES_H

#include "MessageIds.h"

// The host's text ("" when the host has none).
const wchar_t *Far3Msg(MsgId Id);

#endif
