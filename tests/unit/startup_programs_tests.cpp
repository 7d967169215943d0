// The start-up programs runner in-process over the real (Wine) run keys:
// each value starts the recorder, which writes one line to its log.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recorder_log.h"
#include "test_registry.h"
#include "startup_programs.h"

using namespace holm;
using namespace holmtest;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kWindowsNT[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

void SetValue(HKEY root, const char* path, const char* name, const std::string& text, DWORD type = REG_SZ) {
    WriteValue(root, path, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

bool HasValue(HKEY root, const char* path, const char* name) {
    return SHGetValueA(root, path, name, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class StartupProgramsTest : public ::testing::Test {
protected:
    void SetUp() override {
        log_ = NewRecorderLog("holm-startup-programs");
        for (const char* path : {kRun, kRunOnce}) SHDeleteKeyA(HKEY_CURRENT_USER, path);
    }
    void TearDown() override {
        for (const char* path : {kRun, kRunOnce}) SHDeleteKeyA(HKEY_CURRENT_USER, path);
        SHDeleteValueA(HKEY_LOCAL_MACHINE, kRun, "holm test");
        SHDeleteValueA(HKEY_CURRENT_USER, kWindowsNT, "Load");
        SHDeleteValueA(HKEY_CURRENT_USER, kWindowsNT, "Run");
    }
    // A command that starts the recorder with `word` as its argument.
    std::string Recording(const std::string& word) const { return "\"" + RecorderPath() + "\" " + log_ + " " + word; }
    std::vector<std::string> Words(std::size_t expected) {
        std::vector<std::string> words;
        for (const RecordedStart& r : WaitForRecords(log_, expected, 8000)) {
            const std::size_t at = r.commandLine.find(log_);
            words.push_back(at == std::string::npos ? r.commandLine : r.commandLine.substr(at + log_.size() + 1));
        }
        Sleep(300);  // anything started by mistake has time to show up
        if (ReadRecorderLog(log_).size() != words.size()) words.push_back("(more)");
        std::sort(words.begin(), words.end());  // the programs run side by side
        return words;
    }

    std::string log_;
};

}  // namespace

TEST_F(StartupProgramsTest, RunOnceValuesThatStartAreRemovedOthersStay) {
    SetValue(HKEY_CURRENT_USER, kRunOnce, "first", Recording("first"));
    SetValue(HKEY_CURRENT_USER, kRunOnce, "second", Recording("second"));
    SetValue(HKEY_CURRENT_USER, kRunOnce, "broken", "no-such-program-for-holm.exe");
    SetValue(HKEY_CURRENT_USER, kRunOnce, "third", Recording("third"));
    RunKeyPrograms(HKEY_CURRENT_USER, kRunOnce, true);
    // Deleting a value does not skip the one that moves into its place.
    EXPECT_EQ(Words(3), (std::vector<std::string>{"first", "second", "third"}));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunOnce, "first"));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunOnce, "second"));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunOnce, "third"));
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, kRunOnce, "broken"));
}

TEST_F(StartupProgramsTest, RunValuesStayAndOnlyPlainTextRuns) {
    SetValue(HKEY_CURRENT_USER, kRun, "plain", Recording("plain"));
    SetValue(HKEY_CURRENT_USER, kRun, "expand", Recording("expand"), REG_EXPAND_SZ);
    const DWORD number = 7;
    SHSetValueA(HKEY_CURRENT_USER, kRun, "number", REG_DWORD, &number, sizeof(number));
    RunKeyPrograms(HKEY_CURRENT_USER, kRun, false);
    EXPECT_EQ(Words(1), (std::vector<std::string>{"plain"}));
    EXPECT_TRUE(HasValue(HKEY_CURRENT_USER, kRun, "plain"));
}

TEST_F(StartupProgramsTest, AllKeysRunAndAnOversizedValueEndsOnlyItsKey) {
    SetValue(HKEY_CURRENT_USER, kWindowsNT, "Load", Recording("load"));
    SetValue(HKEY_CURRENT_USER, kWindowsNT, "Run", Recording("run one two"));
    SetValue(HKEY_CURRENT_USER, kRunOnce, "once", Recording("once"));
    // Wine lists values by name, Windows in the order they were made: the
    // names give both the same order.
    SetValue(HKEY_CURRENT_USER, kRun, "a before", Recording("before"));
    SetValue(HKEY_CURRENT_USER, kRun, "b long", Recording(std::string(600, 'x')));
    SetValue(HKEY_CURRENT_USER, kRun, "c after", Recording("after"));
    SetValue(HKEY_LOCAL_MACHINE, kRun, "holm test", Recording("machine"));
    RunStartupPrograms();
    EXPECT_EQ(Words(5), (std::vector<std::string>{"before", "load", "machine", "once", "run one two"}));
    EXPECT_FALSE(HasValue(HKEY_CURRENT_USER, kRunOnce, "once"));
}
