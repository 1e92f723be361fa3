// Far3OptionsDialog: the six options in a Far 3 dialog, with the Far 1.x
// edition's layout and texts (messages 0 and 7 to 20).
#ifndef QUORREL_FAR3OPTIONSDIALOG_H
#define QUORREL_FAR3OPTIONSDIALOG_H

// Shows the dialog; when the user confirms, sets the options and saves
// them, and is true. Esc, Cancel or a host without dialogs change nothing.
bool RunFar3OptionsDialog();

#endif
