// Rows of clipboard bytes and the first line they read as.
#ifndef QUORREL_TESTS_CLIPBOARDROWS_H
#define QUORREL_TESTS_CLIPBOARDROWS_H

#include "Far3Clipboard.h"
#include "Far3Fixture.h"

struct ClipboardLineRow {
    std::vector<BYTE> Bytes;  // put as CF_UNICODETEXT, as given
    std::wstring Line;        // what ReadFar3Clipboard gives
};

inline void ExpectClipboardLines(const std::vector<ClipboardLineRow> &Rows)
{
    for (const auto &Row : Rows) {
        SCOPED_TRACE(Narrow(Row.Line) + ", " + std::to_string(Row.Bytes.size()) + " bytes");
        PutUnicodeBytes(Row.Bytes);
        std::wstring Line = L"stale";
        EXPECT_TRUE(ReadFar3Clipboard(Line));
        EXPECT_EQ(Row.Line, Line);
    }
}

#endif
