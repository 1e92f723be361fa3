// Far3Messages: the plugin's texts from its message files (QuorrelEng.lng,
// QuorrelGer.lng beside the DLL, in Far 3's format), by number. The numbers
// are those of the Far 1.x edition's files, from which Far 3's are made.
#ifndef QUORREL_FAR3MESSAGES_H
#define QUORREL_FAR3MESSAGES_H

enum Far3MessageNumber {
    MsgTitle = 0,
    MsgTableMenuTitle = 2,
    MsgOemTable = 3,
    MsgAnsiTable = 4,
    MsgOptionsFirst = 7,  // 7-20: the options dialog's texts, in its order
    MsgOk = 19,
    MsgCancel = 20,
};

// The host's text ("" when the host has none).
const wchar_t *Far3Msg(int Number);

#endif
