// The command line of quorrel-host, parsed apart from the program so that
// its rules can be tested.
#ifndef QUORREL_HOST_OPTIONS_H
#define QUORREL_HOST_OPTIONS_H

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct HostOptions {
    std::string From = "panels";  // panels, editor or viewer
    bool FromGiven = false;
    bool Configure = false;
    std::string CmdLine;
    int CmdLinePos = -1;  // -1: the end of the text
    std::string EditorLine;
    int EditorPos = 0;
    int EditorTable = -1;
    bool EditorAnsi = false;
    std::string PluginPath;  // empty: the plugin beside the program
    std::string Language = "English";
    bool HaveKeys = false;
    std::string Keys;
    bool Report = false;
    bool Help = false;
    bool ClearSettings = false;
    std::vector<std::pair<std::string, DWORD>> Settings;  // --set NAME=VALUE
    bool HaveClipboard = false;
    std::string Clipboard;  // --clipboard TEXT, or the bytes of --clipboard-hex
    int CharTables = -1;  // -1: every table the host has
    bool OldHost = false;  // a startup record that ends before ShowHelp
    int Timeout = -1;      // seconds; 0: none; -1: DefaultScriptTimeout for a scripted run
};

// A run with --keys or --report ends on its own after this many seconds
// unless --timeout says otherwise: nobody may be there to end it.
constexpr int DefaultScriptTimeout = 120;
// The time limit of the scripted part of a run, in seconds; 0 for none.
int ScriptTimeout(const HostOptions &Options);

// False with Error set for an unknown option, a missing or bad value, or a
// key script that does not parse.
bool ParseHostOptions(const std::vector<std::string> &Args, HostOptions &Options,
                      std::string &Error);
// The runs a command line asks for: its options split at each "--then",
// every part parsed as ParseHostOptions does. Each run of several must be a
// scripted one (it opens the plugin at once); --help may stand alone only.
bool ParseHostRuns(const std::vector<std::string> &Args, std::vector<HostOptions> &Runs,
                   std::string &Error);
// Whether the options open the plugin at once (--from, --configure, --keys,
// --report) rather than bring up the panels for the user.
bool ScriptedRun(const HostOptions &Options);
// Command is the name the user typed the program by ("./run" when started
// through the repository's script).
std::string HostUsage(const std::string &Command = "quorrel-host");

// Text for a key=value line: printable ASCII as it stands, a backslash as
// "\\", every other byte as "\xHH".
std::string EscapeReportText(const std::string &Text);
std::string HexBytes(const std::string &Bytes);

#endif
