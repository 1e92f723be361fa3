// Helpers for the console suite. Win32 names only: usable natively and under Wine.
#ifndef QUORREL_TESTS_CONSOLE_TESTUTIL_H
#define QUORREL_TESTS_CONSOLE_TESTUTIL_H

#include "Box.h"
#include "ConsoleReset.h"
#include "InputRecords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The modifier flags by short names, for tables of key records.
const DWORD LC = LEFT_CTRL_PRESSED, RC = RIGHT_CTRL_PRESSED, LA = LEFT_ALT_PRESSED,
            RA = RIGHT_ALT_PRESSED, SH = SHIFT_PRESSED, NL = NUMLOCK_ON;

// Every test starts from the unit's load-time state with the library started.
class ConsoleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetConsole();
        ConsoleStart();
    }
    void TearDown() override { ResetConsole(); }
};

// A screen of W x H cells held in memory only (no console involved): every
// image holds the same pattern, so drawing tests see exactly what they change.
inline CHAR_INFO PatternCell(int X, int Y) {
    CHAR_INFO C = {};
    C.Char.AsciiChar = char('a' + (X + 2 * Y) % 26);
    C.Attributes = WORD((X * 7 + Y * 13) & 0xFF);
    return C;
}

inline void UseMemoryScreen(int W, int H) {
    Screen.ScreenWidth = W;
    Screen.ScreenHeight = H;
    NewBuffer(Screen.SavedScreen);
    NewBuffer(Screen.DrawScreen);
    NewBuffer(Screen.ShownScreen);
    for (int Y = 0; Y < H; Y++)
        for (int X = 0; X < W; X++) Screen.SavedScreen.Cells[Y * W + X] = PatternCell(X, Y);
    CopyBuffer(Screen.SavedScreen, Screen.DrawScreen);
    CopyBuffer(Screen.SavedScreen, Screen.ShownScreen);
}

// A DrawScreen cell, to look at or to write: its row is read from the console
// first, and the cell counts as drawn on.
inline CHAR_INFO &DrawAt(int X, int Y) {
    TouchDrawScreen(X, Y, X, Y);
    return Screen.DrawScreen.Cells[Y * Screen.ScreenWidth + X];
}

inline unsigned char CharOf(const CHAR_INFO &C) {
    return (unsigned char)C.Char.AsciiChar;
}

// Reads the whole console, one row per call.
inline std::vector<CHAR_INFO> ReadWholeConsole(HANDLE Out) {
    CONSOLE_SCREEN_BUFFER_INFO Info = {};
    GetConsoleScreenBufferInfo(Out, &Info);
    const int W = Info.dwSize.X, H = Info.dwSize.Y;
    std::vector<CHAR_INFO> Cells(size_t(W) * H);
    for (int Y = 0; Y < H; Y++) {
        SMALL_RECT R = {0, SHORT(Y), SHORT(W - 1), SHORT(Y)};
        COORD Size = {SHORT(W), 1}, Origin = {0, 0};
        ReadConsoleOutputA(Out, &Cells[size_t(Y) * W], Size, Origin, &R);
    }
    return Cells;
}

// Writes Cells (row by row, the console's size) back, one row per call.
inline void WriteWholeConsole(HANDLE Out, const std::vector<CHAR_INFO> &Cells, int W, int H) {
    for (int Y = 0; Y < H; Y++) {
        SMALL_RECT R = {0, SHORT(Y), SHORT(W - 1), SHORT(Y)};
        COORD Size = {SHORT(W), 1}, Origin = {0, 0};
        WriteConsoleOutputA(Out, &Cells[size_t(Y) * W], Size, Origin, &R);
    }
}

// Compares two images by character byte and attributes; names the first
// differing cells.
inline ::testing::AssertionResult SameCells(const std::vector<CHAR_INFO> &Want,
                                            const std::vector<CHAR_INFO> &Got, int W) {
    if (Want.size() != Got.size())
        return ::testing::AssertionFailure()
               << "sizes differ: " << Want.size() << " vs " << Got.size();
    int Reported = 0;
    ::testing::AssertionResult Result = ::testing::AssertionSuccess();
    for (size_t I = 0; I < Want.size(); I++) {
        if (CharOf(Want[I]) == CharOf(Got[I]) && Want[I].Attributes == Got[I].Attributes)
            continue;
        if (Reported == 0) Result = ::testing::AssertionFailure();
        if (Reported++ < 8)
            Result << "cell (" << I % W << "," << I / W << "): want char " << int(CharOf(Want[I]))
                   << " attr 0x" << std::hex << Want[I].Attributes << ", got char " << std::dec
                   << int(CharOf(Got[I])) << " attr 0x" << std::hex << Got[I].Attributes
                   << std::dec << "; ";
    }
    if (Reported > 8) Result << "(" << Reported << " cells differ)";
    return Result;
}

inline std::vector<CHAR_INFO> Image(const ScreenBuffer &Buf) {
    return std::vector<CHAR_INFO>(Buf.Cells, Buf.Cells + Buf.ByteSize / 4);
}

#endif
