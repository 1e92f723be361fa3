// Code pages that refuse MultiByteToWideChar's flags, as Windows' UTF-8,
// ISO 2022 and Symbol pages do: the byte stays known, shown as itself.
#include <gtest/gtest.h>

#include "CharInfo.h"

#include <winsim.h>

namespace {

TEST(CharInfoRefusals, FlagsRefusedOrBytesUndefined)
{
    struct Row {
        const char *What;
        int After, Times;  // the conversions that pass, then fail with Error
        DWORD Error;
        bool Known, Defined;
        uint32_t Glyph;
    };
    // 0x1B on 437: ESC, shown as U+2190.
    const Row Rows[] = {
        {"all flags taken", 0, 0, 0, true, true, 0x2190},
        {"no conversion at all", 0, 1, ERROR_INVALID_PARAMETER, false, false, 0},
        {"no glyphs (UTF-8 on Windows)", 1, 1, ERROR_INVALID_FLAGS, true, true, 0x1B},
        {"no flags (ISO 2022, Symbol)", 1, 2, ERROR_INVALID_FLAGS, true, true, 0x1B},
        {"an undefined byte", 2, 1, ERROR_NO_UNICODE_TRANSLATION, true, false, 0x2190},
    };
    for (const Row &R : Rows) {
        SCOPED_TRACE(R.What);
        winsim::Reset();
        if (R.Times) winsim::FailCallAfter("MultiByteToWideChar", R.After, R.Times, R.Error);
        CellCharacter C = CharacterOfByte(437, 0x1B);
        EXPECT_EQ(R.Known, C.Known);
        EXPECT_EQ(R.Defined, C.Defined);
        EXPECT_EQ(R.Known ? 0x1Bu : 0u, C.CodePoint);
        EXPECT_EQ(R.Glyph, C.Glyph);
    }
    winsim::Reset();
}

}  // namespace
