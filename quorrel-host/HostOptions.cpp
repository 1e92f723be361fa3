// quorrel-host's command line.
#include "HostOptions.h"

#include "Host.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

bool ParseInt(const std::string &Text, long Low, long High, int &Value)
{
    if (Text.empty()) return false;
    errno = 0;
    char *End = nullptr;
    long N = std::strtol(Text.c_str(), &End, 10);
    if (errno != 0 || !End || *End != 0 || N < Low || N > High) return false;
    Value = int(N);
    return true;
}

bool ParseSetting(const std::string &Text, std::pair<std::string, DWORD> &Setting)
{
    size_t Eq = Text.find('=');
    if (Eq == std::string::npos || Eq == 0) return false;
    std::string Value = Text.substr(Eq + 1);
    if (Value.empty()) return false;
    errno = 0;
    char *End = nullptr;
    long long N = std::strtoll(Value.c_str(), &End, 0);
    if (errno != 0 || !End || *End != 0 || N < -2147483648LL || N > 4294967295LL) return false;
    Setting = {Text.substr(0, Eq), DWORD(N)};
    return true;
}

bool ParseHex(const std::string &Text, std::string &Bytes)
{
    Bytes.clear();
    if (Text.size() % 2 != 0) return false;
    for (size_t I = 0; I < Text.size(); I += 2) {
        int Value = 0;
        for (size_t K = I; K < I + 2; K++) {
            char Ch = Text[K];
            int Digit = Ch >= '0' && Ch <= '9'   ? Ch - '0'
                        : Ch >= 'a' && Ch <= 'f' ? Ch - 'a' + 10
                        : Ch >= 'A' && Ch <= 'F' ? Ch - 'A' + 10
                                                 : -1;
            if (Digit < 0) return false;
            Value = Value * 16 + Digit;
        }
        Bytes += char(Value);
    }
    return true;
}

}  // namespace

int ScriptTimeout(const HostOptions &O)
{
    if (O.Timeout >= 0) return O.Timeout;
    return O.HaveKeys || O.Report ? DefaultScriptTimeout : 0;
}

bool ScriptedRun(const HostOptions &O) { return O.FromGiven || O.Configure || O.HaveKeys || O.Report; }

std::string HostUsage(const std::string &Command)
{
    return "Usage: " + Command + " [options]\n" +
           std::string(
               "A stand-in for the file manager Far: loads the Quorrel plugin and opens it\n"
               "from its panels (F11), its editor (F4, then F11) or its viewer (F3, then F11).\n"
               "\n"
               "  --from panels|editor|viewer  open the plugin from there at once\n"
               "  --configure              run the plugin's options dialog at once\n"
               "  --cmdline TEXT           the command line's text\n"
               "  --cmdline-pos N          its cursor (default: the end of the text)\n"
               "  --editor-line TEXT       the editor's line\n"
               "  --editor-pos N           its cursor (default 0)\n"
               "  --editor-table N         the editor's host code table, -1 for none (default)\n"
               "  --editor-ansi            without a table, the text is in the Windows encoding\n"
               "  --plugin PATH            the plugin module (default: the one beside this\n"
               "                           program)\n"
               "  --language NAME          message and help language: English (the default)\n"
               "                           or another of the plugin's .lng files, as German\n"
               "  --keys SPEC              queue these input events before opening (below)\n"
               "  --report                 after the plugin returns, print key=value lines\n"
               "                           (command line, editor, clipboard, the plugin's\n"
               "                           registry values, whether the console is as before,\n"
               "                           input left) and exit\n"
               "  --set NAME=VALUE         store a DWORD value in the plugin's registry key first\n"
               "  --clear-settings         delete the plugin's registry values (and its history)\n"
               "                           first\n"
               "  --clipboard TEXT         put TEXT on the clipboard first (\"\" empties it)\n"
               "  --clipboard-hex HEX      the same with the bytes given in hexadecimal\n"
               "  --tables N               offer N code tables (the host's repeated as needed)\n"
               "  --old-host               a startup record without ShowHelp, as older hosts\n"
               "  --timeout SECONDS        give up on a scripted opening (--keys, --report)\n"
               "                           after this long; 0: never (default 120)\n"
               "  --then                   another scripted opening follows, with the options\n"
               "                           after this one, once this one has ended\n"
               "  --help                   this text\n"
               "\n"
               "The plugin is opened at once with --from, --configure, --keys or --report;\n"
               "otherwise the panels come up and wait for you. Options take their value as\n"
               "the next argument or after '='.\n"
               "\n"
               "Scripted openings joined by --then run one after the other in this one\n"
               "program, each as if it were a program of its own: the options before a run\n"
               "are not carried over, the plugin is loaded afresh, the screen put back. With\n"
               "--report each report begins with a line run=N (from 1); the first opening\n"
               "that fails or runs out of time ends the program.\n"
               "\n") +
           KeySpecHelp;
}

bool ParseHostOptions(const std::vector<std::string> &Args, HostOptions &O, std::string &Error)
{
    for (size_t I = 0; I < Args.size(); I++) {
        std::string Name = Args[I], Value;
        bool Inline = false;
        size_t Eq = Name.find('=');
        if (Name.compare(0, 2, "--") == 0 && Eq != std::string::npos) {
            Value = Name.substr(Eq + 1);
            Name = Name.substr(0, Eq);
            Inline = true;
        }
        auto Flag = [&](bool &Target) {
            if (Inline) {
                Error = Name + " takes no value";
                return false;
            }
            Target = true;
            return true;
        };
        auto Take = [&]() {
            if (Inline) return true;
            if (I + 1 >= Args.size()) {
                Error = Name + " needs a value";
                return false;
            }
            Value = Args[++I];
            return true;
        };
        auto Number = [&](long Low, long High, int &Target) {
            if (!Take()) return false;
            if (!ParseInt(Value, Low, High, Target)) {
                Error = "bad number for " + Name + ": '" + Value + "'";
                return false;
            }
            return true;
        };
        bool Ok = true;
        if (Name == "--help" || Name == "-h") {
            Ok = Flag(O.Help);
        } else if (Name == "--from") {
            Ok = Take();
            if (Ok && Value != "panels" && Value != "editor" && Value != "viewer") {
                Error = "--from takes panels, editor or viewer, not '" + Value + "'";
                Ok = false;
            }
            O.From = Value;
            O.FromGiven = true;
        } else if (Name == "--configure") {
            Ok = Flag(O.Configure);
        } else if (Name == "--cmdline") {
            Ok = Take();
            O.CmdLine = Value;
        } else if (Name == "--cmdline-pos") {
            Ok = Number(0, 100000, O.CmdLinePos);
        } else if (Name == "--editor-line") {
            Ok = Take();
            O.EditorLine = Value;
        } else if (Name == "--editor-pos") {
            Ok = Number(0, 100000, O.EditorPos);
        } else if (Name == "--editor-table") {
            Ok = Number(-1, 255, O.EditorTable);
        } else if (Name == "--editor-ansi") {
            Ok = Flag(O.EditorAnsi);
        } else if (Name == "--plugin") {
            Ok = Take();
            O.PluginPath = Value;
            if (Ok && Value.empty()) {
                Error = "--plugin needs a path";
                Ok = false;
            }
        } else if (Name == "--language") {
            Ok = Take();
            O.Language = Value;
        } else if (Name == "--keys") {
            Ok = Take();
            std::vector<INPUT_RECORD> Records;
            std::string Why;
            if (Ok && !ParseKeySpec(Value, Records, Why)) {
                Error = "--keys: " + Why;
                Ok = false;
            }
            O.Keys = Value;
            O.HaveKeys = true;
        } else if (Name == "--report") {
            Ok = Flag(O.Report);
        } else if (Name == "--set") {
            Ok = Take();
            std::pair<std::string, DWORD> Setting;
            if (Ok && !ParseSetting(Value, Setting)) {
                Error = "--set takes NAME=NUMBER, not '" + Value + "'";
                Ok = false;
            }
            if (Ok) O.Settings.push_back(Setting);
        } else if (Name == "--clear-settings") {
            Ok = Flag(O.ClearSettings);
        } else if (Name == "--clipboard") {
            Ok = Take();
            O.Clipboard = Value;
            O.HaveClipboard = true;
        } else if (Name == "--clipboard-hex") {
            Ok = Take();
            if (Ok && !ParseHex(Value, O.Clipboard)) {
                Error = "--clipboard-hex takes pairs of hexadecimal digits, not '" + Value + "'";
                Ok = false;
            }
            O.HaveClipboard = true;
        } else if (Name == "--tables") {
            Ok = Number(0, 1000, O.CharTables);
        } else if (Name == "--old-host") {
            Ok = Flag(O.OldHost);
        } else if (Name == "--timeout") {
            Ok = Number(0, 86400, O.Timeout);
        } else {
            Error = "unknown option '" + Args[I] + "'";
            Ok = false;
        }
        if (!Ok) return false;
    }
    return true;
}

bool ParseHostRuns(const std::vector<std::string> &Args, std::vector<HostOptions> &Runs,
                   std::string &Error)
{
    Runs.clear();
    std::vector<std::vector<std::string>> Parts(1);
    for (const std::string &Arg : Args) {
        if (Arg == "--then") Parts.emplace_back();
        else Parts.back().push_back(Arg);
    }
    for (size_t I = 0; I < Parts.size(); I++) {
        HostOptions O;
        const std::string Which = Parts.size() > 1 ? "opening " + std::to_string(I + 1) + ": " : "";
        if (!ParseHostOptions(Parts[I], O, Error)) {
            Error = Which + Error;
            return false;
        }
        if (Parts.size() > 1 && (O.Help || !ScriptedRun(O))) {
            Error = Which + (O.Help ? "--help stands alone"
                                    : "--then joins scripted openings, and this one opens nothing "
                                      "(give --from, --configure, --keys or --report)");
            return false;
        }
        Runs.push_back(O);
    }
    return true;
}

std::string EscapeReportText(const std::string &Text)
{
    std::string Out;
    for (unsigned char Ch : Text) {
        if (Ch == '\\') {
            Out += "\\\\";
        } else if (Ch >= 0x20 && Ch < 0x7F) {
            Out += char(Ch);
        } else {
            char Hex[8];
            std::snprintf(Hex, sizeof(Hex), "\\x%02X", unsigned(Ch));
            Out += Hex;
        }
    }
    return Out;
}

std::string HexBytes(const std::string &Bytes)
{
    std::string Out;
    for (unsigned char Ch : Bytes) {
        char Hex[4];
        std::snprintf(Hex, sizeof(Hex), "%02X", unsigned(Ch));
        Out += Hex;
    }
    return Out;
}
