// DlgMenu: the host's startup record, messages, dialog items, help, and the
// exchange of characters with the editor and the command line.
#ifndef QUORREL_DLGMENU_H
#define QUORREL_DLGMENU_H

#include "Plugin.h"

#include <cstdint>
#include <string>

// Host services (held here, used everywhere).
extern PluginStartupInfo HostInfo;
extern int OpenFrom;

// Message variables, filled by LoadMessages at every opening.
extern std::string PluginTitle;
extern std::string TitleSuffix;
extern const char *StatusFormat;    // host's pointer
extern const char *TableMenuTitle;  // host's pointer
extern std::string IdentityTableName;
extern std::string WindowsTableName;
extern std::string DecimalPrompt;
extern std::string HexPrompt;

// Static description of one dialog item.
struct DialogItemInit {
    int32_t Type;
    int32_t X1, Y1, X2;
    uint32_t Flags;
    uint8_t Message;
};

const char *Msg(int Number);
void LoadMessages();
void BuildDialogItems(const DialogItemInit *Inits, int Count, FarDialogItem *Items,
                      int FocusIndex, int DefaultIndex);
void PluginHelp();

// Editor and command-line exchange.
void PickStartChar();
void DeliverResult(unsigned char Choice);
unsigned char EditorCharAtCursor();
unsigned char CmdLineCharAtCursor();
void EditorPutText(const std::string &S);
void CmdLineInsert(const std::string &S);
void TypeChar(unsigned char Ch);

// Back to load-time state (for tests).
void DlgMenuResetForTests();

#endif
