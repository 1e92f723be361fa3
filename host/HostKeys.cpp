// Key scripts: input records for named keys, typed characters and mouse
// events, as a real Windows console with a US keyboard produces them.
#include "HostInternal.h"

#include <cctype>
#include <cstdio>
#include <cstring>

const char KeySpecHelp[] =
    "A key script is a list of tokens separated by blanks:\n"
    "  Enter Esc Tab Space Back Up Down Left Right Home End PgUp PgDn Ins Del\n"
    "  F1..F12 Add Sub Mul Div (the grey keypad keys) Center Num0..Num9\n"
    "      named keys; names are not case-sensitive\n"
    "  Ctrl, Alt, Shift before a name or a letter: with those keys held,\n"
    "      e.g. ShiftF9 CtrlEnter AltRight CtrlC CtrlIns CtrlAdd CtrlShiftX\n"
    "  x   one character other than a blank types it (Shift as a US keyboard needs)\n"
    "  \"text\"   types each character (\\\" and \\\\ inside)\n"
    "  Char(N)   types the character with code N (decimal, or 0x.. hexadecimal)\n"
    "  CtrlAltShiftDown, CtrlAltShiftUp   press / release Ctrl, Alt and Shift\n"
    "  Press(X,Y) Release(X,Y) Click(X,Y) DoubleClick(X,Y) CtrlDoubleClick(X,Y)\n"
    "  Drag(X,Y) Move(X,Y) RightPress(X,Y) RightClick(X,Y)\n"
    "      mouse events at screen cell X,Y (0-based); Drag moves with the left\n"
    "      button down\n"
    "  NumLockOff, NumLockOn   the NumLock state of the records after it (on)\n"
    "Every key gives its key-down and key-up records, with the modifier keys'\n"
    "own records around them.\n";

namespace {

struct NamedKey {
    const char *Name;
    WORD Vk;
    WORD Scan;
    bool Enhanced;
    char Ch;      // plain (and with Shift, for these keys)
    char CtrlCh;  // with Ctrl
};

const NamedKey NamedKeys[] = {
    {"Enter", VK_RETURN, 0x1C, false, 13, 10},
    {"Esc", VK_ESCAPE, 0x01, false, 27, 27},
    {"Tab", VK_TAB, 0x0F, false, 9, 0},
    {"Space", VK_SPACE, 0x39, false, ' ', ' '},
    {"Back", VK_BACK, 0x0E, false, 8, 127},
    {"BS", VK_BACK, 0x0E, false, 8, 127},
    {"Up", VK_UP, 0x48, true, 0, 0},
    {"Down", VK_DOWN, 0x50, true, 0, 0},
    {"Left", VK_LEFT, 0x4B, true, 0, 0},
    {"Right", VK_RIGHT, 0x4D, true, 0, 0},
    {"Home", VK_HOME, 0x47, true, 0, 0},
    {"End", VK_END, 0x4F, true, 0, 0},
    {"PgUp", VK_PRIOR, 0x49, true, 0, 0},
    {"PgDn", VK_NEXT, 0x51, true, 0, 0},
    {"Ins", VK_INSERT, 0x52, true, 0, 0},
    {"Del", VK_DELETE, 0x53, true, 0, 0},
    {"F1", VK_F1, 0x3B, false, 0, 0},
    {"F2", VK_F2, 0x3C, false, 0, 0},
    {"F3", VK_F3, 0x3D, false, 0, 0},
    {"F4", VK_F4, 0x3E, false, 0, 0},
    {"F5", VK_F5, 0x3F, false, 0, 0},
    {"F6", VK_F6, 0x40, false, 0, 0},
    {"F7", VK_F7, 0x41, false, 0, 0},
    {"F8", VK_F8, 0x42, false, 0, 0},
    {"F9", VK_F9, 0x43, false, 0, 0},
    {"F10", VK_F10, 0x44, false, 0, 0},
    {"F11", VK_F11, 0x57, false, 0, 0},
    {"F12", VK_F12, 0x58, false, 0, 0},
    {"Add", VK_ADD, 0x4E, false, '+', 0},
    {"Sub", VK_SUBTRACT, 0x4A, false, '-', 0},
    {"Mul", VK_MULTIPLY, 0x37, false, '*', 0},
    {"Div", VK_DIVIDE, 0x35, true, '/', 0},
    {"Center", VK_CLEAR, 0x4C, false, 0, 0},
    {"Num0", VK_NUMPAD0, 0x52, false, '0', 0},
    {"Num1", VK_NUMPAD1, 0x4F, false, '1', 0},
    {"Num2", VK_NUMPAD2, 0x50, false, '2', 0},
    {"Num3", VK_NUMPAD3, 0x51, false, '3', 0},
    {"Num4", VK_NUMPAD4, 0x4B, false, '4', 0},
    {"Num5", VK_NUMPAD5, 0x4C, false, '5', 0},
    {"Num6", VK_NUMPAD6, 0x4D, false, '6', 0},
    {"Num7", VK_NUMPAD7, 0x47, false, '7', 0},
    {"Num8", VK_NUMPAD8, 0x48, false, '8', 0},
    {"Num9", VK_NUMPAD9, 0x49, false, '9', 0},
};

// The US keyboard: the key of each printable ASCII character.
struct CharKey {
    WORD Vk;
    WORD Scan;
    bool Shift;
};

const char LetterScans[27] = "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19"
                             "\x10\x13\x1F\x14\x16\x2F\x11\x2D\x15\x2C";

struct Punctuation {
    char Plain, Shifted;
    WORD Vk;
    WORD Scan;
};
const Punctuation PunctuationKeys[] = {
    {'-', '_', VK_OEM_MINUS, 0x0C}, {'=', '+', VK_OEM_PLUS, 0x0D},
    {'[', '{', VK_OEM_4, 0x1A},     {']', '}', VK_OEM_6, 0x1B},
    {';', ':', VK_OEM_1, 0x27},     {'\'', '"', VK_OEM_7, 0x28},
    {'`', '~', VK_OEM_3, 0x29},     {'\\', '|', VK_OEM_5, 0x2B},
    {',', '<', VK_OEM_COMMA, 0x33}, {'.', '>', VK_OEM_PERIOD, 0x34},
    {'/', '?', VK_OEM_2, 0x35},
};
const char ShiftedDigits[] = ")!@#$%^&*(";  // Shift with 0..9

bool KeyOfChar(unsigned char Ch, CharKey &Key)
{
    if (Ch >= 'a' && Ch <= 'z') {
        Key = {WORD('A' + (Ch - 'a')), WORD(LetterScans[Ch - 'a']), false};
        return true;
    }
    if (Ch >= 'A' && Ch <= 'Z') {
        Key = {WORD(Ch), WORD(LetterScans[Ch - 'A']), true};
        return true;
    }
    if (Ch >= '0' && Ch <= '9') {
        Key = {WORD(Ch), WORD(Ch == '0' ? 0x0B : 0x02 + (Ch - '1')), false};
        return true;
    }
    if (Ch == ' ') {
        Key = {VK_SPACE, 0x39, false};
        return true;
    }
    for (int D = 0; D < 10; D++)
        if (ShiftedDigits[D] == char(Ch)) {
            Key = {WORD('0' + D), WORD(D == 0 ? 0x0B : 0x02 + (D - 1)), true};
            return true;
        }
    for (const Punctuation &P : PunctuationKeys) {
        if (P.Plain == char(Ch)) {
            Key = {P.Vk, P.Scan, false};
            return true;
        }
        if (P.Shifted == char(Ch)) {
            Key = {P.Vk, P.Scan, true};
            return true;
        }
    }
    return false;
}

struct Modifier {
    WORD Vk;
    WORD Scan;
    DWORD State;
};
const Modifier CtrlKey = {VK_CONTROL, 0x1D, LEFT_CTRL_PRESSED};
const Modifier AltKey = {VK_MENU, 0x38, LEFT_ALT_PRESSED};
const Modifier ShiftKey = {VK_SHIFT, 0x2A, SHIFT_PRESSED};

INPUT_RECORD KeyRecord(bool Down, WORD Vk, WORD Scan, unsigned char Ch, DWORD State)
{
    INPUT_RECORD R;
    std::memset(&R, 0, sizeof(R));
    R.EventType = KEY_EVENT;
    R.Event.KeyEvent.bKeyDown = Down ? TRUE : FALSE;
    R.Event.KeyEvent.wRepeatCount = 1;
    R.Event.KeyEvent.wVirtualKeyCode = Vk;
    R.Event.KeyEvent.wVirtualScanCode = Scan;
    R.Event.KeyEvent.uChar.UnicodeChar = 0;
    R.Event.KeyEvent.uChar.AsciiChar = char(Ch);
    R.Event.KeyEvent.dwControlKeyState = State;
    return R;
}

INPUT_RECORD MouseRecord(int X, int Y, DWORD Buttons, DWORD Flags, DWORD State)
{
    INPUT_RECORD R;
    std::memset(&R, 0, sizeof(R));
    R.EventType = MOUSE_EVENT;
    R.Event.MouseEvent.dwMousePosition.X = SHORT(X);
    R.Event.MouseEvent.dwMousePosition.Y = SHORT(Y);
    R.Event.MouseEvent.dwButtonState = Buttons;
    R.Event.MouseEvent.dwEventFlags = Flags;
    R.Event.MouseEvent.dwControlKeyState = State;
    return R;
}

struct Builder {
    std::vector<INPUT_RECORD> &Out;
    DWORD Locks;  // NUMLOCK_ON or 0

    // Presses the modifiers in order, the key, then releases them in reverse.
    void Press(const std::vector<Modifier> &Mods, WORD Vk, WORD Scan, bool Enhanced,
               unsigned char Ch)
    {
        DWORD State = Locks;
        for (const Modifier &M : Mods) {
            State |= M.State;
            Out.push_back(KeyRecord(true, M.Vk, M.Scan, 0, State));
        }
        DWORD KeyState = State | (Enhanced ? ENHANCED_KEY : 0);
        Out.push_back(KeyRecord(true, Vk, Scan, Ch, KeyState));
        Out.push_back(KeyRecord(false, Vk, Scan, Ch, KeyState));
        for (size_t I = Mods.size(); I-- > 0;) {
            State &= ~Mods[I].State;
            Out.push_back(KeyRecord(false, Mods[I].Vk, Mods[I].Scan, 0, State));
        }
    }

    // One typed character: its US key with Shift when needed; a character no
    // key of that keyboard has comes as a record of its own (virtual key 0).
    void Type(unsigned char Ch)
    {
        CharKey Key;
        if (KeyOfChar(Ch, Key)) {
            std::vector<Modifier> Mods;
            if (Key.Shift) Mods.push_back(ShiftKey);
            Press(Mods, Key.Vk, Key.Scan, false, Ch);
        } else {
            Press({}, 0, 0, false, Ch);
        }
    }

    void Mouse(int X, int Y, DWORD Buttons, DWORD Flags, DWORD Extra = 0)
    {
        Out.push_back(MouseRecord(X, Y, Buttons, Flags, Locks | Extra));
    }
};

bool StartsWithNoCase(const std::string &S, const char *Prefix)
{
    size_t N = std::strlen(Prefix);
    if (S.size() < N) return false;
    for (size_t I = 0; I < N; I++)
        if (std::tolower(static_cast<unsigned char>(S[I])) !=
            std::tolower(static_cast<unsigned char>(Prefix[I])))
            return false;
    return true;
}

bool EqualNoCase(const std::string &A, const char *B)
{
    return A.size() == std::strlen(B) && StartsWithNoCase(A, B);
}

bool ParseNumber(const std::string &S, long &Value)
{
    if (S.empty()) return false;
    char *End = nullptr;
    Value = std::strtol(S.c_str(), &End, 0);
    return End && *End == 0;
}

// "Name(X,Y)"
bool ParseMouse(const std::string &Token, std::string &Name, int &X, int &Y)
{
    size_t Open = Token.find('(');
    if (Open == std::string::npos || Token.back() != ')') return false;
    Name = Token.substr(0, Open);
    std::string Args = Token.substr(Open + 1, Token.size() - Open - 2);
    size_t Comma = Args.find(',');
    long A = 0, B = 0;
    if (Comma == std::string::npos || !ParseNumber(Args.substr(0, Comma), A) ||
        !ParseNumber(Args.substr(Comma + 1), B))
        return false;
    X = int(A);
    Y = int(B);
    return true;
}

bool AddMouse(Builder &B, const std::string &Name, int X, int Y)
{
    const DWORD Left = FROM_LEFT_1ST_BUTTON_PRESSED, Right = RIGHTMOST_BUTTON_PRESSED;
    if (EqualNoCase(Name, "Press")) {
        B.Mouse(X, Y, Left, 0);
    } else if (EqualNoCase(Name, "Release")) {
        B.Mouse(X, Y, 0, 0);
    } else if (EqualNoCase(Name, "Click")) {
        B.Mouse(X, Y, Left, 0);
        B.Mouse(X, Y, 0, 0);
    } else if (EqualNoCase(Name, "DoubleClick") || EqualNoCase(Name, "CtrlDoubleClick")) {
        // A console reports the second press of a double click with
        // DOUBLE_CLICK; each press has its release.
        bool Ctrl = StartsWithNoCase(Name, "Ctrl");
        DWORD Extra = Ctrl ? LEFT_CTRL_PRESSED : 0;
        if (Ctrl) B.Out.push_back(KeyRecord(true, CtrlKey.Vk, CtrlKey.Scan, 0, B.Locks | Extra));
        B.Mouse(X, Y, Left, 0, Extra);
        B.Mouse(X, Y, 0, 0, Extra);
        B.Mouse(X, Y, Left, DOUBLE_CLICK, Extra);
        B.Mouse(X, Y, 0, 0, Extra);
        if (Ctrl) B.Out.push_back(KeyRecord(false, CtrlKey.Vk, CtrlKey.Scan, 0, B.Locks));
    } else if (EqualNoCase(Name, "Drag")) {
        B.Mouse(X, Y, Left, MOUSE_MOVED);
    } else if (EqualNoCase(Name, "Move")) {
        B.Mouse(X, Y, 0, MOUSE_MOVED);
    } else if (EqualNoCase(Name, "RightPress")) {
        B.Mouse(X, Y, Right, 0);
    } else if (EqualNoCase(Name, "RightClick")) {
        B.Mouse(X, Y, Right, 0);
        B.Mouse(X, Y, 0, 0);
    } else {
        return false;
    }
    return true;
}

bool AddKey(Builder &B, const std::string &Token)
{
    // Modifier prefixes, then a key name or a letter.
    std::vector<Modifier> Mods;
    std::string Rest = Token;
    bool Ctrl = false, Alt = false, Shift = false;
    for (;;) {
        if (StartsWithNoCase(Rest, "Ctrl") && Rest.size() > 4 && !Ctrl) {
            Ctrl = true;
            Rest.erase(0, 4);
        } else if (StartsWithNoCase(Rest, "Alt") && Rest.size() > 3 && !Alt) {
            Alt = true;
            Rest.erase(0, 3);
        } else if (StartsWithNoCase(Rest, "Shift") && Rest.size() > 5 && !Shift) {
            Shift = true;
            Rest.erase(0, 5);
        } else {
            break;
        }
    }
    if (Ctrl) Mods.push_back(CtrlKey);
    if (Alt) Mods.push_back(AltKey);
    if (Shift) Mods.push_back(ShiftKey);
    for (const NamedKey &K : NamedKeys) {
        if (!EqualNoCase(Rest, K.Name)) continue;
        char Ch = K.Ch;
        if (Ctrl) Ch = Alt ? 0 : K.CtrlCh;
        else if (Alt && !K.Ch) Ch = 0;
        B.Press(Mods, K.Vk, K.Scan, K.Enhanced, static_cast<unsigned char>(Ch));
        return true;
    }
    if (Mods.empty() || Rest.size() != 1) return false;
    // A modified letter, digit or punctuation key: CtrlC, AltX, CtrlShiftZ.
    unsigned char Ch = static_cast<unsigned char>(Rest[0]);
    CharKey Key;
    if (!KeyOfChar(Ch, Key)) return false;
    if (std::isalpha(Ch)) {
        Ch = static_cast<unsigned char>(Shift ? std::toupper(Ch) : std::tolower(Ch));
        if (Ctrl) Ch = Alt ? 0 : static_cast<unsigned char>(std::toupper(Ch) & 0x1F);
    } else if (Ctrl) {
        // The control characters a US keyboard gives; others none.
        static const char Controls[][2] = {{'[', 27}, {']', 29}, {'\\', 28}, {'-', 31}};
        unsigned char Control = 0;
        for (const auto &C : Controls)
            if (C[0] == char(Ch)) Control = static_cast<unsigned char>(C[1]);
        Ch = Alt ? 0 : Control;
    }
    B.Press(Mods, Key.Vk, Key.Scan, false, Ch);
    return true;
}

bool AddQuoted(Builder &B, const std::string &Token, std::string &Error)
{
    if (Token.size() < 2 || Token.back() != '"') {
        Error = "unterminated text: " + Token;
        return false;
    }
    for (size_t I = 1; I + 1 < Token.size(); I++) {
        char Ch = Token[I];
        if (Ch == '\\' && I + 2 < Token.size()) Ch = Token[++I];
        B.Type(static_cast<unsigned char>(Ch));
    }
    return true;
}

// Splits at blanks, keeping a quoted text (with its blanks) as one token.
bool Tokens(const std::string &Spec, std::vector<std::string> &Out, std::string &Error)
{
    size_t I = 0;
    while (I < Spec.size()) {
        if (std::isspace(static_cast<unsigned char>(Spec[I]))) {
            I++;
            continue;
        }
        size_t Start = I;
        if (Spec[I] == '"' && I + 1 < Spec.size()) {
            I++;
            while (I < Spec.size() && Spec[I] != '"') I += Spec[I] == '\\' ? 2 : 1;
            if (I >= Spec.size()) {
                Error = "unterminated text: " + Spec.substr(Start);
                return false;
            }
            I++;
        } else {
            while (I < Spec.size() && !std::isspace(static_cast<unsigned char>(Spec[I]))) I++;
        }
        Out.push_back(Spec.substr(Start, I - Start));
    }
    return true;
}

}  // namespace

bool ParseKeySpec(const std::string &Spec, std::vector<INPUT_RECORD> &Records,
                  std::string &Error)
{
    Records.clear();
    Error.clear();
    std::vector<std::string> List;
    if (!Tokens(Spec, List, Error)) return false;
    Builder B{Records, NUMLOCK_ON};
    for (const std::string &Token : List) {
        std::string Name;
        int X, Y;
        if (Token.size() == 1) {
            B.Type(static_cast<unsigned char>(Token[0]));
        } else if (Token[0] == '"') {
            if (!AddQuoted(B, Token, Error)) return false;
        } else if (EqualNoCase(Token, "NumLockOff") || EqualNoCase(Token, "NumLockOn")) {
            B.Locks = EqualNoCase(Token, "NumLockOn") ? NUMLOCK_ON : 0;
        } else if (EqualNoCase(Token, "CtrlAltShiftDown")) {
            DWORD State = B.Locks;
            for (const Modifier &M : {CtrlKey, AltKey, ShiftKey}) {
                State |= M.State;
                Records.push_back(KeyRecord(true, M.Vk, M.Scan, 0, State));
            }
        } else if (EqualNoCase(Token, "CtrlAltShiftUp")) {
            DWORD State = B.Locks | CtrlKey.State | AltKey.State | ShiftKey.State;
            for (const Modifier &M : {ShiftKey, AltKey, CtrlKey}) {
                State &= ~M.State;
                Records.push_back(KeyRecord(false, M.Vk, M.Scan, 0, State));
            }
        } else if (StartsWithNoCase(Token, "Char(") && Token.back() == ')') {
            long Code;
            if (!ParseNumber(Token.substr(5, Token.size() - 6), Code) || Code < 1 || Code > 255) {
                Error = "bad character code: " + Token;
                return false;
            }
            B.Type(static_cast<unsigned char>(Code));
        } else if (ParseMouse(Token, Name, X, Y)) {
            if (!AddMouse(B, Name, X, Y)) {
                Error = "unknown mouse event: " + Token;
                return false;
            }
        } else if (!AddKey(B, Token)) {
            Error = "unknown key: " + Token;
            return false;
        }
    }
    return true;
}

bool HostWriteKeys(const std::string &Spec)
{
    std::vector<INPUT_RECORD> Records;
    std::string Error;
    if (!ParseKeySpec(Spec, Records, Error)) return false;
    if (Records.empty()) return true;
    DWORD Written = 0;
    return WriteConsoleInputA(HostInputHandle(), Records.data(), DWORD(Records.size()),
                              &Written) &&
           Written == Records.size();
}

std::string DescribeInputRecord(const INPUT_RECORD &Record)
{
    char Text[160];
    if (Record.EventType == KEY_EVENT) {
        const KEY_EVENT_RECORD &K = Record.Event.KeyEvent;
        std::snprintf(Text, sizeof(Text), "key %s vk=%u scan=%u char=%u state=0x%X",
                      K.bKeyDown ? "down" : "up", unsigned(K.wVirtualKeyCode),
                      unsigned(K.wVirtualScanCode),
                      unsigned(static_cast<unsigned char>(K.uChar.AsciiChar)),
                      unsigned(K.dwControlKeyState));
    } else if (Record.EventType == MOUSE_EVENT) {
        const MOUSE_EVENT_RECORD &M = Record.Event.MouseEvent;
        std::snprintf(Text, sizeof(Text), "mouse x=%d y=%d buttons=%u flags=%u state=0x%X",
                      int(M.dwMousePosition.X), int(M.dwMousePosition.Y),
                      unsigned(M.dwButtonState), unsigned(M.dwEventFlags),
                      unsigned(M.dwControlKeyState));
    } else {
        std::snprintf(Text, sizeof(Text), "event type=%u", unsigned(Record.EventType));
    }
    return Text;
}
