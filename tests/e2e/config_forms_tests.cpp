// The configuration program's option forms driven with real input in the
// real HolmCfg.exe, and the running shell obeying what they stored after
// the reload that the program's close sends.
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <commctrl.h>

#include <fstream>
#include <iterator>
#include <set>

#include "config_driver.h"
#include "config_support.h"
#include "holm_names.h"
#include "screen_pixels.h"
#include "shell_driver.h"

using namespace holmtest;

namespace {

constexpr const char* kProduct = holm::kOptionsKey;
constexpr const char* kHotkeys = holm::kHotkeysKey;
constexpr const char* kHiddenTitles = holm::kHiddenTitlesKey;
const char kDesktop[] = "Control Panel\\Desktop";
constexpr int kFirstHotkeyControl = 1201;
// Options window controls.
constexpr int kInitTitleEdit = 1301, kAddTitle = 1306, kDelayBar = 1308, kDelayEdit = 1309;
constexpr int kUseCustomMenus = 1335, kReverseButtons = 1336, kChooserButton = 1311;
// Cloak chooser controls.
constexpr int kCloakName = 1401, kCloakList = 1402, kBorderRadio = 1412, kRedField = 1419;
constexpr int kDeleteCloak = 1450, kExportCloak = 1451, kSaveCloak = 1452;
enum HotkeyRow { kInitMenuRow = 0, kWindowListRow = 1, kRunRow = 3 };

class ConfigFormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStrayShells();
        ResetHolmRegistry();
        WriteMinimalConfiguration();
        const auto desktop = UserValues(kDesktop);
        if (desktop.count("MenuShowDelay")) savedDelay_ = desktop.at("MenuShowDelay");
        probe_ = CreateWindowExA(0, "STATIC", "hotkey probe", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override {
        if (shell_.Running()) DismissMenus(shell_.Pid());
        KillStrayShells();
        DestroyWindow(probe_);
        ResetHolmRegistry();
        // The platform's menus keep their usual delay for the tests that follow.
        if (!savedDelay_.empty()) WriteUserString(kDesktop, "MenuShowDelay", savedDelay_);
    }
    void StartBoth() {
        ASSERT_TRUE(shell_.Start());
        ASSERT_TRUE(shell_.WaitReady());
        ASSERT_TRUE(config_.Start());
        ASSERT_TRUE(config_.WaitShown());
        SetForegroundWindow(config_.Form());
    }
    HWND OpenDialog(WORD key, const char* caption) {
        SetForegroundWindow(config_.Form());
        PressKey(key, false, true);
        return FindDialogTitled(config_.Pid(), caption);
    }
    // Whether another program (the shell) holds this key combination.
    bool Held(UINT modifiers, UINT vk) {
        if (RegisterHotKey(probe_, 1, modifiers, vk)) {
            UnregisterHotKey(probe_, 1);
            return false;
        }
        return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
    }
    void OpenFromFileMenu() {
        SetForegroundWindow(config_.Form());
        PressKey('F', false, false, true);
        ASSERT_TRUE(WaitForPopupMenu(config_.Pid()));
        PressKey('O');
    }
    void QuitConfig() {
        SetForegroundWindow(config_.Form());
        PressKey('Q', false, true);
        ASSERT_TRUE(config_.WaitExit());
    }

    ShellProcess shell_;
    ConfigProgram config_;
    HWND probe_ = nullptr;
    std::string savedDelay_;
};

unsigned HotkeyShown(HWND dialog, int row) {
    return static_cast<unsigned>(SendMessageA(GetDlgItem(dialog, kFirstHotkeyControl + row), HKM_GETHOTKEY, 0, 0)) &
           0xFFFF;
}

LRESULT Checked(HWND dialog, int id) { return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0); }

}  // namespace

TEST_F(ConfigFormsTest, ASpecialHotkeyTypedIntoTheDialogOpensTheInitMenuAfterTheReload) {
    StartBoth();
    HWND dialog = OpenDialog('H', "Configure Special Hotkeys");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(HotkeyShown(dialog, kInitMenuRow), 0x011Bu);    // Shift+Escape
    EXPECT_EQ(HotkeyShown(dialog, kWindowListRow), 0x031Bu);  // Control+Shift+Escape
    EXPECT_EQ(HotkeyShown(dialog, kRunRow), 0u);

    ClickCenter(ControlRect(dialog, kFirstHotkeyControl + kInitMenuRow));
    PressKey(VK_F9, true, true);
    ClickCenter(ControlRect(dialog, kFirstHotkeyControl + kRunRow));
    PressKey(VK_F1, false, false, true);
    EXPECT_EQ(HotkeyShown(dialog, kInitMenuRow), 0x0378u);
    ClickCenter(ControlRect(dialog, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
    std::map<std::string, std::string> stored = UserValues(kHotkeys);
    EXPECT_EQ(stored, (std::map<std::string, std::string>{{"Init Menu", "24696"},   // 0x6078
                                                          {"Window List", "24603"},
                                                          {"Configure HOLM", "0"},
                                                          {"Run", "32880"},        // Alt+F1
                                                          {"ShowHide Tray", "0"},
                                                          {"Logoff", "0"},
                                                          {"Shutdown", "0"},
                                                          {"Reboot", "0"}}));

    // Cancel keeps the registry as it is.
    dialog = OpenDialog('H', "Configure Special Hotkeys");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(HotkeyShown(dialog, kInitMenuRow), 0x0378u);
    ClickCenter(ControlRect(dialog, kFirstHotkeyControl + kInitMenuRow));
    PressKey('J', true, true);
    ClickCenter(ControlRect(dialog, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_EQ(UserValues(kHotkeys), stored);

    QuitConfig();
    ASSERT_TRUE(WaitFor([&] { return Held(MOD_SHIFT | MOD_CONTROL, VK_F9); }, 10000));
    EXPECT_FALSE(Held(MOD_SHIFT, VK_ESCAPE));
    EXPECT_TRUE(Held(MOD_ALT, VK_F1));
    MoveMouse(400, 300);
    PressKey(VK_F9, true, true);
    MenuSnapshot menu = WaitForMenu(shell_);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Init Menu");
}

TEST_F(ConfigFormsTest, OptionsSetWithRealInputAreObeyedByTheShellAfterItsRestart) {
    StartBoth();
    HWND dialog = OpenDialog('O', "HOLM Configuration");
    ASSERT_NE(dialog, nullptr);
    RECT client = {};
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 506);
    EXPECT_EQ(client.bottom, 479);
    EXPECT_EQ(Checked(dialog, kReverseButtons), BST_UNCHECKED);
    EXPECT_EQ(Checked(dialog, kUseCustomMenus), BST_CHECKED);
    EXPECT_EQ(ControlText(dialog, kInitTitleEdit), "Init Menu");  // as WriteMinimalConfiguration stores it
    ClickCenter(ControlRect(dialog, kReverseButtons));

    // A hidden title through the "Add a window title" prompt.
    ClickCenter(ControlRect(dialog, kAddTitle));
    HWND prompt = FindDialogTitled(config_.Pid(), "Add a window title");
    ASSERT_NE(prompt, nullptr);
    TypeText("Secret Window");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(prompt); }, 5000));

    // The delay bar's right end is 400.
    ClickCenter(ControlRect(dialog, kDelayBar));
    PressKey(VK_HOME);
    EXPECT_EQ(ControlText(dialog, kDelayEdit), "0");
    PressKey(VK_END);
    EXPECT_EQ(ControlText(dialog, kDelayEdit), "400");
    ClickCenter(ControlRect(dialog, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));

    const auto options = UserValues(kProduct);
    EXPECT_EQ(options.at("ReverseRightAndLeftButtons"), "1");
    EXPECT_EQ(options.at("UseCustomMenus"), "1");
    EXPECT_EQ(options.at("TrayVisible"), "1");
    EXPECT_EQ(options.at("ForceDesktopDLL"), "0");  // Windows NT
    EXPECT_EQ(UserValues(kHiddenTitles), (std::map<std::string, std::string>{{"Secret Window", ""}}));
    EXPECT_EQ(UserValues(kDesktop).at("MenuShowDelay"), "400");

    // The general options take effect when the shell starts again.
    QuitConfig();
    ASSERT_TRUE(shell_.Stop());
    WindowThread windows;
    windows.Create("Secret Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    windows.Create("Shown Window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 60, 60);
    ShellProcess restarted;
    ASSERT_TRUE(restarted.Start());
    ASSERT_TRUE(restarted.WaitReady());
    Click(400, 500);
    MenuSnapshot menu = WaitForMenu(restarted);
    ASSERT_TRUE(menu.open);
    EXPECT_EQ(menu.Texts().front(), "Window List");
    std::set<std::string> listed;  // the list's own level; "All windows" shows every window
    for (const MenuEntry& e : MenuLevel(menu, {})) listed.insert(e.text);
    EXPECT_EQ(listed.count("Secret Window"), 0u);
    EXPECT_EQ(listed.count("Shown Window"), 1u);
    DismissMenus(restarted.Pid());
}

TEST_F(ConfigFormsTest, SaveAsAndOpenGoThroughTheFileDialogsAndRefuseAForeignKey) {
    WriteUserString((std::string(kProduct) + "\\Init Menu\\Tools").c_str(), "Pad", "notepad.exe||0|");
    const std::string folder = FreshTempFolder("holm_cfg_e2e_files");
    const std::string saved = folder + "\\mine.reg";
    StartBoth();
    PressKey(VK_F12);
    HWND dialog = FindDialogTitled(config_.Pid(), "Save Configuration As...", 15000);
    ASSERT_NE(dialog, nullptr);
    TypeText(saved);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA(saved.c_str()) != INVALID_FILE_ATTRIBUTES; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return config_.ReadViews().status == "Configuration saved as \"" + saved + "\""; }, 5000));

    // The saved file with the group renamed is opened over the menu.
    std::ifstream in(saved, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    text.replace(text.find("\\Tools\\]"), 8, "\\Opened\\]");
    const std::string opened = folder + "\\opened.reg";
    WriteFileBytes(opened, text);
    OpenFromFileMenu();
    dialog = FindDialogTitled(config_.Pid(), "Select Registry File to Open", 15000);
    ASSERT_NE(dialog, nullptr);
    TypeText(opened);
    PressKey(VK_RETURN);
    ConfigViewsSnapshot views;
    ASSERT_TRUE(WaitFor([&] { return (views = config_.ReadViews()).Node({"Init Menu", "Opened"}) != nullptr; }, 15000));
    EXPECT_EQ(views.Node({"Init Menu", "Tools"}), nullptr);
    EXPECT_EQ(views.status, "Loaded Settings from \"" + opened + "\"");
    EXPECT_EQ(UserValues(std::string(kProduct) + "\\Init Menu\\Opened").count("Pad"), 1u);

    // A file that would write a run key is refused with a message.
    const std::string foreign = folder + "\\foreign.reg";
    WriteFileBytes(foreign, text + "\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                                   "\"Holm test\"=\"evil.exe\"\r\n");
    // Open's shortcut, Ctrl+F12, while the shell holds F11 for its Run dialog.
    ASSERT_TRUE(Held(0, VK_F11));
    SetForegroundWindow(config_.Form());
    PressKey(VK_F12, false, true);
    dialog = FindDialogTitled(config_.Pid(), "Select Registry File to Open", 15000);
    ASSERT_NE(dialog, nullptr);
    TypeText(foreign);
    PressKey(VK_RETURN);
    MessageBoxInfo box = WaitForMessageBox(config_.Pid(), 10000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_NE(box.text.find("outside HKEY_CURRENT_USER\\Software\\Tarvel\\Holm"), std::string::npos) << box.text;
    AnswerMessageBox(box.hwnd, IDOK);
    EXPECT_EQ(UserValues("Software\\Microsoft\\Windows\\CurrentVersion\\Run").count("Holm test"), 0u);
    EXPECT_NE(config_.ReadViews().Node({"Init Menu", "Opened"}), nullptr);
}

TEST_F(ConfigFormsTest, ACloakChosenAndEditedInTheChooserIsDrawnByTheShellAfterTheReload) {
    WriteDefaultCloak();
    CloakValues lagoon;
    lagoon.background = BinDir() + "\\testcloak-menubkgnd.bmp";
    lagoon.submenuIcon = BinDir() + "\\testcloak-defaultsubmenu.ico";
    lagoon.killCursor = BinDir() + "\\testcloak-killcursor.cur";
    lagoon.text = "255 255 0";
    lagoon.border = "0 255 255";
    lagoon.bold = 1;
    WriteCloakRecord("Lagoon", lagoon);
    StartBoth();
    HWND options = OpenDialog('O', "HOLM Configuration");
    ASSERT_NE(options, nullptr);
    // The chooser edits cloaks, so it is there only while cloaked menus are on.
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(options, kChooserButton)));
    ClickCenter(ControlRect(options, kUseCustomMenus));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, kChooserButton)));
    ClickCenter(ControlRect(options, kUseCustomMenus));
    ClickCenter(ControlRect(options, kChooserButton));
    HWND chooser = FindDialogTitled(config_.Pid(), "Cloak Chooser");
    ASSERT_NE(chooser, nullptr);
    RECT client = {};
    GetClientRect(chooser, &client);
    EXPECT_EQ(client.right, 615);
    EXPECT_EQ(client.bottom, 473);
    EXPECT_EQ(ControlText(chooser, kCloakName), "Default");

    // The second cloak of the list, then its border's red made 200.
    const RECT list = ControlRect(chooser, kCloakList);
    Click(list.left + 20, list.top + 8);
    PressKey(VK_DOWN);
    ASSERT_TRUE(WaitFor([&] { return ControlText(chooser, kCloakName) == "Lagoon"; }, 3000));
    ClickCenter(ControlRect(chooser, kBorderRadio));
    EXPECT_EQ(ControlText(chooser, kRedField), "0");
    ClickCenter(ControlRect(chooser, kRedField));
    PressKey(VK_END);
    PressKey(VK_BACK);
    TypeText("200");
    ClickCenter(ControlRect(chooser, kSaveCloak));
    ASSERT_TRUE(WaitFor([&] { return UserValues(kProduct).at("Cloak") == "Lagoon"; }, 3000));
    const auto saved = UserValues(std::string(kProduct) + "\\Cloaks\\Lagoon");
    EXPECT_EQ(saved.at("BorderAndSepColor"), "200 255 255");
    EXPECT_EQ(saved.at("TextColor"), "255 255 0");
    EXPECT_EQ(saved.at("BackgroundBitmap"), lagoon.background);
    SaveScreenshotIfAsked("holmcfg-cloak-chooser");

    // Export through its save dialog: the cloak file with its picture beside it.
    const std::string folder = FreshTempFolder("holm_chooser_e2e");
    ClickCenter(ControlRect(chooser, kExportCloak));
    HWND save = FindDialogTitled(config_.Pid(), "Export \"Lagoon\" Cloak to...", 15000);
    ASSERT_NE(save, nullptr);
    TypeText(folder + "\\lagoon.hc");
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return GetFileAttributesA((folder + "\\lagoon.hc").c_str()) != INVALID_FILE_ATTRIBUTES; },
                        5000));
    EXPECT_NE(GetFileAttributesA((folder + "\\testcloak-menubkgnd.bmp").c_str()), INVALID_FILE_ATTRIBUTES);

    // Delete "Default", keeping its files: the current cloak stays Lagoon.
    Click(list.left + 20, list.top + 8);
    ASSERT_TRUE(WaitFor([&] { return ControlText(chooser, kCloakName) == "Default"; }, 3000));
    ClickCenter(ControlRect(chooser, kDeleteCloak));
    HWND box = FindDialogTitled(config_.Pid(), "Delete cloak?");
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDYES);
    box = FindDialogTitled(config_.Pid(), "Deleting cloak:  Default");
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, IDNO);
    ASSERT_TRUE(WaitFor([&] { return UserValues(std::string(kProduct) + "\\Cloaks\\Default").empty(); }, 3000));
    EXPECT_EQ(UserValues(kProduct).at("Cloak"), "Lagoon");
    ClickCenter(ControlRect(chooser, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(chooser); }, 5000));
    ClickCenter(ControlRect(options, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(options); }, 5000));

    QuitConfig();
    MenuSnapshot menu = ClickForMenu(shell_, 500, 400);
    ASSERT_TRUE(menu.cloaked);
    EXPECT_TRUE(WaitFor([&] { return CaptureScreen(menu.rect).At(0, 5) == Rgb(200, 255, 255); }, 3000))
        << std::hex << CaptureScreen(menu.rect).At(0, 5);
}

TEST_F(ConfigFormsTest, SavesTheRegistryRefusesAreShownAndTheDialogsStayOpen) {
    WriteUserDword(kHotkeys, "Run", 0);
    // Everyone may read the key, nobody may change it.
    const auto protect = [&](const char* path, const char* sddl) {
        PSECURITY_DESCRIPTOR sd = nullptr;
        HKEY key = nullptr;
        bool done = ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr) &&
                    RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, WRITE_DAC, &key) == ERROR_SUCCESS &&
                    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
        if (key) RegCloseKey(key);
        LocalFree(sd);
        return done;
    };
    ASSERT_TRUE(config_.Start());
    ASSERT_TRUE(config_.WaitShown());
    const struct {
        const char* key;
        WORD command;
        const char* caption;
        const char* says;
    } forms[] = {{kHotkeys, 'H', "Configure Special Hotkeys", "The hotkeys could not be written"},
                 {kProduct, 'O', "HOLM Configuration", "The options could not be written"}};
    for (const auto& form : forms) {
        ASSERT_TRUE(protect(form.key, "D:P(A;;KRWDSD;;;WD)"));
        const HWND dialog = OpenDialog(form.command, form.caption);
        if (dialog) PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        const HWND box = dialog ? FindDialogTitled(config_.Pid(), "Setwise for HOLM v1.0: Error!") : nullptr;
        protect(form.key, "D:P(A;;KA;;;WD)");
        ASSERT_NE(box, nullptr) << form.caption;
        EXPECT_NE(ControlText(box, 0xFFFF).find(form.says), std::string::npos);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
        EXPECT_TRUE(IsWindow(dialog)) << form.caption;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, 5000));
    }

    // The cloak chooser's OK after a Save it refused (a name with a backslash).
    const HWND options = OpenDialog('O', "HOLM Configuration");
    ASSERT_NE(options, nullptr);
    PostMessageA(options, WM_COMMAND, 1311 /* the chooser's button */, 0);
    const HWND chooser = FindDialogTitled(config_.Pid(), "Cloak Chooser");
    ASSERT_NE(chooser, nullptr);
    SetDlgItemTextA(chooser, 1401 /* the cloak's name */, "a\\b");
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    const HWND refused = FindDialogTitled(config_.Pid(), "Setwise Error!");
    ASSERT_NE(refused, nullptr);
    PostMessageA(refused, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(refused); }, 5000));
    EXPECT_TRUE(IsWindow(chooser));
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
}
