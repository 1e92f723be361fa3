// The Far 3 fake host's services.
#include "Far3FakeHost.h"

#include <cstring>
#include <cwchar>

namespace far3fake {

Host *Current = nullptr;

namespace {

HANDLE const SettingsHandle = reinterpret_cast<HANDLE>(0x5e771);
HANDLE const DialogHandle = reinterpret_cast<HANDLE>(0xd1a1);

struct OpenDialog {
    std::vector<intptr_t> Checks;
    intptr_t Result;
};
OpenDialog Open;

const wchar_t *WINAPI GetMsg(const UUID *PluginId, intptr_t MsgId)
{
    Current->MsgGuids.push_back(*PluginId);
    if (MsgId < 0 || static_cast<size_t>(MsgId) >= Current->Messages.size()) return nullptr;
    return Current->Messages[MsgId].c_str();
}

BOOL WINAPI ShowHelp(const wchar_t *ModuleName, const wchar_t *Topic, FARHELPFLAGS Flags)
{
    Current->Helps.emplace_back(ModuleName ? ModuleName : L"", Topic ? Topic : L"(null)");
    Current->HelpFlags.push_back(Flags);
    return TRUE;
}

intptr_t WINAPI SettingsControl(HANDLE Handle, FAR_SETTINGS_CONTROL_COMMANDS Command,
                                intptr_t Param1, void *Param2)
{
    Host &H = *Current;
    if (Command == SCTL_CREATE) {
        auto *Create = static_cast<FarSettingsCreate *>(Param2);
        H.SettingsLocations.push_back(Param1);
        H.SettingsGuids.push_back(Create->Guid);
        if (H.RefuseSettings || Create->StructSize != sizeof *Create) return FALSE;
        Create->Handle = SettingsHandle;
        H.SettingsCreated++;
        return TRUE;
    }
    if (Handle != SettingsHandle) return FALSE;
    if (Command == SCTL_FREE) {
        H.SettingsFreed++;
        return TRUE;
    }
    if (Command == SCTL_ENUM) {
        auto *List = static_cast<FarSettingsEnum *>(Param2);
        if (H.RefuseList || List->StructSize != sizeof *List || List->Root != 0) return FALSE;
        static std::vector<FarSettingsName> Names;
        Names.clear();
        for (const auto &V : H.Settings) Names.push_back({V.first.c_str(), V.second.Type});
        List->Count = Names.size();
        List->Items = Names.data();
        return TRUE;
    }
    auto *Item = static_cast<FarSettingsItem *>(Param2);
    if (!Item || Item->StructSize != sizeof *Item || Item->Root != 0 || !Item->Name) return FALSE;
    if (Command == SCTL_SET) {
        StoredValue &V = H.Settings[Item->Name];
        V.Type = Item->Type;
        if (Item->Type == FST_QWORD) V.Number = Item->Number;
        if (Item->Type == FST_STRING) V.String = Item->String;
        return TRUE;
    }
    if (Command == SCTL_GET) {
        // As Far's SQLite store answers: whatever the stored type, converted
        // (a text read as a number is its leading digits or 0, a number
        // read as a text its digits).
        auto It = H.Settings.find(Item->Name);
        if (It == H.Settings.end()) return FALSE;
        StoredValue &V = It->second;
        if (Item->Type == FST_QWORD) {
            Item->Number = V.Type == FST_QWORD ? V.Number : std::wcstoull(V.String.c_str(), nullptr, 10);
        } else if (Item->Type == FST_STRING) {
            if (V.Type == FST_QWORD) V.String = std::to_wstring(V.Number);
            Item->String = V.String.c_str();
        } else {
            return FALSE;
        }
        return TRUE;
    }
    return FALSE;
}

intptr_t WINAPI EditorControl(intptr_t EditorID, EDITOR_CONTROL_COMMANDS Command, intptr_t,
                              void *Param2)
{
    Host &H = *Current;
    if (!H.HasEditor || EditorID != CURRENT_EDITOR) return 0;
    switch (Command) {
    case ECTL_GETINFO: {
        auto *Info = static_cast<EditorInfo *>(Param2);
        if (Info->StructSize != sizeof *Info) return 0;
        Info->CurPos = H.EditorCurPos;
        Info->CodePage = H.EditorCodePage;
        return 1;
    }
    case ECTL_GETSTRING: {
        auto *Line = static_cast<EditorGetString *>(Param2);
        if (Line->StructSize != sizeof *Line || Line->StringNumber != -1) return 0;
        Line->StringText = H.EditorLine.data();  // not zero-terminated for the plugin
        Line->StringLength = static_cast<intptr_t>(H.EditorLine.size());
        return 1;
    }
    case ECTL_INSERTTEXT:
        H.EditorInserted.push_back(static_cast<const wchar_t *>(Param2));
        return 1;
    case ECTL_REDRAW:
        H.EditorRedraws++;
        return 1;
    default:
        return 0;
    }
}

intptr_t WINAPI PanelControl(HANDLE Panel, FILE_CONTROL_COMMANDS Command, intptr_t Param1,
                             void *Param2)
{
    Host &H = *Current;
    if (!H.HasCmdLine || Panel != PANEL_ACTIVE) return 0;
    switch (Command) {
    case FCTL_GETCMDLINE: {
        const intptr_t Needed = static_cast<intptr_t>(H.CmdLine.size() + 1);
        if (Param2 && Param1 > 0) {
            // As much as fits, always with its zero.
            const size_t Copied = std::min<size_t>(H.CmdLine.size(), Param1 - 1);
            std::memcpy(Param2, H.CmdLine.data(), Copied * sizeof(wchar_t));
            static_cast<wchar_t *>(Param2)[Copied] = 0;
        }
        return Needed;
    }
    case FCTL_GETCMDLINEPOS:
        *static_cast<int *>(Param2) = H.CmdLinePos;
        return 1;
    case FCTL_INSERTCMDLINE:
        H.CmdLineInserted.push_back(static_cast<const wchar_t *>(Param2));
        return 1;
    default:
        return 0;
    }
}

HANDLE WINAPI DialogInit(const UUID *PluginId, const UUID *Id, intptr_t X1, intptr_t Y1,
                         intptr_t X2, intptr_t Y2, const wchar_t *HelpTopic,
                         const FarDialogItem *Item, size_t ItemsNumber, intptr_t, FARDIALOGFLAGS,
                         FARWINDOWPROC, void *)
{
    DialogCall Call{*PluginId, *Id, X1, Y1, X2, Y2, HelpTopic ? HelpTopic : L"", {}, {}};
    Call.Items.assign(Item, Item + ItemsNumber);
    for (const FarDialogItem &I : Call.Items) Call.Texts.push_back(I.Data ? I.Data : L"");
    Open.Checks.clear();
    for (const FarDialogItem &I : Call.Items) Open.Checks.push_back(I.Selected);
    Current->Dialogs.push_back(Call);
    return DialogHandle;
}

intptr_t WINAPI DialogRun(HANDLE Dialog)
{
    if (Dialog != DialogHandle) return -1;
    Open.Result = Current->DialogScript ? Current->DialogScript(Open.Checks) : -1;
    return Open.Result;
}

void WINAPI DialogFree(HANDLE Dialog)
{
    if (Dialog == DialogHandle) Current->DialogsFreed++;
}

intptr_t WINAPI SendDlgMessage(HANDLE Dialog, intptr_t Msg, intptr_t Param1, void *)
{
    if (Dialog != DialogHandle || Msg != DM_GETCHECK) return 0;
    if (Param1 < 0 || static_cast<size_t>(Param1) >= Open.Checks.size()) return 0;
    return Open.Checks[Param1];
}

intptr_t WINAPI Menu(const UUID *, const UUID *Id, intptr_t, intptr_t, intptr_t, FARMENUFLAGS,
                     const wchar_t *Title, const wchar_t *, const wchar_t *,
                     const FarKey *BreakKeys, intptr_t *BreakCode, const FarMenuItem *Item,
                     size_t ItemsNumber)
{
    Host &H = *Current;
    MenuCall Call{*Id, Title ? Title : L"", {}, -1, BreakKeys != nullptr};
    for (size_t I = 0; I < ItemsNumber; I++) {
        Call.Texts.push_back(Item[I].Text ? Item[I].Text : L"");
        if (Item[I].Flags & MIF_SELECTED) Call.Selected = static_cast<int>(I);
    }
    H.Menus.push_back(Call);
    MenuAnswer Answer = {-1, -1};
    if (H.Menus.size() <= H.MenuAnswers.size()) Answer = H.MenuAnswers[H.Menus.size() - 1];
    if (BreakCode) *BreakCode = Answer.BreakCode;
    return Answer.Result;
}

}  // namespace

Host::Host()
{
    Messages = NumberedMessages();
}

PluginStartupInfo MakeStartupInfo(Host &H)
{
    Current = &H;
    PluginStartupInfo Info = {};
    Info.StructSize = sizeof Info;
    Info.ModuleName = H.ModuleName.c_str();
    Info.Menu = Menu;
    Info.GetMsg = GetMsg;
    Info.PanelControl = PanelControl;
    Info.EditorControl = EditorControl;
    Info.ShowHelp = ShowHelp;
    Info.DialogInit = DialogInit;
    Info.DialogRun = DialogRun;
    Info.DialogFree = DialogFree;
    Info.SendDlgMessage = SendDlgMessage;
    Info.SettingsControl = SettingsControl;
    return Info;
}

std::vector<std::wstring> NumberedMessages()
{
    std::vector<std::wstring> Texts;
    for (int I = 0; I < 42; I++) Texts.push_back(L"M" + std::to_wstring(I));
    return Texts;
}

StoredValue Number(unsigned long long N)
{
    return {FST_QWORD, N, L""};
}

StoredValue String(const std::wstring &S)
{
    return {FST_STRING, 0, S};
}

StoredValue Data()
{
    return {FST_DATA, 0, L"\x0102"};
}

}  // namespace far3fake
