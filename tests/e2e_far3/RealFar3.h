// The real Far 3 for one test: started by this process in its console (so
// that both see the same cells and input), with the plugins folder the
// runner installed the package into and a profile of the test's own, and
// the means to wait for what it shows, quit it and look at what it left.
//
// The runner (run-suite.sh) hands the folders over in the environment, as
// Windows paths: QUORREL_E2E_FAR (a private copy of Far), QUORREL_E2E_PLUGINS
// (the package unpacked), QUORREL_E2E_WORK (files and profiles).
#pragma once

#include "Chart.h"
#include "FarConsole.h"
#include "FarProcess.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

std::wstring EnvPath(const char *Name);

// Polls the screen until Ready holds (every 10 ms at first, then more
// seldom, at most every 80 ms), for at most Ms. On success Last holds the
// screen that satisfied it; on failure the message says what was awaited
// and shows the last screen. A screen that shows Far's exception dialog
// fails at once.
testing::AssertionResult WaitScreen(const std::string &What, const std::function<bool(const Screen &)> &Ready,
                                    Screen *Last = nullptr, int Ms = 10000);
// Waits until the screen has stayed the same for Quiet ms.
testing::AssertionResult WaitSettled(Screen *Last, int Quiet = 300, int Ms = 10000);

// The clipboard's Unicode text ("" when it has none); sets it (empty: clears it).
std::wstring ClipboardText();
bool SetClipboardText(const std::wstring &Text);
// Waits until the clipboard holds Text.
testing::AssertionResult AwaitClipboard(const std::wstring &Text, int Ms = 10000);

// The keys that type a code's decimal digits, then Enter: "1 9 8 Enter".
std::wstring CodeKeys(int Code);

// Whether a radio button or check box showing Label is on: "(•) Label", "[x] Label".
bool ItemOn(const Screen &S, const std::wstring &Label);

std::string ReadBytes(const std::wstring &Path);
bool WriteBytes(const std::wstring &Path, const std::string &Bytes);

class RealFar3Test : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts Far with the test's profile in the files folder, and waits
    // for its panels. Options: more of Far's (-set:Name=Value ...).
    testing::AssertionResult Start(const std::wstring &Options = L"");
    // Far started on a file in its editor (-e), waiting for the editor; Esc
    // there ends Far.
    testing::AssertionResult StartEditor(const std::wstring &File, const std::wstring &Options = L"");
    // F10 and its confirmation; Far must end with exit code 0.
    testing::AssertionResult Quit();
    // Far must end on its own (after Esc in a -e editor, say) with 0.
    testing::AssertionResult Ended();

    testing::AssertionResult Keys(const std::wstring &Names) {
        return FarConsole::Press(Names) ? testing::AssertionSuccess()
                                        : testing::AssertionFailure() << "could not type " << Utf8(Names);
    }
    testing::AssertionResult AwaitText(const std::wstring &Text, Screen *Last = nullptr, int Ms = 10000);
    // Far's panels with nothing over them; Far's editor.
    testing::AssertionResult AwaitPanels(int Ms = 10000);
    testing::AssertionResult AwaitEditor(int Ms = 10000);
    testing::AssertionResult AwaitGone(const std::wstring &Text, Screen *Last = nullptr, int Ms = 10000);
    // F11, and waits for the plugin menu.
    testing::AssertionResult OpenPluginMenu(Screen *Last = nullptr);
    // Opens our item of the plugin menu and waits for the chart.
    testing::AssertionResult OpenChart(Screen *Last = nullptr);
    // Types Mark (keys that leave something to keep), opens the chart, moves
    // in it and leaves it with Esc: the screen must be as it was before the
    // chart, cell by cell, with the cursor where it was.
    void ExpectScreenBackAfterEsc(const std::wstring &Mark);
    // Waits until the chart has gone; CloseChart types Esc first.
    testing::AssertionResult AwaitChartGone();
    testing::AssertionResult CloseChart();
    // Shift+F9 on our item of the plugin menu: the options dialog.
    testing::AssertionResult OpenOptions(Screen *Last = nullptr);
    // Closes the options dialog with Keys (Enter: OK), and the plugin menu
    // Far comes back to.
    testing::AssertionResult CloseOptions(const std::wstring &Keys);
    // Waits until the chart's status line shows Code and its cell is the
    // marked one.
    testing::AssertionResult AwaitCode(int Code, ChartView *View = nullptr);
    // Moves the focus of a dialog with Down until the cursor is on the row
    // of the item that shows Label.
    testing::AssertionResult FocusOn(const std::wstring &Label);

    std::wstring FilesFolder() const { return Work + L"\\files"; }
    std::wstring File(const std::wstring &Name) const { return FilesFolder() + L"\\" + Name; }
    // The plugin's settings database in this test's profile ("" when Far
    // has not made it yet).
    std::wstring PluginSettings() const;

    std::wstring FarFolder, Plugins, Work, Profile;
    // The Far of this test: its own, or its suite's (SharedFar3Test).
    FarProcess *Far = &OwnFar;

private:
    std::wstring CommandLine(const std::wstring &Arguments) const;
    FarProcess OwnFar;
};

// The tests of a suite that share one Far, with the suite's profile: the
// first starts it, and it quits after the last (a start takes Far about a
// second here). Each test begins on the panels with nothing open and leaves
// them so, in an order that keeps to what the one before left (the
// characters chosen, the command line). After a test that failed, the next
// starts a Far of its own.
class SharedFar3Test : public RealFar3Test {
protected:
    void SetUp() override;
    void TearDown() override;
    static void TearDownTestSuite();
    // More of Far's options for the suite's Far (-set:Name=Value ...).
    virtual std::wstring StartOptions() const { return L""; }

private:
    static FarProcess Shared;
};
