// MessageIds: the plugin's messages by name, in the order of the message
// files (QuorrelEng.lng, QuorrelGer.lng): a message's number is its place
// in the file. A test reads the files against this list.
#ifndef QUORREL_MESSAGEIDS_H
#define QUORREL_MESSAGEIDS_H

#include <cstdint>

enum MsgId : uint8_t {
    MsgTitle,              // menu entry, window and dialog title
    MsgStatusFormat,       // status line: character, decimal, hexadecimal
    MsgTableMenuTitle,
    MsgIdentityTable,      // the two built-in tables
    MsgWindowsTable,
    MsgDecimalPrompt,      // labels while a code is typed
    MsgHexPrompt,
    MsgPasteHeading,       // options dialog
    MsgPasteNothing,
    MsgPasteCharacter,
    MsgPasteClipboardLine,
    MsgCopyRawCode,
    MsgCopyTableChar,
    MsgTypeCharacter,
    MsgTypeDecimal,
    MsgTypeHexadecimal,
    MsgShowEditorChar,
    MsgShowCmdlineChar,
    MsgShowWinTable,
    MsgOk,
    MsgCancel,
    MsgHelpTitle,          // the help dialog of older hosts
    MsgShownAs,            // before the glyph the console draws for a control code
    MsgDetailsTitle,       // details (F3): title, the forms' labels, copy button
    MsgFormCharacter,
    MsgFormDecimal,
    MsgFormHexadecimal,
    MsgFormOctal,
    MsgFormUnicode,
    MsgFormName,
    MsgFormUtf8,
    MsgFormHtml,
    MsgFormCString,
    MsgFormKeystroke,
    MsgCopy,
    MsgFindTitle,          // find by name (F7): title, prompt, button, no match
    MsgFindPrompt,
    MsgFind,
    MsgFindNoMatch,
    MsgRecentTitle,        // recently chosen (Alt+F8): title, not in the table, none yet
    MsgRecentNotInTable,
    MsgRecentEmpty,
    MsgNotShown,           // details (F3): a Windows code the console cannot show
    MsgCount
};

#endif
