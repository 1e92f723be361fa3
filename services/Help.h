// Help: opening the plugin's help file at its contents, on new and old hosts.
#ifndef QUORREL_HELP_H
#define QUORREL_HELP_H

void PluginHelp();

#endif
