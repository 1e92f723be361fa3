// The Far 3 host's record, messages, help and the settings in Far's store.
#include "Far3Fixture.h"

#include "Far3Guids.h"
#include "Far3Help.h"
#include "Far3Messages.h"

#include <cstring>
#include <memory>

namespace {

using far3fake::Number;
using far3fake::String;

// ---- the host's record ----

TEST_F(Far3Test, ARecordIsReadOnlyAsFarAsItsStructSize)
{
    // The host's record in a block of exactly StructSize bytes: the copy must
    // not read past it (AddressSanitizer watches), and services beyond it,
    // or in a field it holds only in part, stay null.
    const PluginStartupInfo Full = far3fake::MakeStartupInfo(Host);
    const size_t Ptr = sizeof(void *);
    const struct {
        size_t Size;
        bool GetMsg, Fsf, ShowHelp, Settings;
    } Rows[] = {
        {sizeof Full, true, true, true, true},
        {offsetof(PluginStartupInfo, SettingsControl), true, true, true, false},
        {offsetof(PluginStartupInfo, SettingsControl) + Ptr - 1, true, true, true, false},
        {offsetof(PluginStartupInfo, ShowHelp), true, true, false, false},
        {offsetof(PluginStartupInfo, GetMsg), false, false, false, false},
        {sizeof(size_t), false, false, false, false},
    };
    FarStandardFunctions Functions = {};
    Functions.StructSize = sizeof Functions;
    for (const auto &Row : Rows) {
        SCOPED_TRACE("StructSize " + std::to_string(Row.Size));
        std::unique_ptr<char[]> Block(new char[Row.Size]);
        PluginStartupInfo Copy = Full;
        Copy.StructSize = Row.Size;
        Copy.FSF = &Functions;
        std::memcpy(Block.get(), &Copy, Row.Size);
        CopyFar3StartupInfo(reinterpret_cast<const PluginStartupInfo *>(Block.get()));
        EXPECT_EQ(Row.GetMsg, Far3Info.GetMsg != nullptr);
        EXPECT_EQ(Row.Fsf, Far3Info.FSF == &Far3Functions);
        EXPECT_EQ(Row.ShowHelp, Far3Info.ShowHelp != nullptr);
        EXPECT_EQ(Row.Settings, Far3Info.SettingsControl != nullptr);
        EXPECT_EQ(0u, Far3Info.StructSize % Ptr);
    }
    CopyFar3StartupInfo(nullptr);
    EXPECT_EQ(nullptr, Far3Info.GetMsg);
}

TEST_F(Far3Test, StandardFunctionsAreCopiedOnlyAsFarAsTheirStructSize)
{
    const size_t Sizes[] = {sizeof(FarStandardFunctions), sizeof(size_t) + 3 * sizeof(void *),
                            sizeof(size_t)};
    for (size_t Size : Sizes) {
        SCOPED_TRACE("FSF StructSize " + std::to_string(Size));
        std::unique_ptr<char[]> Block(new char[Size]);
        std::memset(Block.get(), 0x11, Size);
        reinterpret_cast<FarStandardFunctions *>(Block.get())->StructSize = Size;
        PluginStartupInfo Info = far3fake::MakeStartupInfo(Host);
        Info.FSF = reinterpret_cast<FarStandardFunctions *>(Block.get());
        CopyFar3StartupInfo(&Info);
        ASSERT_EQ(&Far3Functions, Far3Info.FSF);
        EXPECT_EQ(Size, Far3Functions.StructSize);
        const size_t Copied = (Size - sizeof(size_t)) / sizeof(void *);
        for (size_t I = 0; I < FarStandardFunctionCount; I++)
            EXPECT_EQ(I < Copied, Far3Functions.Functions[I] != nullptr) << "function " << I;
    }
}

// ---- messages and help ----

TEST_F(Far3Test, MessagesComeByNumberUnderOurGuid)
{
    Start();
    EXPECT_STREQ(L"M0", Far3Msg(MsgTitle));
    EXPECT_STREQ(L"M19", Far3Msg(MsgOk));
    ASSERT_EQ(2u, Host.MsgGuids.size());
    EXPECT_TRUE(SameGuid(QuorrelGuid, Host.MsgGuids[0]));
    EXPECT_STREQ(L"", Far3Msg(MsgCount));  // the host has none
    std::memset(&Far3Info, 0, sizeof Far3Info);
    EXPECT_STREQ(L"", Far3Msg(MsgTitle));  // no GetMsg
}

TEST_F(Far3Test, HelpShowsOurTopicsFromOurModule)
{
    EXPECT_FALSE(ShowFar3Help(nullptr));  // no ShowHelp yet
    Start();
    EXPECT_TRUE(ShowFar3Help(nullptr));
    EXPECT_TRUE(ShowFar3Help(HelpOptions));
    ASSERT_EQ(2u, Host.Helps.size());
    EXPECT_EQ(Host.ModuleName, Host.Helps[0].first);
    EXPECT_EQ(L"Contents", Host.Helps[0].second);
    EXPECT_EQ(L"Options", Host.Helps[1].second);
    EXPECT_EQ(FHELP_SELFHELP, Host.HelpFlags[0]);
}

// ---- settings ----

TEST_F(Far3Test, SettingsLoadFromFarsRoamingStoreUnderOurGuid)
{
    Start();
    LoadFar3Settings();
    ASSERT_EQ(1u, Host.SettingsLocations.size());
    EXPECT_EQ(PSL_ROAMING, Host.SettingsLocations[0]);
    EXPECT_TRUE(SameGuid(QuorrelGuid, Host.SettingsGuids[0]));
    EXPECT_EQ(Host.SettingsCreated, Host.SettingsFreed);
    // An empty store: every default.
    const Far3Settings Defaults;
    EXPECT_EQ(Defaults.Options.PasteMode, Far3Config.Options.PasteMode);
    EXPECT_EQ(1, Far3Config.Options.PasteMode);
    EXPECT_EQ(1, Far3Config.Options.TypeMode);
    EXPECT_TRUE(Far3Config.Options.CopyMode);
    EXPECT_FALSE(Far3Config.Options.ShowEditorChar || Far3Config.Options.ShowCmdlineChar ||
                 Far3Config.Options.ShowWinTable || Far3Config.UnicodeStatus);
    EXPECT_EQ(0u, Far3Config.LastChar);
    EXPECT_EQ(0u, Far3Config.CodePage);
    EXPECT_EQ(L"", Far3Config.History);
}

TEST_F(Far3Test, EachStoredValueLoadsWhenSoundAndAsItsDefaultWhenNot)
{
    // A value of another type, out of range or too large for its field
    // loads as its default; the others load as stored.
    struct Row {
        const wchar_t *Name;
        far3fake::StoredValue Stored;
        std::string Expected;  // the setting as loaded, printed
    };
    auto Loaded = [](const std::wstring &Name) -> std::string {
        const Far3Settings &S = Far3Config;
        const Far3Options &O = S.Options;
        if (Name == L"PasteMode") return std::to_string(O.PasteMode);
        if (Name == L"TypeMode") return std::to_string(O.TypeMode);
        if (Name == L"CopyMode") return std::to_string(O.CopyMode);
        if (Name == L"ShowEditorChar") return std::to_string(O.ShowEditorChar);
        if (Name == L"ShowCmdlineChar") return std::to_string(O.ShowCmdlineChar);
        if (Name == L"ShowWinTable") return std::to_string(O.ShowWinTable);
        if (Name == L"UnicodeStatus") return std::to_string(S.UnicodeStatus);
        if (Name == L"LastChar") return std::to_string(S.LastChar);
        if (Name == L"CodePage") return std::to_string(S.CodePage);
        return Narrow(S.History);
    };
    const Row Rows[] = {
        {L"PasteMode", Number(2), "2"},
        {L"PasteMode", Number(0), "0"},
        {L"PasteMode", Number(3), "1"},
        {L"PasteMode", Number(~0ULL), "1"},
        {L"PasteMode", String(L"2"), "1"},  // Far would read it as 2
        {L"PasteMode", String(L"abc"), "1"},  // or as 0
        {L"PasteMode", far3fake::Data(), "1"},
        {L"TypeMode", Number(0), "0"},
        {L"TypeMode", Number(1ULL << 32), "1"},
        {L"CopyMode", Number(0), "0"},
        {L"CopyMode", Number(2), "1"},
        {L"CopyMode", String(L"0"), "1"},
        {L"ShowEditorChar", Number(1), "1"},
        {L"ShowEditorChar", Number(256), "0"},
        {L"ShowCmdlineChar", Number(1), "1"},
        {L"ShowWinTable", Number(1), "1"},
        {L"UnicodeStatus", Number(1), "1"},
        {L"UnicodeStatus", Number(7), "0"},
        {L"LastChar", Number(255), "255"},
        {L"LastChar", Number(300), "0"},
        {L"LastChar", String(L"65"), "0"},
        {L"CodePage", Number(1251), "1251"},
        {L"CodePage", Number(12345), "12345"},  // unknown: the opening decides
        {L"CodePage", Number(0x10000), "0"},
        {L"History", String(L"abc"), "abc"},
        {L"History", String(L"abacab"), "abc"},                       // no two alike
        {L"History", String(L"abcdefghijklmnopqrstuvwxyz"), "abcdefghijklmnop"},  // 16
        {L"History", String(std::wstring(L"a\xD800" L"b")), "ab"},      // no lone halves
        {L"History", Number(65), ""},  // Far would read it as "65"
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(Narrow(R.Name) + " stored as " +
                     (R.Stored.Type == FST_QWORD ? std::to_string(R.Stored.Number)
                                                 : "\"" + Narrow(R.Stored.String) + "\""));
        Host.Settings.clear();
        Host.Settings[R.Name] = R.Stored;
        Start();
        LoadFar3Settings();
        EXPECT_EQ(R.Expected, Loaded(R.Name));
    }
}

TEST_F(Far3Test, WithoutTheStoresListTheValuesAreTakenAsFarGivesThem)
{
    // A store that cannot list its values: a number still loads, and a
    // value of another type is what Far makes of it, within its range.
    Host.RefuseList = true;
    Host.Settings[L"TypeMode"] = Number(2);
    Host.Settings[L"PasteMode"] = String(L"abc");
    Host.Settings[L"LastChar"] = String(L"999");
    Start();
    LoadFar3Settings();
    EXPECT_EQ(2, Far3Config.Options.TypeMode);
    EXPECT_EQ(0, Far3Config.Options.PasteMode);
    EXPECT_EQ(0u, Far3Config.LastChar);
}

TEST_F(Far3Test, SavingWritesTheOptionsOrTheStateAndTheyLoadBack)
{
    Start();
    Far3Options &O = Far3Config.Options;
    O = {2, 0, false, true, true, true};
    Far3Config.LastChar = 200;
    Far3Config.CodePage = 866;
    Far3Config.UnicodeStatus = true;
    Far3Config.History = L"\x0436x";
    SaveFar3Options();
    EXPECT_EQ(6u, Host.Settings.size());  // the options only
    EXPECT_EQ(0u, Host.Settings.count(L"LastChar"));
    SaveFar3State();
    EXPECT_EQ(10u, Host.Settings.size());
    EXPECT_EQ(Host.SettingsCreated, Host.SettingsFreed);

    Far3Config = Far3Settings();
    LoadFar3Settings();
    EXPECT_EQ(2, O.PasteMode);
    EXPECT_EQ(0, O.TypeMode);
    EXPECT_FALSE(O.CopyMode);
    EXPECT_TRUE(O.ShowEditorChar && O.ShowCmdlineChar && O.ShowWinTable);
    EXPECT_EQ(200u, Far3Config.LastChar);
    EXPECT_EQ(866u, Far3Config.CodePage);
    EXPECT_TRUE(Far3Config.UnicodeStatus);
    EXPECT_EQ(L"\x0436x", Far3Config.History);
}

TEST_F(Far3Test, WithoutTheStoreEverythingIsDefaultAndNothingBreaks)
{
    Host.Settings[L"PasteMode"] = Number(0);
    Host.RefuseSettings = true;
    Start();
    LoadFar3Settings();
    EXPECT_EQ(1, Far3Config.Options.PasteMode);
    SaveFar3Options();
    SaveFar3State();
    EXPECT_EQ(0u, Host.Settings.count(L"LastChar"));
    EXPECT_EQ(0, Host.SettingsFreed);
    std::memset(&Far3Info, 0, sizeof Far3Info);  // no SettingsControl at all
    LoadFar3Settings();
    SaveFar3State();
}

}  // namespace
