// Far3Exchange: the editor and the command line through EditorControl and
// PanelControl.
#include "Far3Exchange.h"

#include "Far3Clipboard.h"
#include "Far3Host.h"
#include "Far3Settings.h"

namespace {

bool EditorInfoNow(EditorInfo &Info)
{
    Info = EditorInfo();
    Info.StructSize = sizeof Info;
    return Far3Info.EditorControl &&
           Far3Info.EditorControl(CURRENT_EDITOR, ECTL_GETINFO, 0, &Info) != 0;
}

// Char's cell: on Preferred if it has it, else on the first page that has it.
bool PlaceChar(const std::vector<Far3CodePage> &Pages, size_t Preferred, wchar_t Char,
               Far3Start &Start)
{
    if (!Char) {  // the end of the line
        Start = {Preferred, 0};
        return true;
    }
    int Code = FindFar3Cell(Pages[Preferred], Char);
    if (Code >= 0) {
        Start = {Preferred, static_cast<unsigned>(Code)};
        return true;
    }
    for (size_t Page = 0; Page < Pages.size(); Page++) {
        Code = FindFar3Cell(Pages[Page], Char);
        if (Code >= 0) {
            Start = {Page, static_cast<unsigned>(Code)};
            return true;
        }
    }
    return false;
}

}  // namespace

bool Far3EditorCharAtCursor(wchar_t &Char, UINT &CodePage)
{
    Char = 0;
    CodePage = 0;
    EditorInfo Info;
    if (!EditorInfoNow(Info)) return false;
    CodePage = static_cast<UINT>(Info.CodePage);
    EditorGetString Line = {};
    Line.StructSize = sizeof Line;
    Line.StringNumber = -1;
    if (!Far3Info.EditorControl(CURRENT_EDITOR, ECTL_GETSTRING, 0, &Line)) return false;
    if (Line.StringText && Info.CurPos >= 0 && Info.CurPos < Line.StringLength)
        Char = Line.StringText[Info.CurPos];
    return true;
}

bool Far3CmdLineCharAtCursor(wchar_t &Char)
{
    Char = 0;
    if (!Far3Info.PanelControl) return false;
    // The size first (in characters, with the zero), then the text.
    const intptr_t Size = Far3Info.PanelControl(PANEL_ACTIVE, FCTL_GETCMDLINE, 0, nullptr);
    if (Size <= 0) return false;
    std::wstring Text(static_cast<size_t>(Size), L'\0');
    const intptr_t Got = Far3Info.PanelControl(PANEL_ACTIVE, FCTL_GETCMDLINE, Size, &Text[0]);
    if (Got <= 0) return false;
    Text.resize(Text.find(L'\0') == std::wstring::npos ? Text.size() : Text.find(L'\0'));
    int Position = -1;
    if (!Far3Info.PanelControl(PANEL_ACTIVE, FCTL_GETCMDLINEPOS, 0, &Position)) return false;
    if (Position >= 0 && static_cast<size_t>(Position) < Text.size()) Char = Text[Position];
    return true;
}

Far3Start ChooseFar3Start(const std::vector<Far3CodePage> &Pages, int OpenFrom)
{
    const Far3Settings &S = Far3Config;
    const int Last = FindFar3CodePage(Pages, S.CodePage);
    Far3Start Start = {Last < 0 ? 0 : static_cast<size_t>(Last), Last < 0 ? 0u : S.LastChar};
    if (OpenFrom == OPEN_EDITOR) {
        wchar_t Char;
        UINT EditorPage;
        if (!Far3EditorCharAtCursor(Char, EditorPage)) return Start;
        const int Own = FindFar3CodePage(Pages, EditorPage);
        if (Own >= 0) Start.Page = static_cast<size_t>(Own);
        if (S.Options.ShowEditorChar) PlaceChar(Pages, Start.Page, Char, Start);
    } else if (OpenFrom == OPEN_PLUGINSMENU && S.Options.ShowCmdlineChar) {
        wchar_t Char;
        if (Far3CmdLineCharAtCursor(Char)) PlaceChar(Pages, Start.Page, Char, Start);
    }
    return Start;
}

void Far3EditorInsert(const std::wstring &Text)
{
    if (!Far3Info.EditorControl || Text.empty()) return;
    Far3Info.EditorControl(CURRENT_EDITOR, ECTL_INSERTTEXT, 0, const_cast<wchar_t *>(Text.c_str()));
    Far3Info.EditorControl(CURRENT_EDITOR, ECTL_REDRAW, 0, nullptr);
}

void Far3CmdLineInsert(const std::wstring &Text)
{
    if (!Far3Info.PanelControl || Text.empty()) return;
    Far3Info.PanelControl(PANEL_ACTIVE, FCTL_INSERTCMDLINE, 0, const_cast<wchar_t *>(Text.c_str()));
}

void DeliverFar3Result(int OpenFrom, wchar_t Choice)
{
    if (!Choice || (OpenFrom != OPEN_EDITOR && OpenFrom != OPEN_PLUGINSMENU)) return;
    const Far3Options &O = Far3Config.Options;
    std::wstring Text;
    if (O.PasteMode == 1) {
        Text.assign(1, Choice);
    } else if (O.PasteMode == 2) {
        if (!ReadFar3Clipboard(Text)) return;
    } else {
        return;
    }
    if (OpenFrom == OPEN_EDITOR)
        Far3EditorInsert(Text);
    else
        Far3CmdLineInsert(Text);
}
