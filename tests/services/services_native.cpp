// Services' behaviour that needs the in-process Win32 substitute: failure
// injection, raw clipboard bytes, registry inspection and call counts.
#include "ServicesFixture.h"

#include "Clipboard.h"
#include "Registry.h"

#include <winsim.h>

#include <cstring>
#include <memory>

namespace {

class NativeTest : public ServicesTest {
protected:
    void SetUp() override
    {
        winsim::Reset();
        ServicesTest::SetUp();
    }
    void TearDown() override
    {
        ServicesTest::TearDown();
        winsim::Reset();
    }
};

// ---- clipboard ----

TEST_F(NativeTest, ClipboardFailuresKeepTheOldTextAndAreReported)
{
    // Each Win32 call of a copy or an append fails: once at a call index
    // (Skip calls pass first), a few times, or for good.
    const std::string Old = "old\r\nsecond";
    const struct {
        bool Append;
        const char *Call;
        int Skip, Times;
        bool Done;
    } Rows[] = {
        {false, nullptr, 0, 0, true},
        {false, "OpenClipboard", 0, 4, true},  // busy for a moment: retried
        {false, "OpenClipboard", 0, -1, false},
        {false, "GetClipboardData", 0, 1, true},  // the old text is only needed on failure
        {false, "GlobalAlloc", 0, 1, false},
        {false, "GlobalLock", 1, 1, false},  // the new block (the old text's lock passes)
        {false, "EmptyClipboard", 0, 1, false},
        {false, "SetClipboardData", 0, 1, false},  // emptied, then the old text goes back
        {false, "CloseClipboard", 0, 1, true},
        {true, nullptr, 0, 0, true},
        {true, "OpenClipboard", 0, -1, false},
        {true, "GetClipboardData", 0, 1, false},
        {true, "GlobalLock", 0, 1, false},
        {true, "GlobalSize", 0, 1, false},
        {true, "GlobalAlloc", 0, 1, false},
        {true, "EmptyClipboard", 0, 1, false},
        {true, "SetClipboardData", 0, 1, false},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(std::string(Row.Append ? "append" : "put") + ", failing " +
                     (Row.Call ? Row.Call : "nothing") + " after " + std::to_string(Row.Skip) +
                     " for " + std::to_string(Row.Times));
        winsim::Reset();
        winsim::SetClipboardText(Old);
        if (Row.Call) winsim::FailCallAfter(Row.Call, Row.Skip, Row.Times);
        const bool Done = Row.Append ? AppendClipboardText("x") : PutClipboardText("new");
        EXPECT_EQ(Row.Done, Done);
        const std::string New = Row.Append ? "oldx" : "new";
        EXPECT_EQ(Row.Done ? New : Old, winsim::ClipboardText());
        EXPECT_FALSE(winsim::ClipboardIsOpen()) << "left open to every other program";
        EXPECT_EQ(0, winsim::LooseGlobalBlocks()) << "a block leaked";
    }
}

TEST_F(NativeTest, BusyClipboardIsTriedAboutATenthOfASecond)
{
    winsim::SetClipboardText("kept");
    winsim::SetClipboardBusy(true);
    std::string Line = "stale";
    EXPECT_FALSE(ReadClipboardText(Line));
    EXPECT_EQ("", Line);
    EXPECT_EQ(5, winsim::CallCount("OpenClipboard"));
    EXPECT_GE(winsim::TotalSleepMs(), 80u);
    EXPECT_LE(winsim::TotalSleepMs(), 150u);
    winsim::SetClipboardBusy(false);
    EXPECT_TRUE(ReadClipboardText(Line));
    EXPECT_EQ("kept", Line);
}

TEST_F(NativeTest, TextThatCannotBeReadIsNotAnEmptyClipboard)
{
    // An empty clipboard, or one without text, reads as "" and takes an append.
    std::string Line = "stale";
    EXPECT_TRUE(ReadClipboardText(Line));
    EXPECT_EQ("", Line);
    EXPECT_TRUE(AppendClipboardText("x"));
    EXPECT_EQ("x", winsim::ClipboardText());
    // A block of 0 bytes cannot be locked: still an empty text, not a failure.
    winsim::SetClipboardBytes({});
    EXPECT_TRUE(ReadClipboardText(Line));
    EXPECT_EQ("", Line);
}

TEST_F(NativeTest, ClipboardTextWithoutZeroIsReadToTheBlockEnd)
{
    const struct {
        std::vector<BYTE> Bytes;
        const char *Expected;
    } Rows[] = {
        {{'a', 'b', 'c'}, "abc"},
        {{'a', '\n', 'b'}, "a"},
        {{'a', 0, 'b', 'c'}, "a"},
        {{}, ""},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.Expected);
        winsim::SetClipboardBytes(Row.Bytes);
        EXPECT_EQ(Row.Expected, GetClipboardText());
    }
}

TEST_F(NativeTest, BusyClipboardIsLeftAsItWas)
{
    winsim::SetClipboardText("kept");
    winsim::SetClipboardBusy(true);
    EXPECT_FALSE(PutClipboardText("new"));
    EXPECT_EQ("", GetClipboardText());
    // A choice of 0 puts nothing: the busy clipboard is not waited for.
    winsim::ResetCallCounts();
    EXPECT_TRUE(PutClipboardString(std::string(1, '\0')));
    EXPECT_EQ(0, winsim::CallCount("OpenClipboard"));
    winsim::SetClipboardBusy(false);
    EXPECT_EQ("kept", winsim::ClipboardText());
    // Nothing leaked: the block of the failed put was freed.
    EXPECT_EQ(winsim::CallCount("GlobalAlloc"), winsim::CallCount("GlobalFree"));
}

TEST_F(NativeTest, ClipboardThatCannotBeReadTypesNothing)
{
    Start();
    winsim::SetClipboardText("abc");
    Settings.PasteMode = Paste(2);
    Settings.CopyMode = false;
    for (int From : {OPEN_PLUGINSMENU, OPEN_EDITOR}) {
        SCOPED_TRACE(From);
        winsim::SetClipboardBusy(true);
        DeliverResult('x', From);
        EXPECT_TRUE(Host.CmdLineInserted.empty());
        EXPECT_TRUE(Host.EditorInserted.empty());
        winsim::SetClipboardBusy(false);
        DeliverResult('x', From);
        EXPECT_EQ(1u, Host.CmdLineInserted.size() + Host.EditorInserted.size()) << "readable";
        Host.CmdLineInserted.clear();
        Host.EditorInserted.clear();
    }
}

// ---- registry ----

TEST_F(NativeTest, FirstWriteCreatesTheSettingsKey)
{
    Start();
    EXPECT_FALSE(winsim::RegKeyExists(SettingsPath()));
    EXPECT_EQ(1, int(Settings.PasteMode));
    WriteSetting("LastChar", 5);
    EXPECT_TRUE(winsim::RegKeyExists(SettingsPath()));
}

TEST_F(NativeTest, SaveSettingsWritesInItsOrder)
{
    // Failing the first k writes leaves exactly the first k names unwritten.
    const char *Order[] = {"PasteMode",      "TypeMode",        "CopyMode",
                           "ShowEditorChar", "ShowCmdlineChar", "ShowWinTable"};
    Start();
    for (int K = 0; K <= 6; K++) {
        SCOPED_TRACE("first " + std::to_string(K) + " writes fail");
        winsim::Reset();
        winsim::FailCall("RegSetValueExA", ERROR_ACCESS_DENIED, K);
        SaveSettings();
        for (int I = 0; I < 6; I++)
            EXPECT_EQ(I >= K, GetRegValue(SettingsPath(), Order[I]).Exists) << Order[I];
        EXPECT_FALSE(GetRegValue(SettingsPath(), "LastChar").Exists);
    }
}

TEST_F(NativeTest, EveryRegistryOperationClosesItsKey)
{
    winsim::RegPut("Software\\Far\\Colors", "CurrentPalette", REG_BINARY,
                   std::vector<BYTE>(100, 0x17));
    winsim::ResetCallCounts();
    Start();
    SaveSettings();
    WriteSetting("LastChar", 3);
    ReadPaletteColors();
    LoadSettings();
    int Opened = winsim::CallCount("RegOpenKeyExA") + winsim::CallCount("RegCreateKeyExA");
    EXPECT_GT(Opened, 0);
    // Failed opens (the first load, before the key exists) return no key.
    EXPECT_EQ(Opened - 7, winsim::CallCount("RegCloseKey"));
}

TEST_F(NativeTest, DwordOfTheWrongLengthLoadsAsDefault)
{
    const struct {
        std::vector<BYTE> Data;
        DWORD Expected;
    } Rows[] = {
        {{9, 0, 0, 0}, 9},
        {{9, 0}, 42},                  // too short: not a whole DWORD
        {{9, 0, 0, 0, 0, 0, 0, 0}, 42},  // too long for the buffer
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(std::to_string(Row.Data.size()) + " bytes");
        winsim::RegPut("Software\\Q", "V", REG_DWORD, Row.Data);
        EXPECT_EQ(Row.Expected, ReadDwordValue(HKEY_CURRENT_USER, "Software\\Q", "V", 42));
    }
}

// ---- startup record ----

TEST_F(NativeTest, ShortRecordIsNotReadPastItsEnd)
{
    // The heap block ends where the host's record ends; the sanitizer
    // catches any read beyond it. A negative size is no size at all.
    PluginStartupInfo Full = fake::MakeStartupInfo(Host);
    const int WithoutHelp = int(offsetof(PluginStartupInfo, ShowHelp));
    const struct {
        int Bytes, StructSize;
        bool Services;  // the host's services up to ShowHelp come along
    } Rows[] = {
        {WithoutHelp, WithoutHelp, true},
        {int(sizeof(int)), -1, false},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE("StructSize " + std::to_string(Row.StructSize));
        std::unique_ptr<char[]> Record(new char[size_t(Row.Bytes)]);
        std::memcpy(Record.get(), &Full, size_t(Row.Bytes));
        std::memcpy(Record.get(), &Row.StructSize, sizeof(int));
        StartWith(reinterpret_cast<const PluginStartupInfo *>(Record.get()));
        EXPECT_EQ(Row.StructSize, HostInfo.StructSize);
        EXPECT_EQ(nullptr, HostInfo.ShowHelp);
        EXPECT_EQ(Row.Services ? Full.EditorControl : nullptr, HostInfo.EditorControl);
        if (Row.Services) {
            EXPECT_EQ("Software\\QuorrelTests\\Plugin\\Quorrel", Settings.Key);
        }
    }
}

}  // namespace
