// quorrel-host's screens: two panels with a command line and a key bar, a
// one-file editor and a viewer, drawn into the host's screen model, and the
// interactive loop that opens the plugin from them.
#include "HostInternal.h"
#include "Program.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Far's default colours for the panels, editor and key bar.
enum : WORD {
    ColPanel = 0x1B,
    ColPanelFolder = 0x1F,
    ColPanelTitle = 0x1B,
    ColPanelActiveTitle = 0x30,
    ColPanelHeader = 0x1E,
    ColPanelCursor = 0x30,
    ColCommandLine = 0x07,
    ColKeyNumber = 0x07,
    ColKeyLabel = 0x30,
    ColStatus = 0x30,
    ColEditor = 0x1B,
};

struct Entry {
    std::string Name;
    bool Folder;
    uintmax_t Size;
};

struct Panel {
    fs::path Folder;
    std::vector<Entry> Entries;
    int Cursor = 0;
    int Top = 0;
};

Panel Panels[2];
int Active = 0;
std::vector<std::string> ViewerLines;
std::string ViewerName;
int ViewerTop = 0;
int EditorLeft = 0;

std::string Lower(std::string S)
{
    for (char &Ch : S) Ch = char(std::tolower(static_cast<unsigned char>(Ch)));
    return S;
}

void ReadFolder(Panel &P)
{
    P.Entries.clear();
    std::error_code Error;
    if (P.Folder.has_parent_path() && P.Folder.parent_path() != P.Folder)
        P.Entries.push_back({"..", true, 0});
    std::vector<Entry> Found;
    for (fs::directory_iterator It(P.Folder, Error), End; !Error && It != End;
         It.increment(Error)) {
        std::error_code Ignored;
        bool Folder = It->is_directory(Ignored);
        uintmax_t Size = Folder ? 0 : It->file_size(Ignored);
        if (Ignored) Size = 0;
        Found.push_back({It->path().filename().u8string(), Folder, Size});
    }
    // Folders first, then files, each by name.
    std::sort(Found.begin(), Found.end(), [](const Entry &A, const Entry &B) {
        if (A.Folder != B.Folder) return A.Folder;
        return Lower(A.Name) < Lower(B.Name);
    });
    P.Entries.insert(P.Entries.end(), Found.begin(), Found.end());
    P.Cursor = std::min(P.Cursor, std::max(int(P.Entries.size()) - 1, 0));
}

void InitPanels()
{
    static bool Done = false;
    if (Done) return;
    Done = true;
    std::error_code Error;
    fs::path Here = fs::current_path(Error);
    for (Panel &P : Panels) {
        P.Folder = Here;
        ReadFolder(P);
    }
}

std::string FolderText(const Panel &P) { return P.Folder.u8string(); }

// Keeps the end of a text that does not fit: "...end".
std::string FitLeft(const std::string &S, int Width)
{
    if (Width <= 0) return "";
    if (int(S.size()) <= Width) return S;
    if (Width <= 3) return S.substr(S.size() - size_t(Width));
    return "..." + S.substr(S.size() - size_t(Width - 3));
}

std::string Fit(const std::string &S, int Width)
{
    if (Width <= 0) return "";
    return int(S.size()) <= Width ? S : S.substr(0, size_t(Width));
}

int EntryRows() { return std::max(HostScreenHeight() - 7, 1); }

void DrawPanel(int Index, int X1, int X2)
{
    const Panel &P = Panels[Index];
    int H = HostScreenHeight();
    int Y1 = 0, Y2 = H - 3;
    HostFillRect(X1, Y1, X2, Y2, ' ', ColPanel);
    HostDrawFrame(X1, Y1, X2, Y2, true, ColPanel);
    int LineX = X2 - 11;  // the size column's line; X2-10..X2-1 hold the size
    HostPutChar(LineX, Y1, char(0xD1), ColPanel);  // it meets the frame
    std::string Title = " " + FitLeft(FolderText(P), X2 - X1 - 5) + " ";
    HostPutText(X1 + (X2 - X1 + 1 - int(Title.size())) / 2, Y1, Title,
                Index == Active ? ColPanelActiveTitle : ColPanelTitle);
    int SizeX = X2 - 10;
    int NameWidth = LineX - X1 - 1;
    HostPutText(X1 + 1 + std::max(NameWidth - 4, 0) / 2, 1, "Name", ColPanelHeader);
    HostPutText(SizeX + 3, 1, "Size", ColPanelHeader);
    int Rows = EntryRows();
    for (int Row = 0; Row <= Rows; Row++) HostPutChar(LineX, 1 + Row, char(BoxV1), ColPanel);
    for (int Row = 0; Row < Rows; Row++) {
        size_t I = size_t(P.Top + Row);
        if (I >= P.Entries.size()) break;
        const Entry &E = P.Entries[I];
        int Y = 2 + Row;
        bool Cursor = Index == Active && int(I) == P.Cursor;
        WORD Attr = Cursor ? ColPanelCursor : (E.Folder ? ColPanelFolder : ColPanel);
        if (Cursor) HostFillRect(X1 + 1, Y, X2 - 1, Y, ' ', Attr);
        HostPutText(X1 + 1, Y, Fit(E.Name, NameWidth), Attr);
        HostPutChar(LineX, Y, char(BoxV1), Cursor ? Attr : WORD(ColPanel));
        std::string Size = E.Folder ? (E.Name == ".." ? "Up" : "Folder") : std::to_string(E.Size);
        Size = Fit(Size, 10);
        HostPutText(X2 - int(Size.size()), Y, Size, Attr);
    }
    // The line above the information row, joining the column line.
    int SepY = H - 5;
    for (int X = X1 + 1; X < X2; X++) HostPutChar(X, SepY, char(BoxH1), ColPanel);
    HostPutChar(X1, SepY, char(SepLeft2), ColPanel);
    HostPutChar(X2, SepY, char(SepRight2), ColPanel);
    HostPutChar(LineX, SepY, char(0xC1), ColPanel);
    if (!P.Entries.empty()) {
        const Entry &E = P.Entries[size_t(P.Cursor)];
        HostPutText(X1 + 1, H - 4, Fit(E.Name, X2 - X1 - 1), ColPanel);
    }
}

void DrawKeyBar(const std::vector<std::string> &Labels)
{
    int W = HostScreenWidth(), Y = HostScreenHeight() - 1;
    HostFillRect(0, Y, W - 1, Y, ' ', ColKeyNumber);
    // Each key gets its number and an equal share of the rest; the columns
    // left over go to the last keys, whose numbers are longer.
    const int Digits = 9 + 3 * 2;
    int Share = std::max((W - Digits) / 12, 0), Extra = std::max(W - Digits - Share * 12, 0);
    int X = 0;
    for (int I = 0; I < 12; I++) {
        std::string Number = std::to_string(I + 1);
        int Room = Share + (I >= 12 - Extra ? 1 : 0);
        std::string Label = I < int(Labels.size()) ? Labels[size_t(I)] : "";
        HostPutText(X, Y, Number, ColKeyNumber);
        X += int(Number.size());
        HostFillRect(X, Y, X + Room - 1, Y, ' ', ColKeyLabel);
        HostPutText(X, Y, Fit(Label, Room), ColKeyLabel);
        X += Room;
    }
}

void DrawPanels()
{
    InitPanels();
    int W = HostScreenWidth(), H = HostScreenHeight();
    HostFillRect(0, 0, W - 1, H - 1, ' ', ColCommandLine);
    DrawPanel(0, 0, W / 2 - 1);
    DrawPanel(1, W / 2, W - 1);
    // The command line, scrolled so that its cursor shows.
    int Y = H - 2;
    std::string Prompt = FitLeft(FolderText(Panels[Active]), W / 3) + ">";
    std::string Text = HostCmdLine();
    int Pos = std::min(std::max(HostCmdLinePos(), 0), int(Text.size()));
    int Room = std::max(W - int(Prompt.size()) - 1, 1);
    int Left = std::max(Pos - Room + 1, 0);
    HostPutText(0, Y, Prompt, ColCommandLine);
    HostPutText(int(Prompt.size()), Y, Fit(Text.substr(size_t(Left)), Room), ColCommandLine);
    DrawKeyBar({"Help", "Clip", "View", "Edit", "", "", "", "", "Config", "Quit", "Plugin", ""});
    HostFlushScreen();
    HostShowCursorAt(int(Prompt.size()) + Pos - Left, Y);
}

std::string TableLabel()
{
    int Table = HostEditorTableNum();
    CharTableSet Set;
    if (Table >= 0 && HostGetCharTable(Table, Set)) return Set.TableName;
    return HostEditorAnsiMode() ? "ANSI" : "OEM";
}

void DrawEditor()
{
    int W = HostScreenWidth(), H = HostScreenHeight();
    std::vector<std::string> Lines = HostEditorLines();
    int Line = HostEditorCurLine(), Pos = std::max(HostEditorCurPos(), 0);
    if (Pos < EditorLeft) EditorLeft = Pos;
    if (Pos >= EditorLeft + W) EditorLeft = Pos - W + 1;
    HostFillRect(0, 0, W - 1, 0, ' ', ColStatus);
    std::string Status = " quorrel.txt   Line " + std::to_string(Line + 1) + "/" +
                         std::to_string(Lines.size()) + "  Col " + std::to_string(Pos + 1) +
                         "   " + TableLabel();
    HostPutText(0, 0, Fit(Status, W), ColStatus);
    HostFillRect(0, 1, W - 1, H - 2, ' ', ColEditor);
    for (int Row = 0; Row < H - 2 && Row < int(Lines.size()); Row++) {
        const std::string &Text = Lines[size_t(Row)];
        if (int(Text.size()) > EditorLeft)
            HostPutText(0, 1 + Row, Fit(Text.substr(size_t(EditorLeft)), W), ColEditor);
    }
    DrawKeyBar({"Help", "Clip", "", "", "", "", "", "", "", "Quit", "Plugin", ""});
    HostFlushScreen();
    HostShowCursorAt(Pos - EditorLeft, 1 + Line);
}

void DrawViewer()
{
    int W = HostScreenWidth(), H = HostScreenHeight();
    HostFillRect(0, 0, W - 1, 0, ' ', ColStatus);
    HostPutText(0, 0, Fit(" " + ViewerName + "   (viewer)", W), ColStatus);
    HostFillRect(0, 1, W - 1, H - 2, ' ', ColEditor);
    for (int Row = 0; Row < H - 2; Row++) {
        size_t I = size_t(ViewerTop + Row);
        if (I >= ViewerLines.size()) break;
        HostPutText(0, 1 + Row, Fit(ViewerLines[I], W), ColEditor);
    }
    DrawKeyBar({"Help", "Clip", "Quit", "", "", "", "", "", "", "Quit", "Plugin", ""});
    HostFlushScreen();
    HostHideCursor();
}

// The viewer shows a file from the panels, or else the editor's text.
void LoadViewer(const std::string &Name, const std::string &Path)
{
    ViewerName = Name;
    ViewerLines.clear();
    ViewerTop = 0;
    std::string Text = Path.empty() ? "" : ReadWholeFile(Path);
    if (Path.empty())
        for (const std::string &Line : HostEditorLines()) Text += Line + "\n";
    if (Text.size() > 256 * 1024) Text.resize(256 * 1024);
    std::string Line;
    for (char Ch : Text) {
        if (Ch == '\n') {
            ViewerLines.push_back(Line);
            Line.clear();
        } else if (Ch == '\t') {
            Line.append(8 - Line.size() % 8, ' ');
        } else if (Ch != '\r') {
            Line += Ch;
        }
    }
    if (!Line.empty()) ViewerLines.push_back(Line);
}

void OpenEditor()
{
    HostSetEditor(HostEditorLines(), HostEditorCurLine(), HostEditorCurPos(),
                  HostEditorTableNum(), HostEditorAnsiMode());
}

#ifdef _WIN32

// Waits for the next input record, watching the console's size meanwhile
// (and the terminal's, which Wine's console does not follow). False when the
// size changed (the screen is to be drawn again).
bool WaitInput(INPUT_RECORD &Record)
{
    for (;;) {
        FollowTerminalSize();
        CONSOLE_SCREEN_BUFFER_INFO Info;
        if (GetConsoleScreenBufferInfo(HostOutputHandle(), &Info) &&
            (Info.dwSize.X != HostScreenWidth() || Info.dwSize.Y != HostScreenHeight())) {
            HostReadConsoleScreen();
            return false;
        }
        if (!HostInputPending()) {
            Sleep(20);
            continue;
        }
        DWORD Read = 0;
        if (ReadConsoleInputA(HostInputHandle(), &Record, 1, &Read) && Read == 1) return true;
    }
}

void ChooseAndOpen(Place Where)
{
    DWORD Need = Where == Place::Editor ? PF_EDITOR : Where == Place::Viewer ? PF_VIEWER : 0;
    if ((ThePlugin.Flags & Need) != Need || ThePlugin.MenuStrings.empty()) {
        ShowMessage("Plugins", {"No plugin offers itself here."});
        return;
    }
    std::vector<FarMenuItem> Items(ThePlugin.MenuStrings.size());
    for (size_t I = 0; I < Items.size(); I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, ThePlugin.MenuStrings[I].c_str(), sizeof(Items[I].Text));
    }
    Items[0].Selected = 1;
    int Choice = HostMenu(-1, -1, -1, 0, FMENU_WRAPMODE | FMENU_AUTOHIGHLIGHT, "Plugins",
                          nullptr, nullptr, nullptr, nullptr, Items.data(), int(Items.size()));
    if (Choice < 0) return;
    ThePlugin.Module.OpenPlugin(OpenFromValue(Where), Choice);
}

void ChooseAndConfigure()
{
    if (ThePlugin.ConfigStrings.empty()) {
        ShowMessage("Plugins configuration", {"No plugin has options."});
        return;
    }
    std::vector<FarMenuItem> Items(ThePlugin.ConfigStrings.size());
    for (size_t I = 0; I < Items.size(); I++) {
        std::memset(&Items[I], 0, sizeof(FarMenuItem));
        lstrcpynA(Items[I].Text, ThePlugin.ConfigStrings[I].c_str(), sizeof(Items[I].Text));
    }
    Items[0].Selected = 1;
    int Choice = HostMenu(-1, -1, -1, 0, FMENU_WRAPMODE, "Plugins configuration", nullptr,
                          nullptr, nullptr, nullptr, Items.data(), int(Items.size()));
    if (Choice >= 0) ThePlugin.Module.Configure(Choice);
}

void ShowClipboard()
{
    std::string Text = ClipboardBytes();
    ShowMessage("Clipboard", {Text.empty() ? "(empty)" : "Text: " + EscapeReportText(Text),
                              "Hex:  " + (Text.empty() ? std::string("-") : HexBytes(Text))});
}

void ShowHostHelp()
{
    ShowMessage("quorrel-host",
                {"A stand-in for the file manager Far.", "",
                 "F11      plugins menu: opens Quorrel from here",
                 "F9       plugins configuration: Quorrel's options",
                 "F4       editor (F11 there opens Quorrel from the editor)",
                 "F3       viewer (F11 there opens Quorrel from the viewer)",
                 "F2       what is on the clipboard", "Tab      other panel",
                 "Typing   goes into the command line; Esc clears it",
                 "Ctrl+Q   in the editor: the next key goes in literally",
                 "F10      quit (Esc leaves the editor and the viewer)"});
}

bool PanelsKey(const HostKey &Key, bool &Quit)
{
    Panel &P = Panels[Active];
    bool Plain = !Key.Ctrl && !Key.Alt;
    int Last = int(P.Entries.size()) - 1;
    std::string Line = HostCmdLine();
    int Pos = std::min(std::max(HostCmdLinePos(), 0), int(Line.size()));
    switch (Key.Vk) {
    case VK_F1: ShowHostHelp(); return true;
    case VK_F2: ShowClipboard(); return true;
    case VK_F3:
        if (!P.Entries.empty() && !P.Entries[size_t(P.Cursor)].Folder) {
            const Entry &E = P.Entries[size_t(P.Cursor)];
            LoadViewer(E.Name, (P.Folder / fs::u8path(E.Name)).u8string());
            return false;  // to the viewer
        }
        return true;
    case VK_F4: return false;  // to the editor
    case VK_F9: ChooseAndConfigure(); return true;
    case VK_F10: Quit = true; return true;
    case VK_F11: ChooseAndOpen(Place::Panels); return true;
    case VK_TAB: Active = 1 - Active; return true;
    case VK_UP: P.Cursor = std::max(P.Cursor - 1, 0); break;
    case VK_DOWN: P.Cursor = std::min(P.Cursor + 1, std::max(Last, 0)); break;
    case VK_PRIOR: P.Cursor = std::max(P.Cursor - (EntryRows() - 1), 0); break;
    case VK_NEXT: P.Cursor = std::min(P.Cursor + (EntryRows() - 1), std::max(Last, 0)); break;
    case VK_HOME: P.Cursor = 0; break;
    case VK_END: P.Cursor = std::max(Last, 0); break;
    case VK_LEFT: HostSetCmdLine(Line, std::max(Pos - 1, 0)); return true;
    case VK_RIGHT: HostSetCmdLine(Line, std::min(Pos + 1, int(Line.size()))); return true;
    case VK_ESCAPE: HostSetCmdLine("", 0); return true;
    case VK_BACK:
        if (Pos > 0) HostSetCmdLine(Line.erase(size_t(Pos) - 1, 1), Pos - 1);
        return true;
    case VK_DELETE:
        if (Pos < int(Line.size())) HostSetCmdLine(Line.erase(size_t(Pos), 1), Pos);
        return true;
    case VK_RETURN:
        if (Key.Ctrl && !P.Entries.empty()) {
            // Ctrl+Enter puts the name under the cursor into the command line.
            std::string Name = P.Entries[size_t(P.Cursor)].Name + " ";
            HostSetCmdLine(Line.insert(size_t(Pos), Name), Pos + int(Name.size()));
        } else if (!Line.empty()) {
            ShowMessage("Command line", {"This host does not run commands:", Line});
        } else if (!P.Entries.empty() && P.Entries[size_t(P.Cursor)].Folder) {
            std::string Name = P.Entries[size_t(P.Cursor)].Name;
            P.Folder = Name == ".." ? P.Folder.parent_path() : P.Folder / fs::u8path(Name);
            P.Cursor = P.Top = 0;
            ReadFolder(P);
        }
        return true;
    default:
        if (Key.Ch >= 32 && (Plain || (Key.Ctrl && Key.Alt))) {
            HostSetCmdLine(Line.insert(size_t(Pos), 1, char(Key.Ch)), Pos + 1);
        }
        return true;
    }
    if (P.Cursor < P.Top) P.Top = P.Cursor;
    if (P.Cursor >= P.Top + EntryRows()) P.Top = P.Cursor - EntryRows() + 1;
    return true;
}

#endif

}  // namespace

int OpenFromValue(Place Where)
{
    switch (Where) {
    case Place::Editor: return OPEN_EDITOR;
    case Place::Viewer: return OPEN_VIEWER;
    default: return OPEN_PLUGINSMENU;
    }
}

void EnterPlace(Place Where)
{
    if (Where == Place::Editor)
        OpenEditor();
    else
        HostCloseEditor();
    if (Where == Place::Viewer && ViewerName.empty()) LoadViewer("quorrel.txt", "");
    DrawPlace(Where);
}

// The console's title names where the host is, as Far's does.
void ShowTitle(const std::string &Title)
{
    static std::string Shown;
    if (Title == Shown) return;
    Shown = Title;
    SetConsoleTitleA(Title.c_str());
}

void DrawPlace(Place Where)
{
    InitPanels();
    ShowTitle(Where == Place::Panels   ? "{" + FolderText(Panels[Active]) + "} - Far"
              : Where == Place::Editor ? "Editor - quorrel.txt - Far"
                                       : "View - " + ViewerName + " - Far");
    switch (Where) {
    case Place::Panels: DrawPanels(); break;
    case Place::Editor: DrawEditor(); break;
    case Place::Viewer: DrawViewer(); break;
    }
}

void ShowMessage(const std::string &Title, const std::vector<std::string> &Lines)
{
    int Width = int(Title.size()) + 4;
    for (const std::string &Line : Lines) Width = std::max(Width, int(Line.size()));
    Width = std::min(Width + 10, std::max(HostScreenWidth() - 4, 20));
    int Height = int(Lines.size()) + 6;
    std::vector<FarDialogItem> Items(Lines.size() + 2);
    for (FarDialogItem &Item : Items) std::memset(&Item, 0, sizeof(Item));
    Items[0].Type = DI_DOUBLEBOX;
    Items[0].X1 = 3;
    Items[0].Y1 = 1;
    Items[0].X2 = Width - 4;
    Items[0].Y2 = Height - 2;
    lstrcpynA(Items[0].Data, Title.c_str(), sizeof(Items[0].Data));
    for (size_t I = 0; I < Lines.size(); I++) {
        Items[I + 1].Type = DI_TEXT;
        Items[I + 1].X1 = 5;
        Items[I + 1].Y1 = 2 + int(I);
        // A text with '&' in it is shown as it stands.
        std::string Text;
        for (char Ch : Lines[I]) Text += Ch == '&' ? std::string("&&") : std::string(1, Ch);
        lstrcpynA(Items[I + 1].Data, Text.substr(0, size_t(Width - 10)).c_str(),
                  sizeof(Items[I + 1].Data));
    }
    FarDialogItem &Ok = Items.back();
    Ok.Type = DI_BUTTON;
    Ok.Y1 = Height - 3;
    Ok.Flags = DIF_CENTERGROUP;
    Ok.Focus = 1;
    Ok.DefaultButton = 1;
    lstrcpynA(Ok.Data, "OK", sizeof(Ok.Data));
    HostDialog(-1, -1, -1, Width, Height, nullptr, Items.data(), int(Items.size()));
}

#ifdef _WIN32
void RunInteractive(Place Start)
{
    Place Where = Start;
    EnterPlace(Where);
    for (;;) {
        DrawPlace(Where);
        INPUT_RECORD Record;
        if (!WaitInput(Record)) continue;
        if (Record.EventType != KEY_EVENT || !Record.Event.KeyEvent.bKeyDown) continue;
        HostKey Key = KeyFromRecord(Record.Event.KeyEvent);
        bool Plain = !Key.Ctrl && !Key.Alt && !Key.Shift;
        if (Where == Place::Panels) {
            bool Quit = false;
            if (PanelsKey(Key, Quit)) {
                if (Quit) return;
                continue;
            }
            Where = Key.Vk == VK_F3 ? Place::Viewer : Place::Editor;
            EnterPlace(Where);
        } else if (Where == Place::Editor) {
            if ((Key.Vk == VK_ESCAPE || Key.Vk == VK_F10) && Plain) {
                Where = Place::Panels;
                EnterPlace(Where);
            } else if (Key.Vk == VK_F11 && Plain) {
                ChooseAndOpen(Place::Editor);
            } else if (Key.Vk == VK_F1 && Plain) {
                ShowHostHelp();
            } else if (Key.Vk == VK_F2 && Plain) {
                ShowClipboard();
            } else {
                HostEditorKey(Record.Event.KeyEvent);
            }
        } else {
            int Page = std::max(HostScreenHeight() - 3, 1);
            int MaxTop = std::max(int(ViewerLines.size()) - (HostScreenHeight() - 2), 0);
            if ((Key.Vk == VK_ESCAPE || Key.Vk == VK_F10 || Key.Vk == VK_F3) && Plain) {
                Where = Place::Panels;
                ViewerName.clear();
                EnterPlace(Where);
            } else if (Key.Vk == VK_F11 && Plain) {
                ChooseAndOpen(Place::Viewer);
            } else if (Key.Vk == VK_F1 && Plain) {
                ShowHostHelp();
            } else if (Key.Vk == VK_F2 && Plain) {
                ShowClipboard();
            } else if (Key.Vk == VK_UP) {
                ViewerTop--;
            } else if (Key.Vk == VK_DOWN) {
                ViewerTop++;
            } else if (Key.Vk == VK_PRIOR) {
                ViewerTop -= Page;
            } else if (Key.Vk == VK_NEXT) {
                ViewerTop += Page;
            } else if (Key.Vk == VK_HOME) {
                ViewerTop = 0;
            } else if (Key.Vk == VK_END) {
                ViewerTop = MaxTop;
            }
            ViewerTop = std::min(std::max(ViewerTop, 0), MaxTop);
        }
    }
}
#endif
