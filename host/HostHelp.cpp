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

// Far's help window: columns 4 to width - 5, rows 2 to height - 3; on a
// screen too small for that, the whole screen.
bool Framed() { return HostScreenWidth() >= 40 && HostScreenHeight() >= 12; }
int BoxLeft() { return Framed() ? 4 : 0; }
int BoxRight() { return HostScreenWidth() - (Framed() ? 5 : 1); }
int BoxTop() { return Framed() ? 2 : 0; }
int BoxBottom() { return HostScreenHeight() - (Framed() ? 3 : 1); }
// A line holds fewer characters than the window's width - 1: 69 at 80 columns.
int TextWidth() { return std::max(BoxRight() - BoxLeft() - 2, 8); }
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
        for (const HelpLine &Part : WrapHelpLine(Line, TextWidth() - 1, 1))
            B.Header.push_back(Part);
    B.Body = LayOutHelpText(Topic.Body, TextWidth());
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
    // The title lines one blank in, as the file writes them after the "$".
    for (const HelpLine &Line : B.Header) PutHelpLine(L + 2, Y++, Line, -1);
    if (!B.Header.empty()) {
        for (int X = L + 1; X < R; X++) HostPutChar(X, Y, char(BoxH1), ColHelpBox);
        HostPutChar(L, Y, char(SepLeft2), ColHelpBox);
        HostPutChar(R, Y, char(SepRight2), ColHelpBox);
    }
    const LinkAt *Sel = B.SelectedLink >= 0 ? &B.Links[size_t(B.SelectedLink)] : nullptr;
    for (int Row = 0; Row < BodyRows(B); Row++) {
        int Index = B.Top + Row;
        if (Index >= int(B.Body.size())) break;
        PutHelpLine(L + 1, FirstBodyRow(B) + Row, B.Body[size_t(Index)],
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
        if (Call.FirstScreen.empty())
            for (int Y = 0; Y < HostScreenHeight(); Y++) Call.FirstScreen.push_back(HostScreenRow(Y));
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

namespace {

// The marker that ".Options CtrlStartPosChar=..." declares before the first
// topic; empty when the file declares none.
std::string WrapMarker(const std::vector<std::string> &Lines)
{
    const std::string Key = ".options ctrlstartposchar=";
    for (const std::string &Line : Lines) {
        if (!Line.empty() && Line[0] == '@') break;
        if (HostLower(Line.substr(0, Key.size())) == Key) return Line.substr(Key.size());
    }
    return "";
}

HelpLine ParseBodyLine(std::string Text, const std::string &Marker, bool Formatted)
{
    int WrapColumn = -1;
    size_t At = Marker.empty() ? std::string::npos : Text.find(Marker);
    if (At != std::string::npos) {
        WrapColumn = int(ParseHelpLine(Text.substr(0, At)).Text.size());
        for (; At != std::string::npos; At = Text.find(Marker, At)) Text.erase(At, Marker.size());
    }
    HelpLine Line = ParseHelpLine(Text);
    Line.WrapColumn = WrapColumn;
    Line.Formatted = Formatted;
    return Line;
}

bool InLink(const HelpLine &Line, size_t Pos)
{
    for (const HelpLink &Link : Line.Links)
        if (int(Pos) >= Link.Start && int(Pos) < Link.Start + Link.Length) return true;
    return false;
}

// The text of Line from Start to End, after Indent blanks. A link goes with
// the piece that holds its start.
HelpLine Piece(const HelpLine &Line, size_t Start, size_t End, int Indent)
{
    HelpLine Part;
    Part.Text = std::string(size_t(Indent), ' ') + Line.Text.substr(Start, End - Start);
    Part.Kinds = std::string(size_t(Indent), 'n') + Line.Kinds.substr(Start, End - Start);
    for (const HelpLink &Link : Line.Links)
        if (Link.Start >= int(Start) && Link.Start < int(End)) {
            HelpLink Cut = Link;
            Cut.Start = Link.Start - int(Start) + Indent;
            Cut.Length = std::min(Link.Length, int(End) - Link.Start);
            Part.Links.push_back(Cut);
        }
    return Part;
}

// Appends Next to the paragraph Para, one blank between them.
void Join(HelpLine &Para, const HelpLine &Next)
{
    int Shift = int(Para.Text.size()) + 1;
    if (Para.WrapColumn < 0 && Next.WrapColumn >= 0) Para.WrapColumn = Shift + Next.WrapColumn;
    Para.Text += " " + Next.Text;
    Para.Kinds += "n" + Next.Kinds;
    for (HelpLink Link : Next.Links) {
        Link.Start += Shift;
        Para.Links.push_back(Link);
    }
}

}  // namespace

bool FindHelpTopic(const std::string &FileText, const std::string &Name, HelpTopic &Topic)
{
    std::vector<std::string> All = Lines(FileText);
    const std::string Marker = WrapMarker(All);
    size_t I = 0;
    while (I < All.size() &&
           !(All[I].size() > 1 && All[I][0] == '@' && HostLower(All[I].substr(1)) == HostLower(Name)))
        I++;
    if (I == All.size()) return false;
    Topic = HelpTopic();
    Topic.Name = All[I].substr(1);
    bool InHeader = true, Formatted = true;
    for (I++; I < All.size(); I++) {
        const std::string &Line = All[I];
        if (Line == "@-" || Line == "@+") {
            Formatted = Line == "@+";
            continue;
        }
        if (!Line.empty() && Line[0] == '@' && !(Line.size() > 1 && Line[1] == '@')) break;
        if (InHeader && !Line.empty() && Line[0] == '$') {
            size_t Start = Line.find_first_not_of(' ', 1);
            Topic.Header.push_back(
                ParseHelpLine(Start == std::string::npos ? "" : Line.substr(Start)));
            continue;
        }
        InHeader = false;
        Topic.Body.push_back(ParseBodyLine(Line, Marker, Formatted));
    }
    while (!Topic.Body.empty() && Topic.Body.back().Text.empty()) Topic.Body.pop_back();
    return true;
}

std::vector<HelpLine> WrapHelpLine(const HelpLine &Line, int Width, int Indent)
{
    const std::string &T = Line.Text;
    if (Width <= 0 || T.size() <= size_t(Width)) return {Line};
    // A later line keeps at least one character of room.
    Indent = std::max(std::min(Indent, Width - 1), 0);
    std::vector<HelpLine> Out;
    size_t Start = 0;
    while (Start < T.size()) {
        const int Lead = Out.empty() ? 0 : Indent;
        size_t End = std::min(T.size(), Start + size_t(Width - Lead));
        if (End < T.size()) {
            // At the last blank that leaves text before it, outside a link;
            // with none, the line is cut at the width.
            const size_t Text = T.find_first_not_of(' ', Start);
            for (size_t Space = End; Space > Text; Space--)
                if (T[Space] == ' ' && !InLink(Line, Space)) {
                    End = Space;
                    while (End > Start && T[End - 1] == ' ') End--;
                    break;
                }
        }
        HelpLine Part = Piece(Line, Start, End, Lead);
        Part.Continued = !Out.empty();
        Out.push_back(Part);
        Start = End;
        while (Start < T.size() && T[Start] == ' ') Start++;
    }
    return Out;
}

std::vector<HelpLine> LayOutHelpText(const std::vector<HelpLine> &Lines, int Width)
{
    std::vector<HelpLine> Out;
    HelpLine Para;
    bool Open = false;
    auto Flush = [&] {
        if (!Open) return;
        const int Indent = Para.WrapColumn >= 0 ? Para.WrapColumn : 1;
        for (HelpLine &Part : WrapHelpLine(Para, Width, Indent)) Out.push_back(Part);
        Open = false;
    };
    for (const HelpLine &Line : Lines) {
        if (!Line.Formatted || Line.Text.empty()) {
            // An empty line stays; a line kept as it stands breaks only
            // where it would not fit.
            Flush();
            for (HelpLine &Part : WrapHelpLine(Line, Width, 1)) Out.push_back(Part);
            continue;
        }
        if (Open && Line.Text[0] != ' ') {
            Join(Para, Line);
            continue;
        }
        Flush();
        Para = Line;
        Open = true;
    }
    Flush();
    for (HelpLine &Line : Out) Line.WrapColumn = -1;
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
