// The safety check of the status format from the message file.
#include <gtest/gtest.h>

#include "FormatCheck.h"

namespace {

TEST(StatusFormat, AcceptsAtMostThreeIntConversions)
{
    const struct {
        const char *Format;
        bool Safe;
    } Rows[] = {
        {"%c  %3d  %02Xh", true},
        {"", true},
        {"no conversions", true},
        {"100%% sure %c", true},
        {"%i %u %o", true},
        {"%x %X", true},
        {"%-5d|%#x|%05u", true},
        {"%.3d %8.3x", true},
        {"%%%%%%%%", true},
        {"%c %d %x %X", false},  // a fourth conversion
        {"%s", false},
        {"%c %s", false},
        {"%n", false},
        {"%p", false},
        {"%S", false},
        {"%C", false},
        {"%ld", false},
        {"%hd", false},
        {"%I64d", false},
        {"%lc", false},
        {"%*d", false},
        {"%.*d", false},
        {"%1000d", false},
        {"%.1000d", false},
        {"end %", false},
        {"%-", false},
        {"%5", false},
        {"%q", false},
        {"%+d", false},
        {"% d", false},
    };
    for (const auto &Row : Rows) {
        SCOPED_TRACE(std::string("format \"") + Row.Format + "\"");
        EXPECT_EQ(Row.Safe, StatusFormatIsSafe(Row.Format));
    }
    EXPECT_FALSE(StatusFormatIsSafe(nullptr));
}

}  // namespace
