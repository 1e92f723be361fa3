// Messages: texts from the host's message file.
#include "Messages.h"

#include "HostInfo.h"

const char *Msg(int Number)
{
    const char *Text = nullptr;
    if (HostInfo.GetMsg) Text = HostInfo.GetMsg(HostInfo.ModuleNumber, Number & 127);
    return Text ? Text : "";
}

MessageTexts LoadMessages()
{
    MessageTexts Texts;
    Texts.PluginTitle = Msg(MsgTitle);
    Texts.TitleSuffix = " - Far";
    Texts.StatusFormat = Msg(MsgStatusFormat);
    Texts.IdentityTableName = Msg(MsgIdentityTable);
    Texts.WindowsTableName = Msg(MsgWindowsTable);
    Texts.DecimalPrompt = Msg(MsgDecimalPrompt);
    Texts.HexPrompt = Msg(MsgHexPrompt);
    return Texts;
}
