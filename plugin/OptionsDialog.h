// OptionsDialog: the host's dialog that edits six of the seven settings.
#ifndef QUORREL_OPTIONSDIALOG_H
#define QUORREL_OPTIONSDIALOG_H

// Shows the dialog; after the confirm button the settings are read back and
// saved, and the result is -1 (the result of Configure), otherwise 0.
int RunOptionsDialog();
// The chart window's OptionsHook: Configure with 0, its result ignored.
void ShowOptions();

#endif
