// Help files: markup, topics, wrapping, and ShowHelp's box.
#include "HostTestUtil.h"

namespace {

const char HelpFile[] =
    ".Language=English,English\n"
    ".PluginContents=Quorrel\n"
    "\n"
    "@Contents\n"
    "$ #Quorrel#\n"
    "  First #line# of text.\n"
    "  See ~the options~@Options@.\n"
    "\n"
    "\n"
    "@Options\n"
    "$ #Quorrel options#\n"
    "$ second header\n"
    "  Options text.\n"
    "  Back to ~Contents~@Contents@\n";

struct MarkupRow {
    const char *Line;
    const char *Text;
    const char *Kinds;
};

TEST(HelpMarkup, HighlightsLinksAndDoubledMarks)
{
    const MarkupRow Rows[] = {
        {"plain", "plain", "nnnnn"},
        {"a #hi# b", "a hi b", "nnhhnn"},
        {"##1", "#1", "nn"},
        {"#a##b#", "a#b", "hhh"},
        {"x ~~ y", "x ~ y", "nnnnn"},
        {"go ~there~@Topic@ now", "go there now", "nnnlllllnnnn"},
        {"#open to the end", "open to the end", "hhhhhhhhhhhhhhh"},
        {"~no topic~ left", "~no topic~ left", "nnnnnnnnnnnnnnn"},
    };
    for (const MarkupRow &Row : Rows) {
        SCOPED_TRACE(Row.Line);
        HelpLine L = ParseHelpLine(Row.Line);
        EXPECT_EQ(Row.Text, L.Text);
        EXPECT_EQ(Row.Kinds, L.Kinds);
    }
    HelpLine L = ParseHelpLine("go ~there~@Topic@ now");
    ASSERT_EQ(1u, L.Links.size());
    EXPECT_EQ(3, L.Links[0].Start);
    EXPECT_EQ(5, L.Links[0].Length);
    EXPECT_EQ("Topic", L.Links[0].Topic);
}

TEST(HelpTopics, HeaderBodyAndTheTopicsEnd)
{
    HelpTopic T;
    ASSERT_TRUE(FindHelpTopic(HelpFile, "Contents", T));
    EXPECT_EQ("Contents", T.Name);
    ASSERT_EQ(1u, T.Header.size());
    EXPECT_EQ("Quorrel", T.Header[0].Text);
    EXPECT_EQ("hhhhhhh", T.Header[0].Kinds);
    // The blank lines before the next topic are dropped; nothing of it shows.
    ASSERT_EQ(2u, T.Body.size());
    EXPECT_EQ("  First line of text.", T.Body[0].Text);
    EXPECT_EQ("  See the options.", T.Body[1].Text);
    ASSERT_EQ(1u, T.Body[1].Links.size());
    EXPECT_EQ("Options", T.Body[1].Links[0].Topic);

    ASSERT_TRUE(FindHelpTopic(HelpFile, "options", T));  // names ignore case
    EXPECT_EQ("Options", T.Name);
    ASSERT_EQ(2u, T.Header.size());
    EXPECT_EQ("second header", T.Header[1].Text);
    ASSERT_EQ(2u, T.Body.size());
    EXPECT_EQ("  Back to Contents", T.Body[1].Text);

    EXPECT_FALSE(FindHelpTopic(HelpFile, "Missing", T));
    EXPECT_FALSE(FindHelpTopic(HelpFile, "Content", T));
}

TEST(HelpWrap, BreaksAtBlanksAndKeepsLinksInPlace)
{
    HelpLine L = ParseHelpLine("one two ~three~@T@ four");
    std::vector<HelpLine> Parts = WrapHelpLine(L, 9);
    ASSERT_EQ(3u, Parts.size());
    EXPECT_EQ("one two", Parts[0].Text);
    EXPECT_EQ("three", Parts[1].Text);
    EXPECT_EQ("lllll", Parts[1].Kinds);
    ASSERT_EQ(1u, Parts[1].Links.size());
    EXPECT_EQ(0, Parts[1].Links[0].Start);
    EXPECT_EQ("four", Parts[2].Text);

    std::vector<HelpLine> Long = WrapHelpLine(ParseHelpLine("abcdefghijkl"), 5);
    ASSERT_EQ(3u, Long.size());  // no blank: cut at the width
    EXPECT_EQ("abcde", Long[0].Text);
    EXPECT_EQ("kl", Long[2].Text);
    EXPECT_EQ(1u, WrapHelpLine(L, 80).size());
}

class ShowHelpTest : public HostTest {};

TEST_F(ShowHelpTest, OpensTheTopicAndRestoresTheScreen)
{
    TempModule M;
    M.Write("Quorrel.hlf", HelpFile);
    HostText(0, 0, 0x1E, "background");
    HostFlushScreen();
    Keys("Down PgDn Esc");
    EXPECT_EQ(TRUE, HostShowHelp(M.ModuleName().c_str(), nullptr, 0));
    EXPECT_EQ(TRUE, HostShowHelp(M.ModuleName().c_str(), "Options", 0));
    EXPECT_EQ(FALSE, HostShowHelp(M.ModuleName().c_str(), "Nowhere", 0));
    ASSERT_EQ(3u, HostHelpCalls().size());
    EXPECT_EQ("", HostHelpCalls()[0].Topic);
    EXPECT_EQ("Contents", HostHelpCalls()[0].Shown);
    EXPECT_EQ("Options", HostHelpCalls()[1].Shown);
    EXPECT_EQ("", HostHelpCalls()[2].Shown);
    EXPECT_EQ("background", HostScreenRow(0).substr(0, 10));
    EXPECT_EQ(0x1E, HostScreenCell(0, 0).Attributes);
}

TEST_F(ShowHelpTest, FollowsALinkWithTabAndEnter)
{
    TempModule M;
    M.Write("Quorrel.hlf", HelpFile);
    // The link in Contents leads to Options; Backspace comes back.
    Keys("Tab Enter Back Tab Enter Tab Enter Esc");
    EXPECT_EQ(TRUE, HostShowHelp(M.ModuleName().c_str(), "Contents", 0));
    ASSERT_EQ(1u, HostHelpCalls().size());
    EXPECT_EQ((std::vector<std::string>{"Contents", "Options", "Contents", "Options", "Contents"}),
              HostHelpCalls()[0].Visited);
    // Only the Esc's key-up is left for whoever reads next.
    for (const INPUT_RECORD &R : PendingInput())
        EXPECT_FALSE(R.Event.KeyEvent.bKeyDown) << DescribeInputRecord(R);
}

}  // namespace
