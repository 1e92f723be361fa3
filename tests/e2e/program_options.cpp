// quorrel-host's command line, and the text of its report.
#include <gtest/gtest.h>

#include "HostOptions.h"

#include <string>
#include <vector>

namespace {

struct OptionRow {
    std::vector<std::string> Args;
    bool Ok;
    const char *ErrorPart;
};

TEST(HostOptions, AcceptsAndRefuses)
{
    const OptionRow Rows[] = {
        {{}, true, ""},
        {{"--from", "editor", "--editor-line", "abc", "--editor-pos=2", "--report"}, true, ""},
        {{"--from=viewer", "--keys", "Right Enter", "--set", "PasteMode=2"}, true, ""},
        {{"--from", "menu"}, false, "panels, editor or viewer"},
        {{"--from"}, false, "needs a value"},
        {{"--cmdline-pos", "-1"}, false, "bad number"},
        {{"--editor-table", "x"}, false, "bad number"},
        {{"--editor-table", "-2"}, false, "bad number"},
        {{"--keys", "Right Bogus"}, false, "Bogus"},
        {{"--set", "PasteMode"}, false, "NAME=NUMBER"},
        {{"--set", "PasteMode=two"}, false, "NAME=NUMBER"},
        {{"--report=yes"}, false, "takes no value"},
        {{"--plugin", ""}, false, "path"},
        {{"--clipboard-hex", "610D0A62"}, true, ""},
        {{"--clipboard-hex", "61G0"}, false, "hexadecimal"},
        {{"--clipboard-hex", "610"}, false, "hexadecimal"},
        {{"--frob"}, false, "unknown option"},
        {{"extra"}, false, "unknown option"},
        // Openings joined by --then: each is parsed apart and must open the plugin.
        {{"--report", "--then", "--keys", "Esc", "--then", "--from=editor"}, true, ""},
        {{"--report", "--then", "--frob"}, false, "opening 2: unknown option '--frob'"},
        {{"--report", "--then"}, false, "opening 2: --then joins scripted openings"},
        {{"--then", "--report"}, false, "opening 1: --then joins"},
        {{"--cmdline", "x", "--then", "--report"}, false, "opening 1: --then joins"},
        {{"--report", "--then", "--help"}, false, "--help stands alone"},
    };
    for (const OptionRow &Row : Rows) {
        std::string Joined;
        for (const std::string &A : Row.Args) Joined += A + " ";
        SCOPED_TRACE(Joined);
        std::vector<HostOptions> Runs;
        std::string Error;
        EXPECT_EQ(Row.Ok, ParseHostRuns(Row.Args, Runs, Error));
        EXPECT_NE(std::string::npos, Error.find(Row.ErrorPart)) << Error;
    }
}

TEST(HostOptions, Values)
{
    HostOptions O;
    std::string Error;
    ASSERT_TRUE(ParseHostOptions({"--from=editor", "--editor-line", "a b", "--editor-pos", "1",
                                  "--editor-table", "-1", "--editor-ansi", "--cmdline", "x",
                                  "--set", "CopyMode=0", "--set", "LastChar=0x41", "--clipboard",
                                  "", "--language", "German", "--tables", "45", "--old-host"},
                                 O, Error))
        << Error;
    EXPECT_EQ("editor", O.From);
    EXPECT_TRUE(O.FromGiven);
    EXPECT_EQ("a b", O.EditorLine);
    EXPECT_EQ(1, O.EditorPos);
    EXPECT_EQ(-1, O.EditorTable);
    EXPECT_TRUE(O.EditorAnsi);
    EXPECT_EQ(-1, O.CmdLinePos);
    ASSERT_EQ(2u, O.Settings.size());
    EXPECT_EQ("CopyMode", O.Settings[0].first);
    EXPECT_EQ(DWORD(0x41), O.Settings[1].second);
    EXPECT_TRUE(O.HaveClipboard);
    EXPECT_EQ("", O.Clipboard);
    EXPECT_EQ("German", O.Language);
    EXPECT_EQ(45, O.CharTables);
    EXPECT_TRUE(O.OldHost);
    EXPECT_FALSE(O.Report);

    HostOptions Hex;
    ASSERT_TRUE(ParseHostOptions({"--clipboard-hex", "610d0AfF"}, Hex, Error));
    EXPECT_EQ("a\r\n\xFF", Hex.Clipboard);
}

TEST(HostOptions, ScriptedRunsHaveATimeLimitByDefault)
{
    const struct {
        std::vector<std::string> Args;
        int Limit;
    } Rows[] = {
        {{}, 0},
        {{"--from", "editor"}, 0},
        {{"--keys", "Esc"}, DefaultScriptTimeout},
        {{"--report"}, DefaultScriptTimeout},
        {{"--report", "--timeout", "5"}, 5},
        {{"--report", "--timeout", "0"}, 0},
        {{"--timeout", "7"}, 7},
    };
    for (const auto &Row : Rows) {
        HostOptions O;
        std::string Error;
        ASSERT_TRUE(ParseHostOptions(Row.Args, O, Error)) << Error;
        EXPECT_EQ(Row.Limit, ScriptTimeout(O)) << (Row.Args.empty() ? "" : Row.Args[0]);
    }
    EXPECT_EQ(0u, HostUsage("./run").find("Usage: ./run [options]\n"));
}

TEST(ReportText, EscapesAllButPrintableAscii)
{
    EXPECT_EQ("a b~", EscapeReportText("a b~"));
    EXPECT_EQ("\\\\x\\x01\\x0D\\x7F\\xE9", EscapeReportText("\\x\x01\x0D\x7F\xE9"));
    EXPECT_EQ("00410AFF", HexBytes(std::string("\0A\n\xFF", 4)));
}

}  // namespace
