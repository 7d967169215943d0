// The real HolmCfg.exe driven with real keyboard and mouse input: the first
// run on an empty configuration, a group and an item added with the editor
// and seen in the running shell's Init Menu after Save, a group renamed in
// place, a row dragged onto another group, shortcut files dropped on the
// window, and the exit that writes nothing.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include <algorithm>

#include "config_driver.h"
#include "config_support.h"
#include "holm_names.h"
#include "shell_driver.h"

using namespace holmtest;

namespace {

constexpr const char* kProduct = holm::kOptionsKey;
constexpr const char* kMenu = holm::kInitMenuKey;
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMapGroups[] = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";
const char kConfigAppDefaults[] = "Software\\Wine\\AppDefaults\\HolmCfg.exe";
constexpr int kMiddleButtonBox = 1321;
constexpr int kEditName = 1003, kEditTarget = 1004, kShortcutKey = 1007;

class ConfigProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        KillStrayShells();
        ResetHolmRegistry();
        savedFolders_ = UserValues(kShellFolders);
        savedMapGroups_ = UserValues(kMapGroups);
        DeleteUserTree(kMapGroups);
        startMenu_ = FreshTempFolder("holm_cfg_start_menu");
        WriteUserString(kShellFolders, "Start Menu", startMenu_);
        files_ = FreshTempFolder("holm_cfg_files");
    }
    void TearDown() override {
        if (savedFolders_.count("Start Menu")) WriteUserString(kShellFolders, "Start Menu", savedFolders_.at("Start Menu"));
        for (const auto& v : savedMapGroups_) WriteUserString(kMapGroups, v.first.c_str(), v.second);
        KillStrayShells();
        DeleteUserTree(kConfigAppDefaults);
        ResetHolmRegistry();
        CoUninitialize();
    }
    // A configuration with options stored, so that no first run happens.
    void WriteInstalledConfiguration() {
        WriteMinimalConfiguration();
        WriteUserDword(kProduct, "TrayVisible", 1);
    }
    std::map<std::string, std::string> Values(const std::string& group) { return UserValues(kMenu + group); }
    ConfigViewsSnapshot WaitViews(const std::function<bool(const ConfigViewsSnapshot&)>& done) {
        ConfigViewsSnapshot views;
        WaitFor([&] { return done(views = config_.ReadViews()); }, 5000, 100);
        return views;
    }
    void ClickNode(const std::vector<std::string>& path, bool right = false) {
        const ConfigViewsSnapshot views = config_.ReadViews();
        const TreeNodeView* node = views.Node(path);
        ASSERT_NE(node, nullptr) << path.back();
        ClickCenter(node->rect, right);
    }
    void StartConfig() {
        ASSERT_TRUE(config_.Start());
        ASSERT_TRUE(config_.WaitShown());
        SetForegroundWindow(config_.Form());
    }
    // A point in the item list below its rows.
    POINT EmptyListPoint() {
        RECT rc = {};
        GetWindowRect(config_.Form(), &rc);
        return POINT{rc.right - 80, rc.bottom - 60};
    }
    std::string MakeProgramFile(const std::string& name) {
        const std::string path = files_ + "\\" + name;
        WriteFileBytes(path, "MZ");
        return path;
    }

    ConfigProgram config_;
    std::string startMenu_, files_;
    std::map<std::string, std::string> savedFolders_, savedMapGroups_;
};

}  // namespace

TEST_F(ConfigProgramTest, TheFirstRunGreetsImportsAndCreatesTheDefaults) {
    LinkFields link;
    link.target = MakeProgramFile("pad.exe");
    link.description = "Pad";
    ASSERT_TRUE(MakeShortcut(startMenu_ + "\\Programs\\Tools\\Pad.lnk", link));
    ASSERT_TRUE(config_.Start());
    MessageBoxInfo box = WaitForMessageBox(config_.Pid(), 15000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "Setwise for HOLM v1.0: Welcome!");
    EXPECT_EQ(box.text, "New Installation of HOLM Detected, creating default menu, Please Wait while your Start Menu is imported");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000));
    box = WaitForMessageBox(config_.Pid(), 15000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "Holm Configuration");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(config_.WaitShown());

    const ConfigViewsSnapshot views = config_.ReadViews();
    ASSERT_NE(views.Node({"Init Menu"}), nullptr);
    EXPECT_EQ(views.Node({"Init Menu"})->image, 2);
    EXPECT_NE(views.Node({"Init Menu", "Programs"}), nullptr);
    EXPECT_EQ(views.RowNames(),
              (std::vector<std::string>{"Desktop", "Dial-up Networking", "My Computer", "Network Neighborhood"}));
    EXPECT_EQ(views.Row("My Computer")->columns[1], "My Computer");
    EXPECT_EQ(views.Row("My Computer")->image, 1);
    EXPECT_EQ(Values("\\Programs\\Tools").count("Pad"), 1u);

    // Quit stores the options, which ends the first-run state.
    SetForegroundWindow(config_.Form());
    PressKey('Q', false, true);
    ASSERT_TRUE(config_.WaitExit());
    const auto product = UserValues(kProduct);
    for (const char* name : {"LCancelStr", "TrayVisible", "ShowNoTitleWindows", "Top", "NameWidth", "AutoSize"})
        EXPECT_EQ(product.count(name), 1u) << name;
    // The first run's settings of the option forms, on Windows NT.
    EXPECT_EQ(product.at("RunStartupGroupByDefault"), "0");
    EXPECT_EQ(product.at("MiddleButtonAsDblClick"), "1");
    EXPECT_EQ(product.at("UseCustomMenus"), "1");
    EXPECT_EQ(product.at("ReverseRightAndLeftButtons"), "0");
    EXPECT_EQ(product.at("HideMinimized"), "0");
    const auto hotkeys = UserValues(std::string(kProduct) + "\\Special HotKeys");
    EXPECT_EQ(hotkeys.at("Init Menu"), "8219");
    EXPECT_EQ(hotkeys.at("Window List"), "16411");  // Control+Escape
    HKEY type = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, "hcfile\\Shell\\Install\\command", 0, KEY_READ, &type), ERROR_SUCCESS);
    if (type) RegCloseKey(type);
}

TEST_F(ConfigProgramTest, OnWindows95TheFirstRunKeepsTheMiddleButtonOptionAndTheMenuDisablesIt) {
    WriteUserString(kConfigAppDefaults, "Version", "win95");
    ASSERT_TRUE(config_.Start());
    for (int shown = 0; shown < 2; ++shown) {  // the welcome, then the defaults created
        const MessageBoxInfo box = WaitForMessageBox(config_.Pid(), 15000);
        ASSERT_NE(box.hwnd, nullptr);
        AnswerMessageBox(box.hwnd, IDOK);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000));
    }
    ASSERT_TRUE(config_.WaitShown());
    SetForegroundWindow(config_.Form());
    PressKey('O', false, true);  // "&HOLM Options...", Ctrl+O
    const HWND options = FindDialogTitled(config_.Pid(), "HOLM Configuration");
    ASSERT_NE(options, nullptr);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(options, kMiddleButtonBox)));
    EXPECT_EQ(SendMessageA(GetDlgItem(options, kMiddleButtonBox), BM_GETCHECK, 0, 0), BST_CHECKED);
    PostMessageA(options, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(options); }, 5000));
    SetForegroundWindow(config_.Form());
    PressKey('Q', false, true);
    ASSERT_TRUE(config_.WaitExit());
    EXPECT_EQ(UserValues(kProduct).at("MiddleButtonAsDblClick"), "1");
}

TEST_F(ConfigProgramTest, AGroupAndAnItemMadeWithTheEditorReachTheShellsMenu) {
    WriteInstalledConfiguration();
    ShellProcess shell;
    ASSERT_TRUE(shell.Start());
    ASSERT_TRUE(shell.WaitReady());
    StartConfig();

    // The tree side: New Item makes a group whose label is open for its name.
    ClickNode({"Init Menu"});
    PressKey('A', false, true);
    ConfigViewsSnapshot views = WaitViews([](const ConfigViewsSnapshot& v) { return v.editingLabel; });
    ASSERT_TRUE(views.editingLabel);
    ASSERT_NE(views.Node({"Init Menu", "Blank Folder"}), nullptr);
    TypeText("Tools");
    PressKey(VK_RETURN);
    views = WaitViews([](const ConfigViewsSnapshot& v) { return v.Node({"Init Menu", "Tools"}) != nullptr; });
    ASSERT_NE(views.Node({"Init Menu", "Tools"}), nullptr);
    EXPECT_TRUE(views.Node({"Init Menu", "Tools"})->selected);
    std::vector<std::string> groups = DumpUserTree(kMenu);
    EXPECT_EQ(groups, std::vector<std::string>{"Tools"});

    // The list side: New Item opens the editor.
    const POINT list = EmptyListPoint();
    Click(list.x, list.y);
    Sleep(300);  // the list is the active side once it has taken the focus
    PressKey('A', false, true);
    HWND editor = FindDialogTitled(config_.Pid(), "Add Item");
    ASSERT_NE(editor, nullptr);
    ClickCenter(ControlRect(editor, kEditName));
    TypeText("Pad");
    ClickCenter(ControlRect(editor, kEditTarget));
    TypeText("notepad.exe");
    // Shift alone is no allowed modifier set: the key becomes Ctrl+Alt+K.
    ClickCenter(ControlRect(editor, kShortcutKey));
    PressKey('K', true);
    ClickCenter(ControlRect(editor, IDOK));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); }, 5000));
    views = WaitViews([](const ConfigViewsSnapshot& v) { return v.Row("Pad") != nullptr; });
    ASSERT_NE(views.Row("Pad"), nullptr);
    EXPECT_EQ(views.Row("Pad")->columns[1], "Shortcut");
    EXPECT_EQ(views.Row("Pad")->columns[2], "notepad.exe");
    EXPECT_EQ(views.Row("Pad")->columns[4], "Ctrl+Alt+K");
    EXPECT_EQ(views.Row("Pad")->columns[5], "Normal");
    EXPECT_EQ(Values("\\Tools"), (std::map<std::string, std::string>{{"Pad", "notepad.exe||0|k"}}));

    // Save asks the running shell to reload; its menu shows the new item.
    PressKey('S', false, true);
    Sleep(1500);
    Click(100, 100);
    MenuSnapshot menu = WaitForMenu(shell);
    ASSERT_TRUE(menu.open);
    const std::vector<MenuEntry> tools = MenuLevel(menu, {"Tools"});
    const bool hasPad = std::any_of(tools.begin(), tools.end(), [](const MenuEntry& e) {
        return e.text.find("Pad") != std::string::npos;
    });
    EXPECT_TRUE(hasPad);
    DismissMenus(shell.Pid());
    EXPECT_TRUE(shell.Stop());
}

TEST_F(ConfigProgramTest, AGroupIsRenamedInPlace) {
    WriteInstalledConfiguration();
    WriteUserString((std::string(kMenu) + "\\Old").c_str(), "Item", "item.exe||0|");
    WriteUserString((std::string(kMenu) + "\\Old\\Inner").c_str(), "Deep", "deep.exe||0|");
    StartConfig();
    ClickNode({"Init Menu", "Old"});
    ClickNode({"Init Menu", "Old"}, true);
    ASSERT_TRUE(WaitForPopupMenu(config_.Pid()));
    PressKey('E');  // "&Edit Name"
    ConfigViewsSnapshot views = WaitViews([](const ConfigViewsSnapshot& v) { return v.editingLabel; });
    ASSERT_TRUE(views.editingLabel);
    TypeText("Renamed");
    PressKey(VK_RETURN);
    views = WaitViews([](const ConfigViewsSnapshot& v) { return v.Node({"Init Menu", "Renamed"}) != nullptr; });
    EXPECT_NE(views.Node({"Init Menu", "Renamed"}), nullptr);
    EXPECT_EQ(views.Node({"Init Menu", "Old"}), nullptr);
    EXPECT_EQ(Values("\\Renamed"), (std::map<std::string, std::string>{{"Item", "item.exe||0|"}}));
    EXPECT_EQ(Values("\\Renamed\\Inner").count("Deep"), 1u);
    EXPECT_TRUE(DumpUserTree(std::string(kMenu) + "\\Old").empty());

    // A click on the selected group opens its label as well.
    ClickNode({"Init Menu", "Renamed"});
    views = WaitViews([](const ConfigViewsSnapshot& v) { return v.editingLabel; });
    EXPECT_TRUE(views.editingLabel);
    PressKey(VK_ESCAPE);
}

TEST_F(ConfigProgramTest, ARowDraggedWithTheRightButtonMovesToAnotherGroup) {
    WriteInstalledConfiguration();
    WriteUserString((std::string(kMenu) + "\\From").c_str(), "Mover", "m.exe||0|");
    WriteUserString((std::string(kMenu) + "\\From").c_str(), "Stayer", "s.exe||1|");
    WriteUserString((std::string(kMenu) + "\\To").c_str(), "Resident", "r.exe||0|");
    StartConfig();
    ClickNode({"Init Menu", "From"});
    ConfigViewsSnapshot views = WaitViews([](const ConfigViewsSnapshot& v) { return v.Row("Mover") != nullptr; });
    ASSERT_NE(views.Row("Mover"), nullptr);
    ClickCenter(views.Row("Mover")->rect);
    const POINT from = CenterOf(views.Row("Mover")->rect);
    const POINT to = CenterOf(views.Node({"Init Menu", "To"})->rect);
    MoveMouse(from.x, from.y);
    MouseButton(from.x, from.y, true, true);
    for (int step = 1; step <= 10; ++step)
        MoveMouse(from.x + (to.x - from.x) * step / 10, from.y + (to.y - from.y) * step / 10);
    MouseButton(to.x, to.y, true, false);
    ASSERT_TRUE(WaitForPopupMenu(config_.Pid()));
    PressKey(VK_DOWN);  // "Move Here"
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return Values("\\To").count("Mover") == 1; }, 5000));
    EXPECT_EQ(Values("\\To"), (std::map<std::string, std::string>{{"Mover", "m.exe||0|"}, {"Resident", "r.exe||0|"}}));
    EXPECT_EQ(Values("\\From"), (std::map<std::string, std::string>{{"Stayer", "s.exe||1|"}}));
    views = config_.ReadViews();
    EXPECT_EQ(views.RowNames(), std::vector<std::string>{"Stayer"});
}

TEST_F(ConfigProgramTest, FilesDroppedOnTheWindowBecomeItems) {
    WriteInstalledConfiguration();
    StartConfig();
    LinkFields fields;
    fields.target = MakeProgramFile("big tool.exe");
    fields.arguments = "-lost";
    fields.workingDirectory = files_;
    fields.description = "Dropped";
    fields.showCommand = SW_SHOWMAXIMIZED;
    const std::string link = files_ + "\\dropped.lnk";
    ASSERT_TRUE(MakeShortcut(link, fields));
    const std::string broken = files_ + "\\broken.lnk";
    WriteFileBytes(broken, "not a shortcut");
    // A bar in a field would give the item fields of its own.
    fields.description = "Barred";
    fields.workingDirectory = files_ + "|3|Z";
    const std::string barred = files_ + "\\barred.lnk";
    ASSERT_TRUE(MakeShortcut(barred, fields));
    const std::string plain = MakeProgramFile("plain.exe");
    ASSERT_TRUE(config_.DropFiles({link, link, broken, barred, plain}, EmptyListPoint()));
    const MessageBoxInfo box = WaitForMessageBox(config_.Pid(), 10000);
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_NE(box.text.find("broken.lnk"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("barred.lnk"), std::string::npos) << box.text;
    AnswerMessageBox(box.hwnd, IDOK);
    const ConfigViewsSnapshot views =
        WaitViews([](const ConfigViewsSnapshot& v) { return v.Row("plain") != nullptr; });
    EXPECT_EQ(views.RowNames(), (std::vector<std::string>{"Dropped", "Dropped_", "plain"}));
    const auto values = Values("");
    ASSERT_EQ(values.count("Dropped"), 1u);
    const std::string text = values.at("Dropped");
    // The link's arguments are not taken; a path with a blank is quoted.
    EXPECT_EQ(text.substr(0, 1), "\"");
    EXPECT_NE(text.find("big tool.exe\"|" + files_ + "|2|"), std::string::npos) << text;
    EXPECT_EQ(values.at("plain"), plain + "|" + files_ + "\\|0|");
    EXPECT_EQ(values.count("Dropped_"), 1u);
}

TEST_F(ConfigProgramTest, ExitWithoutUpdatingWritesNothing) {
    WriteInstalledConfiguration();
    const std::vector<std::string> before = DumpUserTree(holm::kVendorKey);
    StartConfig();
    PressKey('X', false, true);
    ASSERT_TRUE(config_.WaitExit());
    EXPECT_EQ(DumpUserTree(holm::kVendorKey), before);

    // The ordinary quit does write: the window's place and the list's widths.
    ConfigProgram again;
    ASSERT_TRUE(again.Start());
    ASSERT_TRUE(again.WaitShown());
    SetForegroundWindow(again.Form());
    PressKey('Q', false, true);
    ASSERT_TRUE(again.WaitExit());
    EXPECT_EQ(UserValues(kProduct).count("Top"), 1u);
    EXPECT_EQ(UserValues(kProduct).count("TreeWidth"), 1u);

}

TEST_F(ConfigProgramTest, AltF4ClosesTheWindowWhileTheTreeHasTheFocus) {
    WriteInstalledConfiguration();
    StartConfig();
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof(gui);
    char focused[32] = "";
    ASSERT_TRUE(WaitFor([&] {
        return GetGUIThreadInfo(GetWindowThreadProcessId(config_.Form(), nullptr), &gui) &&
               GetClassNameA(gui.hwndFocus, focused, sizeof(focused)) && lstrcmpiA(focused, "SysTreeView32") == 0;
    }, 5000)) << "the focus is in " << focused;
    PressKey(VK_F4, false, false, true);
    EXPECT_TRUE(config_.WaitExit(5000));
}

TEST_F(ConfigProgramTest, TheEditorRefusesANameInUseAndAppliesARename) {
    WriteInstalledConfiguration();
    WriteUserString(kMenu, "Alpha", "alpha.exe|c:\\|2|a");
    WriteUserString(kMenu, "Beta", "beta.exe||0|");
    StartConfig();
    ConfigViewsSnapshot views = config_.ReadViews();
    ASSERT_NE(views.Row("Alpha"), nullptr);
    ClickCenter(views.Row("Alpha")->rect);
    PressKey(VK_RETURN);  // Properties
    HWND editor = FindDialogTitled(config_.Pid(), "Add Item");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(ControlText(editor, kEditName), "Alpha");
    EXPECT_EQ(ControlText(editor, kEditTarget), "alpha.exe");
    ClickCenter(ControlRect(editor, kEditName));
    PressKey(VK_END);
    PressKey(VK_HOME, true);
    TypeText("BETA");
    ClickCenter(ControlRect(editor, IDOK));
    MessageBoxInfo box = WaitForMessageBox(config_.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "Setwise Error!");
    EXPECT_EQ(box.text, "Name Conflict! Please type in a different item name.");
    AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box.hwnd); }, 5000));
    EXPECT_TRUE(IsWindow(editor));
    EXPECT_EQ(Values("").size(), 2u);

    // Apply with a free name renames the item and keeps everything else.
    ClickCenter(ControlRect(editor, kEditName));
    PressKey(VK_END);
    PressKey(VK_HOME, true);
    TypeText("Gamma");
    ClickCenter(ControlRect(editor, 1019));  // "&Apply"
    ASSERT_TRUE(WaitFor([&] { return Values("").count("Gamma") == 1; }, 5000));
    EXPECT_EQ(Values(""), (std::map<std::string, std::string>{{"Gamma", "alpha.exe|c:\\|2|a"}, {"Beta", "beta.exe||0|"}}));
    ClickCenter(ControlRect(editor, IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(editor); }, 5000));
    views = config_.ReadViews();
    EXPECT_EQ(views.RowNames(), (std::vector<std::string>{"Gamma", "Beta"}));  // edited in its place
}

TEST_F(ConfigProgramTest, TheStartMenuIsImportedBelowTheSelectedGroup) {
    WriteInstalledConfiguration();
    WriteUserString((std::string(kMenu) + "\\Imported").c_str(), "Kept", "kept.exe||0|");
    LinkFields link;
    link.target = MakeProgramFile("tool.exe");
    link.description = "Tool";
    ASSERT_TRUE(MakeShortcut(startMenu_ + "\\Programs\\Tools\\tool.lnk", link));
    WriteFileBytes(startMenu_ + "\\Programs\\Tools\\broken.lnk", "not a shortcut");
    StartConfig();
    ClickNode({"Init Menu", "Imported"});
    // The list was used last; the tree's popup makes the tree the active side.
    const POINT list = EmptyListPoint();
    Click(list.x, list.y);
    ClickNode({"Init Menu", "Imported"}, true);
    ASSERT_TRUE(WaitForPopupMenu(config_.Pid()));
    PressKey('I');  // "&Import Start Menu Here..."
    ASSERT_TRUE(WaitFor([&] { return Values("\\Imported\\Programs\\Tools").count("Tool") == 1; }, 10000));
    const ConfigViewsSnapshot views = WaitViews([](const ConfigViewsSnapshot& v) {
        return v.Node({"Init Menu", "Imported", "Programs", "Tools"}) != nullptr;
    });
    EXPECT_NE(views.Node({"Init Menu", "Imported", "Programs", "Tools"}), nullptr);
    EXPECT_EQ(views.RowNames(), std::vector<std::string>{"Kept"});
    EXPECT_NE(views.status.find("broken.lnk"), std::string::npos) << views.status;
    EXPECT_EQ(Values("\\Imported\\Programs\\Tools").size(), 1u);
}

TEST_F(ConfigProgramTest, TheDeleteKeyRemovesTheSelectedRowsAfterAsking) {
    WriteInstalledConfiguration();
    WriteUserString(kMenu, "Gone", "gone.exe||0|");
    WriteUserString(kMenu, "Stays", "stays.exe||0|");
    StartConfig();
    const ConfigViewsSnapshot views = config_.ReadViews();
    ASSERT_NE(views.Row("Gone"), nullptr);
    ClickCenter(views.Row("Gone")->rect);
    PressKey(VK_DELETE);
    MessageBoxInfo box = WaitForMessageBox(config_.Pid());
    ASSERT_NE(box.hwnd, nullptr);
    EXPECT_EQ(box.caption, "Setwise for HOLM v1.0: Warning");
    EXPECT_EQ(box.text, "Are you sure you want to delete this item(s).");
    AnswerMessageBox(box.hwnd, IDYES);
    ASSERT_TRUE(WaitFor([&] { return Values("").count("Gone") == 0; }, 5000));
    EXPECT_EQ(Values(""), (std::map<std::string, std::string>{{"Stays", "stays.exe||0|"}}));
    EXPECT_EQ(config_.ReadViews().RowNames(), std::vector<std::string>{"Stays"});
}
