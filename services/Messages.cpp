// Messages: texts from the host's message file and the message variables.
#include "Messages.h"

#include "HostInfo.h"

std::string PluginTitle;
std::string TitleSuffix;
const char *StatusFormat = nullptr;
const char *TableMenuTitle = nullptr;
std::string IdentityTableName;
std::string WindowsTableName;
std::string DecimalPrompt;
std::string HexPrompt;

const char *Msg(int Number)
{
    const char *Text = nullptr;
    if (HostInfo.GetMsg) Text = HostInfo.GetMsg(HostInfo.ModuleNumber, Number & 127);
    return Text ? Text : "";
}

void LoadMessages()
{
    PluginTitle = Msg(0);
    TitleSuffix = " - Far";
    StatusFormat = Msg(1);
    TableMenuTitle = Msg(2);
    IdentityTableName = Msg(3);
    WindowsTableName = Msg(4);
    DecimalPrompt = Msg(5);
    HexPrompt = Msg(6);
}

void MessagesResetForTests()
{
    PluginTitle.clear();
    TitleSuffix.clear();
    StatusFormat = nullptr;
    TableMenuTitle = nullptr;
    IdentityTableName.clear();
    WindowsTableName.clear();
    DecimalPrompt.clear();
    HexPrompt.clear();
}
