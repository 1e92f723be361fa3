// Help: topics of a plugin's .hlf file shown in a scrollable box, for
// ShowHelp and for F1 in dialogs and menus.
#include "HostInternal.h"

#include <algorithm>

namespace {

std::vector<HelpCall> HelpCalls;

std::string TrimRight(std::string S)
{
    while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r')) S.pop_back();
    return S;
}

std::vector<std::string> Lines(const std::string &Text)
{
    std::vector<std::string> Out;
    std::string Line;
    for (char Ch : Text) {
        if (Ch == '\n') {
            Out.push_back(TrimRight(Line));
            Line.clear();
        } else {
            Line += Ch;
        }
    }
    if (!Line.empty()) Out.push_back(TrimRight(Line));
    return Out;
}

void Append(HelpLine &Line, char Ch, char Kind)
{
    Line.Text += Ch;
    Line.Kinds += Kind;
}

// ------------------------------------------------------------ the box --

struct LinkAt {
    int Row;  // index into the wrapped body
    HelpLink Link;
};

struct HelpBox {
    std::string Module;
    HelpTopic Topic;
    std::vector<HelpLine> Header, Body;  // wrapped
    std::vector<LinkAt> Links;
    int Top = 0;
    int SelectedLink = -1;
};

int BoxLeft() { return 0; }
int BoxRight() { return HostScreenWidth() - 1; }
int BoxTop() { return 0; }
int BoxBottom() { return HostScreenHeight() - 1; }
int TextWidth() { return std::max(BoxRight() - BoxLeft() - 3, 8); }
int FirstBodyRow(const HelpBox &B)
{
    return BoxTop() + 1 + (B.Header.empty() ? 0 : int(B.Header.size()) + 1);
}
int BodyRows(const HelpBox &B) { return std::max(BoxBottom() - FirstBodyRow(B), 1); }
int MaxTop(const HelpBox &B) { return std::max(int(B.Body.size()) - BodyRows(B), 0); }

void Open(HelpBox &B, const HelpTopic &Topic)
{
    B.Topic = Topic;
    B.Header.clear();
    B.Body.clear();
    B.Links.clear();
    for (const HelpLine &Line : Topic.Header)
        for (const HelpLine &Part : WrapHelpLine(Line, TextWidth())) B.Header.push_back(Part);
    for (const HelpLine &Line : Topic.Body)
        for (const HelpLine &Part : WrapHelpLine(Line, TextWidth())) B.Body.push_back(Part);
    for (size_t Row = 0; Row < B.Body.size(); Row++)
        for (const HelpLink &Link : B.Body[Row].Links) B.Links.push_back({int(Row), Link});
    B.Top = 0;
    B.SelectedLink = -1;
}

void PutHelpLine(int X, int Y, const HelpLine &Line, int SelectedStart)
{
    for (size_t I = 0; I < Line.Text.size(); I++) {
        WORD Attr = ColHelpText;
        if (Line.Kinds[I] == 'h') Attr = ColHelpHighlight;
        if (Line.Kinds[I] == 'l') Attr = ColHelpLink;
        HostPutChar(X + int(I), Y, Line.Text[I], Attr);
    }
    if (SelectedStart < 0) return;
    for (const HelpLink &Link : Line.Links)
        if (Link.Start == SelectedStart)
            for (int I = 0; I < Link.Length; I++)
                HostPutAttr(X + Link.Start + I, Y, ColHelpSelectedLink);
}

void DrawHelp(const HelpBox &B)
{
    int L = BoxLeft(), R = BoxRight(), T = BoxTop(), Bot = BoxBottom();
    HostFillRect(L, T, R, Bot, ' ', ColHelpText);
    HostDrawFrame(L, T, R, Bot, true, ColHelpBox);
    HostDrawFrameTitle(L, R, T, "Help", ColHelpBox);
    int Y = T + 1;
    for (const HelpLine &Line : B.Header) {
        int X = L + 1 + std::max((R - L - 1 - int(Line.Text.size())) / 2, 0);
        PutHelpLine(X, Y++, Line, -1);
    }
    if (!B.Header.empty()) {
        for (int X = L + 1; X < R; X++) HostPutChar(X, Y, char(BoxH1), ColHelpBox);
        HostPutChar(L, Y, char(SepLeft2), ColHelpBox);
        HostPutChar(R, Y, char(SepRight2), ColHelpBox);
    }
    const LinkAt *Sel = B.SelectedLink >= 0 ? &B.Links[size_t(B.SelectedLink)] : nullptr;
    for (int Row = 0; Row < BodyRows(B); Row++) {
        int Index = B.Top + Row;
        if (Index >= int(B.Body.size())) break;
        PutHelpLine(L + 2, FirstBodyRow(B) + Row, B.Body[size_t(Index)],
                    Sel && Sel->Row == Index ? Sel->Link.Start : -1);
    }
    if (MaxTop(B) > 0) {
        // Where the view stands, in the bottom frame line.
        int Percent = B.Top * 100 / MaxTop(B);
        HostDrawFrameTitle(L, R, Bot, std::to_string(Percent) + "%", ColHelpBox);
    }
    HostFlushScreen();
    HostHideCursor();
}

bool LoadTopic(const std::string &Module, const std::string &Name, HelpTopic &Topic)
{
    std::string File = FindHlfFile(Module, HostLanguage());
    return !File.empty() && FindHelpTopic(ReadWholeFile(File), Name, Topic);
}

void RunHelpBox(HelpBox &B, HelpCall &Call)
{
    std::vector<std::pair<HelpTopic, int>> History;
    for (;;) {
        B.Top = std::min(std::max(B.Top, 0), MaxTop(B));
        DrawHelp(B);
        HostKey Key;
        if (!HostReadKey(Key)) return;
        bool Plain = !Key.Ctrl && !Key.Alt;
        int Page = std::max(BodyRows(B) - 1, 1);
        switch (Key.Vk) {
        case VK_ESCAPE:
        case VK_F10: return;
        case VK_UP: B.Top--; break;
        case VK_DOWN: B.Top++; break;
        case VK_PRIOR: B.Top -= Page; break;
        case VK_NEXT: B.Top += Page; break;
        case VK_HOME: B.Top = 0; break;
        case VK_END: B.Top = MaxTop(B); break;
        case VK_TAB: {
            if (B.Links.empty()) break;
            int Count = int(B.Links.size());
            if (B.SelectedLink < 0) {
                // Start from the first link in view (or the last, going back).
                B.SelectedLink = Key.Shift ? Count - 1 : 0;
                for (int I = 0; I < Count; I++)
                    if (B.Links[size_t(I)].Row >= B.Top) {
                        B.SelectedLink = Key.Shift ? (I + Count - 1) % Count : I;
                        break;
                    }
            } else {
                B.SelectedLink = (B.SelectedLink + (Key.Shift ? Count - 1 : 1)) % Count;
            }
            int Row = B.Links[size_t(B.SelectedLink)].Row;
            if (Row < B.Top) B.Top = Row;
            if (Row >= B.Top + BodyRows(B)) B.Top = Row - BodyRows(B) + 1;
            break;
        }
        case VK_RETURN: {
            if (B.SelectedLink < 0 || !Plain) break;
            HelpTopic Next;
            if (!LoadTopic(B.Module, B.Links[size_t(B.SelectedLink)].Link.Topic, Next)) break;
            History.push_back({B.Topic, B.Top});
            Open(B, Next);
            Call.Visited.push_back(B.Topic.Name);
            break;
        }
        case VK_BACK:
            if (History.empty()) break;
            Open(B, History.back().first);
            B.Top = History.back().second;
            History.pop_back();
            Call.Visited.push_back(B.Topic.Name);
            break;
        default: break;
        }
    }
}

void NotFoundBox(const std::string &Topic)
{
    std::string Text = "Help topic not found: " + Topic;
    int W = int(Text.size()) + 8, H = 5;
    int X0 = std::max(0, (HostScreenWidth() - W) / 2), Y0 = std::max(0, (HostScreenHeight() - H) / 2);
    SavedArea Area = HostSaveArea(X0, Y0, X0 + W + 1, Y0 + H);
    HostFillRect(X0, Y0, X0 + W - 1, Y0 + H - 1, ' ', 0x4F);
    HostDrawFrame(X0 + 2, Y0 + 1, X0 + W - 3, Y0 + H - 2, true, 0x4F);
    HostDrawFrameTitle(X0 + 2, X0 + W - 3, Y0 + 1, "Help", 0x4F);
    HostDrawShadow(X0, Y0, X0 + W - 1, Y0 + H - 1);
    HostPutText(X0 + 4, Y0 + 2, Text, 0x4F);
    HostFlushScreen();
    HostHideCursor();
    HostKey Key;
    HostReadKey(Key);
    HostRestoreArea(Area);
}

}  // namespace

HelpLine ParseHelpLine(const std::string &Text)
{
    HelpLine Line;
    bool Highlight = false;
    for (size_t I = 0; I < Text.size(); I++) {
        char Ch = Text[I];
        bool Doubled = I + 1 < Text.size() && Text[I + 1] == Ch;
        if ((Ch == '#' || Ch == '~') && Doubled) {
            Append(Line, Ch, Highlight ? 'h' : 'n');
            I++;
            continue;
        }
        if (Ch == '#') {
            Highlight = !Highlight;
            continue;
        }
        if (Ch == '~') {
            // ~text~@Topic@; anything else is taken as it stands.
            size_t TextEnd = Text.find('~', I + 1);
            size_t TopicEnd = TextEnd == std::string::npos ? std::string::npos
                                                           : Text.find('@', TextEnd + 2);
            if (TextEnd != std::string::npos && TextEnd + 1 < Text.size() &&
                Text[TextEnd + 1] == '@' && TopicEnd != std::string::npos) {
                HelpLink Link;
                Link.Start = int(Line.Text.size());
                for (size_t K = I + 1; K < TextEnd; K++) Append(Line, Text[K], 'l');
                Link.Length = int(Line.Text.size()) - Link.Start;
                Link.Topic = Text.substr(TextEnd + 2, TopicEnd - TextEnd - 2);
                Line.Links.push_back(Link);
                I = TopicEnd;
                continue;
            }
        }
        Append(Line, Ch, Highlight ? 'h' : 'n');
    }
    return Line;
}

bool FindHelpTopic(const std::string &FileText, const std::string &Name, HelpTopic &Topic)
{
    std::vector<std::string> All = Lines(FileText);
    size_t I = 0;
    while (I < All.size() &&
           !(All[I].size() > 1 && All[I][0] == '@' && HostLower(All[I].substr(1)) == HostLower(Name)))
        I++;
    if (I == All.size()) return false;
    Topic = HelpTopic();
    Topic.Name = All[I].substr(1);
    bool InHeader = true;
    for (I++; I < All.size(); I++) {
        const std::string &Line = All[I];
        if (!Line.empty() && Line[0] == '@' && !(Line.size() > 1 && Line[1] == '@')) break;
        if (InHeader && !Line.empty() && Line[0] == '$') {
            size_t Start = Line.find_first_not_of(' ', 1);
            Topic.Header.push_back(
                ParseHelpLine(Start == std::string::npos ? "" : Line.substr(Start)));
            continue;
        }
        InHeader = false;
        Topic.Body.push_back(ParseHelpLine(Line));
    }
    while (!Topic.Body.empty() && Topic.Body.back().Text.empty()) Topic.Body.pop_back();
    return true;
}

std::vector<HelpLine> WrapHelpLine(const HelpLine &Line, int Width)
{
    std::vector<HelpLine> Out;
    size_t Start = 0;
    const std::string &T = Line.Text;
    if (Width <= 0 || T.size() <= size_t(Width)) return {Line};
    while (Start < T.size()) {
        size_t End = std::min(T.size(), Start + size_t(Width));
        if (End < T.size()) {
            size_t Space = T.rfind(' ', End);
            if (Space != std::string::npos && Space > Start) End = Space;
        }
        HelpLine Part;
        Part.Text = T.substr(Start, End - Start);
        Part.Kinds = Line.Kinds.substr(Start, End - Start);
        for (const HelpLink &Link : Line.Links)
            if (Link.Start >= int(Start) && Link.Start < int(End)) {
                HelpLink Piece = Link;
                Piece.Start -= int(Start);
                Piece.Length = std::min(Piece.Length, int(End) - Link.Start);
                Part.Links.push_back(Piece);
            }
        Out.push_back(Part);
        Start = End;
        while (Start < T.size() && T[Start] == ' ') Start++;
    }
    return Out;
}

bool HostRunHelp(const std::string &ModuleName, const std::string &Topic)
{
    HelpCall Call;
    Call.ModuleName = ModuleName;
    Call.Topic = Topic;
    HelpTopic Found;
    std::string Name = Topic.empty() ? "Contents" : Topic;
    bool Ok = LoadTopic(ModuleName, Name, Found);
    Call.Shown = Ok ? Found.Name : "";
    if (!Ok) {
        HelpCalls.push_back(Call);
        NotFoundBox(Name);
        return false;
    }
    Call.Visited.push_back(Found.Name);
    HelpBox Box;
    Box.Module = ModuleName;
    Open(Box, Found);
    SavedArea Area = HostSaveArea(BoxLeft(), BoxTop(), BoxRight(), BoxBottom());
    RunHelpBox(Box, Call);
    HostRestoreArea(Area);
    HelpCalls.push_back(Call);
    return true;
}

BOOL WINAPI HostShowHelp(const char *ModuleName, const char *HelpTopic, DWORD)
{
    return HostRunHelp(ModuleName ? ModuleName : "", HelpTopic ? HelpTopic : "") ? TRUE : FALSE;
}

const std::vector<HelpCall> &HostHelpCalls() { return HelpCalls; }

void HostHelpReset() { HelpCalls.clear(); }
