// The Far 3 fake host's services.
#include "Far3FakeHost.h"

#include "MessageIds.h"

#include <cstring>
#include <cwchar>

namespace far3fake {

Host *Current = nullptr;

namespace {

HANDLE const SettingsHandle = reinterpret_cast<HANDLE>(0x5e771);
// Dialogs open inside each other (a dialog's procedure may run another);
// the handle of the one at depth N is DialogHandleBase + N.
const intptr_t DialogHandleBase = 0xd1a1;

struct OpenDialog {
    std::vector<FarDialogItem> Items;
    std::vector<std::wstring> Texts;
    std::vector<intptr_t> Checks;
    FARWINDOWPROC Proc = nullptr;
    void *Param = nullptr;
    intptr_t Result = -1;
    bool Closed = false;
    intptr_t Focus = 0;
    intptr_t CursorItem = -1;
    COORD Cursor = {0, 0};
    intptr_t CursorSize = 0;
    SMALL_RECT Rect = {0, 0, 0, 0};
};
std::vector<OpenDialog> Open;

OpenDialog *Find(HANDLE Dialog)
{
    const intptr_t Depth = reinterpret_cast<intptr_t>(Dialog) - DialogHandleBase;
    if (Depth < 0 || static_cast<size_t>(Depth) >= Open.size()) return nullptr;
    return &Open[static_cast<size_t>(Depth)];
}

DialogFrame Snapshot(const OpenDialog &D)
{
    DialogFrame F{{}, {}, D.Focus, D.CursorItem, D.Cursor, D.CursorSize, D.Rect};
    for (size_t I = 0; I < D.Items.size(); I++) {
        const FarDialogItem &Item = D.Items[I];
        std::vector<FAR_CHAR_INFO> Cells;
        std::wstring Text = D.Texts[I];
        if (Item.Type == DI_USERCONTROL && Item.VBuf) {
            const size_t Count = static_cast<size_t>((Item.X2 - Item.X1 + 1) * (Item.Y2 - Item.Y1 + 1));
            Cells.assign(Item.VBuf, Item.VBuf + Count);
            Text.clear();
            for (const FAR_CHAR_INFO &C : Cells) Text += C.Char;
        }
        F.Texts.push_back(Text);
        F.Cells.push_back(Cells);
    }
    return F;
}

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
                         FARWINDOWPROC Proc, void *Param)
{
    DialogCall Call{*PluginId, *Id, X1, Y1, X2, Y2, HelpTopic ? HelpTopic : L"", {}, {}};
    Call.Items.assign(Item, Item + ItemsNumber);
    for (const FarDialogItem &I : Call.Items) Call.Texts.push_back(I.Data ? I.Data : L"");
    Current->Dialogs.push_back(Call);
    OpenDialog D;
    D.Items = Call.Items;
    D.Texts = Call.Texts;
    for (const FarDialogItem &I : Call.Items) D.Checks.push_back(I.Selected);
    for (size_t I = 0; I < ItemsNumber; I++)
        if (Item[I].Flags & DIF_FOCUS) D.Focus = static_cast<intptr_t>(I);
    D.Proc = Proc;
    D.Param = Param;
    // Centred (-1) as Far centres on its window.
    const intptr_t W = X2 - X1 + 1, H = Y2 - Y1 + 1;
    const SMALL_RECT &Far = Current->FarRect;
    const intptr_t Left = X1 >= 0 ? X1 : (Far.Right - Far.Left + 1 - X2) / 2;
    const intptr_t Top = Y1 >= 0 ? Y1 : (Far.Bottom - Far.Top + 1 - Y2) / 2;
    D.Rect = {SHORT(Left), SHORT(Top), SHORT(Left + (X1 >= 0 ? W : X2) - 1),
              SHORT(Top + (Y1 >= 0 ? H : Y2) - 1)};
    Open.push_back(D);
    return reinterpret_cast<HANDLE>(DialogHandleBase + static_cast<intptr_t>(Open.size()) - 1);
}

intptr_t WINAPI DialogRun(HANDLE Dialog)
{
    OpenDialog *D = Find(Dialog);
    if (!D) return -1;
    if (!D->Proc) {
        if (Current->DialogEditScript)
            D->Result = Current->DialogEditScript(D->Checks, D->Texts);
        else
            D->Result = Current->DialogScript ? Current->DialogScript(D->Checks) : -1;
        return D->Result;
    }
    D->Proc(Dialog, DN_INITDIALOG, 0, D->Param);
    Current->Frames.push_back(Snapshot(*Find(Dialog)));
    while (!Find(Dialog)->Closed && !Current->DialogInputs.empty()) {
        DialogInput In = Current->DialogInputs.front();
        Current->DialogInputs.erase(Current->DialogInputs.begin());
        const intptr_t Item = In.Item >= 0 ? In.Item : Find(Dialog)->Focus;
        Find(Dialog)->Proc(Dialog, DN_CONTROLINPUT, Item, &In.Record);
        Current->Frames.push_back(Snapshot(*Find(Dialog)));
    }
    D = Find(Dialog);
    return D->Closed ? D->Result : -1;
}

void WINAPI DialogFree(HANDLE Dialog)
{
    if (!Find(Dialog)) return;
    Current->DialogsFreed++;
    Open.pop_back();
}

intptr_t WINAPI SendDlgMessage(HANDLE Dialog, intptr_t Msg, intptr_t Param1, void *Param2)
{
    OpenDialog *D = Find(Dialog);
    if (!D) return 0;
    const bool ItemOk = Param1 >= 0 && static_cast<size_t>(Param1) < D->Items.size();
    switch (Msg) {
    case DM_GETCHECK:
        return ItemOk ? D->Checks[static_cast<size_t>(Param1)] : 0;
    case DM_GETCONSTTEXTPTR:
        return ItemOk ? reinterpret_cast<intptr_t>(D->Texts[static_cast<size_t>(Param1)].c_str()) : 0;
    case DM_CLOSE:
        if (D->Proc && !D->Proc(Dialog, DN_CLOSE, Param1, nullptr)) return FALSE;
        D->Closed = true;
        D->Result = Param1;
        return TRUE;
    case DM_GETDLGDATA:
        return reinterpret_cast<intptr_t>(D->Param);
    case DM_SETTEXTPTR:
        if (!ItemOk) return FALSE;
        D->Texts[static_cast<size_t>(Param1)] = Param2 ? static_cast<const wchar_t *>(Param2) : L"";
        return TRUE;
    case DM_SETCURSORPOS:
        if (!ItemOk || !Param2) return FALSE;
        D->CursorItem = Param1;
        D->Cursor = *static_cast<const COORD *>(Param2);
        return TRUE;
    case DM_SETCURSORSIZE:
        D->CursorSize = reinterpret_cast<intptr_t>(Param2);
        return TRUE;
    case DM_SETFOCUS:
        if (!ItemOk) return FALSE;
        D->Focus = Param1;
        return TRUE;
    case DM_GETFOCUS:
        return D->Focus;
    case DM_GETDLGRECT:
        if (!Param2) return FALSE;
        *static_cast<SMALL_RECT *>(Param2) = D->Rect;
        return TRUE;
    case DM_MOVEDIALOG: {
        if (!Param2) return 0;
        const COORD To = *static_cast<const COORD *>(Param2);
        const SHORT DX = Param1 ? SHORT(To.X - D->Rect.Left) : To.X;
        const SHORT DY = Param1 ? SHORT(To.Y - D->Rect.Top) : To.Y;
        D->Rect = {SHORT(D->Rect.Left + DX), SHORT(D->Rect.Top + DY), SHORT(D->Rect.Right + DX),
                   SHORT(D->Rect.Bottom + DY)};
        return TRUE;
    }
    case DM_REDRAW:
    case DM_ENABLEREDRAW:
        return TRUE;
    default:
        return 0;
    }
}

intptr_t WINAPI AdvControl(const UUID *, ADVANCED_CONTROL_COMMANDS Command, intptr_t Param1,
                           void *Param2)
{
    switch (Command) {
    case ACTL_GETCOLOR: {
        if (!Param2) return FALSE;
        FarColor Color = {};
        Color.Flags = FCF_FG_INDEX | FCF_BG_INDEX;
        Color.ForegroundColor = static_cast<COLORREF>(Param1);
        *static_cast<FarColor *>(Param2) = Color;
        return TRUE;
    }
    case ACTL_GETFARRECT:
        if (!Param2) return FALSE;
        *static_cast<SMALL_RECT *>(Param2) = Current->FarRect;
        return TRUE;
    default:
        return 0;
    }
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
    Open.clear();  // what a failed test left open
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
    Info.AdvControl = AdvControl;
    Info.SettingsControl = SettingsControl;
    return Info;
}

std::vector<std::wstring> NumberedMessages()
{
    std::vector<std::wstring> Texts;
    for (int I = 0; I < MsgCount; I++) Texts.push_back(L"M" + std::to_wstring(I));
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
