// The shell commands of the real shell's main window, reached as a person
// reaches them (the Init Menu's Special submenu, chosen with the keyboard)
// or as the system and the configuration program send them (WM_HOTKEY,
// WM_COMMAND): the Run dialog, the questions of log off, shut down and
// reboot (answered so that the session goes on), the task manager, the
// configuration program, the 16-bit kernels, reload, the tray, the switch to
// Explorer and the "&Hide me" button. After each, the menus open again.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shell_fixture.h"

using namespace holmtest;
using Texts = std::vector<std::string>;

namespace {

constexpr int kDesktopX = 980, kDesktopY = 720;  // clear of the windows of started programs
constexpr char kForceQuestion[] = "Do you want to force applications to close?";
constexpr char kRunPrompt[] = "         HOLM awaits your command:";
constexpr char kWowWindow[] = "Hidden Console of WOW VDM";  // the NT 4 name; Wine reports NT 6.1

BOOL CALLBACK PostCloseToProcessWindow(HWND hwnd, LPARAM pid) {
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == static_cast<DWORD>(pid) && IsWindowVisible(hwnd)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

// Ends a program that the shell started for the test, as its user would: by
// closing its windows; a program that stays is ended.
void CloseProgram(DWORD pid) {
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    if (!process) return;
    EnumWindows(PostCloseToProcessWindow, static_cast<LPARAM>(pid));
    if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) {
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
    }
    CloseHandle(process);
}

DWORD NewProcess(const std::set<DWORD>& before, const char* exe) {
    DWORD found = 0;
    WaitFor(
        [&] {
            for (DWORD pid : ProcessesNamed(exe))
                if (!before.count(pid)) found = pid;
            return found != 0;
        },
        10000);
    return found;
}

// The button drawn as the default one.
int DefaultButton(HWND box) {
    for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        HWND button = GetDlgItem(box, id);
        if (button && (GetWindowLongA(button, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) return id;
    }
    return 0;
}

std::string Describe(HWND hwnd) {
    char cls[64] = "", title[128] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    GetWindowTextA(hwnd, title, sizeof(title));
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return std::string(cls) + " \"" + title + "\" pid " + std::to_string(pid) +
           (IsWindowVisible(hwnd) ? " visible" : " hidden");
}

bool HasButtons(HWND box, std::initializer_list<int> ids) {
    return std::all_of(ids.begin(), ids.end(), [box](int id) { return GetDlgItem(box, id) != nullptr; });
}

// Moves the pointer and waits until every process sees it there.
void PointAt(int x, int y) {
    MoveMouse(x, y);
    WaitFor(
        [&] {
            POINT pt = {};
            return GetCursorPos(&pt) && pt.x == x && pt.y == y;
        },
        2000);
    Sleep(100);
}

std::vector<MessageBoxInfo> DialogsCaptioned(DWORD pid, const std::string& caption) {
    std::vector<MessageBoxInfo> out;
    for (const MessageBoxInfo& box : DialogsOf(pid))
        if (box.caption == caption) out.push_back(box);
    return out;
}

class CommandsTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteOption("UseCustomMenus", 0);
    }
    void TearDown() override {
        if (shell_.Running()) {
            for (const MessageBoxInfo& box : DialogsOf(shell_.Pid())) AnswerMessageBox(box.hwnd, IDCANCEL);
        }
        ShellTest::TearDown();
    }
    DWORD Pid() const { return shell_.Pid(); }

    MenuSnapshot OpenMenu(bool right) { return ShellTest::OpenMenu(kDesktopX, kDesktopY, right); }
    // Opens the Init Menu and highlights an entry of its Special submenu.
    bool SelectSpecial(const std::string& entry) {
        MenuSnapshot menu = OpenMenu(false);
        return menu.open && SelectMenuEntry(menu, {"Special", entry});
    }
    bool ChooseSpecial(const std::string& entry) {
        const MenuSnapshot menu = OpenMenu(false);
        return menu.open && Choose(menu, {"Special", entry});
    }
    // Both menus open again: the command re-armed them.
    void ExpectMenusOpenAgain() {
        for (bool right : {false, true}) {
            Sleep(GetDoubleClickTime() + 50);
            MenuSnapshot menu = ClickForMenu(shell_, kDesktopX, kDesktopY, right);
            EXPECT_TRUE(menu.open) << (right ? "Window List" : "Init Menu") << " stayed closed";
            if (menu.open) {
                ASSERT_TRUE(DismissMenus(Pid()));
            }
        }
    }
    // Waits for the question, checks it and answers Cancel.
    void ExpectQuestionAndCancel(const std::string& caption, const std::string& text) {
        MessageBoxInfo box = WaitForMessageBox(Pid());
        ASSERT_NE(box.hwnd, nullptr) << caption;
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.text, text);
        EXPECT_TRUE(HasButtons(box.hwnd, {IDYES, IDNO, IDCANCEL})) << caption;
        EXPECT_EQ(DefaultButton(box.hwnd), IDNO) << caption;
        AnswerMessageBox(box.hwnd, IDCANCEL);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000));
    }

    WindowThread windows_;
};

}  // namespace

TEST_F(CommandsTest, RunHotkeyPressedTwiceOpensOneRunDialog) {
    StartShell();
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyRun));
    ASSERT_TRUE(WaitFor([&] { return !DialogsCaptioned(Pid(), "Run...").empty(); }, 10000));
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyRun));
    Sleep(1000);
    const std::vector<MessageBoxInfo> dialogs = DialogsCaptioned(Pid(), "Run...");
    ASSERT_EQ(dialogs.size(), 1u);
    const Texts texts = ChildTexts(dialogs[0].hwnd);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kRunPrompt), texts.end());

    AnswerMessageBox(dialogs[0].hwnd, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return DialogsCaptioned(Pid(), "Run...").empty(); }, 5000));
    ExpectMenusOpenAgain();
    // The guard ends with the dialog: the hotkey opens it again.
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyRun));
    ASSERT_TRUE(WaitFor([&] { return DialogsCaptioned(Pid(), "Run...").size() == 1; }, 10000));
}

TEST_F(CommandsTest, RunDialogOnWindows95GetsItsTextsInAnsi) {
    SetShellWindowsVersion("win95");
    StartShell();
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdRun));
    ASSERT_TRUE(WaitFor([&] { return !DialogsCaptioned(Pid(), "Run...").empty(); }, 10000));
    const MessageBoxInfo dialog = DialogsCaptioned(Pid(), "Run...").front();
    const Texts texts = ChildTexts(dialog.hwnd);
    EXPECT_NE(std::find(texts.begin(), texts.end(), kRunPrompt), texts.end());
    AnswerMessageBox(dialog.hwnd, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return DialogsCaptioned(Pid(), "Run...").empty(); }, 5000));
}

TEST_F(CommandsTest, LogoffShutdownAndRebootAskFirstAndCancelKeepsTheSession) {
    StartShell();
    HWND focus = windows_.Create("WL Focus");
    const struct {
        const char* entry;
        const char* caption;
        std::string text;
    } cases[] = {
        {"Logoff", "HOLM - Logoff", std::string(kForceQuestion) + "\n\nHit Cancel to abort logoff"},
        {"Shutdown", "HOLM - Shutdown", kForceQuestion},
        {"Reboot", "HOLM - Reboot", kForceQuestion},
    };
    for (const auto& c : cases) {
        SetForegroundWindow(focus);
        ASSERT_TRUE(ChooseSpecial(c.entry)) << c.entry;
        ExpectQuestionAndCancel(c.caption, c.text);
        EXPECT_TRUE(shell_.Running());
        EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == focus; }, 3000))
            << c.entry << ": the focus did not come back; foreground " << Describe(GetForegroundWindow())
            << ", after the shell " << Describe(GetWindow(shell_.MainWindow(), GW_HWNDNEXT)) << ", top "
            << Describe(GetTopWindow(nullptr));
        ExpectMenusOpenAgain();
    }
}

TEST_F(CommandsTest, WithoutTheShutdownPrivilegeShutdownAndRebootAreRefused) {
    ASSERT_TRUE(shell_.StartWithoutShutdownPrivilege());
    ASSERT_TRUE(shell_.WaitReady());
    MenuSnapshot menu = OpenMenu(false);
    ASSERT_TRUE(menu.open);
    const std::vector<MenuEntry> special = MenuLevel(menu, {"Special"});
    for (const std::string entry : {"Shutdown", "Reboot", "Logoff"}) {
        const auto found =
            std::find_if(special.begin(), special.end(), [&](const MenuEntry& e) { return e.text == entry; });
        ASSERT_NE(found, special.end()) << entry;
        EXPECT_EQ(found->Has('G'), entry != "Logoff") << entry;
    }
    ASSERT_TRUE(DismissMenus(Pid()));

    const struct {
        int hotkey;
        const char* text;
    } refusals[] = {{kHotkeyShutdown, "You do not have permission to shutdown this computer"},
                    {kHotkeyReboot, "You do not have permission to reboot this computer"}};
    for (const auto& r : refusals) {
        ASSERT_TRUE(PostHotkey(shell_, r.hotkey));
        MessageBoxInfo box = WaitForMessageBox(Pid());
        ASSERT_NE(box.hwnd, nullptr) << r.hotkey;
        EXPECT_EQ(box.caption, "HOLM");
        EXPECT_EQ(box.text, r.text);
        AnswerMessageBox(box.hwnd, IDOK);
        ASSERT_TRUE(WaitFor([&] { return DialogsOf(Pid()).empty(); }, 5000));
    }
    EXPECT_TRUE(shell_.Running());
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, ShiftOpensTheSystemShutdownDialogAndAsksNothingElse) {
    StartShell();
    for (const char* entry : {"Shutdown", "Logoff"}) {
        ASSERT_TRUE(SelectSpecial(entry));
        MessageBoxInfo box;
        {
            XModifiers shift(true, false);  // held across the menu's closing
            PressKey(VK_RETURN);
            box = WaitForMessageBox(Pid());
        }
        ASSERT_NE(box.hwnd, nullptr) << entry;
        EXPECT_NE(box.caption.compare(0, 4, "HOLM"), 0) << entry << ": " << box.caption;
        EXPECT_NE(box.text, kForceQuestion);
        AnswerMessageBox(box.hwnd, IDNO);  // never Yes: that would end this test's session
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000));
        Sleep(500);
        EXPECT_TRUE(DialogsOf(Pid()).empty()) << entry << ": asked something more";
        EXPECT_TRUE(shell_.Running());
        ExpectMenusOpenAgain();
    }
}

TEST_F(CommandsTest, TaskManagerIsStarted) {
    StartShell();
    const std::set<DWORD> before = ProcessesNamed("taskmgr.exe");
    ASSERT_TRUE(ChooseSpecial("Task Manager"));
    const DWORD started = NewProcess(before, "taskmgr.exe");
    ASSERT_NE(started, 0u);
    EXPECT_TRUE(DialogsOf(Pid()).empty());
    CloseProgram(started);
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, ConfigureStartsTheConfigurationProgram) {
    StartShell();
    const std::set<DWORD> before = ProcessesNamed("HolmCfg.exe");
    ASSERT_TRUE(ChooseSpecial("Configure HOLM"));
    const DWORD started = NewProcess(before, "HolmCfg.exe");
    ASSERT_NE(started, 0u);
    EXPECT_TRUE(WaitFor([&] { return FindProcessWindow(started, "Setwise for HOLM v1.0") != nullptr; }, 10000));
    CloseProgram(started);
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, Kill16BitKernelsEndsTheSubsystemOnlyWhenConfirmed) {
    StartShell();
    // Without a 16-bit subsystem the entry is greyed; the command itself says so.
    MenuSnapshot menu = OpenMenu(false);
    ASSERT_TRUE(menu.open);
    const std::vector<MenuEntry> special = MenuLevel(menu, {"Special"});
    const auto entry = std::find_if(special.begin(), special.end(),
                                    [](const MenuEntry& e) { return e.text == "Kill 16-bit Kernels"; });
    ASSERT_NE(entry, special.end());
    EXPECT_TRUE(entry->Has('G'));
    ASSERT_TRUE(DismissMenus(Pid()));
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdKill16Bit));
    MessageBoxInfo box = WaitForMessageBox(Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    EXPECT_EQ(box.text, "No 16-bit kernels found");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(WaitFor([&] { return DialogsOf(Pid()).empty(); }, 5000));

    HANDLE wow = StartWindowOwnerShowing(kWowWindow);
    ASSERT_NE(wow, nullptr);
    const char* question =
        "This will terminate any 16-bit applications as well as 16-bit kernels.\nAre you sure you want to do it?";
    for (int answer : {IDNO, IDYES}) {
        Sleep(300);
        ASSERT_TRUE(ChooseSpecial("Kill 16-bit Kernels"));
        box = WaitForMessageBox(Pid());
        ASSERT_NE(box.hwnd, nullptr);
        EXPECT_EQ(box.caption, "HOLM");
        EXPECT_EQ(box.text, question);
        EXPECT_TRUE(HasButtons(box.hwnd, {IDYES, IDNO}));
        AnswerMessageBox(box.hwnd, answer);
        const bool ended = WaitForSingleObject(wow, answer == IDYES ? 10000 : 1000) == WAIT_OBJECT_0;
        EXPECT_EQ(ended, answer == IDYES);
    }
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, ReloadTakesTheNewSettings) {
    StartShell();
    MenuSnapshot menu = OpenMenu(false);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Init Menu");
    ASSERT_TRUE(DismissMenus(Pid()));
    // The Window List was the last menu: the reload is still a reload.
    Sleep(300);
    ASSERT_TRUE(OpenMenu(true).open);
    ASSERT_TRUE(DismissMenus(Pid()));

    WriteOption("LCancelStr", "Reloaded Menu");
    WriteStoreItem("", "WL Reloaded Item", "notepad.exe||0|");
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdReload));
    Sleep(500);
    menu = OpenMenu(false);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Reloaded Menu");
    EXPECT_NE(menu.Find("WL Reloaded Item"), nullptr);
    ASSERT_TRUE(DismissMenus(Pid()));
    ExpectMenusOpenAgain();
}

// The configuration program can ask for a reload while a menu is open; the
// menu on screen stays whole and the rebuild comes once it has closed.
TEST_F(CommandsTest, AReloadWhileTheInitMenuIsOpenWaitsForItToClose) {
    WriteStoreItem("", "WL Before", "notepad.exe||0|");
    StartShell();
    MenuSnapshot menu = OpenMenu(false);
    ASSERT_TRUE(menu.open);
    WriteStoreItem("", "WL After", "notepad.exe||0|");
    ASSERT_TRUE(PostCommand(shell_, holm::kCmdReload));
    Sleep(800);
    menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_NE(menu.Find("WL Before"), nullptr);
    EXPECT_EQ(menu.Find("WL After"), nullptr);
    ASSERT_TRUE(DismissMenus(Pid()));
    Sleep(300);
    menu = OpenMenu(false);
    ASSERT_TRUE(menu.open);
    EXPECT_NE(menu.Find("WL After"), nullptr);
    ASSERT_TRUE(DismissMenus(Pid()));
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, TrayEntryShowsAndHidesTheTray) {
    StartShell();
    HWND tray = FindWindowA(holm::kTrayIconsClass, holm::kTrayTitle);
    ASSERT_NE(tray, nullptr);
    for (int round = 0; round < 2; ++round) {
        const bool wasVisible = IsWindowVisible(tray) != FALSE;
        MenuSnapshot menu = OpenMenu(false);
        ASSERT_TRUE(menu.open);
        const std::string label = wasVisible ? "Hide tray" : "Show tray";
        const std::vector<MenuEntry> special = MenuLevel(menu, {"Special"});
        ASSERT_TRUE(std::any_of(special.begin(), special.end(), [&](const MenuEntry& e) { return e.text == label; }))
            << "round " << round << ": no " << label;
        ASSERT_TRUE(SelectMenuEntry(menu, {"Special", label}));
        PressKey(VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(tray) != FALSE) != wasVisible; }, 5000)) << round;
        Sleep(300);
        // A reload rebuilds the menu; the entry still follows the tray.
        ASSERT_TRUE(PostCommand(shell_, holm::kCmdReload));
        Sleep(500);
    }
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, SwitchToExplorerLeavesTheShellWhenAnsweredNoOrWhenAFolderWindowStays) {
    StartShell();
    const std::set<DWORD> explorersBefore = ProcessesNamed("explorer.exe");
    ASSERT_TRUE(ChooseSpecial("Switch to Explorer"));
    MessageBoxInfo box = WaitForMessageBox(Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "HOLM");
    EXPECT_EQ(box.text, "Are you sure you want to switch to Explorer?");
    EXPECT_TRUE(HasButtons(box.hwnd, {IDYES, IDNO}));
    EXPECT_EQ(DefaultButton(box.hwnd), IDNO);
    AnswerMessageBox(box.hwnd, IDNO);
    Sleep(1500);
    EXPECT_TRUE(shell_.Running());
    ExpectMenusOpenAgain();

    // A folder window that does not take its WM_CLOSE (this thread does not
    // read its messages meanwhile) keeps the shell.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ExploreWClass";
    RegisterClassA(&wc);
    HWND folder = CreateWindowExA(0, "ExploreWClass", "WL Folder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(folder, nullptr);
    ASSERT_TRUE(ChooseSpecial("Switch to Explorer"));
    box = WaitForMessageBox(Pid());
    ASSERT_NE(box.hwnd, nullptr);
    AnswerMessageBox(box.hwnd, IDYES);
    Sleep(2500);  // the shell tries for one second
    EXPECT_TRUE(shell_.Running());
    EXPECT_EQ(ProcessesNamed("explorer.exe"), explorersBefore) << "Explorer was started";
    MSG msg;
    bool closeArrived = false;
    while (PeekMessageA(&msg, folder, WM_CLOSE, WM_CLOSE, PM_REMOVE)) closeArrived = true;
    EXPECT_TRUE(closeArrived);
    DestroyWindow(folder);
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, HideMeButtonHidesTheShellWindow) {
    StartShell();
    HWND main = shell_.MainWindow();
    ShowWindow(main, SW_SHOWNORMAL);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 3000));
    HWND button = FindWindowExA(main, nullptr, "BUTTON", "&Hide me");
    ASSERT_NE(button, nullptr);
    RECT rc = {};
    GetWindowRect(button, &rc);
    Click((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5000));
    EXPECT_TRUE(shell_.Running());
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, HotkeysReachTheMenusAndTheCommands) {
    StartShell();
    PointAt(500, 400);
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyWindowList));
    MenuSnapshot menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Window List");
    EXPECT_EQ(menu.rect.right, 510);
    ASSERT_TRUE(DismissMenus(Pid()));

    // The Window List was the last menu: commands posted by hotkeys still go to the shell.
    HWND tray = FindWindowA(holm::kTrayIconsClass, holm::kTrayTitle);
    ASSERT_NE(tray, nullptr);
    const bool trayVisible = IsWindowVisible(tray) != FALSE;
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyToggleTray));
    EXPECT_TRUE(WaitFor([&] { return (IsWindowVisible(tray) != FALSE) != trayVisible; }, 5000));

    const struct {
        int id;
        const char* caption;
    } questions[] = {{kHotkeyLogoff, "HOLM - Logoff"}, {kHotkeyShutdown, "HOLM - Shutdown"}, {kHotkeyReboot, "HOLM - Reboot"}};
    for (const auto& q : questions) {
        ASSERT_TRUE(PostHotkey(shell_, q.id));
        MessageBoxInfo box = WaitForMessageBox(Pid());
        ASSERT_NE(box.hwnd, nullptr) << q.id;
        EXPECT_EQ(box.caption, q.caption);
        AnswerMessageBox(box.hwnd, IDCANCEL);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000));
    }

    const std::set<DWORD> before = ProcessesNamed("HolmCfg.exe");
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyConfigure));
    const DWORD config = NewProcess(before, "HolmCfg.exe");
    EXPECT_NE(config, 0u);
    if (config) {
        CloseProgram(config);
    }

    PointAt(400, 300);
    ASSERT_TRUE(PostHotkey(shell_, kHotkeyInitMenu));
    menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Init Menu");
    EXPECT_EQ(menu.rect.right, 410);
    ASSERT_TRUE(DismissMenus(Pid()));
    ExpectMenusOpenAgain();
}

TEST_F(CommandsTest, ItemHotkeyRunsTheItemEvenAfterTheWindowList) {
    const std::string command = "\"" + BinDir() + "\\window_owner.exe\" WL Item Ran||0|";
    WriteStoreItem("", "WL Item", command);
    StartShell();
    // The item's hotkey id is its command id (the Control Panel's applets
    // come first).
    MenuSnapshot initMenu = OpenMenu(false);
    ASSERT_TRUE(initMenu.open);
    const MenuEntry* entry = initMenu.Find("WL Item");
    ASSERT_NE(entry, nullptr);
    const int itemId = static_cast<int>(entry->id);
    ASSERT_TRUE(DismissMenus(Pid()));
    Sleep(GetDoubleClickTime());
    MenuSnapshot list = OpenMenu(true);  // the last menu is now the Window List
    ASSERT_TRUE(list.open);
    ASSERT_TRUE(DismissMenus(Pid()));

    const std::set<DWORD> before = ProcessesNamed("window_owner.exe");
    ASSERT_TRUE(PostHotkey(shell_, 21));  // not an item's hotkey
    ASSERT_TRUE(PostHotkey(shell_, itemId));
    const DWORD item = NewProcess(before, "window_owner.exe");
    ASSERT_NE(item, 0u);
    EXPECT_TRUE(WaitFor([&] { return FindProcessWindow(item, "WL Item Ran") != nullptr; }, 10000));
    CloseProgram(item);
    Sleep(500);
    EXPECT_EQ(ProcessesNamed("window_owner.exe"), before) << "more than the one item ran";
    ExpectMenusOpenAgain();
}
