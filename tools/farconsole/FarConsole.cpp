#include "FarConsole.h"

#include <algorithm>
#include <cstdio>
#include <cwctype>

// ------------------------------------------------------------ text --

std::string Utf8(const std::wstring &Text) {
    if (Text.empty()) return {};
    const int Size = WideCharToMultiByte(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0, nullptr, nullptr);
    std::string Out(size_t(Size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, Text.data(), int(Text.size()), &Out[0], Size, nullptr, nullptr);
    return Out;
}

std::wstring Wide(const std::string &Utf8Text) {
    if (Utf8Text.empty()) return {};
    const int Size = MultiByteToWideChar(CP_UTF8, 0, Utf8Text.data(), int(Utf8Text.size()), nullptr, 0);
    std::wstring Out(size_t(Size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, Utf8Text.data(), int(Utf8Text.size()), &Out[0], Size);
    return Out;
}

// ---------------------------------------------------------- screens --

std::wstring Screen::Row(int Y) const { return Text(0, Y, Width); }

std::wstring Screen::Text(int X, int Y, int Count) const {
    std::wstring Out;
    if (Y < 0 || Y >= Height) return Out;
    for (int I = std::max(X, 0); I < std::min(X + Count, Width); I++) Out += Char(I, Y);
    return Out;
}

bool Screen::Find(const std::wstring &Wanted, int *X, int *Y) const {
    for (int Row_ = 0; Row_ < Height; Row_++) {
        const size_t At_ = Row(Row_).find(Wanted);
        if (At_ == std::wstring::npos) continue;
        if (X) *X = int(At_);
        if (Y) *Y = Row_;
        return true;
    }
    return false;
}

std::string Screen::Dump() const {
    std::string Out;
    for (int Y = 0; Y < Height; Y++) {
        std::wstring Line = Row(Y);
        Line.erase(Line.find_last_not_of(L' ') + 1);
        char Number[8];
        std::snprintf(Number, sizeof Number, "%2d|", Y);
        Out += Number + Utf8(Line) + "\n";
    }
    char Line[64];
    std::snprintf(Line, sizeof Line, "cursor %d,%d%s\n", Cursor.X, Cursor.Y, CursorVisible ? "" : " (hidden)");
    return Out + Line;
}

bool Screen::operator==(const Screen &Other) const {
    if (Width != Other.Width || Height != Other.Height || Cursor.X != Other.Cursor.X ||
        Cursor.Y != Other.Cursor.Y || CursorVisible != Other.CursorVisible)
        return false;
    for (size_t I = 0; I < Cells.size(); I++)
        if (Cells[I].Char.UnicodeChar != Other.Cells[I].Char.UnicodeChar ||
            Cells[I].Attributes != Other.Cells[I].Attributes)
            return false;
    return true;
}

std::string Screen::Differences(const Screen &Other, int Limit) const {
    if (Width != Other.Width || Height != Other.Height) return "the sizes differ";
    std::string Out;
    char Line[160];
    if (Cursor.X != Other.Cursor.X || Cursor.Y != Other.Cursor.Y || CursorVisible != Other.CursorVisible) {
        std::snprintf(Line, sizeof Line, "cursor %d,%d%s / %d,%d%s\n", Cursor.X, Cursor.Y, CursorVisible ? "" : " hidden",
                      Other.Cursor.X, Other.Cursor.Y, Other.CursorVisible ? "" : " hidden");
        Out += Line;
    }
    int Count = 0;
    for (int Y = 0; Y < Height; Y++)
        for (int X = 0; X < Width; X++) {
            const CHAR_INFO &A = At(X, Y), &B = Other.At(X, Y);
            if (A.Char.UnicodeChar == B.Char.UnicodeChar && A.Attributes == B.Attributes) continue;
            if (++Count > Limit) continue;
            std::snprintf(Line, sizeof Line, "row %d column %d: '%s' 0x%02x / '%s' 0x%02x\n", Y, X,
                          Utf8(std::wstring(1, A.Char.UnicodeChar)).c_str(), A.Attributes,
                          Utf8(std::wstring(1, B.Char.UnicodeChar)).c_str(), B.Attributes);
            Out += Line;
        }
    if (Count > Limit) Out += "... " + std::to_string(Count) + " cells differ\n";
    return Out;
}

// ------------------------------------------------------------- keys --

namespace {

struct NamedKey {
    const wchar_t *Name;
    WORD Vk;
    wchar_t Char;
    WORD Scan;
    bool Enhanced;  // the grey keys, as a real keyboard reports them
};

const NamedKey NamedKeys[] = {
    {L"Enter", VK_RETURN, L'\r', 0x1c, false}, {L"Esc", VK_ESCAPE, 27, 0x01, false},
    {L"Tab", VK_TAB, L'\t', 0x0f, false},      {L"BS", VK_BACK, 8, 0x0e, false},
    {L"Space", VK_SPACE, L' ', 0x39, false},   {L"Up", VK_UP, 0, 0x48, true},
    {L"Down", VK_DOWN, 0, 0x50, true},         {L"Left", VK_LEFT, 0, 0x4b, true},
    {L"Right", VK_RIGHT, 0, 0x4d, true},       {L"Home", VK_HOME, 0, 0x47, true},
    {L"End", VK_END, 0, 0x4f, true},           {L"PgUp", VK_PRIOR, 0, 0x49, true},
    {L"PgDn", VK_NEXT, 0, 0x51, true},         {L"Ins", VK_INSERT, 0, 0x52, true},
    {L"Del", VK_DELETE, 0, 0x53, true},        {L"Add", VK_ADD, L'+', 0x4e, false},
    {L"F1", VK_F1, 0, 0x3b, false},            {L"F2", VK_F2, 0, 0x3c, false},
    {L"F3", VK_F3, 0, 0x3d, false},            {L"F4", VK_F4, 0, 0x3e, false},
    {L"F5", VK_F5, 0, 0x3f, false},            {L"F6", VK_F6, 0, 0x40, false},
    {L"F7", VK_F7, 0, 0x41, false},            {L"F8", VK_F8, 0, 0x42, false},
    {L"F9", VK_F9, 0, 0x43, false},            {L"F10", VK_F10, 0, 0x44, false},
    {L"F11", VK_F11, 0, 0x57, false},          {L"F12", VK_F12, 0, 0x58, false},
};

const struct {
    const wchar_t *Prefix;
    DWORD State;
} Modifiers[] = {{L"Ctrl+", LEFT_CTRL_PRESSED}, {L"Alt+", LEFT_ALT_PRESSED}, {L"Shift+", SHIFT_PRESSED}};

INPUT_RECORD KeyRecord(const Key &K, WORD Scan, bool Down) {
    INPUT_RECORD R = {};
    R.EventType = KEY_EVENT;
    R.Event.KeyEvent.bKeyDown = Down;
    R.Event.KeyEvent.wRepeatCount = 1;
    R.Event.KeyEvent.wVirtualKeyCode = K.Vk;
    R.Event.KeyEvent.wVirtualScanCode = Scan;
    R.Event.KeyEvent.uChar.UnicodeChar = K.Char;
    R.Event.KeyEvent.dwControlKeyState = K.Modifiers;
    return R;
}

HANDLE OpenConsole(const wchar_t *Name) {
    return CreateFileW(Name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

WORD ScanOf(const Key &K) {
    for (const NamedKey &N : NamedKeys)
        if (N.Vk == K.Vk) return N.Scan;
    return K.Vk ? WORD(MapVirtualKeyW(K.Vk, MAPVK_VK_TO_VSC)) : 0;
}

// A key as a keyboard makes it: the modifier keys go down first, one by
// one, and up last, so that the host never sees a modifier held longer
// than the key (Far's key bar follows Shift, Ctrl and Alt).
void AddPress(const Key &K, std::vector<INPUT_RECORD> *Records) {
    const struct {
        DWORD State;
        WORD Vk, Scan;
    } Held[] = {{LEFT_CTRL_PRESSED, VK_CONTROL, 0x1d}, {LEFT_ALT_PRESSED, VK_MENU, 0x38},
                {SHIFT_PRESSED, VK_SHIFT, 0x2a}};
    DWORD State = 0;
    for (const auto &H : Held)
        if (K.Modifiers & H.State) {
            State |= H.State;
            Records->push_back(KeyRecord({H.Vk, 0, State}, H.Scan, true));
        }
    const WORD Scan = ScanOf(K);
    Records->push_back(KeyRecord(K, Scan, true));
    Records->push_back(KeyRecord(K, Scan, false));
    // Each release reports the modifiers still held after it.
    for (int I = 2; I >= 0; I--)
        if (K.Modifiers & Held[I].State) {
            State &= ~Held[I].State;
            Records->push_back(KeyRecord({Held[I].Vk, 0, State}, Held[I].Scan, false));
        }
}

}  // namespace

bool ParseKey(const std::wstring &Name, Key *Out) {
    Key K;
    std::wstring Rest = Name;
    for (bool Found = true; Found && Rest.size() > 1;) {
        Found = false;
        for (const auto &M : Modifiers)
            if (Rest.compare(0, wcslen(M.Prefix), M.Prefix) == 0) {
                K.Modifiers |= M.State;
                Rest.erase(0, wcslen(M.Prefix));
                Found = true;
            }
    }
    for (const NamedKey &N : NamedKeys)
        if (Rest == N.Name) {
            K.Vk = N.Vk;
            K.Char = N.Char;
            if (N.Enhanced) K.Modifiers |= ENHANCED_KEY;
            *Out = K;
            return true;
        }
    if (Rest.size() != 1) return false;
    // One character: its key on the keyboard, when the layout has one.
    const wchar_t Ch = Rest[0];
    const DWORD Named = K.Modifiers;
    const SHORT Scan = VkKeyScanW(Ch);
    if (Scan != -1) {
        K.Vk = WORD(Scan & 0xff);
        if (Scan & 0x100) K.Modifiers |= SHIFT_PRESSED;
    }
    K.Char = Ch;
    const DWORD Ctrl = LEFT_CTRL_PRESSED | RIGHT_CTRL_PRESSED, Alt = LEFT_ALT_PRESSED | RIGHT_ALT_PRESSED;
    if ((K.Modifiers & Ctrl) && !(K.Modifiers & Alt)) {
        // Ctrl with a letter types its control character, as a console reports
        // it; the letter's case is no Shift ("Ctrl+C" is Ctrl and the C key).
        const wchar_t Upper = wchar_t(towupper(Ch));
        K.Char = Upper >= L'A' && Upper <= L'Z' ? wchar_t(Upper - L'A' + 1) : 0;
        if (Upper >= L'A' && Upper <= L'Z') {
            K.Vk = WORD(Upper);
            K.Modifiers = (K.Modifiers & ~DWORD(SHIFT_PRESSED)) | (Named & SHIFT_PRESSED);
        }
    }
    *Out = K;
    return true;
}

namespace FarConsole {

bool AttachTo(DWORD ProcessId) {
    FreeConsole();
    return AttachConsole(ProcessId) != FALSE;
}

bool Read(Screen *Out) {
    // Opened anew each time: CONOUT$ is the buffer active now, whichever
    // buffer the program has made active since.
    HANDLE Output = OpenConsole(L"CONOUT$");
    if (Output == INVALID_HANDLE_VALUE) return false;
    CONSOLE_SCREEN_BUFFER_INFO Info;
    CONSOLE_CURSOR_INFO Cursor;
    bool Ok = GetConsoleScreenBufferInfo(Output, &Info) && GetConsoleCursorInfo(Output, &Cursor);
    if (Ok) {
        const SMALL_RECT W = Info.srWindow;
        Out->Width = W.Right - W.Left + 1;
        Out->Height = W.Bottom - W.Top + 1;
        Out->Cells.assign(size_t(Out->Width) * size_t(Out->Height), CHAR_INFO{});
        Out->Cursor = {SHORT(Info.dwCursorPosition.X - W.Left), SHORT(Info.dwCursorPosition.Y - W.Top)};
        Out->CursorVisible = Cursor.bVisible != FALSE;
        // In bands of whole rows, at most 2,000 cells each: older consoles
        // fail one large read.
        const int Band = std::max(1, 2000 / Out->Width);
        for (int Top = 0; Ok && Top < Out->Height; Top += Band) {
            const int Rows = std::min(Band, Out->Height - Top);
            SMALL_RECT Region = {W.Left, SHORT(W.Top + Top), W.Right, SHORT(W.Top + Top + Rows - 1)};
            Ok = ReadConsoleOutputW(Output, &Out->Cells[size_t(Top) * size_t(Out->Width)],
                                    {SHORT(Out->Width), SHORT(Rows)}, {0, 0}, &Region) != FALSE;
        }
    }
    CloseHandle(Output);
    return Ok;
}

bool Write(const std::vector<INPUT_RECORD> &Records) {
    HANDLE Input = OpenConsole(L"CONIN$");
    if (Input == INVALID_HANDLE_VALUE) return false;
    DWORD Written = 0;
    const bool Ok = WriteConsoleInputW(Input, Records.data(), DWORD(Records.size()), &Written) &&
                    Written == Records.size();
    CloseHandle(Input);
    return Ok;
}

bool Press(const Key &K) {
    std::vector<INPUT_RECORD> Records;
    AddPress(K, &Records);
    return Write(Records);
}

bool Press(const std::wstring &Names) {
    std::vector<INPUT_RECORD> Records;
    size_t Start = 0;
    while (Start < Names.size()) {
        size_t End = Names.find(L' ', Start);
        if (End == std::wstring::npos) End = Names.size();
        if (End > Start) {
            Key K;
            if (!ParseKey(Names.substr(Start, End - Start), &K)) return false;
            AddPress(K, &Records);
        }
        Start = End + 1;
    }
    return Write(Records);
}

bool Type(const std::wstring &Text) {
    std::vector<INPUT_RECORD> Records;
    for (wchar_t Ch : Text) {
        Key K;
        ParseKey(std::wstring(1, Ch), &K);
        AddPress(K, &Records);
    }
    return Write(Records);
}

bool Click(int X, int Y, bool Double, DWORD Modifiers) {
    auto Mouse = [&](DWORD Buttons, DWORD Flags) {
        INPUT_RECORD R = {};
        R.EventType = MOUSE_EVENT;
        R.Event.MouseEvent.dwMousePosition = {SHORT(X), SHORT(Y)};
        R.Event.MouseEvent.dwButtonState = Buttons;
        R.Event.MouseEvent.dwControlKeyState = Modifiers;
        R.Event.MouseEvent.dwEventFlags = Flags;
        return R;
    };
    std::vector<INPUT_RECORD> Records = {Mouse(FROM_LEFT_1ST_BUTTON_PRESSED, 0), Mouse(0, 0)};
    if (Double) {
        Records.push_back(Mouse(FROM_LEFT_1ST_BUTTON_PRESSED, DOUBLE_CLICK));
        Records.push_back(Mouse(0, 0));
    }
    return Write(Records);
}

}  // namespace FarConsole
