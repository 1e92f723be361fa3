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
    PasteMode = 0;
    TypeMode = 2;
    CopyMode = false;
    ShowEditorChar = ShowCmdlineChar = ShowWinTable = true;
    Start();
    EXPECT_EQ("Software\\QuorrelTests\\NeverWritten\\Quorrel", SettingsKey);
    EXPECT_EQ(0, LastChar);
    EXPECT_EQ(1, PasteMode);
    EXPECT_EQ(1, TypeMode);
    EXPECT_TRUE(CopyMode);
    EXPECT_FALSE(ShowEditorChar);
    EXPECT_FALSE(ShowCmdlineChar);
    EXPECT_FALSE(ShowWinTable);
}

struct LoadRow {
    const char *Name;
    DWORD Type;
    std::vector<BYTE> Data;
    int Expected;
};

int LoadedValue(const std::string &Name)
{
    if (Name == "LastChar") return LastChar;
    if (Name == "PasteMode") return PasteMode;
    if (Name == "TypeMode") return TypeMode;
    if (Name == "CopyMode") return CopyMode;
    if (Name == "ShowEditorChar") return ShowEditorChar;
    if (Name == "ShowCmdlineChar") return ShowCmdlineChar;
    if (Name == "ShowWinTable") return ShowWinTable;
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
        SettingsResetForTests();
        Start();
        EXPECT_EQ(Row.Expected, LoadedValue(Row.Name));
    }
}

TEST_F(SettingsTest, SaveWritesTheSixOptionsAsDwordsButNotLastChar)
{
    Start();
    PutRegValue(SettingsPath(), "PasteMode", REG_SZ, {'x', 0});  // replaced by a DWORD
    PutRegValue(SettingsPath(), "LastChar", REG_DWORD, DwordBytes(17));
    LastChar = 200;
    PasteMode = 2;
    TypeMode = 0;
    CopyMode = false;
    ShowEditorChar = true;
    ShowCmdlineChar = false;
    ShowWinTable = true;
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
    SettingsResetForTests();
    Start();
    EXPECT_EQ(17, LastChar);
    EXPECT_EQ(2, PasteMode);
    EXPECT_EQ(0, TypeMode);
    EXPECT_FALSE(CopyMode);
    EXPECT_TRUE(ShowEditorChar);
    EXPECT_FALSE(ShowCmdlineChar);
    EXPECT_TRUE(ShowWinTable);
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
    void SetColors(uint8_t Value)
    {
        TextColor = FrameColor = TitleColor = InputColor = Value;
    }
};

TEST_F(PaletteTest, ColoursComeFromTheirBytesOrAreTheDefaults)
{
    // Each opening starts from the defaults, whatever an earlier one read.
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
        SetColors(0x05);
        ReadPaletteColors();
        EXPECT_EQ(Row.Text ? 0x80 + 21 : 0x70, TextColor);
        EXPECT_EQ(Row.Frame ? 0x80 + 23 : 0x70, FrameColor);
        EXPECT_EQ(Row.Title ? 0x80 + 24 : 0x70, TitleColor);
        EXPECT_EQ(Row.Input ? 0x80 + 26 : 0x30, InputColor);
    }
}

}  // namespace
