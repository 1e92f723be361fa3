// CharacterKeys: the chart's keys that tell what a character is and find
// it: F2 (the Unicode status line), F3 (details and copying), F7, Shift+F7
// and Ctrl+F7 (find by name), Alt+F8 (recently chosen).
#ifndef QUORREL_CHARACTERKEYS_H
#define QUORREL_CHARACTERKEYS_H

// Acts on one key of selection mode; false for a key that is not one of
// these. None of them closes the window.
bool CharacterKey(int Key);

// Whether the key may open a host dialog or menu (every one but F2): the
// chart's screen image must be current before it is handed to the host.
bool CharacterKeyOpensHostUi(int Key);

#endif
