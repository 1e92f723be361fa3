// ChartKeys: the key table and the state's own actions.
#include "ChartKeys.h"

namespace {

constexpr ChartKey Sel(int Key, ChartAction Action, bool HandsOver = false)
{
    return {Key, Key, false, Action, HandsOver};
}

constexpr ChartKey Entry(int Key, ChartAction Action)
{
    return {Key, Key, true, Action, false};
}

const bool HandsOver = true;

}  // namespace

const ChartKey ChartKeys[] = {
    // Selection mode.
    {32, 255, false, ChartAction::TypeCharacter, false},
    Sel(kbEnter, ChartAction::Confirm, HandsOver),
    Sel(kbEsc, ChartAction::Cancel, HandsOver),
    Sel(kbF10, ChartAction::Cancel, HandsOver),
    Sel(kbCtrlEnter, ChartAction::ConfirmAppend, HandsOver),
    Sel(kbCtrlC, ChartAction::Copy),
    Sel(kbCtrlIns, ChartAction::Copy),
    Sel(kbCtrlAdd, ChartAction::Append),
    Sel(kbF1, ChartAction::Help, HandsOver),
    Sel(kbF11, ChartAction::Options, HandsOver),
    Sel(kbCtrlF11, ChartAction::Options, HandsOver),
    Sel(kbShiftF8, ChartAction::TableMenu, HandsOver),
    Sel(kbF8, ChartAction::ToggleWindowsTable),
    Sel(kbF9, ChartAction::NextTable),
    Sel(kbShiftF9, ChartAction::PrevTable),
    Sel(kbHome, ChartAction::RowStart),
    Sel(kbEnd, ChartAction::RowEnd),
    Sel(kbUp, ChartAction::Up),
    Sel(kbDown, ChartAction::Down),
    Sel(kbLeft, ChartAction::Left),
    Sel(kbRight, ChartAction::Right),
    Sel(kbPgUp, ChartAction::FirstRow),
    Sel(kbPgDn, ChartAction::LastRow),
    Sel(kbCtrlHome, ChartAction::FirstCode),
    Sel(kbCtrlPgUp, ChartAction::FirstCode),
    Sel(kbCtrlEnd, ChartAction::LastCode),
    Sel(kbCtrlPgDn, ChartAction::LastCode),
    Sel(kbAltUp, ChartAction::WindowUp),
    Sel(kbAltDown, ChartAction::WindowDown),
    Sel(kbAltLeft, ChartAction::WindowLeft),
    Sel(kbAltRight, ChartAction::WindowRight),
    Sel(kbF2, ChartAction::ToggleUnicodeStatus),
    Sel(kbF3, ChartAction::Details, HandsOver),
    Sel(kbF7, ChartAction::FindNext, HandsOver),
    Sel(kbShiftF7, ChartAction::FindPrevious, HandsOver),
    Sel(kbCtrlF7, ChartAction::FindNew, HandsOver),
    Sel(kbAltF8, ChartAction::Recent, HandsOver),
    Sel(kbMouse, ChartAction::Mouse, HandsOver),
    // Entry mode: everything else is ignored until the entry ends.
    {32, 255, true, ChartAction::EntryChar, false},
    Entry(kbBack, ChartAction::EntryBack),
    Entry(kbEnter, ChartAction::EntryEnter),
    Entry(kbEsc, ChartAction::EntryCancel),
    Entry(kbF10, ChartAction::EntryCancel),
};

const size_t ChartKeyCount = sizeof(ChartKeys) / sizeof(ChartKeys[0]);

ChartAction ActionForKey(bool EntryMode, int Key)
{
    for (const ChartKey &K : ChartKeys)
        if (K.EntryMode == EntryMode && Key >= K.First && Key <= K.Last) return K.Action;
    return ChartAction::None;
}

bool KeyHandsOver(int Key)
{
    for (const ChartKey &K : ChartKeys)
        if (K.HandsOver && Key >= K.First && Key <= K.Last) return true;
    return false;
}

bool ApplyChartAction(ChartState &S, ChartAction Action, int Key, int MaxX, int MaxY)
{
    switch (Action) {
    case ChartAction::TypeCharacter: TypeCharacter(S, ChartChar(Key)); break;
    case ChartAction::RowStart: SelectCell(S, CellRow(S), 0); break;
    case ChartAction::RowEnd: SelectCell(S, CellRow(S), 31); break;
    case ChartAction::Up: MoveSelection(S, -1, 0); break;
    case ChartAction::Down: MoveSelection(S, 1, 0); break;
    case ChartAction::Left: MoveSelection(S, 0, -1); break;
    case ChartAction::Right: MoveSelection(S, 0, 1); break;
    case ChartAction::FirstRow: SelectCell(S, 0, CellCol(S)); break;
    case ChartAction::LastRow: SelectCell(S, 7, CellCol(S)); break;
    case ChartAction::FirstCode: S.LastChar = 0; break;
    case ChartAction::LastCode: S.LastChar = 255; break;
    case ChartAction::ToggleWindowsTable: ToggleWindowsTable(S); break;
    case ChartAction::NextTable: NextCodeTable(S); break;
    case ChartAction::PrevTable: PrevCodeTable(S); break;
    case ChartAction::WindowUp: MoveWindow(S, 0, -1, MaxX, MaxY); break;
    case ChartAction::WindowDown: MoveWindow(S, 0, 1, MaxX, MaxY); break;
    case ChartAction::WindowLeft: MoveWindow(S, -1, 0, MaxX, MaxY); break;
    case ChartAction::WindowRight: MoveWindow(S, 1, 0, MaxX, MaxY); break;
    case ChartAction::ToggleUnicodeStatus: S.UnicodeStatus = !S.UnicodeStatus; break;
    case ChartAction::EntryChar: AddEntryChar(S, char(Key & 0xFF)); break;
    case ChartAction::EntryBack: EntryBack(S); break;
    case ChartAction::EntryEnter: EnterCode(S); break;
    case ChartAction::EntryCancel: S.EntryText.clear(); break;
    default: return false;
    }
    return true;
}
