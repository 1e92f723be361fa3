// Settings store and palette, through the registry.
#include "ServicesFixture.h"

#include "Registry.h"

namespace {

class SettingsTest : public ServicesTest {};

TEST_F(SettingsTest, FirstRunWithoutKeyGivesDefaults)
{
    Host.RootKey = "Software\\QuorrelTests\\NeverWritten";
    // Values a broken load would leave behind.
    LastChar = 99;
    Settings.PasteMode = Paste(0);
    Settings.TypeMode = Typing(2);
    Settings.CopyMode = false;
    Settings.ShowEditorChar = Settings.ShowCmdlineChar = Settings.ShowWinTable = true;
    Start();
    EXPECT_EQ("Software\\QuorrelTests\\NeverWritten\\Quorrel", Settings.Key);
    EXPECT_EQ(0, LastChar);
    EXPECT_EQ(1, int(Settings.PasteMode));
    EXPECT_EQ(1, int(Settings.TypeMode));
    EXPECT_TRUE(Settings.CopyMode);
    EXPECT_FALSE(Settings.ShowEditorChar);
    EXPECT_FALSE(Settings.ShowCmdlineChar);
    EXPECT_FALSE(Settings.ShowWinTable);
}

struct LoadRow {
    const char *Name;
    DWORD Type;
    std::vector<BYTE> Data;
    int Expected;
};

int LoadedValue(const std::string &Name, uint8_t LastChar)
{
    if (Name == "LastChar") return LastChar;
    if (Name == "PasteMode") return int(Settings.PasteMode);
    if (Name == "TypeMode") return int(Settings.TypeMode);
    if (Name == "CopyMode") return Settings.CopyMode;
    if (Name == "ShowEditorChar") return Settings.ShowEditorChar;
    if (Name == "ShowCmdlineChar") return Settings.ShowCmdlineChar;
    if (Name == "ShowWinTable") return Settings.ShowWinTable;
    return -1000;
}

TEST_F(SettingsTest, StoredValuesLoadByWidthTypeAndRange)
{
    const std::vector<LoadRow> Rows = {
        {"LastChar", REG_DWORD, DwordBytes(65), 65},
        {"LastChar", REG_DWORD, DwordBytes(300), 44},  // the low byte
        {"PasteMode", REG_DWORD, DwordBytes(0), 0},
        {"PasteMode", REG_DWORD, DwordBytes(2), 2},
        {"PasteMode", REG_DWORD, DwordBytes(3), 1},           // out of range: default
        {"TypeMode", REG_DWORD, DwordBytes(0xFFFFFFFF), 1},   // -1: default
        {"TypeMode", REG_DWORD, DwordBytes(2), 2},
        {"CopyMode", REG_DWORD, DwordBytes(0), 0},
        {"CopyMode", REG_DWORD, DwordBytes(256), 0},          // low byte 0: false
        {"ShowEditorChar", REG_DWORD, DwordBytes(2), 1},      // any nonzero byte: true
        {"ShowCmdlineChar", REG_DWORD, DwordBytes(1), 1},
        {"ShowWinTable", REG_DWORD, DwordBytes(256), 0},
        {"ShowWinTable", REG_DWORD, DwordBytes(2), 1},
        {"PasteMode", REG_SZ, {'2', 0}, 1},                   // wrong type: default
        {"LastChar", REG_SZ, {'7', 0}, 0},
        {"CopyMode", REG_BINARY, {0, 0, 0, 0}, 1},
        {"LastChar", REG_BINARY, {1, 2, 3, 4, 5, 6, 7, 8}, 0},
    };
    for (const LoadRow &Row : Rows) {
        SCOPED_TRACE(std::string(Row.Name) + " type " + std::to_string(Row.Type) + " expect " +
                     std::to_string(Row.Expected));
        ClearRegValues(SettingsPath());
        PutRegValue(SettingsPath(), Row.Name, Row.Type, Row.Data);
        Settings = PluginSettings();
        Start();
        EXPECT_EQ(Row.Expected, LoadedValue(Row.Name, LastChar));
    }
}

TEST_F(SettingsTest, SaveWritesTheSixOptionsAsDwordsButNotLastChar)
{
    Start();
    PutRegValue(SettingsPath(), "PasteMode", REG_SZ, {'x', 0});  // replaced by a DWORD
    PutRegValue(SettingsPath(), "LastChar", REG_DWORD, DwordBytes(17));
    LastChar = 200;
    Settings.PasteMode = Paste(2);
    Settings.TypeMode = Typing(0);
    Settings.CopyMode = false;
    Settings.ShowEditorChar = true;
    Settings.ShowCmdlineChar = false;
    Settings.ShowWinTable = true;
    SaveSettings();

    const struct {
        const char *Name;
        DWORD Value;
    } Expected[] = {{"PasteMode", 2},      {"TypeMode", 0},        {"CopyMode", 0},
                    {"ShowEditorChar", 1}, {"ShowCmdlineChar", 0}, {"ShowWinTable", 1},
                    {"LastChar", 17}};
    for (const auto &E : Expected) {
        SCOPED_TRACE(E.Name);
        StoredValue V = GetRegValue(SettingsPath(), E.Name);
        ASSERT_TRUE(V.Exists);
        EXPECT_EQ(DWORD(REG_DWORD), V.Type);
        EXPECT_EQ(DwordBytes(E.Value), V.Data);
    }

    // And they load back as saved.
    Settings = PluginSettings();
    Start();
    EXPECT_EQ(17, LastChar);
    EXPECT_EQ(2, int(Settings.PasteMode));
    EXPECT_EQ(0, int(Settings.TypeMode));
    EXPECT_FALSE(Settings.CopyMode);
    EXPECT_TRUE(Settings.ShowEditorChar);
    EXPECT_FALSE(Settings.ShowCmdlineChar);
    EXPECT_TRUE(Settings.ShowWinTable);
}

TEST_F(SettingsTest, WriteSettingAndReadSettingUseTheSettingsKey)
{
    Start();
    WriteSetting("LastChar", 0x1234);
    StoredValue V = GetRegValue(SettingsPath(), "LastChar");
    ASSERT_TRUE(V.Exists);
    EXPECT_EQ(DwordBytes(0x1234), V.Data);
    EXPECT_EQ(0x1234u, ReadSetting("LastChar", 5));
    EXPECT_EQ(5u, ReadSetting("Missing", 5));
}

TEST_F(SettingsTest, ReadBinaryValueReportsTheStoredLength)
{
    PutRegValue(SettingsPath(), "Blob", REG_BINARY, {1, 2, 3});
    BYTE Buffer[8] = {9, 9, 9, 9, 9, 9, 9, 9};
    DWORD Length = 0;
    EXPECT_TRUE(ReadBinaryValue(HKEY_CURRENT_USER, SettingsPath().c_str(), "Blob", Buffer,
                                sizeof(Buffer), &Length));
    EXPECT_EQ(3u, Length);
    EXPECT_EQ(3, Buffer[2]);
    EXPECT_EQ(9, Buffer[3]);  // not cleared
    // Longer than the buffer: its first bytes. Of another type: false.
    BYTE Two[3] = {9, 9, 9};
    EXPECT_TRUE(ReadBinaryValue(HKEY_CURRENT_USER, SettingsPath().c_str(), "Blob", Two, 2,
                                &Length));
    EXPECT_EQ(2u, Length);
    EXPECT_EQ((std::vector<BYTE>{1, 2, 9}), std::vector<BYTE>(Two, Two + 3));
    PutRegValue(SettingsPath(), "Text", REG_SZ, {'a', 0});
    EXPECT_FALSE(ReadBinaryValue(HKEY_CURRENT_USER, SettingsPath().c_str(), "Text", Buffer,
                                 sizeof(Buffer), &Length));
}

// ---- palette ----

class PaletteTest : public ServicesTest {
protected:
    void TearDown() override
    {
        ClearRegValues(PaletteKey);
        ServicesTest::TearDown();
    }
    // A palette whose byte at index i is 0x80 + i.
    static std::vector<BYTE> Palette(size_t Length)
    {
        std::vector<BYTE> P(Length);
        for (size_t I = 0; I < Length; I++) P[I] = BYTE(0x80 + I);
        return P;
    }
};

TEST_F(PaletteTest, ColoursComeFromTheirBytesOrAreTheDefaults)
{
    const struct {
        const char *What;
        DWORD Type;
        size_t Length;  // 0: no value
        bool Text, Frame, Title, Input;
    } Rows[] = {
        {"missing", REG_BINARY, 0, false, false, false, false},
        {"not binary", REG_SZ, 40, false, false, false, false},
        {"a dword", REG_DWORD, 4, false, false, false, false},
        {"21 bytes", REG_BINARY, 21, false, false, false, false},
        {"22 bytes", REG_BINARY, 22, true, false, false, false},
        {"24 bytes", REG_BINARY, 24, true, true, false, false},
        {"26 bytes", REG_BINARY, 26, true, true, true, false},
        {"27 bytes", REG_BINARY, 27, true, true, true, true},
        {"100 bytes", REG_BINARY, 100, true, true, true, true},
        {"101 bytes", REG_BINARY, 101, true, true, true, true},
        {"4096 bytes", REG_BINARY, 4096, true, true, true, true},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Row.What);
        ClearRegValues(PaletteKey);
        std::vector<BYTE> Data = Palette(Row.Length);
        if (Row.Type == REG_SZ) Data.back() = 0;  // a string is stored with its zero
        if (Row.Length) PutRegValue(PaletteKey, "CurrentPalette", Row.Type, Data);
        const PaletteColors C = ReadPaletteColors();
        EXPECT_EQ(Row.Text ? 0x80 + 21 : 0x70, C.TextColor);
        EXPECT_EQ(Row.Frame ? 0x80 + 23 : 0x70, C.FrameColor);
        EXPECT_EQ(Row.Title ? 0x80 + 24 : 0x70, C.TitleColor);
        EXPECT_EQ(Row.Input ? 0x80 + 26 : 0x30, C.InputColor);
    }
}

}  // namespace
