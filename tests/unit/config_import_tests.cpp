// The Start Menu import with shortcut files made through the system's own
// shell link object: folders become groups, the startup folder the startup
// group, Quick Launch and its siblings top-level groups; a broken shortcut
// is skipped and reported.
#include <gtest/gtest.h>
#include <windows.h>
#include <objbase.h>

#include "RegUnit.h"
#include "config_support.h"
#include "group_keys.h"
#include "holm_names.h"
#include "shell_driver.h"
#include "shortcut_reader.h"
#include "start_menu_import.h"
#include "view_rows.h"

using namespace setwise;
using namespace holmtest;

namespace {

constexpr const char* kMenu = holm::kInitMenuKey;
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMapGroups[] = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";

std::vector<std::string> g_skipped;
void Skipped(const std::string& file, const std::string&) { g_skipped.push_back(file); }
// Whether the tree's window took input while the import showed its progress.
bool g_windowTookInput = false;
void Showing(const std::string&) {
    g_windowTookInput = g_windowTookInput || IsWindowEnabled(GetAncestor(TreeView(), GA_ROOT));
}

class ConfigImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ResetHolmRegistry();
        WriteUserDword(holm::kOptionsKey, "TrayVisible", 1);
        WriteUserDword(kMenu, "unused", 0);
        RecordMessages(IDOK);
        AttachViews(views_.Tree(), views_.List());
        ResetTree();
        savedFolders_ = UserValues(kShellFolders);
        savedMapGroups_ = UserValues(kMapGroups);
        g_skipped.clear();
        ImportProgress progress;
        progress.skipped = Skipped;
        progress.showing = Showing;
        g_windowTookInput = false;
        SetImportProgress(progress);
        root_ = FreshTempFolder("holm_import_test");
        notepad_ = root_ + "\\Program Files\\notepad.exe";
        MakeFolders(root_ + "\\Program Files");
        WriteFileBytes(notepad_, "MZ");
    }
    void TearDown() override {
        for (const char* name : {"Start Menu", "Startup"})
            if (savedFolders_.count(name)) WriteUserString(kShellFolders, name, savedFolders_.at(name));
        DeleteUserTree(kMapGroups);
        for (const auto& v : savedMapGroups_) WriteUserString(kMapGroups, v.first.c_str(), v.second);
        SetImportProgress(ImportProgress());
        ResetHolmRegistry();
        CoUninitialize();
    }
    std::map<std::string, std::string> Values(const std::string& group) {
        return UserValues(std::string(kMenu) + group);
    }
    HTREEITEM Node(const std::vector<std::string>& path) {
        HTREEITEM node = RootNode();
        for (const std::string& name : path) node = node ? FindChildNode(views_.Tree(), node, name) : nullptr;
        return node;
    }
    LinkFields Link(const std::string& description, const std::string& arguments = "") {
        LinkFields fields;
        fields.target = notepad_;
        fields.arguments = arguments;
        fields.workingDirectory = root_;
        fields.description = description;
        return fields;
    }

    ConfigViews views_;
    std::string root_, notepad_;
    std::map<std::string, std::string> savedFolders_, savedMapGroups_;
};

}  // namespace

TEST_F(ConfigImportTest, TheReaderGivesEveryFieldOfALink) {
    LinkFields fields = Link("Writer", "-x file.txt");
    fields.showCommand = SW_SHOWMAXIMIZED;
    fields.hotkey = MAKEWORD('W', HOTKEYF_CONTROL | HOTKEYF_ALT);
    const std::string file = root_ + "\\w.lnk";
    ASSERT_TRUE(MakeShortcut(file, fields));
    const std::optional<Shortcut> link = ReadShortcut(file);
    ASSERT_TRUE(link.has_value());
    EXPECT_EQ(link->description, "Writer");
    EXPECT_EQ(link->arguments, "-x file.txt");
    EXPECT_EQ(link->workingDirectory, root_);
    EXPECT_EQ(link->showCommand, SW_SHOWMAXIMIZED);
    EXPECT_EQ(link->hotkey, fields.hotkey);
    EXPECT_TRUE(lstrcmpiA(link->path.c_str(), notepad_.c_str()) == 0) << link->path;
    EXPECT_EQ(TargetWithArguments(*link), "\"" + link->path + "\" -x file.txt");
    WriteFileBytes(root_ + "\\broken.lnk", "this is no shortcut");
    EXPECT_FALSE(ReadShortcut(root_ + "\\broken.lnk").has_value());
    EXPECT_FALSE(ReadShortcut(root_ + "\\missing.lnk").has_value());
}

TEST_F(ConfigImportTest, TheStartMenuBecomesGroupsAndItems) {
    const std::string menu = root_ + "\\Start Menu";
    ASSERT_TRUE(MakeShortcut(menu + "\\Programs\\Accessories\\Pad.lnk", Link("Notepad")));
    ASSERT_TRUE(MakeShortcut(menu + "\\Programs\\Games\\b.lnk", Link("Same", "second")));
    ASSERT_TRUE(MakeShortcut(menu + "\\Programs\\Games\\a.lnk", Link("Same", "first")));
    LinkFields minimized = Link("");
    minimized.showCommand = SW_SHOWMINNOACTIVE;
    ASSERT_TRUE(MakeShortcut(menu + "\\Programs\\Games\\No Description.lnk", minimized));
    LinkFields odd = Link("Odd show");
    odd.showCommand = SW_SHOWMINIMIZED;
    ASSERT_TRUE(MakeShortcut(menu + "\\Programs\\Games\\odd.lnk", odd));
    ASSERT_TRUE(MakeShortcut(menu + "\\Programs\\Startup\\Boot.lnk", Link("Boot")));
    ASSERT_TRUE(MakeShortcut(menu + "\\.hidden\\h.lnk", Link("Hidden")));
    WriteFileBytes(menu + "\\Programs\\Accessories\\Broken.lnk", "garbage");
    WriteUserString(kShellFolders, "Start Menu", menu);
    WriteUserString(kShellFolders, "Startup", menu + "\\Programs\\Startup");

    const std::string folder = StartMenuFolder(false);
    EXPECT_EQ(folder, menu);
    EXPECT_GT(ImportFolder(RootNode(), folder), 0);
    EXPECT_FALSE(g_windowTookInput);
    EXPECT_TRUE(IsWindowEnabled(GetAncestor(views_.Tree(), GA_ROOT)));

    const auto accessories = Values("\\Programs\\Accessories");
    ASSERT_EQ(accessories.size(), 1u);  // the broken shortcut is skipped
    // No arguments: the target still ends in a blank.
    EXPECT_EQ(accessories.at("Notepad"), "\"" + notepad_ + "\" |" + root_ + "|0|");
    ASSERT_EQ(g_skipped.size(), 1u);
    EXPECT_EQ(g_skipped[0], menu + "\\Programs\\Accessories\\Broken.lnk");

    const auto games = Values("\\Programs\\Games");
    EXPECT_EQ(games.at("Same"), "\"" + notepad_ + "\" second|" + root_ + "|0|");  // b.lnk sorts last
    EXPECT_EQ(games.at("No Description"), "\"" + notepad_ + "\" |" + root_ + "|1|");
    EXPECT_EQ(games.at("Odd show"), "\"" + notepad_ + "\" |" + root_ + "|0|");
    EXPECT_TRUE(Values("\\.hidden").empty());

    EXPECT_EQ(StartupGroupName(), "Startup");
    EXPECT_EQ(ReadProductText("StartupGroupName"), "Startup");
    ASSERT_NE(Node({"Programs", "Startup"}), nullptr);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"Programs", "Startup"})), kImageStartup);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"Programs", "Games"})), kImageGroup);

    // A second import below a group reuses the groups that exist.
    ImportFolder(RootNode(), folder);
    EXPECT_EQ(ChildNodes(views_.Tree(), Node({"Programs"})).size(), 3u);
}

TEST_F(ConfigImportTest, QuickLaunchAndItsSiblingsBecomeTopLevelGroups) {
    const std::string parent = root_ + "\\QL";
    ASSERT_TRUE(MakeShortcut(parent + "\\Quick Launch\\q.lnk", Link("Quick")));
    ASSERT_TRUE(MakeShortcut(parent + "\\Sibling\\s.lnk", Link("Sib")));
    ASSERT_TRUE(MakeShortcut(parent + "\\direct.lnk", Link("Direct")));
    WriteUserString(kMapGroups, "Quick Launch", parent + "\\Quick Launch");
    WriteUserString(holm::kOptionsKey, "StartupGroupName", "Other");
    StartMenuFolder(false);  // a startup folder of the user's menu is set
    const std::string folder = QuickLaunchFolder();
    EXPECT_EQ(folder, parent);
    ImportFolder(RootNode(), folder);
    EXPECT_EQ(Values("\\Quick Launch").count("Quick"), 1u);
    EXPECT_EQ(Values("\\Sibling").count("Sib"), 1u);
    EXPECT_EQ(Values("").count("Direct"), 1u);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"Quick Launch"})), kImageGroup);
    EXPECT_EQ(ReadProductText("StartupGroupName"), "Other");  // never the startup group
}

TEST_F(ConfigImportTest, ShortcutsTheMenuCouldNotReadBackAreReportedNotWritten) {
    const std::string menu = root_ + "\\Start Menu";
    // A bar in the arguments would start the folder, show and hotkey fields.
    ASSERT_TRUE(MakeShortcut(menu + "\\Bar.lnk", Link("Bar", "a|c:\\|3|Z")));
    LinkFields folder = Link("Folder");
    folder.workingDirectory = "c:\\x|1|q";
    ASSERT_TRUE(MakeShortcut(menu + "\\Folder.lnk", folder));
    LinkFields longer = Link("Long", std::string(250, 'a'));
    longer.workingDirectory = "c:\\" + std::string(250, 'w');
    ASSERT_TRUE(MakeShortcut(menu + "\\Long.lnk", longer));
    ASSERT_TRUE(MakeShortcut(menu + "\\Fine.lnk", Link("Fine", "-x")));
    EXPECT_EQ(ImportFolder(RootNode(), menu), 1);
    EXPECT_EQ(Values("").count("Fine"), 1u);
    EXPECT_EQ(Values("").count("Bar") + Values("").count("Folder") + Values("").count("Long"), 0u);
    EXPECT_EQ(g_skipped, (std::vector<std::string>{menu + "\\Bar.lnk", menu + "\\Folder.lnk", menu + "\\Long.lnk"}));
}
