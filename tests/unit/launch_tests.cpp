// Starting Init Menu entries in-process with the real ShellExecute:
// environment expansion, the program/parameter split and failures.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "launch.h"
#include "recorder_log.h"

using namespace holm;
using namespace holmtest;

namespace {

std::string TempDir() {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    std::string dir = temp;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}

}  // namespace

TEST(Launch, EnvironmentReferencesAreExpandedBeforeTheStart) {
    const std::string log = NewRecorderLog("holm-env");
    SetEnvironmentVariableA("HOLM_TEST_RECORDER", RecorderPath().c_str());
    SetEnvironmentVariableA("HOLM_TEST_WORD", "expanded");
    const std::string command = "\"%HOLM_TEST_RECORDER%\" " + log + " %HOLM_TEST_WORD%";
    EXPECT_EQ(ShellRun(command.c_str(), nullptr, SW_SHOWNORMAL), 1);
    const auto records = WaitForRecords(log, 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(log + " expanded"), std::string::npos) << records[0].commandLine;
}

TEST(Launch, QuotedProgramWithBlanksKeepsItsParameters) {
    const std::string dir = TempDir() + "\\holm dir with blanks";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string program = dir + "\\recorder copy.exe";
    ASSERT_TRUE(CopyFileA(RecorderPath().c_str(), program.c_str(), FALSE));
    const std::string log = NewRecorderLog("holm-quoted");
    const std::string command = "   \"" + program + "\" " + log + " -x";
    EXPECT_EQ(ShellRun(command.c_str(), TempDir().c_str(), SW_SHOWMINIMIZED), 1);
    const auto records = WaitForRecords(log, 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(log + " -x"), std::string::npos) << records[0].commandLine;
    EXPECT_EQ(records[0].directory, TempDir());
    EXPECT_EQ(records[0].show, SW_SHOWMINIMIZED);
    DeleteFileA(program.c_str());
    RemoveDirectoryA(dir.c_str());
}

TEST(Launch, EmptyCommandsSucceedWithoutStartingAnything) {
    EXPECT_EQ(ShellRun(nullptr, nullptr, SW_SHOWNORMAL), 1);
    EXPECT_EQ(ShellRun("", "c:\\", SW_SHOWNORMAL), 1);
}

TEST(Launch, MissingProgramsFail) {
    EXPECT_EQ(ShellRun("no-such-program-for-holm.exe arg", nullptr, SW_SHOWNORMAL), 0);
    EXPECT_EQ(ShellRun("\"c:\\no such dir\\x.exe", nullptr, SW_SHOWNORMAL), 0);
}
