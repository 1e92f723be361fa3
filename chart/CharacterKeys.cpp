// CharacterKeys: dispatch of the Unicode keys to their dialogs.
#include "CharacterKeys.h"

#include "Console.h"
#include "DetailsDialog.h"
#include "FindDialog.h"
#include "RecentMenu.h"
#include "UnicodeSettings.h"

bool CharacterKey(int Key)
{
    switch (Key) {
    case kbF2:
        UnicodeStatus = !UnicodeStatus;
        SaveUnicodeStatus();
        return true;
    case kbF3:
        ShowDetails();
        return true;
    case kbF7:
        // Again on the match it found: the next one; anywhere else, new words.
        if (FindChainGoesOn())
            FindAgain(1);
        else
            FindByNameDialog(1);
        return true;
    case kbShiftF7:
        FindAgain(-1);
        return true;
    case kbCtrlF7:
        FindByNameDialog(1);
        return true;
    case kbAltF8:
        ShowRecentMenu();
        return true;
    default:
        return false;
    }
}

bool CharacterKeyOpensHostUi(int Key)
{
    return Key == kbF3 || Key == kbF7 || Key == kbShiftF7 || Key == kbCtrlF7 || Key == kbAltF8;
}
