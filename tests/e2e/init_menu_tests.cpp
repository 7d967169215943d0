// The Init Menu of the real shell, built from a prepared registry and read
// from the screen; choosing entries and item hotkeys start programs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "recorder_log.h"
#include "shell_fixture.h"

using namespace holmtest;
using Texts = std::vector<std::string>;

namespace {

class InitMenuTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteOption("UseCustomMenus", 0);
    }
    MenuSnapshot OpenInitMenu(int timeoutMs = 5000) { return OpenMenu(450, 250, false, timeoutMs); }
};

}  // namespace

TEST_F(InitMenuTest, StoreIsShownSortedWithGroupsFirst) {
    WriteStoreItem("b", "x", "notepad");
    WriteStoreItem("A\\Inner", "y", "notepad");
    WriteStoreItem("c", "z", "notepad");
    WriteStoreItem("", "z", "notepad");
    WriteStoreItem("", "Y", "notepad");
    WriteStoreItem("", "Tom & Jerry", "notepad");
    WriteStoreItem("Tom & Jerry", "x", "notepad");
    WriteStoreItem("Empty", "", "");
    WriteOption("ShowHotkeysInLpum", 1);
    WriteStoreItem("", "Notepad", "notepad||0|n");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    const Texts expected = {"Init Menu", "-", "A", "b", "c", "Empty", "Tom & Jerry", "Notepad\tn",
                            "Tom && Jerry", "Y", "z", "-", "Run...", "Control Panel", "Special"};
    EXPECT_EQ(menu.Texts(), expected);
    EXPECT_EQ(TextsOf(MenuLevel(menu, {"A"})), Texts{"Inner"});
    // A group whose only value is an empty default value is not empty.
    EXPECT_EQ(MenuLevel(menu, {"Empty"}).size(), 1u);
}

TEST_F(InitMenuTest, EmptyGroupsAreMarkedUninhabited) {
    CreateUserKey(StoreKey("Nothing"));
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    const std::vector<MenuEntry> nothing = MenuLevel(menu, {"Nothing"});
    ASSERT_EQ(nothing.size(), 1u);
    EXPECT_EQ(nothing[0].text, "[Uninhabited]");
    EXPECT_EQ(nothing[0].id, UINT{holm::kCmdArrangeOrEmpty});
    EXPECT_TRUE(nothing[0].Has('G'));
}

TEST_F(InitMenuTest, TitleShowsUserComputerTimeAndDate) {
    WriteOption("LCancelStr", "%u@%c %t %d");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    char user[257] = "", computer[MAX_COMPUTERNAME_LENGTH + 1] = "", time[64] = "", date[64] = "";
    DWORD size = sizeof(user);
    GetUserNameA(user, &size);
    size = sizeof(computer);
    GetComputerNameA(computer, &size);
    GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, sizeof(time));
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, sizeof(date));
    const std::string prefix = std::string(user) + "@" + computer + " ";
    const std::string title = menu.Texts().front();
    EXPECT_EQ(title.substr(0, prefix.size()), prefix);
    EXPECT_NE(title.find(date), std::string::npos) << title;
    EXPECT_EQ(title.size(), prefix.size() + std::string(time).size() + 1 + std::string(date).size()) << title;
}

TEST_F(InitMenuTest, StartupGroupRunsAtTheFirstBuildOnly) {
    const std::string log = NewRecorderLog("holm-startup");
    const std::string run = "\"" + RecorderPath() + "\" " + log + " startup";
    WriteOption("StartupGroupName", "Autostart");
    WriteStoreItem("Tools\\Autostart", "Run me", run);
    WriteStoreItem("Tools\\Autostart\\Nested", "Not me", run + " nested");
    WriteStoreItem("autostart", "Other case", run + " othercase");
    StartShell("/startup");
    std::vector<RecordedStart> records = WaitForRecords(log, 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(" startup"), std::string::npos);
    EXPECT_EQ(records[0].commandLine.find("nested"), std::string::npos);

    PostCommand(shell_, holm::kCmdReload);  // reload, as the configuration program asks
    Sleep(1500);
    EXPECT_TRUE(shell_.Running());
    EXPECT_EQ(ReadRecorderLog(log).size(), 1u);
    EXPECT_TRUE(OpenInitMenu().open);
}

TEST_F(InitMenuTest, ChoosingAnItemStartsItWithItsParametersDirectoryAndWindowState) {
    const std::string log = NewRecorderLog("holm-launch");
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    std::string dir = temp;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    WriteStoreItem("", "Recorder", "\"" + RecorderPath() + "\" " + log + " one two|" + dir + "|2|");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    ASSERT_TRUE(Choose(menu, {"Recorder"}));
    std::vector<RecordedStart> records = WaitForRecords(log, 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(log + " one two"), std::string::npos) << records[0].commandLine;
    EXPECT_EQ(records[0].directory, dir);
    EXPECT_EQ(records[0].show, SW_MAXIMIZE);
    // The menus are armed again after the command. Starting the program can
    // keep the shell busy for most of a second under Wine (longer on a busy
    // machine), and a click in that time is not taken.
    EXPECT_TRUE(WaitFor([&] { return OpenInitMenu(1000).open; }, 8000, 0));
}

TEST_F(InitMenuTest, AFailedStartIsReportedWithIndexAndNullDirectory) {
    for (const char* name : {"a1", "a2", "a3"}) WriteStoreItem("", name, "notepad");
    WriteStoreItem("", "b-missing", "no-such-program-here.exe");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    ASSERT_TRUE(Choose(menu, {"b-missing"}));
    MessageBoxInfo box = WaitForMessageBox(shell_.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    // The Control Panel's applets have the first launch entries.
    const std::string index = std::to_string(MenuLevel(menu, {"Control Panel"}).size() + 3);
    EXPECT_EQ(box.text, "(" + index + ") Execution of \"no-such-program-here.exe\" in directory \"(null)\" failed");
    AnswerMessageBox(box.hwnd, IDOK);
    Sleep(500);
    EXPECT_TRUE(OpenInitMenu().open);
}

TEST_F(InitMenuTest, ItemHotkeyStartsTheItem) {
    const std::string log = NewRecorderLog("holm-hotkey");
    WriteStoreItem("", "Hot", "\"" + RecorderPath() + "\" " + log + " hot||0|k");
    WriteStoreItem("", "Hot shifted", "\"" + RecorderPath() + "\" " + log + " shifted||0|K");
    StartShell();
    PressKey('K', false, true, true);
    std::vector<RecordedStart> records = WaitForRecords(log, 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(" hot"), std::string::npos);
    PressKey('K', true, true, true);
    records = WaitForRecords(log, 2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_NE(records[1].commandLine.find(" shifted"), std::string::npos);
}

TEST_F(InitMenuTest, HotkeyConflictIsReportedOnceAndBothItemsStay) {
    WriteStoreItem("", "First", "notepad||0|m");
    WriteStoreItem("", "Second", "notepad||0|m");
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(ExpectMessage("Hotkey conflict detected:", "Second"));
    ASSERT_TRUE(shell_.WaitReady());
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    EXPECT_NE(menu.Find("First"), nullptr);
    EXPECT_NE(menu.Find("Second"), nullptr);
}
