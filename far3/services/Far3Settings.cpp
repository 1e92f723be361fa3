// Far3Settings: the settings in Far's store, through SettingsControl.
#include "Far3Settings.h"

#include "Far3Guids.h"
#include "Far3Host.h"

#include <map>

Far3Settings Far3Config;

namespace {

const wchar_t *const PasteModeName = L"PasteMode";
const wchar_t *const TypeModeName = L"TypeMode";
const wchar_t *const CopyModeName = L"CopyMode";
const wchar_t *const ShowEditorCharName = L"ShowEditorChar";
const wchar_t *const ShowCmdlineCharName = L"ShowCmdlineChar";
const wchar_t *const ShowWinTableName = L"ShowWinTable";
const wchar_t *const LastCharName = L"LastChar";
const wchar_t *const CodePageName = L"CodePage";
const wchar_t *const UnicodeStatusName = L"UnicodeStatus";
const wchar_t *const HistoryName = L"History";

// One session with the plugin's settings: created, used, freed.
class SettingsSession {
public:
    SettingsSession()
    {
        if (!Far3Info.SettingsControl) return;
        FarSettingsCreate Create = {sizeof Create, QuorrelGuid, INVALID_HANDLE_VALUE};
        if (Far3Info.SettingsControl(INVALID_HANDLE_VALUE, SCTL_CREATE, PSL_ROAMING, &Create))
            Handle = Create.Handle;
        if (!Handle) return;
        // Far answers SCTL_GET whatever the type of the stored value (a text
        // read as a number is 0, or its digits): the types come from the list.
        FarSettingsEnum List = {sizeof List, 0, 0, nullptr};
        if (Far3Info.SettingsControl(Handle, SCTL_ENUM, 0, &List) && List.Items) {
            Listed = true;
            for (size_t I = 0; I < List.Count; I++)
                if (List.Items[I].Name) Types[List.Items[I].Name] = List.Items[I].Type;
        }
    }
    ~SettingsSession()
    {
        if (Handle) Far3Info.SettingsControl(Handle, SCTL_FREE, 0, nullptr);
    }
    SettingsSession(const SettingsSession &) = delete;
    SettingsSession &operator=(const SettingsSession &) = delete;

    // The value, when the store holds it with the type asked for.
    bool Get(FarSettingsItem &Item) const
    {
        if (!Handle) return false;
        if (Listed) {
            const auto Type = Types.find(Item.Name);
            if (Type == Types.end() || Type->second != Item.Type) return false;
        }
        return Far3Info.SettingsControl(Handle, SCTL_GET, 0, &Item) != 0;
    }
    // The number, if stored as one and not above Max.
    bool GetNumber(const wchar_t *Name, unsigned long long Max, unsigned long long &Value) const
    {
        FarSettingsItem Item = Request(Name, FST_QWORD);
        if (!Get(Item) || Item.Number > Max) return false;
        Value = Item.Number;
        return true;
    }
    bool GetString(const wchar_t *Name, std::wstring &Value) const
    {
        FarSettingsItem Item = Request(Name, FST_STRING);
        if (!Get(Item) || !Item.String) return false;
        Value = Item.String;
        return true;
    }
    void SetNumber(const wchar_t *Name, unsigned long long Value) const
    {
        FarSettingsItem Item = Request(Name, FST_QWORD);
        Item.Number = Value;
        if (Handle) Far3Info.SettingsControl(Handle, SCTL_SET, 0, &Item);
    }
    void SetString(const wchar_t *Name, const std::wstring &Value) const
    {
        FarSettingsItem Item = Request(Name, FST_STRING);
        Item.String = Value.c_str();
        if (Handle) Far3Info.SettingsControl(Handle, SCTL_SET, 0, &Item);
    }

private:
    static FarSettingsItem Request(const wchar_t *Name, FARSETTINGSTYPES Type)
    {
        FarSettingsItem Item = {};
        Item.StructSize = sizeof Item;
        Item.Root = 0;
        Item.Name = Name;
        Item.Type = Type;
        return Item;
    }

    HANDLE Handle = nullptr;
    bool Listed = false;  // the store listed its values: Types holds them
    std::map<std::wstring, FARSETTINGSTYPES> Types;
};

void LoadMode(const SettingsSession &S, const wchar_t *Name, int &Mode)
{
    unsigned long long Value;
    if (S.GetNumber(Name, 2, Value)) Mode = static_cast<int>(Value);
}

void LoadFlag(const SettingsSession &S, const wchar_t *Name, bool &Flag)
{
    unsigned long long Value;
    if (S.GetNumber(Name, 1, Value)) Flag = Value != 0;
}

bool IsSurrogate(wchar_t Char)
{
    return Char >= 0xD800 && Char <= 0xDFFF;
}

// The history as stored, cleaned: no zero or lone halves of a pair, no two
// alike, at most Far3HistoryMax.
std::wstring CleanHistory(const std::wstring &Stored)
{
    std::wstring History;
    for (wchar_t Char : Stored) {
        if (History.size() == Far3HistoryMax) break;
        if (Char && !IsSurrogate(Char) && History.find(Char) == std::wstring::npos)
            History += Char;
    }
    return History;
}

}  // namespace

void LoadFar3Settings()
{
    Far3Config = Far3Settings();
    const SettingsSession S;
    Far3Options &O = Far3Config.Options;
    LoadMode(S, PasteModeName, O.PasteMode);
    LoadMode(S, TypeModeName, O.TypeMode);
    LoadFlag(S, CopyModeName, O.CopyMode);
    LoadFlag(S, ShowEditorCharName, O.ShowEditorChar);
    LoadFlag(S, ShowCmdlineCharName, O.ShowCmdlineChar);
    LoadFlag(S, ShowWinTableName, O.ShowWinTable);
    LoadFlag(S, UnicodeStatusName, Far3Config.UnicodeStatus);
    unsigned long long Value;
    if (S.GetNumber(LastCharName, 255, Value)) Far3Config.LastChar = static_cast<unsigned>(Value);
    // Any number a code page can have; whether the system has it is for
    // the opening to find out.
    if (S.GetNumber(CodePageName, 0xFFFF, Value)) Far3Config.CodePage = static_cast<unsigned>(Value);
    std::wstring History;
    if (S.GetString(HistoryName, History)) Far3Config.History = CleanHistory(History);
}

void SaveFar3Options()
{
    const SettingsSession S;
    const Far3Options &O = Far3Config.Options;
    S.SetNumber(PasteModeName, static_cast<unsigned>(O.PasteMode));
    S.SetNumber(TypeModeName, static_cast<unsigned>(O.TypeMode));
    S.SetNumber(CopyModeName, O.CopyMode);
    S.SetNumber(ShowEditorCharName, O.ShowEditorChar);
    S.SetNumber(ShowCmdlineCharName, O.ShowCmdlineChar);
    S.SetNumber(ShowWinTableName, O.ShowWinTable);
}

void SaveFar3State()
{
    const SettingsSession S;
    S.SetNumber(LastCharName, Far3Config.LastChar);
    S.SetNumber(CodePageName, Far3Config.CodePage);
    S.SetNumber(UnicodeStatusName, Far3Config.UnicodeStatus);
    S.SetString(HistoryName, Far3Config.History);
}
