// The shipped message and help files.
#include <gtest/gtest.h>

#include "MessageIds.h"
#include "StatusFormat.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace {

// The repository's dist/ folder, from this file's place in tests/plugin/.
std::string DistPath(const std::string &Name)
{
    std::string Here = __FILE__;
    size_t Cut = Here.rfind("tests");
    return Here.substr(0, Cut) + "dist/" + Name;
}

std::vector<std::string> ReadLines(const std::string &Path)
{
    std::vector<std::string> Lines;
    FILE *F = std::fopen(Path.c_str(), "rb");
    if (!F) return Lines;
    std::string Line;
    int C;
    while ((C = std::fgetc(F)) != EOF) {
        if (C == '\n') {
            if (!Line.empty() && Line.back() == '\r') Line.pop_back();
            Lines.push_back(Line);
            Line.clear();
        } else {
            Line += static_cast<char>(C);
        }
    }
    if (!Line.empty()) Lines.push_back(Line);
    std::fclose(F);
    return Lines;
}

// Messages of a .lng file: every line holding a quoted text, after the
// .Language line; \" and \\ unescaped. A comment that starts with a number
// ("// 7-20: options dialog") names the message that follows it.
std::vector<std::string> ReadMessages(const std::string &Path, std::string *Language)
{
    std::vector<std::string> Messages;
    for (const std::string &Raw : ReadLines(Path)) {
        size_t First = Raw.find_first_not_of(" \t");
        if (First == std::string::npos) continue;
        std::string Line = Raw.substr(First);
        if (Line.compare(0, 2, "//") == 0) {
            unsigned Number = 0;
            if (std::sscanf(Line.c_str(), "// %u", &Number) == 1) {
                EXPECT_EQ(Messages.size(), Number) << "numbered comment: " << Line;
            }
            continue;
        }
        if (Line.compare(0, 10, ".Language=") == 0) {
            *Language = Line.substr(10);
            continue;
        }
        if (Line[0] != '"') continue;
        std::string Text;
        size_t I = 1;
        for (; I < Line.size() && Line[I] != '"'; I++) {
            if (Line[I] == '\\' && I + 1 < Line.size()) I++;
            Text += Line[I];
        }
        EXPECT_LT(I, Line.size()) << "unterminated message: " << Line;
        Messages.push_back(Text);
    }
    return Messages;
}

TEST(MessageFile, EachLanguageHasEveryMessageAndASafeStatusFormat)
{
    const struct {
        const char *File, *Language;
    } Files[] = {{"QuorrelEng.lng", "English,English"}, {"QuorrelGer.lng", "German,Deutsch"}};
    for (const auto &F : Files) {
        SCOPED_TRACE(F.File);
        std::string Language;
        std::vector<std::string> Messages = ReadMessages(DistPath(F.File), &Language);
        EXPECT_EQ(F.Language, Language);
        ASSERT_EQ(size_t(MsgCount), Messages.size());
        for (size_t I = 0; I < Messages.size(); I++) {
            SCOPED_TRACE("message " + std::to_string(I));
            EXPECT_FALSE(Messages[I].empty());
            if (I >= MsgPasteHeading && I <= MsgShowWinTable) {
                EXPECT_LE(Messages[I].size(), 50u);  // fits the options dialog
            }
            if (I == MsgFindPrompt) {
                EXPECT_LE(Messages[I].size(), 54u);  // fits the find dialog
            }
        }
        if (std::string(F.File) == "QuorrelEng.lng") {
            // The names in the code stand where the file has their texts.
            const std::pair<MsgId, const char *> Anchors[] = {
                {MsgTitle, "Quorrel"},           {MsgTableMenuTitle, "Code tables"},
                {MsgOk, "OK"},                   {MsgCancel, "Cancel"},
                {MsgHelpTitle, "Help"},          {MsgDetailsTitle, "Character"},
                {MsgFormKeystroke, "&Keystroke"}, {MsgCopy, "&Copy"},
                {MsgFindTitle, "Find by name"},  {MsgRecentTitle, "Recently chosen"},
                {MsgNotShown, "(the console cannot show it)"},
            };
            for (const auto &A : Anchors) EXPECT_EQ(A.second, Messages[A.first]) << A.first;
        }
        const std::string &Format = Messages[MsgStatusFormat];
        ASSERT_TRUE(StatusFormatIsSafe(Format.c_str()));
        // Character, decimal and hexadecimal code; within 40 characters for
        // every code, and inside the chart's frame (33).
        for (int Code = 0; Code < 256; Code++) {
            char Buffer[1025];
            int Length = wsprintfA(Buffer, Format.c_str(), Code == 0 ? ' ' : Code, Code, Code);
            ASSERT_LE(Length, 33) << "code " << Code;
            if (Code == 0xAB) {
                std::string Text = Buffer;
                EXPECT_NE(std::string::npos, Text.find("171")) << Text;
                EXPECT_NE(std::string::npos, Text.find("AB")) << Text;
                EXPECT_NE(std::string::npos, Text.find('\xAB')) << Text;
            }
        }
    }
}

// Topic names (in order) and the text of a .hlf file.
std::vector<std::string> HelpTopics(const std::vector<std::string> &Lines, std::string &Text)
{
    std::vector<std::string> Topics;
    for (size_t I = 0; I < Lines.size(); I++) {
        if (!Lines[I].empty() && Lines[I][0] == '@') {
            Topics.push_back(Lines[I].substr(1));
            EXPECT_TRUE(I + 1 < Lines.size() && Lines[I + 1].find("$ #") == 0)
                << "title line of " << Lines[I];
        }
        Text += Lines[I] + "\n";
    }
    return Topics;
}

TEST(HelpFile, EachLanguageHasTheEnglishTopicsAndDescribesEveryKey)
{
    std::string EnglishText;
    const std::vector<std::string> EnglishTopics =
        HelpTopics(ReadLines(DistPath("Quorrel.hlf")), EnglishText);
    EXPECT_EQ((std::vector<std::string>{"Contents", "Options", "Details", "Find", "Recent"}),
              EnglishTopics);
    // The keys as each language names them (German: in the console's code page).
    const struct {
        const char *File, *Language, *OptionsLink;
        std::vector<const char *> Keys;
    } Files[] = {
        {"Quorrel.hlf", "English,English", "~options~@Options@",
         {"F1#", "F8#", "F9#", "Shift+F8#", "Shift+F9#", "F10#", "F11#", "Ctrl+F11#",
          "Ctrl+Enter#", "Ctrl+C#", "Ctrl+Ins#", "Ctrl+Gray +#", "Alt+Left#", "Alt+Up#",
          "Ctrl+Home#", "Ctrl+End#", "Ctrl+PgUp#", "Ctrl+PgDn#", "PgUp#", "Home#", "BackSpace#",
          "Ctrl+Alt+Shift#", "F2#", "F3#", "F7#", "Shift+F7#", "Ctrl+F7#", "Alt+F8#"}},
        {"QuorrelGer.hlf", "German,Deutsch", "~Einstellungen~@Options@",
         {"F1#", "F8#", "F9#", "Umsch+F8#", "Umsch+F9#", "F10#", "F11#", "Strg+F11#",
          "Strg+Eingabe#", "Strg+C#", "Strg+Einfg#", "Strg+Grau +#", "Alt+Links#", "Alt+Hoch#",
          "Strg+Pos1#", "Strg+Ende#", "Strg+BildAuf#", "Strg+BildAb#", "BildAuf#", "Pos1#",
          "R\x81" "cktaste#", "Strg+Alt+Umsch#", "F2#", "F3#", "F7#", "Umsch+F7#", "Strg+F7#",
          "Alt+F8#"}},
    };
    for (const auto &F : Files) {
        SCOPED_TRACE(F.File);
        std::vector<std::string> Lines = ReadLines(DistPath(F.File));
        ASSERT_FALSE(Lines.empty());
        EXPECT_EQ(std::string(".Language=") + F.Language, Lines[0]);
        std::string Text;
        EXPECT_EQ(EnglishTopics, HelpTopics(Lines, Text));
        EXPECT_NE(std::string::npos, Text.find(F.OptionsLink));
        for (const char *Key : F.Keys)
            EXPECT_NE(std::string::npos, Text.find(std::string("#") + Key)) << Key;
    }
}

}  // namespace
