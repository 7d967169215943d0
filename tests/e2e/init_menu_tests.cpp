// The Init Menu of the real shell, built from a prepared registry and read
// from the screen; choosing entries and item hotkeys start programs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "holm_names.h"
#include "recorder_log.h"
#include "shell_driver.h"

using namespace holmtest;
using Texts = std::vector<std::string>;

namespace {

constexpr const char* kHolm = holm::kOptionsKey;
const std::string kStore = holm::kInitMenuKey;

class InitMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStrayShells();
        ResetHolmRegistry();
        WriteMinimalConfiguration();
        WriteUserDword(kHolm, "UseCustomMenus", 0);
    }
    void TearDown() override {
        if (shell_.Running()) DismissMenus(shell_.Pid());
        KillStrayShells();
    }
    void StartShell(const std::string& arguments = "") {
        ASSERT_TRUE(shell_.Start(arguments));
        ASSERT_TRUE(shell_.WaitReady());
    }
    // A click soon after the last one at the same place would be a double
    // click, which opens no menu.
    MenuSnapshot OpenInitMenu(int timeoutMs = 5000) {
        Sleep(GetDoubleClickTime() + 50);
        Click(450, 250);
        return WaitForMenu(shell_, timeoutMs);
    }
    // Highlights a root entry with the arrow keys and presses Enter.
    void Choose(const MenuSnapshot& menu, const std::string& text) {
        int downs = 0;
        for (const MenuEntry& e : menu.entries) {
            if (e.depth != 0 || e.Has('S')) continue;
            ++downs;
            if (e.text == text) break;
        }
        for (int i = 0; i < downs; ++i) PressKey(VK_DOWN);
        PressKey(VK_RETURN);
    }
    std::vector<MenuEntry> SubmenuEntries(const MenuSnapshot& menu, const std::string& label, int depth = 1) {
        std::vector<MenuEntry> out;
        for (const MenuEntry& e : menu.Submenu(label))
            if (e.depth == depth) out.push_back(e);
        return out;
    }

    ShellProcess shell_;
};

Texts TextsOf(const std::vector<MenuEntry>& entries) {
    Texts out;
    for (const MenuEntry& e : entries) out.push_back(e.Has('S') ? "-" : e.text);
    return out;
}

}  // namespace

TEST_F(InitMenuTest, StoreIsShownSortedWithGroupsFirst) {
    WriteUserString((kStore + "\\b").c_str(), "x", "notepad");
    WriteUserString((kStore + "\\A\\Inner").c_str(), "y", "notepad");
    WriteUserString((kStore + "\\c").c_str(), "z", "notepad");
    WriteUserString(kStore.c_str(), "z", "notepad");
    WriteUserString(kStore.c_str(), "Y", "notepad");
    WriteUserString(kStore.c_str(), "Tom & Jerry", "notepad");
    WriteUserString((kStore + "\\Tom & Jerry").c_str(), "x", "notepad");
    WriteUserString((kStore + "\\Empty").c_str(), "", "");
    WriteUserDword(kHolm, "ShowHotkeysInLpum", 1);
    WriteUserString(kStore.c_str(), "Notepad", "notepad||0|n");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    const Texts expected = {"Init Menu", "-", "A", "b", "c", "Empty", "Tom & Jerry", "Notepad\tn",
                            "Tom && Jerry", "Y", "z", "-", "Run...", "Control Panel", "Special"};
    EXPECT_EQ(menu.Texts(), expected);
    EXPECT_EQ(TextsOf(SubmenuEntries(menu, "A")), Texts{"Inner"});
    // A group whose only value is an empty default value is not empty.
    EXPECT_EQ(SubmenuEntries(menu, "Empty").size(), 1u);
}

TEST_F(InitMenuTest, EmptyGroupsAreMarkedUninhabited) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, (kStore + "\\Nothing").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegCloseKey(key);
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    const std::vector<MenuEntry> nothing = SubmenuEntries(menu, "Nothing");
    ASSERT_EQ(nothing.size(), 1u);
    EXPECT_EQ(nothing[0].text, "[Uninhabited]");
    EXPECT_EQ(nothing[0].id, 4u);
    EXPECT_TRUE(nothing[0].Has('G'));
}

TEST_F(InitMenuTest, TitleShowsUserComputerTimeAndDate) {
    WriteUserString(kHolm, "LCancelStr", "%u@%c %t %d");
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
    WriteUserString(kHolm, "StartupGroupName", "Autostart");
    WriteUserString((kStore + "\\Tools\\Autostart").c_str(), "Run me", run);
    WriteUserString((kStore + "\\Tools\\Autostart\\Nested").c_str(), "Not me", run + " nested");
    WriteUserString((kStore + "\\autostart").c_str(), "Other case", run + " othercase");
    StartShell("/startup");
    std::vector<RecordedStart> records = WaitForRecords(log, 1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_NE(records[0].commandLine.find(" startup"), std::string::npos);
    EXPECT_EQ(records[0].commandLine.find("nested"), std::string::npos);

    PostMessageA(shell_.MainWindow(), WM_COMMAND, holm::kCmdReload, 0);  // reload, as the configuration program asks
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
    WriteUserString(kStore.c_str(), "Recorder", "\"" + RecorderPath() + "\" " + log + " one two|" + dir + "|2|");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    Choose(menu, "Recorder");
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
    for (const char* name : {"a1", "a2", "a3"}) WriteUserString(kStore.c_str(), name, "notepad");
    WriteUserString(kStore.c_str(), "b-missing", "no-such-program-here.exe");
    StartShell();
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    Choose(menu, "b-missing");
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
    WriteUserString(kStore.c_str(), "Hot", "\"" + RecorderPath() + "\" " + log + " hot||0|k");
    WriteUserString(kStore.c_str(), "Hot shifted", "\"" + RecorderPath() + "\" " + log + " shifted||0|K");
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
    WriteUserString(kStore.c_str(), "First", "notepad||0|m");
    WriteUserString(kStore.c_str(), "Second", "notepad||0|m");
    ASSERT_TRUE(shell_.Start());
    MessageBoxInfo box = WaitForMessageBox(shell_.Pid(), 15000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "Hotkey conflict detected:");
    EXPECT_EQ(box.text, "Second");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(shell_.WaitReady());
    MenuSnapshot menu = OpenInitMenu();
    ASSERT_TRUE(menu.open);
    EXPECT_NE(menu.Find("First"), nullptr);
    EXPECT_NE(menu.Find("Second"), nullptr);
}
