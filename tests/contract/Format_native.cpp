// Where winsim's wsprintfA departs from Wine on purpose: at the very end of
// the 1024-byte buffer a 0x prefix that no longer fits makes Wine copy two
// characters too many and run past the buffer. winsim drops them instead.
#include "Contract.h"

namespace {

TEST(FormatNative, AHexPrefixAtTheLimitStaysInsideTheBuffer)
{
    struct {
        size_t head;
        const char *format;
        const char *tail;
    } rows[] = {
        {1021, "%s%#x", "ab"},       // no room for the prefix: digits only, cut
        {1019, "%s%#x", "0xab"},     // the prefix fits, the digits are cut
        {1016, "%s%#08x", "0x0000a"}, // the prefix pushes the digits out
    };
    for (auto &row : rows) {
        SCOPED_TRACE(row.format + std::string(" after ") + std::to_string(row.head));
        std::vector<char> buf(1024 + 16, 'Z');
        const std::string head(row.head, 'a');
        EXPECT_EQ(wsprintfA(buf.data(), row.format, head.c_str(), 0xabc), 1024);
        EXPECT_EQ(strlen(buf.data()), 1023u);
        EXPECT_EQ(std::string(buf.data() + row.head), row.tail);
        for (size_t i = 1024; i < buf.size(); i++) ASSERT_EQ(buf[i], 'Z') << "byte " << i;
    }
}

}  // namespace
