// Shared set-up for the host library's tests: the host back to its start,
// an empty console input, boxes that close when the input runs out, and
// folders of message and help files for a made-up plugin module.
#ifndef QUORREL_TESTS_HOST_UTIL_H
#define QUORREL_TESTS_HOST_UTIL_H

#include <gtest/gtest.h>

#include "Host.h"

#include <atomic>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        HostReset();
        HostSetInputEndsUi(true);
        FlushConsoleInputBuffer(HostInputHandle());
    }
    void TearDown() override { FlushConsoleInputBuffer(HostInputHandle()); }

    void Keys(const std::string &Spec) { ASSERT_TRUE(HostWriteKeys(Spec)) << Spec; }

    void WriteRecords(const std::vector<INPUT_RECORD> &Records)
    {
        DWORD Written = 0;
        ASSERT_TRUE(WriteConsoleInputA(HostInputHandle(), Records.data(),
                                       DWORD(Records.size()), &Written));
    }

    std::vector<INPUT_RECORD> PendingInput()
    {
        std::vector<INPUT_RECORD> Out;
        for (;;) {
            INPUT_RECORD R;
            DWORD Count = 0;
            if (!PeekConsoleInputA(HostInputHandle(), &R, 1, &Count) || Count == 0) break;
            ReadConsoleInputA(HostInputHandle(), &R, 1, &Count);
            Out.push_back(R);
        }
        return Out;
    }
};

// A folder with the given files, removed again at the end of the test. The
// module name is a plugin DLL inside it (which need not exist).
class TempModule {
public:
    TempModule()
    {
        static std::atomic<int> Serial{0};
        Folder = std::filesystem::temp_directory_path() /
                 ("quorrel-host-test-" + std::to_string(Serial++) + "-" +
                  std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::remove_all(Folder);
        std::filesystem::create_directories(Folder);
    }
    ~TempModule()
    {
        std::error_code Ignored;
        std::filesystem::remove_all(Folder, Ignored);
    }
    void Write(const std::string &Name, const std::string &Text)
    {
        std::ofstream Out(Folder / Name, std::ios::binary);
        Out << Text;
    }
    std::string ModuleName() const { return (Folder / "Quorrel.dll").u8string(); }

    std::filesystem::path Folder;
};

inline FarDialogItem Item(int Type, int X1, int Y1, int X2, DWORD Flags, const char *Text)
{
    FarDialogItem I;
    std::memset(&I, 0, sizeof(I));
    I.Type = Type;
    I.X1 = X1;
    I.Y1 = Y1;
    I.X2 = X2;
    I.Flags = Flags;
    std::strncpy(I.Data, Text, sizeof(I.Data) - 1);
    return I;
}

#endif
