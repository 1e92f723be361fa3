// libFuzzer target: the files and values that pass between the host and the
// plugin. The first byte chooses what the rest is:
//   0  a message file (.lng): the host parses it; its texts then go to the
//      plugin as the host's messages: the chart with its names, prompts and
//      status line format drawn, the options and help dialogs built
//   1  a help file (.hlf): the host finds its topics, parses and wraps them
//   2  registry values: entries of a name (byte % 8: the seven settings and
//      the palette), a type, a length and that many bytes; the plugin loads
//      its settings and colours from them, and the settings must come out
//      in range
#include "ChartView.h"
#include "CodeTables.h"
#include "ConsoleReset.h"
#include "Help.h"
#include "Host.h"
#include "HostInfo.h"
#include "Messages.h"
#include "OptionsDialog.h"
#include "Screen.h"
#include "Settings.h"
#include "StatusFormat.h"

#include <winsim.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char RootKey[] = "Software\\Far\\Plugins";

[[noreturn]] void Fail(const char *What) {
    std::fprintf(stderr, "files_fuzzer: %s\n", What);
    std::abort();
}

std::vector<std::string> Messages;

const char *WINAPI GetMsg(int, int Id) {
    return Id >= 0 && size_t(Id) < Messages.size() ? Messages[size_t(Id)].c_str() : nullptr;
}
int WINAPI Dialog(int, int, int, int, int, const char *, FarDialogItem *, int) { return -1; }
void WINAPI Text(int, int, int, const char *) {}

void MessageFile(const std::string &File) {
    std::string Language;
    Messages.clear();
    ParseLngText(File, Language, Messages);

    PluginStartupInfo Info;
    std::memset(&Info, 0, sizeof(Info));
    Info.StructSize = StartupInfoWithShowHelp - 1;  // help through a dialog
    Info.RootKey = RootKey;
    Info.GetMsg = GetMsg;
    Info.Dialog = Dialog;
    Info.Text = Text;
    CopyStartupInfo(&Info);
    ChartLook Look;
    Look.Texts = LoadMessages();
    ChartState Chart;
    InitCodeTables(Chart, Look.Texts);

    ConsoleStart();
    OpenScreen(Look.Texts.PluginTitle + Look.Texts.TitleSuffix);
    CentreChart(Chart);
    for (int Mode = 0; Mode < 3; Mode++) {
        Chart.TypeMode = Typing(Mode);
        Chart.LastChar = uint8_t(Mode * 100);
        Chart.EntryText = Mode ? "12" : "";
        DrawChart(Chart, Look);
    }
    for (int Code = 0; Code < 256; Code++)
        FormatStatus(Chart, uint8_t(Code), Look.Texts.StatusFormat);
    CloseScreen();
    RunOptionsDialog();
    PluginHelp();
    ConsoleEnd();
    ResetConsole();
    std::memset(&HostInfo, 0, sizeof(HostInfo));
}

void HelpFile(const std::string &File) {
    std::vector<std::string> Names = {"Contents", "Options", ""};
    const size_t At = File.find('@');
    if (At != std::string::npos) Names.push_back(File.substr(At + 1, File.find('\n', At) - At - 1));
    for (const std::string &Name : Names) {
        HelpTopic Topic;
        if (!FindHelpTopic(File, Name, Topic)) continue;
        for (const auto *Lines : {&Topic.Header, &Topic.Body})
            for (const HelpLine &Line : *Lines) {
                if (Line.Kinds.size() != Line.Text.size())
                    Fail("a help line's kinds do not match it");
                for (const HelpLink &Link : Line.Links)
                    if (Link.Start < 0 || Link.Length < 0 ||
                        size_t(Link.Start) + size_t(Link.Length) > Line.Text.size())
                        Fail("a link outside its line");
                for (int Width : {1, 7, 76}) WrapHelpLine(Line, Width, 3);
            }
        for (int Width : {1, 7, 69})
            for (const HelpLine &Line : LayOutHelpText(Topic.Body, Width))
                if (Line.Text.size() > size_t(Width) || Line.Kinds.size() != Line.Text.size())
                    Fail("a laid-out help line wider than the window, or its kinds amiss");
    }
}

void RegistryValues(const uint8_t *Data, size_t Size) {
    static const char *const Names[8] = {"LastChar",       "PasteMode",       "TypeMode",
                                         "CopyMode",       "ShowEditorChar", "ShowCmdlineChar",
                                         "ShowWinTable",   "CurrentPalette"};
    const std::string SettingsPath = std::string(RootKey) + "\\Quorrel";
    while (Size >= 3) {
        const size_t Length = std::min<size_t>(Data[2], Size - 3);
        const std::vector<BYTE> Bytes(Data + 3, Data + 3 + Length);
        const int Name = Data[0] % 8;
        winsim::RegPut(Name == 7 ? "Software\\Far\\Colors" : SettingsPath, Names[Name],
                       Data[1] % 12, Bytes);
        Data += 3 + Length;
        Size -= 3 + Length;
    }
    MakeSettingsKey(RootKey);
    LoadSettings();
    ReadPaletteColors();
    const int Paste = int(Settings.PasteMode), Type = int(Settings.TypeMode);
    if (Paste < 0 || Paste > 2 || Type < 0 || Type > 2)
        Fail("a mode out of range");
    Settings = PluginSettings();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size) {
    if (Size < 1) return 0;
    winsim::Reset();
    const std::string Rest(reinterpret_cast<const char *>(Data + 1), Size - 1);
    switch (Data[0]) {
    case 0:
        MessageFile(Rest);
        break;
    case 1:
        HelpFile(Rest);
        break;
    case 2:
        RegistryValues(Data + 1, Size - 1);
        break;
    }
    return 0;
}
