// One whole opening through the exports, with keys waiting in the console
// input for the chart window.
#include "PluginFixture.h"

#include "Clipboard.h"
#include "InputRecords.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Key-down records, as waiting in the console input when the window opens.
INPUT_RECORD Key(WORD VirtualKey, unsigned char Ch, DWORD ControlState = 0)
{
    return KeyRecord(VirtualKey, Ch, ControlState);
}

class OpeningTest : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        ConsoleStart();
        QuorrelStart();
        FlushConsoleInputBuffer(Screen.InputHandle);
    }
    void TearDown() override
    {
        ClearRegValues(PaletteKey);
        PluginTest::TearDown();
    }
    void Type(const std::vector<INPUT_RECORD> &Keys)
    {
        DWORD Written = 0;
        WriteConsoleInputA(Screen.InputHandle, Keys.data(), static_cast<DWORD>(Keys.size()),
                           &Written);
        ASSERT_EQ(Keys.size(), Written);
    }
    DWORD StoredLastChar()
    {
        StoredValue V = GetRegValue(SettingsPath(), "LastChar");
        EXPECT_TRUE(V.Exists);
        return V.Data.size() == 4 ? V.Data[0] | V.Data[1] << 8 : 0xFFFF;
    }
};

TEST_F(OpeningTest, CancelledOpeningStillStoresLastChar)
{
    PutRegValue(SettingsPath(), "LastChar", REG_DWORD, DwordBytes(65));
    Start();
    ASSERT_TRUE(PutClipboardText("before"));
    Type({Key(VK_RIGHT, 0), Key(VK_RIGHT, 0), Key(VK_ESCAPE, 27)});
    EXPECT_EQ(INVALID_HANDLE_VALUE, OpenPlugin(OPEN_PLUGINSMENU, 0));
    EXPECT_EQ(67u, StoredLastChar());
    EXPECT_TRUE(Host.CmdLineInserted.empty());
    EXPECT_EQ("before", GetClipboardText());
    EXPECT_EQ("M4", Chart.CodeTables[1].Name) << "the opening's messages name the tables";
    EXPECT_EQ(2, int(Chart.CodeTables.size()));
}

TEST_F(OpeningTest, ConfirmFromTheEditorTypesTheTableCharacter)
{
    // The editor shows host table 0, which maps each code to the next one.
    CharTableSet Set;
    std::memset(&Set, 0, sizeof(Set));
    for (int I = 0; I < 256; I++) Set.DecodeTable[I] = static_cast<unsigned char>(I + 1);
    std::strcpy(Set.TableName, "Shifted");
    Host.Tables = {Set};
    Host.EditorTableNum = 0;
    Host.EditorLine = "xAy";
    Host.EditorCurPos = 1;
    PutRegValue(SettingsPath(), "ShowEditorChar", REG_DWORD, DwordBytes(1));
    PutRegValue(SettingsPath(), "CopyMode", REG_DWORD, DwordBytes(0));
    Start();
    Type({Key(VK_RIGHT, 0), Key(VK_RETURN, '\r')});
    OpenPlugin(OPEN_EDITOR, 0);
    EXPECT_EQ(2, Chart.CurrentTable);
    EXPECT_EQ(66u, StoredLastChar());  // 'A' + 1, the code
    EXPECT_EQ("C", GetClipboardText());  // its character in the table
    EXPECT_EQ(std::vector<std::string>{"C"}, Host.EditorInserted);
    EXPECT_EQ(1, Host.EditorRedraws);
}

TEST_F(OpeningTest, OpeningFromTheViewerTypesNothing)
{
    PutRegValue(SettingsPath(), "ShowCmdlineChar", REG_DWORD, DwordBytes(1));
    PutRegValue(SettingsPath(), "ShowEditorChar", REG_DWORD, DwordBytes(1));
    Host.CmdLineBytes = std::string("z\0", 2);
    Host.EditorLine = "z";
    Start();
    Chart.LastChar = 'k';
    Type({Key(VK_RETURN, '\r')});
    OpenPlugin(OPEN_VIEWER, 0);
    EXPECT_EQ(DWORD('k'), StoredLastChar());  // the start character was not taken
    EXPECT_EQ("k", GetClipboardText());
    EXPECT_TRUE(Host.CmdLineInserted.empty());
    EXPECT_TRUE(Host.EditorInserted.empty());
}

// Each service of the record with where it ends (a record whose StructSize
// is below that lacks it) and how many calls the fake host counted.
struct Service {
    const char *Name;
    size_t End;
    std::function<size_t(const fake::Host &)> Calls;
};
#define SERVICE(Field, Counted)                                                         \
    Service{#Field, offsetof(PluginStartupInfo, Field) + sizeof(PluginStartupInfo::Field), \
            [](const fake::Host &H) { return size_t(H.Counted); }}

TEST_F(OpeningTest, ServicesTheHostDidNotGiveAreNeverCalled)
{
    const Service Services[] = {
        SERVICE(Menu, Menus.size()),        SERVICE(Dialog, Dialogs.size()),
        SERVICE(GetMsg, MsgRequests.size()), SERVICE(Control, ControlCalls),
        SERVICE(CharTable, CharTableCalls), SERVICE(Text, Texts.size()),
        SERVICE(EditorControl, EditorCommands.size()), SERVICE(ShowHelp, Helps.size()),
    };
    for (const auto &Name : {"ShowCmdlineChar", "ShowEditorChar", "ShowWinTable"})
        PutRegValue(SettingsPath(), Name, REG_DWORD, DwordBytes(1));
    PutRegValue(SettingsPath(), "CopyMode", REG_DWORD, DwordBytes(0));
    PutRegValue(SettingsPath() + "\\History", "Characters", REG_BINARY, {'A'});
    for (const Service &Row : Services) {
        // The record ends just before the service, just after it, or is whole
        // with the service null.
        for (const char *Case : {"before", "after", "null"}) {
            SCOPED_TRACE(std::string(Row.Name) + ", record " + Case);
            Host = fake::Host();
            Host.DialogScript = [](FarDialogItem *, int) { return 17; };  // confirm
            Host.Tables.resize(1);
            const bool Null = std::strcmp(Case, "null") == 0;
            const size_t Size = Null ? sizeof(PluginStartupInfo)
                                     : Row.End - (std::strcmp(Case, "before") == 0 ? 1 : 0);
            PluginStartupInfo Full = fake::MakeStartupInfo(Host, int(Size));
            if (Null)
                std::memset(reinterpret_cast<char *>(&Full) + Row.End - sizeof(void *), 0,
                            sizeof(void *));
            // Exactly the host's bytes: a read past them is the sanitizer's.
            std::unique_ptr<char[]> Record(new char[Size]);
            std::memcpy(Record.get(), &Full, Size);
            SetStartupInfo(reinterpret_cast<const PluginStartupInfo *>(Record.get()));

            PluginInfo Info;
            GetPluginInfo(&Info);
            auto Given = [&](const Service &S) { return S.End <= Size && !(Null && &S == &Row); };
            EXPECT_EQ(Given(Services[1]) ? -1 : 0, Configure(0)) << "Dialog";
            // Help, table menu, options, details, find, recent characters, then
            // confirm; from the panels and the editor.
            Type({Key(VK_F1, 0), Key(VK_F8, 0, SHIFT_PRESSED), Key(VK_F11, 0), Key(VK_F3, 0),
                  Key(VK_F7, 0, LEFT_CTRL_PRESSED), Key(VK_F8, 0, LEFT_ALT_PRESSED),
                  Key(VK_RETURN, '\r')});
            OpenPlugin(OPEN_PLUGINSMENU, 0);
            FlushConsoleInputBuffer(Screen.InputHandle);
            Type({Key(VK_RETURN, '\r')});
            OpenPlugin(OPEN_EDITOR, 0);
            FlushConsoleInputBuffer(Screen.InputHandle);

            for (const Service &S : Services) {
                if (Given(S)) continue;
                EXPECT_EQ(0u, S.Calls(Host)) << S.Name << " was not given";
            }
            if (std::strcmp(Case, "after") == 0) {
                EXPECT_LT(0u, Row.Calls(Host)) << "given";
            }
        }
    }
}

TEST_F(OpeningTest, PaletteAndTableMenuDuringAnOpening)
{
    std::vector<BYTE> Palette(100, 0x11);
    Palette[21] = 0x5E;
    PutRegValue(PaletteKey, "CurrentPalette", REG_BINARY, Palette);
    Start();
    Settings.ShowWinTable = true;
    Host.MenuResult = 1;
    Type({Key(VK_F8, 0, SHIFT_PRESSED), Key(VK_ESCAPE, 27)});
    OpenPlugin(OPEN_PLUGINSMENU, 0);
    // The chart's screen went to the host cell by cell before the menu, the
    // window's text in the palette's colour.
    EXPECT_TRUE(std::any_of(Host.Texts.begin(), Host.Texts.end(),
                            [](const fake::TextCall &T) { return T.Color == 0x5E; }));
    ASSERT_EQ(1u, Host.Menus.size());
    EXPECT_EQ(1, Chart.CurrentTable);
    EXPECT_GE(Host.Texts.size(), size_t(80 * 25));
}

}  // namespace
