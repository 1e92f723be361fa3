// Shared set-up for the Far 3 edition's suites: the units back to load
// time, the fake Far 3 started, and the Unicode clipboard over Win32 (so
// that the tests run natively and under Wine alike).
#ifndef QUORREL_TESTS_FAR3FIXTURE_H
#define QUORREL_TESTS_FAR3FIXTURE_H

#include <gtest/gtest.h>

#include "Far3FakeHost.h"
#include "Far3Host.h"
#include "Far3Settings.h"

#include <cstring>
#include <string>
#include <vector>

// Puts raw bytes as CF_UNICODETEXT (no zero added), or empties the clipboard.
inline void PutUnicodeBytes(const std::vector<BYTE> &Bytes, bool Empty = false)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    if (!Empty) {
        HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE, Bytes.size());
        ASSERT_TRUE(Block);
        if (!Bytes.empty()) {
            void *Data = GlobalLock(Block);
            memcpy(Data, Bytes.data(), Bytes.size());
            GlobalUnlock(Block);
        }
        SetClipboardData(CF_UNICODETEXT, Block);
    }
    CloseClipboard();
}

inline std::vector<BYTE> Utf16Bytes(const std::wstring &Text, bool Zero = true)
{
    std::vector<BYTE> Bytes;
    for (wchar_t C : Text) {
        Bytes.push_back(static_cast<BYTE>(C & 0xFF));
        Bytes.push_back(static_cast<BYTE>((C >> 8) & 0xFF));
    }
    if (Zero) Bytes.insert(Bytes.end(), 2, 0);
    return Bytes;
}

inline void PutUnicodeText(const std::wstring &Text)
{
    PutUnicodeBytes(Utf16Bytes(Text));
}

// The clipboard's Unicode text up to its zero; "(none)" when it has none.
inline std::wstring UnicodeText()
{
    if (!OpenClipboard(nullptr)) return L"(cannot open)";
    std::wstring Text = L"(none)";
    if (HANDLE Block = GetClipboardData(CF_UNICODETEXT)) {
        const WCHAR *Data = static_cast<const WCHAR *>(GlobalLock(Block));
        if (Data) {
            Text.clear();
            for (SIZE_T I = 0; I < GlobalSize(Block) / sizeof(WCHAR) && Data[I]; I++)
                Text += static_cast<wchar_t>(Data[I]);
            GlobalUnlock(Block);
        }
    }
    CloseClipboard();
    return Text;
}

// Input for a dialog with a procedure: a key pressed (its character, if
// any, and the modifiers held) to the focused item, or a mouse event on an
// item, at a place relative to it.
inline far3fake::DialogInput KeyInput(WORD Vk, wchar_t Ch = 0, DWORD State = 0)
{
    INPUT_RECORD R = {};
    R.EventType = KEY_EVENT;
    R.Event.KeyEvent.bKeyDown = TRUE;
    R.Event.KeyEvent.wRepeatCount = 1;
    R.Event.KeyEvent.wVirtualKeyCode = Vk;
    R.Event.KeyEvent.uChar.UnicodeChar = Ch;
    R.Event.KeyEvent.dwControlKeyState = State;
    return {-1, R};
}

inline far3fake::DialogInput MouseInput(intptr_t Item, int X, int Y, DWORD Buttons, DWORD Flags = 0,
                                        DWORD State = 0)
{
    INPUT_RECORD R = {};
    R.EventType = MOUSE_EVENT;
    R.Event.MouseEvent.dwMousePosition.X = SHORT(X);
    R.Event.MouseEvent.dwMousePosition.Y = SHORT(Y);
    R.Event.MouseEvent.dwButtonState = Buttons;
    R.Event.MouseEvent.dwEventFlags = Flags;
    R.Event.MouseEvent.dwControlKeyState = State;
    return {Item, R};
}

// The keys of a text typed one by one.
inline std::vector<far3fake::DialogInput> Typed(const std::wstring &Text)
{
    std::vector<far3fake::DialogInput> Keys;
    for (wchar_t Ch : Text) Keys.push_back(KeyInput(Ch >= L'a' && Ch <= L'z' ? Ch - 32 : Ch, Ch));
    return Keys;
}

inline std::string Narrow(const std::wstring &Text)
{
    std::string Out;
    for (wchar_t C : Text) Out += C < 128 ? static_cast<char>(C) : '?';
    return Out;
}

// The Far 3 edition's module state back to load time: no host record, the
// settings at their defaults.
inline void ResetFar3()
{
    std::memset(&Far3Info, 0, sizeof Far3Info);
    std::memset(&Far3Functions, 0, sizeof Far3Functions);
    Far3Config = Far3Settings();
}

class Far3Test : public ::testing::Test {
protected:
    far3fake::Host Host;

    void SetUp() override
    {
        ResetFar3();
    }
    void TearDown() override
    {
        ResetFar3();
        far3fake::Current = nullptr;
    }
    // Hands the fake host's record over, as SetStartupInfoW does.
    void Start()
    {
        const PluginStartupInfo Info = far3fake::MakeStartupInfo(Host);
        CopyFar3StartupInfo(&Info);
    }
};

#endif
