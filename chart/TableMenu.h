// TableMenu: the host's menu of code tables, which chooses the current table.
#ifndef QUORREL_TABLEMENU_H
#define QUORREL_TABLEMENU_H

#include "ChartState.h"

void CodeTableMenu(ChartState &S);

#endif
