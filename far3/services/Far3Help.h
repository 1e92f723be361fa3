// Far3Help: the plugin's help (Quorrel.hlf, QuorrelGer.hlf beside the DLL).
#ifndef QUORREL_FAR3HELP_H
#define QUORREL_FAR3HELP_H

// Topics of the help files.
extern const wchar_t *const HelpContents;  // "Contents"
extern const wchar_t *const HelpOptions;   // "Options"

// Shows a topic of our help (Contents when null); false when the host has
// no ShowHelp or could not show it.
bool ShowFar3Help(const wchar_t *Topic);

#endif
