// Plugins known to the host, their startup record, and their messages from
// the .lng files beside the module.
#include "HostInternal.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

const char HostRootKey[] = "Software\\Far\\Plugins";

std::string HostLower(std::string S)
{
    for (char &Ch : S) Ch = char(std::tolower(static_cast<unsigned char>(Ch)));
    return S;
}

namespace {

struct PluginEntry {
    std::string ModuleName;
    // Loaded on the first GetMsg; the strings are never touched afterwards, so
    // the pointers handed out stay valid until a reload.
    bool MessagesLoaded = false;
    std::string MessagesLanguage;
    std::vector<std::string> Messages;
};

// A deque: adding a plugin must not move the others' message strings.
std::deque<PluginEntry> Plugins;
std::string Language = "English";
std::vector<unsigned char> RecordStorage;

std::string Trim(const std::string &S)
{
    size_t B = S.find_first_not_of(" \t\r\n");
    if (B == std::string::npos) return "";
    size_t E = S.find_last_not_of(" \t\r\n");
    return S.substr(B, E - B + 1);
}

std::vector<std::string> SplitLines(const std::string &Text)
{
    std::vector<std::string> Lines;
    std::string Line;
    for (char Ch : Text) {
        if (Ch == '\n') {
            Lines.push_back(Line);
            Line.clear();
        } else if (Ch != '\r') {
            Line += Ch;
        }
    }
    if (!Line.empty()) Lines.push_back(Line);
    // A UTF-8 byte order mark before the first line is not text.
    if (!Lines.empty() && Lines[0].compare(0, 3, "\xEF\xBB\xBF") == 0) Lines[0].erase(0, 3);
    return Lines;
}

bool IsComment(const std::string &Line)
{
    std::string T = Trim(Line);
    return T.empty() || T.compare(0, 2, "//") == 0;
}

// ".Language=English,English" -> both names.
bool LanguageNames(const std::string &Line, std::string &Name, std::string &Native)
{
    std::string T = Trim(Line);
    const std::string Key = ".language=";
    if (HostLower(T.substr(0, Key.size())) != Key) return false;
    std::string Rest = T.substr(Key.size());
    size_t Comma = Rest.find(',');
    Name = Trim(Rest.substr(0, Comma));
    Native = Comma == std::string::npos ? Name : Trim(Rest.substr(Comma + 1));
    return !Name.empty();
}

// The language line of a .lng or .hlf file (its first non-comment line).
bool FileLanguage(const std::string &Path, std::string &Name, std::string &Native)
{
    for (const std::string &Line : SplitLines(ReadWholeFile(Path)))
        if (!IsComment(Line)) return LanguageNames(Line, Name, Native);
    return false;
}

struct LanguageFile {
    std::string Path, Name, Native;
};

// The files of an extension in the module's folder that name their
// language, in the order of their names.
std::vector<LanguageFile> LanguageFiles(const std::string &ModuleName,
                                        const std::string &Extension)
{
    std::vector<std::string> Paths;
    std::error_code Error;
    fs::path Folder = fs::u8path(ModuleFolder(ModuleName));
    for (fs::directory_iterator It(Folder, Error), End; !Error && It != End;
         It.increment(Error)) {
        if (HostLower(It->path().extension().u8string()) == Extension)
            Paths.push_back(It->path().u8string());
    }
    std::sort(Paths.begin(), Paths.end());
    std::vector<LanguageFile> Files;
    for (const std::string &Path : Paths) {
        LanguageFile File = {Path, "", ""};
        if (FileLanguage(Path, File.Name, File.Native)) Files.push_back(File);
    }
    return Files;
}

bool IsLanguage(const LanguageFile &File, const std::string &Wanted)
{
    return HostLower(File.Name) == HostLower(Wanted) || HostLower(File.Native) == HostLower(Wanted);
}

// Far looks at every file of the extension in the plugin's folder and takes
// the one written in the host's language.
std::string FindLanguageFile(const std::string &ModuleName, const std::string &Extension,
                             const std::string &Wanted)
{
    const std::vector<LanguageFile> Files = LanguageFiles(ModuleName, Extension);
    for (const LanguageFile &File : Files)
        if (IsLanguage(File, Wanted)) return File.Path;
    for (const LanguageFile &File : Files)
        if (IsLanguage(File, "English")) return File.Path;
    return Files.empty() ? "" : Files[0].Path;
}

void LoadMessages(PluginEntry &Plugin)
{
    Plugin.Messages.clear();
    Plugin.MessagesLoaded = true;
    Plugin.MessagesLanguage = Language;
    std::string File = FindLngFile(Plugin.ModuleName, Language);
    if (File.empty()) return;
    std::string FileLanguageName;
    ParseLngText(ReadWholeFile(File), FileLanguageName, Plugin.Messages);
}

}  // namespace

std::string ReadWholeFile(const std::string &Path)
{
    std::ifstream In(fs::u8path(Path), std::ios::binary);
    std::ostringstream Out;
    Out << In.rdbuf();
    return Out.str();
}

std::string ModuleFolder(const std::string &ModuleName)
{
    size_t Slash = ModuleName.find_last_of("\\/");
    return Slash == std::string::npos ? "." : ModuleName.substr(0, Slash + 1);
}

// ------------------------------------------------------------- plugins --

void HostPluginsReset()
{
    Plugins.clear();
    RecordStorage.clear();
}

int HostAddPlugin(const std::string &ModuleName)
{
    PluginEntry Entry;
    Entry.ModuleName = ModuleName;
    Plugins.push_back(Entry);
    return int(Plugins.size()) - 1;
}

std::string HostPluginModuleName(int ModuleNumber)
{
    if (ModuleNumber < 0 || ModuleNumber >= int(Plugins.size())) return "";
    return Plugins[size_t(ModuleNumber)].ModuleName;
}

namespace {
int WINAPI HostMessage(int, DWORD, const char *, const char *const *, int, int) { return -1; }
}  // namespace

const PluginStartupInfo *HostStartupInfo(int ModuleNumber, int StructSize)
{
    StructSize = std::max(4, std::min(StructSize, int(sizeof(PluginStartupInfo))));
    PluginStartupInfo Info;
    std::memset(&Info, 0, sizeof(Info));
    Info.StructSize = StructSize;
    std::string Name = HostPluginModuleName(ModuleNumber);
    std::strncpy(Info.ModuleName, Name.c_str(), sizeof(Info.ModuleName) - 1);
    Info.ModuleNumber = ModuleNumber;
    Info.RootKey = HostRootKey;
    Info.Menu = HostMenu;
    Info.Dialog = HostDialog;
    Info.Message = HostMessage;
    Info.GetMsg = HostGetMsg;
    Info.Control = HostControl;
    Info.CharTable = HostCharTable;
    Info.Text = HostText;
    Info.EditorControl = HostEditorControl;
    Info.ShowHelp = HostShowHelp;
    // Exactly StructSize bytes, so that reading past the end of a short
    // record is caught by the address sanitizer.
    RecordStorage.assign(size_t(StructSize), 0);
    std::memcpy(RecordStorage.data(), &Info, size_t(StructSize));
    return reinterpret_cast<const PluginStartupInfo *>(RecordStorage.data());
}

// ------------------------------------------------------------ messages --

bool ParseLngText(const std::string &FileText, std::string &Language,
                  std::vector<std::string> &Messages)
{
    Language.clear();
    Messages.clear();
    bool HaveLanguage = false;
    for (const std::string &Line : SplitLines(FileText)) {
        if (IsComment(Line)) continue;
        if (!HaveLanguage) {
            std::string Native;
            if (!LanguageNames(Line, Language, Native)) return false;
            HaveLanguage = true;
            continue;
        }
        size_t Open = Line.find('"');
        if (Open == std::string::npos) continue;
        // The text runs to the closing quote; an unclosed one to the line's end.
        std::string Text;
        for (size_t I = Open + 1; I < Line.size(); I++) {
            char Ch = Line[I];
            if (Ch == '"') break;
            if (Ch == '\\' && I + 1 < Line.size() && (Line[I + 1] == '"' || Line[I + 1] == '\\'))
                Ch = Line[++I];
            Text += Ch;
        }
        Messages.push_back(Text);
    }
    return HaveLanguage;
}

std::string FindLngFile(const std::string &ModuleName, const std::string &Wanted)
{
    return FindLanguageFile(ModuleName, ".lng", Wanted);
}

std::string FindHlfFile(const std::string &ModuleName, const std::string &Wanted)
{
    return FindLanguageFile(ModuleName, ".hlf", Wanted);
}

std::vector<std::string> ModuleLanguages(const std::string &ModuleName)
{
    std::vector<std::string> Names;
    for (const LanguageFile &File : LanguageFiles(ModuleName, ".lng"))
        Names.push_back(HostLower(File.Name) == HostLower(File.Native)
                            ? File.Name
                            : File.Name + " (" + File.Native + ")");
    return Names;
}

bool ModuleHasLanguage(const std::string &ModuleName, const std::string &Wanted)
{
    for (const LanguageFile &File : LanguageFiles(ModuleName, ".lng"))
        if (IsLanguage(File, Wanted)) return true;
    return false;
}

void HostSetLanguage(const std::string &Name) { Language = Name.empty() ? "English" : Name; }
std::string HostLanguage() { return Language; }

void HostMessagesReset() { Language = "English"; }

const char *WINAPI HostGetMsg(int PluginNumber, int MsgId)
{
    if (PluginNumber < 0 || PluginNumber >= int(Plugins.size())) return "";
    PluginEntry &Plugin = Plugins[size_t(PluginNumber)];
    if (!Plugin.MessagesLoaded || Plugin.MessagesLanguage != Language) LoadMessages(Plugin);
    if (MsgId < 0 || MsgId >= int(Plugin.Messages.size())) return "";
    return Plugin.Messages[size_t(MsgId)].c_str();
}
