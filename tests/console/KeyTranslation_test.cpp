// TranslateKey: one row per rule, the consequences of the rule order, and
// properties checked over every virtual key and modifier combination.
#include "ConsoleTestUtil.h"

#include <set>

namespace {

struct KeyCase {
    const char *Name;
    WORD Vk;
    unsigned char Ch;
    DWORD State;
    int Want;
    bool NotNTPlatform = false;
    UINT CodePage = 437;
};

// The modifier flags as ReadEvent sets them from the record, then the translation.
int Translate(WORD Vk, unsigned char Ch, DWORD State, bool NotNTPlatform = false,
              UINT CodePage = 437) {
    const INPUT_RECORD Record = KeyRecord(Vk, Ch, State);
    FollowModifiers(Record, Input);
    return TranslateKey(Record, Input, NotNTPlatform, CodePage);
}

void CheckRows(const std::vector<KeyCase> &Rows) {
    for (const KeyCase &C : Rows) {
        SCOPED_TRACE(C.Name);
        EXPECT_EQ(Translate(C.Vk, C.Ch, C.State, C.NotNTPlatform, C.CodePage), C.Want);
    }
}

class KeyTranslation : public ::testing::Test {
protected:
    void SetUp() override { ResetConsole(); }
    void TearDown() override { ResetConsole(); }
};

TEST_F(KeyTranslation, ReleasesOtherEventsAndLoneModifiersGiveNone) {
    CheckRows({
        {"Ctrl alone", VK_CONTROL, 0, LC, kbNone},
        {"Alt alone", VK_MENU, 0, LA, kbNone},
        {"Shift alone", VK_SHIFT, 0, SH, kbNone},
        {"NumLock", VK_NUMLOCK, 0, NL, kbNone},
        {"ScrollLock", VK_SCROLL, 0, 0, kbNone},
        {"Shift alone with Ctrl+Alt held", VK_SHIFT, 0, LC | LA | SH, kbNone},
        {"Caps Lock alone", VK_CAPITAL, 0, 0, kbNone},
        {"unknown key without character", 0xE5, 0, 0, kbNone},
    });
    INPUT_RECORD Release = KeyRecord('A', 'a', 0, false);
    EXPECT_EQ(TranslateKey(Release, Input, false, 437), kbNone);
    INPUT_RECORD Mouse = MouseRecord(3, 4, 1, 0);
    EXPECT_EQ(TranslateKey(Mouse, Input, false, 437), kbNone);
    INPUT_RECORD Focus = {};
    Focus.EventType = FOCUS_EVENT;
    EXPECT_EQ(TranslateKey(Focus, Input, false, 437), kbNone);
}

TEST_F(KeyTranslation, AltGrGivesItsCharacterOrAnAltCodeWithCtrlForgotten) {
    CheckRows({
        {"AltGr+7 giving '{'", '7', '{', LC | RA, '{'},
        {"AltGr with Shift giving a character", 'Q', '@', LC | RA | SH, '@'},
        {"AltGr+Q without character", 'Q', 0, LC | RA, kbAltBase + 'Q'},
        {"AltGr+1 without character is Alt, not Ctrl", '1', 0, LC | RA, kbAltBase + '1'},
        {"AltGr+F1 without character", VK_F1, 0, LC | RA, kbAltF1},
        {"right Ctrl + right Alt is not AltGr", 'Q', 'q', RC | RA, kbCtrlQ},
    });
    Translate('Q', 0, LC | RA);
    EXPECT_FALSE(Input.CtrlDown) << "AltGr without a character clears the Ctrl flag";
    EXPECT_TRUE(Input.AltDown);
    Translate('7', '{', LC | RA);
    EXPECT_TRUE(Input.CtrlDown) << "AltGr with a character leaves the Ctrl flag";
}

TEST_F(KeyTranslation, CtrlShiftTable) {
    CheckRows({
        {"Ctrl+Shift+0", '0', 0, LC | SH, kbCtrlShift0},
        {"Ctrl+Shift+1", '1', '!', LC | SH, 369},
        {"Ctrl+Shift+9", '9', 0, LC | SH, kbCtrlShift9},
        {"Ctrl+Shift+A", 'A', 1, LC | SH, kbCtrlShiftA},
        {"Ctrl+Shift+Z", 'Z', 26, RC | SH, kbCtrlShiftZ},
        {"Ctrl+Shift+Ins", VK_INSERT, 0, LC | SH, 404},
        {"Ctrl+Shift+keypad 0", VK_NUMPAD0, 0, LC | SH, 404},
        {"Ctrl+Shift+Down", VK_DOWN, 0, LC | SH, 405},
        {"Ctrl+Shift+keypad 2", VK_NUMPAD2, 0, LC | SH, 405},
        {"Ctrl+Shift+Left", VK_LEFT, 0, LC | SH, 406},
        {"Ctrl+Shift+keypad 4", VK_NUMPAD4, 0, LC | SH, 406},
        {"Ctrl+Shift+Right", VK_RIGHT, 0, LC | SH, 407},
        {"Ctrl+Shift+keypad 6", VK_NUMPAD6, 0, LC | SH, 407},
        {"Ctrl+Shift+Up", VK_UP, 0, LC | SH, 408},
        {"Ctrl+Shift+keypad 8", VK_NUMPAD8, 0, LC | SH, 408},
        {"Ctrl+Shift+End", VK_END, 0, LC | SH, 409},
        {"Ctrl+Shift+keypad 1", VK_NUMPAD1, 0, LC | SH, 409},
        {"Ctrl+Shift+Home", VK_HOME, 0, LC | SH, 410},
        {"Ctrl+Shift+keypad 7", VK_NUMPAD7, 0, LC | SH, 410},
        {"Ctrl+Shift+PgDn", VK_NEXT, 0, LC | SH, 411},
        {"Ctrl+Shift+keypad 3", VK_NUMPAD3, 0, LC | SH, 411},
        {"Ctrl+Shift+PgUp", VK_PRIOR, 0, LC | SH, 412},
        {"Ctrl+Shift+keypad 9", VK_NUMPAD9, 0, LC | SH, 412},
        {"Ctrl+Shift+keypad minus", VK_SUBTRACT, 0, LC | SH, 414},
        {"Ctrl+Shift+keypad plus", VK_ADD, 0, LC | SH, 415},
        {"Ctrl+Alt+Shift+A still Ctrl+Shift", 'A', 0, LC | LA | SH, kbCtrlShiftA},
        // Keys outside the table fall through to the Ctrl table.
        {"Ctrl+Shift+F1", VK_F1, 0, LC | SH, 280},
        {"Ctrl+Shift+Del", VK_DELETE, 0, LC | SH, kbCtrlDel},
        {"Ctrl+Shift+Enter", VK_RETURN, 0, LC | SH, kbCtrlEnter},
        {"Ctrl+Shift+keypad 5 has no code", VK_NUMPAD5, 0, LC | SH, kbNone},
        {"Ctrl+Shift+keypad Multiply without character", VK_MULTIPLY, 0, LC | SH, kbNone},
    });
}

TEST_F(KeyTranslation, RightCtrlDigitsComeFromTheRecord) {
    CheckRows({
        {"left Ctrl+1", '1', 0, LC, 349},
        {"right Ctrl+1", '1', 0, RC, 359},
        {"right Ctrl+0", '0', 0, RC, kbRCtrl0},
        {"right Ctrl+9", '9', 0, RC, kbRCtrl9},
        {"Ctrl+Shift+1 (right Ctrl)", '1', 0, RC | SH, 369},
        {"right Ctrl+Alt+1", '1', 0, RC | LA, 359},
        {"both Ctrl keys + 5", '5', 0, LC | RC, kbRCtrl5},
        {"right Ctrl+A is the Ctrl table", 'A', 1, RC, kbCtrlA},
    });
    // The record decides, not the flag: with the flag cleared the digit is still right Ctrl.
    Input.CtrlDown = Input.AltDown = Input.ShiftDown = false;
    EXPECT_EQ(TranslateKey(KeyRecord('3', '3', RC), Input, false, 437), kbRCtrl3);
}

TEST_F(KeyTranslation, KeysWithoutModifiers) {
    CheckRows({
        {"Backspace", VK_BACK, 8, 0, kbBack},
        {"Tab", VK_TAB, 9, 0, kbTab},
        {"Clear (keypad 5, NumLock off)", VK_CLEAR, 0, 0, kbCenter},
        {"Enter", VK_RETURN, 13, 0, kbEnter},
        {"Esc", VK_ESCAPE, 27, 0, kbEsc},
        {"Space", VK_SPACE, ' ', 0, kbSpace},
        {"PgUp", VK_PRIOR, 0, 0, kbPgUp},
        {"PgDn", VK_NEXT, 0, 0, kbPgDn},
        {"End", VK_END, 0, 0, kbEnd},
        {"Home", VK_HOME, 0, 0, kbHome},
        {"Left", VK_LEFT, 0, 0, kbLeft},
        {"Up", VK_UP, 0, 0, kbUp},
        {"Right", VK_RIGHT, 0, 0, kbRight},
        {"Down", VK_DOWN, 0, 0, kbDown},
        {"Ins", VK_INSERT, 0, 0, kbIns},
        {"F1", VK_F1, 0, 0, kbF1},
        {"F12", VK_F12, 0, 0, kbF12},
        {"Del", VK_DELETE, 0, 0, kbDel},
        {"Del, NumLock on, character ','", VK_DELETE, ',', NL, 44},
        {"Del, NumLock on, no character", VK_DELETE, 0, NL, kbDel},
        {"Del, NumLock off, character '.'", VK_DELETE, '.', 0, kbDel},
        {"keypad Decimal, NumLock on", VK_DECIMAL, 0, NL, 46},
        {"keypad Decimal, NumLock off", VK_DECIMAL, 0, 0, kbDel},
        {"Up with NumLock on", VK_UP, 0, NL, kbUp},
        {"letter a", 'A', 'a', 0, 'a'},
        {"letter with Caps Lock on", 'A', 'A', CAPSLOCK_ON, 'A'},
        {"keypad 1 with NumLock gives its digit", VK_NUMPAD1, '1', NL, '1'},
        {"keypad 1 without a character has no code", VK_NUMPAD1, 0, 0, kbNone},
        {"character 0xE9", 0xDE, 0xE9, 0, 0xE9},
    });
}

TEST_F(KeyTranslation, CtrlTable) {
    CheckRows({
        {"Ctrl+Backspace", VK_BACK, 127, LC, kbCtrlBack},
        {"Ctrl+Tab", VK_TAB, 0, LC, kbCtrlTab},
        {"Ctrl+Enter", VK_RETURN, 10, LC, kbCtrlEnter},
        {"Ctrl+PgUp", VK_PRIOR, 0, LC, 687},
        {"Ctrl+keypad 9", VK_NUMPAD9, 0, LC, 687},
        {"Ctrl+PgDn", VK_NEXT, 0, LC, 686},
        {"Ctrl+keypad 3", VK_NUMPAD3, 0, LC, 686},
        {"Ctrl+End", VK_END, 0, LC, 684},
        {"Ctrl+keypad 1", VK_NUMPAD1, 0, LC, 684},
        {"Ctrl+Home", VK_HOME, 0, LC, 685},
        {"Ctrl+keypad 7", VK_NUMPAD7, 0, LC, 685},
        {"Ctrl+Left", VK_LEFT, 0, LC, 681},
        {"Ctrl+keypad 4", VK_NUMPAD4, 0, LC, 681},
        {"Ctrl+Up", VK_UP, 0, LC, 683},
        {"Ctrl+keypad 8", VK_NUMPAD8, 0, LC, 683},
        {"Ctrl+Right", VK_RIGHT, 0, LC, 682},
        {"Ctrl+keypad 6", VK_NUMPAD6, 0, LC, 682},
        {"Ctrl+Down", VK_DOWN, 0, LC, 680},
        {"Ctrl+keypad 2", VK_NUMPAD2, 0, LC, 680},
        {"Ctrl+Ins", VK_INSERT, 0, LC, 709},
        {"Ctrl+keypad 0", VK_NUMPAD0, 0, LC, 709},
        {"Ctrl+Del", VK_DELETE, 0, LC, 710},
        {"Ctrl+keypad Decimal", VK_DECIMAL, 0, LC, 710},
        {"Ctrl+0", '0', 0, LC, kbCtrl0},
        {"Ctrl+9", '9', 0, LC, kbCtrl9},
        {"Ctrl+A", 'A', 1, LC, kbCtrlA},
        {"Ctrl+Z", 'Z', 26, LC, kbCtrlZ},
        {"Ctrl+keypad plus", VK_ADD, 0, LC, kbCtrlAdd},
        {"Ctrl+keypad minus", VK_SUBTRACT, 0, LC, kbCtrlSub},
        {"Ctrl+F1", VK_F1, 0, LC, kbCtrlF1},
        {"Ctrl+F12", VK_F12, 0, LC, kbCtrlF12},
        {"Ctrl+comma", VK_OEM_COMMA, 0, LC, kbCtrlComma},
        {"Ctrl+period", VK_OEM_PERIOD, 0, LC, kbCtrlPeriod},
        {"Ctrl+[", VK_OEM_4, 27, LC, kbCtrlLBracket},
        {"Ctrl+backslash", VK_OEM_5, 28, LC, kbCtrlBackslash},
        {"Ctrl+]", VK_OEM_6, 29, LC, kbCtrlRBracket},
        // Ctrl+Alt: the Ctrl table first, then the Alt table.
        {"Ctrl+Alt+A", 'A', 0, LC | LA, kbCtrlA},
        {"Ctrl+Alt+F1", VK_F1, 0, LC | LA, 280},
        {"Ctrl+Alt+keypad Multiply", VK_MULTIPLY, 0, RC | LA, kbAltBase + 106},
        {"Ctrl+Alt+Backspace", VK_BACK, 0, RC | LA, kbCtrlBack},
        // Ctrl with a key outside the table: its character, or nothing.
        {"Ctrl+Space", VK_SPACE, ' ', LC, ' '},
        {"Ctrl+Esc", VK_ESCAPE, 27, LC, 27},
        {"Ctrl+keypad 5", VK_NUMPAD5, 0, LC, kbNone},
    });
}

TEST_F(KeyTranslation, AltTable) {
    CheckRows({
        {"Alt+Backspace", VK_BACK, 8, LA, 675},
        {"Alt+Left", VK_LEFT, 0, LA, kbAltLeft},
        {"Alt+Up", VK_UP, 0, LA, kbAltUp},
        {"Alt+Right", VK_RIGHT, 0, LA, kbAltRight},
        {"Alt+Down", VK_DOWN, 0, LA, kbAltDown},
        {"Alt+Ins", VK_INSERT, 0, LA, kbAltIns},
        {"Alt+keypad 0", VK_NUMPAD0, 0, LA, kbAltIns},
        {"Alt+Del", VK_DELETE, 0, LA, kbAltDel},
        {"Alt+keypad Decimal", VK_DECIMAL, 0, LA, kbAltDel},
        {"Alt+F1", VK_F1, 0, LA, kbAltF1},
        {"Alt+F12", VK_F12, 0, RA, kbAltF12},
        {"Alt+= (OEM plus, character '=')", VK_OEM_PLUS, '=', LA, 459},
        {"Alt+comma", VK_OEM_COMMA, ',', LA, 460},
        {"Alt+minus", VK_OEM_MINUS, '-', LA, 461},
        {"Alt+period", VK_OEM_PERIOD, '.', LA, 462},
        {"Alt+a", 'A', 'a', LA, 481},
        {"Alt+Shift+A", 'A', 'A', LA | SH, 481},
        {"Alt+PgUp", VK_PRIOR, 0, LA, 449},
        {"Alt+keypad 1 is not shared here", VK_NUMPAD1, 0, LA, kbAltBase + VK_NUMPAD1},
        {"Alt+Enter", VK_RETURN, 13, LA, 429},
        {"Alt+Shift+F1", VK_F1, 0, LA | SH, 292},
        {"Alt+Shift+Tab", VK_TAB, 9, LA | SH, kbAltBase + 9},
        {"Alt+character 255", 0xDE, 0xFF, LA, kbAltBase + 255},
        // Non-NT consoles with code page 850: right Alt types non-letters.
        {"non-NT 850 right Alt '{'", '7', '{', RA, 123, true, 850},
        {"non-NT 850 left Alt '{'", '7', '{', LA, 539, true, 850},
        {"non-NT 850 right Alt 'a'", 'A', 'a', RA, 481, true, 850},
        {"non-NT 850 right Alt 'Z'", 'Z', 'Z', RA, kbAltBase + 'Z', true, 850},
        {"non-NT 437 right Alt '{'", '7', '{', RA, 539, true, 437},
        {"NT 850 right Alt '{'", '7', '{', RA, 539, false, 850},
        {"non-NT 850 right Alt, no character", '7', 0, RA, kbAltBase + '7', true, 850},
    });
}

TEST_F(KeyTranslation, ShiftTable) {
    CheckRows({
        {"Shift+Tab", VK_TAB, 9, SH, 706},
        {"Shift+Enter", VK_RETURN, 13, SH, kbShiftEnter},
        {"Shift+PgUp", VK_PRIOR, 0, SH, kbShiftPgUp},
        {"Shift+keypad 9", VK_NUMPAD9, 0, SH, kbShiftPgUp},
        {"Shift+PgDn", VK_NEXT, 0, SH, kbShiftPgDn},
        {"Shift+keypad 3", VK_NUMPAD3, 0, SH, kbShiftPgDn},
        {"Shift+End", VK_END, 0, SH, kbShiftEnd},
        {"Shift+keypad 1", VK_NUMPAD1, 0, SH, kbShiftEnd},
        {"Shift+Home", VK_HOME, 0, SH, kbShiftHome},
        {"Shift+keypad 7", VK_NUMPAD7, 0, SH, kbShiftHome},
        {"Shift+Left", VK_LEFT, 0, SH, kbShiftLeft},
        {"Shift+keypad 4", VK_NUMPAD4, 0, SH, kbShiftLeft},
        {"Shift+Up", VK_UP, 0, SH, kbShiftUp},
        {"Shift+keypad 8", VK_NUMPAD8, 0, SH, kbShiftUp},
        {"Shift+Right", VK_RIGHT, 0, SH, kbShiftRight},
        {"Shift+keypad 6", VK_NUMPAD6, 0, SH, kbShiftRight},
        {"Shift+Down", VK_DOWN, 0, SH, kbShiftDown},
        {"Shift+keypad 2", VK_NUMPAD2, 0, SH, kbShiftDown},
        {"Shift+Ins", VK_INSERT, 0, SH, kbShiftIns},
        {"Shift+keypad 0", VK_NUMPAD0, 0, SH, kbShiftIns},
        {"Shift+Del", VK_DELETE, 0, SH, kbShiftDel},
        {"Shift+keypad Decimal", VK_DECIMAL, 0, SH, kbShiftDel},
        {"Shift+keypad plus giving '+'", VK_ADD, '+', SH, 707},
        {"Shift+keypad minus", VK_SUBTRACT, '-', SH, kbShiftSub},
        {"Shift+F1", VK_F1, 0, SH, kbShiftF1},
        {"Shift+F12", VK_F12, 0, SH, kbShiftF12},
        {"Shift+A", 'A', 'A', SH, 65},
        {"Shift+1 giving '!'", '1', '!', SH, '!'},
        {"Shift+Esc", VK_ESCAPE, 27, SH, 27},
        {"Shift+keypad 5", VK_NUMPAD5, 0, SH, kbNone},
    });
}

// Every code TranslateKey may give: characters, the named codes 256..710
// and kbNone. Gaps: 413, 672, 691..694.
bool IsKnownCode(int Code) {
    if (Code == kbNone) return true;
    if (Code < 1 || Code > kbCtrlDel) return false;
    return Code != 413 && Code != 672 && !(Code >= 691 && Code <= 694);
}

TEST_F(KeyTranslation, EveryKeyAndModifierGivesAKnownCodeNever413) {
    const unsigned char Chars[] = {0, 'a', 'Q', '{', 13, 0xE9};
    const UINT Pages[] = {437, 850};
    std::set<int> Seen;
    for (int Platform = 0; Platform < 2; Platform++)
        for (UINT Page : Pages)
            for (int Vk = 0; Vk < 256; Vk++)
                for (DWORD State = 0; State < 0x40; State++)
                    for (unsigned char Ch : Chars) {
                        const int Code = Translate(WORD(Vk), Ch, State, Platform == 1, Page);
                        Seen.insert(Code);
                        if (!IsKnownCode(Code))
                            ADD_FAILURE() << "vk " << Vk << " ch " << int(Ch) << " state 0x"
                                          << std::hex << State << std::dec << " gave " << Code;
                        // Alt always yields a code unless the key is a lone modifier.
                        const bool Modifier = Vk == VK_SHIFT || Vk == VK_CONTROL ||
                                              Vk == VK_MENU || Vk == VK_NUMLOCK ||
                                              Vk == VK_SCROLL;
                        if ((State & (LA | RA)) && !Modifier && Code == kbNone)
                            ADD_FAILURE() << "Alt with vk " << Vk << " state 0x" << std::hex
                                          << State << " gave kbNone";
                    }
    EXPECT_EQ(Seen.count(413), 0u);
    // Every named code of the tables is reachable.
    for (int Code = kbF1; Code <= kbCtrlDel; Code++) {
        if (IsKnownCode(Code) && !(Code >= kbAltBase && Code < kbAltBase + 256)) {
            EXPECT_EQ(Seen.count(Code), 1u) << "code " << Code << " never produced";
        }
    }
}

TEST_F(KeyTranslation, OnlyAltGrWithoutCharacterChangesTheFlags) {
    for (int Vk = 0; Vk < 256; Vk++)
        for (DWORD State = 0; State < 0x40; State++)
            for (unsigned char Ch : {(unsigned char)0, (unsigned char)'x'}) {
                Translate(WORD(Vk), Ch, State);
                const bool AltGrCleared =
                    (State & (LC | RA)) == (LC | RA) && Ch == 0 && Vk != VK_SHIFT &&
                    Vk != VK_CONTROL && Vk != VK_MENU && Vk != VK_NUMLOCK && Vk != VK_SCROLL;
                const bool WantCtrl = (State & (LC | RC)) != 0 && !AltGrCleared;
                if (Input.CtrlDown != WantCtrl || Input.AltDown != ((State & (LA | RA)) != 0) ||
                    Input.ShiftDown != ((State & SH) != 0))
                    ADD_FAILURE() << "flags changed for vk " << Vk << " state 0x" << std::hex
                                  << State;
            }
}

TEST_F(KeyTranslation, UpCaseLetterOnlyChangesLowercaseAsciiLetters) {
    EXPECT_EQ(UpCaseLetter('a'), 'A');
    EXPECT_EQ(UpCaseLetter('z'), 'Z');
    EXPECT_EQ(UpCaseLetter('A'), 'A');
    EXPECT_EQ(UpCaseLetter('{'), '{');
    EXPECT_EQ(UpCaseLetter('`'), '`');
    EXPECT_EQ(UpCaseLetter(0xE9), 0xE9);
}

}  // namespace
