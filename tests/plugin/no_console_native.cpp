// An opening without a console: the console handles could not be opened when
// the module was loaded, or the console's size cannot be read.
#include "PluginFixture.h"

#include "InputRecords.h"

#include <winsim.h>

namespace {

class NoConsole : public PluginTest {
protected:
    void SetUp() override
    {
        winsim::Reset();
        PluginTest::SetUp();
    }
    void TearDown() override
    {
        winsim::ClearFailures();
        PluginTest::TearDown();
    }
};

TEST_F(NoConsole, OpenPluginReturnsAtOnceWithNothingWrittenOrDelivered)
{
    struct Row {
        const char *Name;
        const char *Fails;
        int Times;
        bool AtLoad;  // fails while the module loads
        bool Opens;
    } Rows[] = {
        {"no console handles", "CreateFileA", -1, true, false},
        {"the size cannot be read", "GetConsoleScreenBufferInfo", -1, false, false},
        {"the size read fails once: tried again", "GetConsoleScreenBufferInfo", 1, false, true},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.Name);
        winsim::Reset();
        ResetChartUnits();
        ClearRegValues(SettingsPath());
        Host.CmdLineInserted.clear();
        if (R.AtLoad) winsim::FailCall(R.Fails, ERROR_ACCESS_DENIED, R.Times);
        ConsoleStart();
        QuorrelStart();
        winsim::ClearFailures();
        PutRegValue(SettingsPath(), "ShowCmdlineChar", REG_DWORD, DwordBytes(1));
        Host.CmdLineBytes = std::string("z\0", 2);
        Start();
        Chart.LastChar = 'k';
        winsim::SetClipboardText("before");
        winsim::PushInput(KeyRecord(VK_RETURN, '\r', 0));
        if (!R.AtLoad) winsim::FailCall(R.Fails, ERROR_ACCESS_DENIED, R.Times);
        winsim::ResetCallCounts();
        EXPECT_EQ(INVALID_HANDLE_VALUE, OpenPlugin(OPEN_PLUGINSMENU, 0));
        EXPECT_EQ(winsim::CallCount("WriteConsoleOutputA") > 0, R.Opens);
        EXPECT_EQ(winsim::CallCount("SetConsoleTitleA") > 0, R.Opens);
        EXPECT_EQ(winsim::PendingInput().empty(), R.Opens) << "the key is the host's";
        EXPECT_EQ(Chart.LastChar, R.Opens ? 'z' : 'k');
        EXPECT_EQ(GetRegValue(SettingsPath(), "LastChar").Exists, R.Opens);
        EXPECT_EQ(winsim::ClipboardText(), R.Opens ? "z" : "before");
        EXPECT_EQ(Host.CmdLineInserted.empty(), !R.Opens);
    }
}

}  // namespace
