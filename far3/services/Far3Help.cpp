// Far3Help: ShowHelp of our own help file.
#include "Far3Help.h"

#include "Far3Host.h"

const wchar_t *const HelpContents = L"Contents";
const wchar_t *const HelpOptions = L"Options";

bool ShowFar3Help(const wchar_t *Topic)
{
    const FARAPISHOWHELP ShowHelp = Far3Info.ShowHelp;
    if (!ShowHelp || !Far3Info.ModuleName) return false;
    // FHELP_SELFHELP: the help file beside ModuleName, the plugin's DLL.
    return ShowHelp(Far3Info.ModuleName, Topic ? Topic : HelpContents, FHELP_SELFHELP) != FALSE;
}
