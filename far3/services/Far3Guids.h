// Far3Guids: the plugin's own GUIDs, by which Far 3 tells its menu items,
// dialogs, messages and settings apart.
#ifndef QUORREL_FAR3GUIDS_H
#define QUORREL_FAR3GUIDS_H

#include "Far3Api.h"

extern const GUID QuorrelGuid;            // the plugin; its settings' root
extern const GUID QuorrelMenuGuid;        // the item in the plugin menus
extern const GUID QuorrelConfigGuid;      // the item in Plugins configuration
extern const GUID QuorrelOptionsGuid;     // the options dialog
extern const GUID QuorrelChartGuid;       // the chart window
extern const GUID QuorrelTableMenuGuid;   // the code page menu

bool SameGuid(const GUID &A, const GUID &B);

#endif
