// The Unicode keys' settings: F2's status choice and the history of
// characters, through the registry.
#include "ServicesFixture.h"

#include "UnicodeSettings.h"

namespace {

class UnicodeSettingsTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        ClearRegValues(HistoryPath());
    }
    std::string HistoryPath() const { return SettingsPath() + "\\History"; }
    ChartState Chart;
};

TEST_F(UnicodeSettingsTest, StoredValuesOfTheWrongTypeOrSizeLoadTheirDefaults)
{
    const std::vector<BYTE> Sixteen = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    std::vector<BYTE> Seventeen = Sixteen;
    Seventeen.push_back(17);
    const struct {
        const char *Case;
        bool InHistory;  // the value "Characters" of the subkey, else "UnicodeStatus"
        DWORD Type;
        std::vector<BYTE> Data;
        bool Status;
        std::vector<ChartChar> Recent;
    } Rows[] = {
        {"status on", false, REG_DWORD, DwordBytes(1), true, {}},
        {"status off", false, REG_DWORD, DwordBytes(0), false, {}},
        {"status: the low byte counts", false, REG_DWORD, DwordBytes(256), false, {}},
        {"status as a string", false, REG_SZ, {'1', 0}, false, {}},
        {"status as binary", false, REG_BINARY, DwordBytes(1), false, {}},
        {"status of eight bytes", false, REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0}, false, {}},
        {"history", true, REG_BINARY, {0x82, 'A'}, false, {0x82, 'A'}},
        {"history of sixteen", true, REG_BINARY, Sixteen, false,
         std::vector<ChartChar>(Sixteen.begin(), Sixteen.end())},
        {"history of seventeen", true, REG_BINARY, Seventeen, false, {}},
        {"history repeats a byte", true, REG_BINARY, {'A', 'B', 'A', 0}, false, {'A', 'B', 0}},
        {"history empty", true, REG_BINARY, {}, false, {}},
        {"history as a dword", true, REG_DWORD, DwordBytes('A'), false, {}},
        {"history as a string", true, REG_SZ, {'A', 0}, false, {}},
    };
    for (const auto &R : Rows) {
        SCOPED_TRACE(R.Case);
        ClearRegValues(SettingsPath());
        ClearRegValues(HistoryPath());
        PutRegValue(R.InHistory ? HistoryPath() : SettingsPath(),
                    R.InHistory ? "Characters" : "UnicodeStatus", R.Type, R.Data);
        // What a broken load would leave behind.
        Chart.UnicodeStatus = !R.Status;
        Chart.RecentChars = {'z'};
        Start();
        LoadUnicodeSettings(Chart);
        EXPECT_EQ(R.Status, Chart.UnicodeStatus);
        EXPECT_EQ(R.Recent, Chart.RecentChars);
    }
}

TEST_F(UnicodeSettingsTest, HistoryIsNewestFirstOnceEachAndSixteenLong)
{
    Start();
    LoadUnicodeSettings(Chart);
    for (uint8_t Char : {'a', 'b', 'a', 'c'}) RecordRecentChar(Chart, Char);
    EXPECT_EQ((std::vector<ChartChar>{'c', 'a', 'b'}), Chart.RecentChars);
    StoredValue V = GetRegValue(HistoryPath(), "Characters");
    EXPECT_EQ(DWORD(REG_BINARY), V.Type);
    EXPECT_EQ((std::vector<BYTE>{'c', 'a', 'b'}), V.Data);

    for (int Char = 1; Char <= 20; Char++) RecordRecentChar(Chart, ChartChar(Char));
    ASSERT_EQ(size_t(RecentCharsMax), Chart.RecentChars.size());
    EXPECT_EQ(20, Chart.RecentChars.front());
    EXPECT_EQ(5, Chart.RecentChars.back());
    // What was written loads back.
    Chart.RecentChars.clear();
    LoadUnicodeSettings(Chart);
    EXPECT_EQ(size_t(RecentCharsMax), Chart.RecentChars.size());
    EXPECT_EQ(20, Chart.RecentChars.front());
}

}  // namespace
