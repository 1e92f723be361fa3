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

TEST(HelpWrap, BreaksAtBlanksOutsideLinksAndIndentsTheLaterLines)
{
    const size_t NoLink = size_t(-1);
    const struct {
        const char *Line;
        int Width, Indent;
        std::vector<std::string> Texts;
        size_t LinkRow;  // the piece that holds the link, at Start for Length
        int LinkStart, LinkLength;
    } Rows[] = {
        {"one two ~three~@T@ four", 9, 0, {"one two", "three", "four"}, 1, 0, 5},
        // A link's blank is no place to break: the link moves down whole.
        {"go ~to the~@T@ end", 8, 2, {"go", "  to the", "  end"}, 1, 2, 6},
        {"one two ~three~@T@ four", 80, 0, {"one two three four"}, 0, 8, 5},
        {"abcdefghijkl", 5, 1, {"abcde", " fghi", " jkl"}, NoLink, 0, 0},  // no blank: cut
    };
    for (const auto &R : Rows) {
        SCOPED_TRACE(std::string(R.Line) + " in " + std::to_string(R.Width));
        const std::vector<HelpLine> Parts = WrapHelpLine(ParseHelpLine(R.Line), R.Width, R.Indent);
        std::vector<std::string> Texts;
        for (size_t K = 0; K < Parts.size(); K++) {
            Texts.push_back(Parts[K].Text);
            EXPECT_EQ(K > 0, Parts[K].Continued);
            ASSERT_EQ(K == R.LinkRow ? 1u : 0u, Parts[K].Links.size());
            if (K != R.LinkRow) continue;
            EXPECT_EQ(R.LinkStart, Parts[K].Links[0].Start);
            EXPECT_EQ(R.LinkLength, Parts[K].Links[0].Length);
            EXPECT_EQ(std::string(size_t(R.LinkLength), 'l'),
                      Parts[K].Kinds.substr(size_t(R.LinkStart), size_t(R.LinkLength)));
        }
        EXPECT_EQ(R.Texts, Texts);
    }
}

// Far's layout of a topic, each rule on a made-up topic at a small width.
TEST(HelpLayout, ParagraphsAsFarLaysThemOut)
{
    const struct {
        const char *Rule;
        int Width;
        const char *Body;
        std::vector<std::string> Lines;
    } Rows[] = {
        {"a line without a leading blank goes on with the one before", 40,
         "  one two\nthree four\n", {"  one two three four"}},
        {"a leading blank starts a paragraph; an empty line stays", 40,
         "  one\n  two\n\nthree\n", {"  one", "  two", "", "three"}},
        {"a long paragraph goes on at column 1", 12, "  aaaa bbbb cccc\ndddd eeee\n",
         {"  aaaa bbbb", " cccc dddd", " eeee"}},
        {"a line of exactly the width stays whole", 11, "  aaaa bbbb\n", {"  aaaa bbbb"}},
        {"the marker's column holds the later lines; the marker is not shown", 16,
         "  #Key#   ^<wrap>aaa bbb ccc\nddd eee\n",
         {"  Key   aaa bbb", "        ccc ddd", "        eee"}},
        {"the marker on an indented line of its own", 14,
         "  #A long key name#\n      ^<wrap>aaa bbb ccc\n",
         {"  A long key", " name", "      aaa bbb", "      ccc"}},
        {"between @- and @+ lines are kept as they are", 40,
         "@-\n  a\nb\n@+\n  c\nd\n", {"  a", "b", "  c d"}},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Rule);
        HelpTopic T;
        ASSERT_TRUE(FindHelpTopic(std::string(".Language=English,English\n"
                                              ".Options CtrlStartPosChar=^<wrap>\n\n"
                                              "@T\n$ #Title#\n") + Row.Body,
                                  "T", T));
        std::vector<std::string> Shown;
        for (const HelpLine &Line : LayOutHelpText(T.Body, Row.Width)) Shown.push_back(Line.Text);
        EXPECT_EQ(Row.Lines, Shown);
    }
    // Without the file's declaration the marker is text like any other.
    HelpTopic T;
    ASSERT_TRUE(FindHelpTopic("@T\n  a ^<wrap>b\n", "T", T));
    EXPECT_EQ("  a ^<wrap>b", LayOutHelpText(T.Body, 40)[0].Text);
}

// Where a paragraph's later lines belong: beside a key in a table, at the
// column of its text; in a block indented deeper than the prose, at its
// indent; in prose, at column 1.
size_t TextColumn(const std::string &First)
{
    const size_t Lead = First.find_first_not_of(' ');
    const size_t Gap = First.find("  ", Lead);
    if (Gap != std::string::npos) return First.find_first_not_of(' ', Gap);
    return Lead > 2 ? Lead : 1;
}

// UTF-8 text (the Far 3 edition's files) with one byte for each character,
// a '?' for any other than ASCII: laid out as the OEM files are, a byte is
// a column.
std::string OneBytePerCharacter(const std::string &Utf8)
{
    std::string Text;
    for (unsigned char Ch : Utf8) {
        if (Ch < 0x80) Text += char(Ch);
        else if ((Ch & 0xC0) != 0x80) Text += '?';
    }
    return Text;
}

// Both editions' help files as Far's help window shows them at 80 columns:
// no line longer than the window holds, and no table row or indented block
// that runs on at the left edge. The Far 3 files (made by the Windows
// builds, UTF-8) have one topic more.
TEST(HelpFiles, EveryTopicReadsRightInFarsWindowAt80Columns)
{
    const size_t Width = 69;
    const struct {
        std::string File;
        size_t Topics;
        bool Utf8;
    } Files[] = {
        {"Quorrel.hlf", 5, false},        {"QuorrelGer.hlf", 5, false},
        {"far3/Quorrel.hlf", 6, true},    {"far3/QuorrelGer.hlf", 6, true},
    };
    for (const auto &F : Files) {
        std::ifstream In(HostProgramFolder() + F.File, std::ios::binary);
        std::string Text{std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
#ifndef _WIN32
        if (F.Utf8) continue;  // made by the Windows builds only
#endif
        ASSERT_FALSE(Text.empty()) << F.File;
        if (F.Utf8) {
            ASSERT_EQ(0, Text.compare(0, 3, "\xEF\xBB\xBF")) << F.File << " starts with a BOM";
            Text = OneBytePerCharacter(Text.substr(3));
        }
        std::vector<std::string> Names;
        for (size_t At = 0; (At = Text.find("\n@", At)) != std::string::npos; At++) {
            const std::string Name = Text.substr(At + 2, Text.find_first_of("\r\n", At + 2) - At - 2);
            if (Name != "-" && Name != "+" && Name[0] != '@') Names.push_back(Name);
        }
        ASSERT_EQ(F.Topics, Names.size()) << F.File;
        for (const std::string &Name : Names) {
            SCOPED_TRACE(F.File + ", topic " + Name);
            HelpTopic T;
            ASSERT_TRUE(FindHelpTopic(Text, Name, T));
            for (const HelpLine &Line : T.Header) EXPECT_LT(Line.Text.size(), Width);
            size_t Column = 0;
            for (const HelpLine &Line : LayOutHelpText(T.Body, int(Width))) {
                EXPECT_LE(Line.Text.size(), Width) << Line.Text;
                if (!Line.Continued) {
                    Column = TextColumn(Line.Text);
                    continue;
                }
                EXPECT_EQ(Column, Line.Text.find_first_not_of(' '))
                    << "wraps where it should not: " << Line.Text;
            }
        }
    }
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

// At 80x25 the box stands where Far's help window does, columns 4 to 75 and
// rows 2 to 22, and lays the topic out 69 columns wide.
TEST_F(ShowHelpTest, ShowsTheTopicInFarsWindowAndLayout)
{
    ASSERT_EQ(80, HostScreenWidth());
    ASSERT_EQ(25, HostScreenHeight());
    std::string Words;
    for (int I = 0; I < 14; I++) Words += (I ? " " : "") + std::string("abcd");
    TempModule M;
    M.Write("Quorrel.hlf", ".Language=English,English\n.Options CtrlStartPosChar=^<wrap>\n\n"
                           "@Contents\n$ #Quorrel#\n  #Key#    ^<wrap>" + Words + "\n");
    Keys("Esc");
    ASSERT_EQ(TRUE, HostShowHelp(M.ModuleName().c_str(), nullptr, 0));
    const std::vector<std::string> &Rows = HostHelpCalls()[0].FirstScreen;
    ASSERT_EQ(25u, Rows.size());
    EXPECT_EQ("\xC9", Rows[2].substr(4, 1));
    EXPECT_EQ("\xBC", Rows[22].substr(75, 1));
    EXPECT_EQ(" Quorrel ", Rows[3].substr(5, 9));
    // Twelve words fill 68 columns; the last two go on below the first.
    EXPECT_EQ("  Key    " + Words.substr(0, 59) + "  \xBA", Rows[5].substr(5, 71));
    EXPECT_EQ(std::string(9, ' ') + "abcd abcd ", Rows[6].substr(5, 19));
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
