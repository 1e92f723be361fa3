// The shipped far3/Quorrel.dll itself (Windows builds only): loaded as Far
// 3 loads it, its six exports found by their plain names and called with
// the fake Far 3's record, so that the x86 module's calling convention and
// export names are tried as well as the x64 one's.
#include "Far3Fixture.h"

#include "Far3Guids.h"

namespace {

class Far3ModuleTest : public Far3Test {
protected:
    HMODULE Module = nullptr;
    void(WINAPI *GetGlobalInfo)(GlobalInfo *) = nullptr;
    void(WINAPI *SetStartupInfo)(const PluginStartupInfo *) = nullptr;
    void(WINAPI *GetPluginInfo)(PluginInfo *) = nullptr;
    HANDLE(WINAPI *Open)(const OpenInfo *) = nullptr;
    intptr_t(WINAPI *Configure)(const ConfigureInfo *) = nullptr;
    void(WINAPI *ExitFar)(const ExitInfo *) = nullptr;

    template <class F>
    void Find(F &Function, const char *Name)
    {
        Function = reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(Module, Name)));
        ASSERT_NE(nullptr, reinterpret_cast<void *>(Function)) << Name;
    }
    void SetUp() override
    {
        Far3Test::SetUp();
        Module = LoadLibraryA(QUORREL_FAR3_MODULE);
        ASSERT_NE(nullptr, Module) << QUORREL_FAR3_MODULE << ": error " << GetLastError();
        Find(GetGlobalInfo, "GetGlobalInfoW");
        Find(SetStartupInfo, "SetStartupInfoW");
        Find(GetPluginInfo, "GetPluginInfoW");
        Find(Open, "OpenW");
        Find(Configure, "ConfigureW");
        Find(ExitFar, "ExitFARW");
    }
    void TearDown() override
    {
        if (Module) FreeLibrary(Module);
        Far3Test::TearDown();
    }
};

TEST_F(Far3ModuleTest, TheModuleWorksThroughItsExports)
{
    GlobalInfo Global = {};
    GetGlobalInfo(&Global);
    EXPECT_TRUE(SameGuid(QuorrelGuid, Global.Guid));
    EXPECT_STREQ(L"Quorrel", Global.Title);

    Host.Settings[L"CodePage"] = far3fake::Number(1251);
    Host.Settings[L"PasteMode"] = far3fake::Number(1);
    const PluginStartupInfo Info = far3fake::MakeStartupInfo(Host);
    SetStartupInfo(&Info);
    PluginInfo Plugin = {};
    GetPluginInfo(&Plugin);
    ASSERT_EQ(1u, Plugin.PluginMenu.Count);
    EXPECT_STREQ(L"M0", Plugin.PluginMenu.Strings[0]);

    // From the panels: on code page 1251 the chart's code 198 and Enter type
    // the Cyrillic Zhe into the command line.
    Host.DialogInputs = Typed(L"198");
    Host.DialogInputs.push_back(KeyInput(VK_RETURN, 13));
    Host.DialogInputs.push_back(KeyInput(VK_RETURN, 13));
    const OpenInfo FromPanels = {sizeof FromPanels, OPEN_PLUGINSMENU, &QuorrelMenuGuid, 0, nullptr};
    EXPECT_EQ(nullptr, Open(&FromPanels));
    ASSERT_EQ(1u, Host.CmdLineInserted.size());
    EXPECT_EQ(L"\x0416", Host.CmdLineInserted[0]);
    EXPECT_EQ(L"\x0416", UnicodeText());
    EXPECT_EQ(0xC6u, Host.Settings[L"LastChar"].Number);

    // The options dialog, confirmed with "Nothing" chosen.
    Host.DialogScript = [](std::vector<intptr_t> &Checks) -> intptr_t {
        Checks[2] = BSTATE_CHECKED;
        Checks[3] = BSTATE_UNCHECKED;
        return 17;
    };
    const ConfigureInfo Config = {sizeof Config, &QuorrelConfigGuid, nullptr};
    EXPECT_EQ(TRUE, Configure(&Config));
    EXPECT_EQ(0u, Host.Settings[L"PasteMode"].Number);
    const ExitInfo Exit = {sizeof Exit, nullptr};
    ExitFar(&Exit);
}

}  // namespace
