// FindDialog: finding a character by name (F7, Shift+F7, Ctrl+F7): the
// dialog that asks for the words, and the notice when nothing matches.
#ifndef QUORREL_FINDDIALOG_H
#define QUORREL_FINDDIALOG_H

#include "ChartState.h"

// The dialog: the words (the last ones ready to edit), then a search from
// the selected code in the direction of Step, the selected code included.
// Nothing typed changes nothing; no match says so and leaves the selection.
void FindByNameDialog(ChartState &S, int Step);
// The next (Step 1) or previous (Step -1) match of the last words after the
// selected code; the dialog when there are no words yet.
void FindAgain(ChartState &S, int Step);

#endif
