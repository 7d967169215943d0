// The configuration program's menu tree model against the real registry and
// real tree and list views: item kinds and hotkeys both ways, loss-free
// group saves, groups renamed, merged, copied, moved and deleted, and the
// values a first run writes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <set>

#include "RegUnit.h"
#include "config_support.h"
#include "group_keys.h"
#include "holm_names.h"
#include "item_row.h"
#include "shell_driver.h"
#include "view_rows.h"
#include "view_settings.h"

using namespace setwise;
using namespace holmtest;

namespace {

constexpr const char* kMenu = holm::kInitMenuKey;

// Canonical texts of every kind the program writes.
const NamedText kEveryKind[] = {
    {"Editor", "notepad.exe|c:\\temp|0|n"},
    {"Small", "\"c:\\program files\\x.exe\" -a|c:\\|1|N"},
    {"Big", "calc.exe||2|"},
    {"Watch", "***HOLM Special: MonitorRegSpecifiedPath: Software\\Paths\\Inbox"},
    {"Computer", "explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}||0|q"},
    {"Desk", "explorer /root,,||0|"},
    {"Dial", "explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{992CFFA0-F557-101A-88EC-00DD010CCC48}||0|"},
    {"Net", "explorer /root,::{208D2C60-3AEA-1069-A2D7-08002B30309D}||0|Z"},
    {"Drive D", "explorer d:\\||0|d"},
};

class ConfigModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetHolmRegistry();
        WriteUserDword(holm::kOptionsKey, "TrayVisible", 1);
        WriteUserString(kMenu, "Root item", "notepad||0|");
        RecordMessages(IDYES);
        AttachViews(views_.Tree(), views_.List());
        ResetTree();
    }
    void TearDown() override { ResetHolmRegistry(); }

    HTREEITEM Node(const std::vector<std::string>& path) {
        HTREEITEM node = RootNode();
        for (const std::string& name : path) node = node ? FindChildNode(views_.Tree(), node, name) : nullptr;
        return node;
    }
    void Show(const std::vector<std::string>& path) { ShowGroup(Node(path)); }
    void SelectRowsNamed(const std::set<std::string>& names) {
        for (int i = 0; i < RowCount(views_.List()); ++i)
            ListView_SetItemState(views_.List(), i, names.count(ReadRow(views_.List(), i).name) ? LVIS_SELECTED : 0,
                                  LVIS_SELECTED);
    }
    std::map<std::string, std::string> Values(const std::string& group) {
        return UserValues(std::string(kMenu) + group);
    }

    ConfigViews views_;
};

}  // namespace

TEST(ConfigItemText, EveryKindReadsAndWritesBackTheSameText) {
    for (const NamedText& v : kEveryKind) {
        const ItemRow row = ParseItemText(v.first, v.second);
        EXPECT_EQ(BuildItemText(row).value_or("<none>"), v.second) << v.first;
    }
    const ItemRow drive = ParseItemText("D", "explorer d:\\||0|d");
    EXPECT_EQ(drive.type, "Show Drive");
    EXPECT_EQ(drive.target, "d:\\");
    EXPECT_EQ(drive.shortcut, "Ctrl+Alt+D");
    const ItemRow small = ParseItemText("S", "x.exe|c:\\|1|N");
    EXPECT_EQ(small.runStyle, "Minimized");
    EXPECT_EQ(small.shortcut, "Shift+Ctrl+Alt+N");
    EXPECT_EQ(small.image, 0);
    EXPECT_EQ(ParseItemText("W", kEveryKind[3].second).target, "Software\\Paths\\Inbox");
}

TEST(ConfigItemText, KindsFollowTheFirstMatchingRule) {
    // Floppy drives are not recognised as drive items.
    EXPECT_EQ(ParseItemText("A", "explorer a:\\||0|").type, "Shortcut");
    EXPECT_EQ(ParseItemText("A", "explorer a:\\||0|").target, "explorer a:\\");
    // Network Neighborhood written with two commas is the desktop.
    EXPECT_EQ(ParseItemText("N", "explorer /root,,::{208D2C60-3AEA-1069-A2D7-08002B30309D}||0|").type, "Desktop");
    EXPECT_EQ(ParseItemText("M", "***HOLM Special: MonitorRegSpecifiedPath: X").image, 1);
    // A hidden program keeps its state.
    EXPECT_EQ(ParseItemText("H", "x||3|").runStyle, "Hidden");
    EXPECT_EQ(BuildItemText(ParseItemText("H", "x||3|")).value_or(""), "x||3|");
    ItemRow unknown;
    unknown.type = "Shortcut";
    EXPECT_FALSE(BuildItemText(unknown).has_value());
}

TEST(ConfigItemText, HotkeyCharactersBothWays) {
    EXPECT_EQ(HotkeyCharOf(ShortcutText(VK_F1, false)), "p");  // F1 is 0x70
    EXPECT_EQ(HotkeyTextOfField("p"), "Ctrl+Alt+P");
    EXPECT_EQ(HotkeyCharOf("Shift+Ctrl+Alt+1"), "1");
    EXPECT_EQ(HotkeyTextOfField("1"), "Ctrl+Alt+1");
    EXPECT_EQ(HotkeyCharOf("Shift+Ctrl+Alt+N"), "N");
    EXPECT_EQ(HotkeyCharOf("Ctrl+Alt+N"), "n");
    EXPECT_EQ(HotkeyTextOfField("N"), "Shift+Ctrl+Alt+N");
    EXPECT_EQ(HotkeyCharOf(""), "");
    bool shift = false;
    EXPECT_EQ(ShortcutKey("Shift+Ctrl+Alt+F12", &shift), static_cast<unsigned>(VK_F12));
    EXPECT_TRUE(shift);
    // Punctuation keys are stored as the character they type.
    EXPECT_EQ(ShortcutText(VK_OEM_1, false), "Ctrl+Alt+;");
    EXPECT_EQ(HotkeyCharOf("Ctrl+Alt+;"), ";");
    EXPECT_EQ(ShortcutKey(HotkeyTextOfField(";")), static_cast<unsigned>(VK_OEM_1));
    for (const unsigned vk : {VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2, VK_OEM_3,
                              VK_OEM_4, VK_OEM_5, VK_OEM_6, VK_OEM_7}) {
        const std::string text = ShortcutText(vk, true);
        EXPECT_EQ(ShortcutKey(text, &shift), vk) << text;
        EXPECT_TRUE(shift);
        EXPECT_EQ(HotkeyTextOfField(HotkeyCharOf(ShortcutText(vk, false))), ShortcutText(vk, false));
    }
    ItemRow row = ParseItemText("E", "e.exe||0|");
    EXPECT_EQ(BuildItemText(row).value_or(""), "e.exe||0|");  // nothing after the third bar
}

TEST_F(ConfigModelTest, AGroupSavedUnchangedKeepsEveryValueExactly) {
    for (const NamedText& v : kEveryKind) WriteUserString((std::string(kMenu) + "\\G").c_str(), v.first.c_str(), v.second);
    // Texts this program would never write keep their exact form too.
    const std::map<std::string, std::string> odd = {
        {"Bare", "notepad"}, {"Seven", "x||7|q"}, {"Bars", "a|b|0|c|d"}, {"Fixed", "***HOLM Special: MonitorPath: c:\\x"}};
    for (const auto& v : odd) WriteUserString((std::string(kMenu) + "\\G").c_str(), v.first.c_str(), v.second);
    const auto before = Values("\\G");
    // A value of another type is no item: not listed, never rewritten.
    WriteUserDword((std::string(kMenu) + "\\G").c_str(), "Number", 7);
    LoadMenuTree();
    Show({"G"});
    EXPECT_EQ(RowCount(views_.List()), static_cast<int>(before.size()));
    ASSERT_TRUE(SaveGroupItems());
    auto after = Values("\\G");
    EXPECT_EQ(after["Number"], "7");
    after.erase("Number");
    EXPECT_EQ(after, before);

    // An edited row is written in the program's form.
    for (int i = 0; i < RowCount(views_.List()); ++i) {
        ItemRow row = ReadRow(views_.List(), i);
        if (row.name != "Bare") continue;
        row.startIn = "c:\\";
        WriteRow(views_.List(), i, row, false);
    }
    ASSERT_TRUE(SaveGroupItems());
    EXPECT_EQ(Values("\\G")["Bare"], "notepad|c:\\|0|");
}

TEST(ConfigViewSettings, AWindowSavedOnALargerScreenIsPulledBack) {
    ViewSettings s;
    s.left = 1500;
    s.top = 900;
    s.width = 652;
    s.height = 480;
    PullOntoDesktop(s, 1024, 768);
    EXPECT_EQ(s.left, 50);
    EXPECT_EQ(s.top, 50);
    EXPECT_EQ(s.width, 652);
    EXPECT_EQ(s.height, 480);
    s.left = 600;
    s.top = 434;
    PullOntoDesktop(s, 1024, 768);
    EXPECT_EQ(s.width, 424);   // cut to the right edge
    EXPECT_EQ(s.height, 334);  // cut to the bottom edge
    // Where a window closed while minimized used to be stored.
    s.left = s.top = -32000;
    PullOntoDesktop(s, 1024, 768);
    EXPECT_EQ(s.left, 50);
    EXPECT_EQ(s.top, 50);
    // A tree wider than the window leaves the list a part of it.
    EXPECT_EQ(TreeWidthIn(201, 652), 201);
    EXPECT_EQ(TreeWidthIn(5000, 652), 632);
    EXPECT_EQ(TreeWidthIn(-7, 652), 20);
}

TEST_F(ConfigModelTest, ASaveStoppedAfterAnyStepLosesNoItem) {
    const std::string group = std::string(kMenu) + "\\S";
    const std::vector<NamedText> before = {{"A", "a||0|"}, {"B", "b||0|"}, {"C", "c||0|"}, {"dee", "d||0|"}};
    const std::vector<NamedText> after = {{"B", "b2||1|"}, {"Dee", "d||0|"}, {"E", "e||0|"}};
    for (int stopAfter = 1;; ++stopAfter) {
        DeleteUserTree(group.c_str());
        for (const NamedText& v : before) WriteUserString(group.c_str(), v.first.c_str(), v.second);
        int steps = 0;
        const bool done = ReplaceGroupValues("Init Menu\\S", after, [&] { return ++steps < stopAfter; });
        const auto now = UserValues(group);
        EXPECT_GE(now.size(), std::min(before.size(), after.size())) << "stopped after " << stopAfter;
        // Every item kept by the save exists at every step, old or new (an
        // item whose name changes its letter case may stand under a spare
        // name for a moment).
        for (const std::string name : {"B", "dee"}) {
            const bool present = std::any_of(now.begin(), now.end(), [&](const auto& v) {
                return SameTextIgnoringCase(v.first.substr(0, name.size()), name);
            });
            EXPECT_TRUE(present) << name << " missing after step " << stopAfter;
        }
        if (done) {
            EXPECT_EQ(now, (std::map<std::string, std::string>{{"B", "b2||1|"}, {"Dee", "d||0|"}, {"E", "e||0|"}}));
            break;
        }
        ASSERT_LT(stopAfter, 50);
    }
}

TEST_F(ConfigModelTest, TheTreeShowsNestedGroupsAndEveryStartupGroup) {
    WriteUserString(holm::kOptionsKey, "StartupGroupName", "Boot");
    WriteUserString((std::string(kMenu) + "\\Tools\\Deep\\Boot").c_str(), "x", "x||0|");
    WriteUserString((std::string(kMenu) + "\\Boot").c_str(), "y", "y||0|");
    WriteUserString((std::string(kMenu) + "\\boot2\\BOOT").c_str(), "z", "z||0|");
    LoadMenuTree();
    EXPECT_FALSE(FirstRun());
    EXPECT_EQ(StartupGroupName(), "Boot");
    ASSERT_NE(Node({"Tools", "Deep", "Boot"}), nullptr);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"Tools", "Deep", "Boot"})), kImageStartup);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"Boot"})), kImageStartup);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"boot2", "BOOT"})), kImageGroup);
    EXPECT_EQ(NodeImage(views_.Tree(), Node({"Tools"})), kImageGroup);
    EXPECT_EQ(GroupPathOf(Node({"Tools", "Deep"})), "Init Menu\\Tools\\Deep");
    Show({});
    EXPECT_EQ(RowCount(views_.List()), 1);
}

TEST_F(ConfigModelTest, RenamingMovesTheKeyAndOntoASiblingMerges) {
    WriteUserString((std::string(kMenu) + "\\Old\\Sub").c_str(), "s", "s||0|");
    WriteUserString((std::string(kMenu) + "\\Old").c_str(), "o", "o||0|");
    WriteUserString((std::string(kMenu) + "\\Other").c_str(), "t", "t||0|");
    LoadMenuTree();
    EXPECT_EQ(RenameGroup(Node({"Old"}), "New"), "New");
    EXPECT_TRUE(Values("\\Old").empty());
    EXPECT_EQ(Values("\\New")["o"], "o||0|");
    EXPECT_EQ(Values("\\New\\Sub")["s"], "s||0|");
    EXPECT_TRUE(RecordedMessages().empty());

    // No to the merge question keeps everything as it was.
    RecordMessages(IDNO);
    EXPECT_EQ(RenameGroup(Node({"New"}), "OTHER"), "New");
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].text, "A folder of that name already exists! Do You Wish to merge it with the other folder?");
    EXPECT_EQ(Values("\\New").size(), 1u);
    EXPECT_EQ(Values("\\Other").size(), 1u);

    RecordMessages(IDYES);
    EXPECT_EQ(RenameGroup(Node({"New"}), "Other"), "Other");
    EXPECT_EQ(Values("\\Other"), (std::map<std::string, std::string>{{"o", "o||0|"}, {"t", "t||0|"}}));
    EXPECT_EQ(Values("\\Other\\Sub")["s"], "s||0|");
    EXPECT_EQ(ChildNodes(views_.Tree(), RootNode()).size(), 1u);
    ASSERT_NE(Node({"Other", "Sub"}), nullptr);
}

TEST_F(ConfigModelTest, ANameThatCannotBeOneKeyIsRefusedAndLosesNothing) {
    WriteUserString((std::string(kMenu) + "\\Tools").c_str(), "Root item", "tool||0|");
    LoadMenuTree();
    const auto before = DumpUserTree(kMenu);
    for (const std::string& name : std::vector<std::string>{"", "A\\B", std::string(256, 'n')}) {
        EXPECT_EQ(RenameGroup(Node({"Tools"}), name), "Tools");
        EXPECT_EQ(DumpUserTree(kMenu), before);
    }
    EXPECT_EQ(RecordedMessages().size(), 3u);
}

TEST_F(ConfigModelTest, ALetterCaseRenameKeepsTheGroup) {
    WriteUserString((std::string(kMenu) + "\\games (renaming)").c_str(), "mine", "m||0|");
    WriteUserString((std::string(kMenu) + "\\games\\Cards").c_str(), "c", "c||0|");
    WriteUserString((std::string(kMenu) + "\\games").c_str(), "g", "g||0|");
    LoadMenuTree();
    EXPECT_EQ(RenameGroup(Node({"games"}), "Games"), "Games");
    std::vector<std::string> names;
    ASSERT_TRUE(ReadSubgroups("Init Menu", names));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), (std::set<std::string>{"games (renaming)", "Games"}));
    EXPECT_EQ(Values("\\games (renaming)"), (std::map<std::string, std::string>{{"mine", "m||0|"}}));
    EXPECT_EQ(Values("\\Games")["g"], "g||0|");
    EXPECT_EQ(Values("\\Games\\Cards")["c"], "c||0|");
}

TEST_F(ConfigModelTest, RowsAreCopiedAndMovedToAnotherGroup) {
    WriteUserString((std::string(kMenu) + "\\From").c_str(), "one", "1.exe||0|");
    WriteUserString((std::string(kMenu) + "\\From").c_str(), "two", "***HOLM Special: MonitorRegSpecifiedPath: K\\V");
    WriteUserString((std::string(kMenu) + "\\From").c_str(), "three", "3.exe||2|x");
    WriteUserString((std::string(kMenu) + "\\To").c_str(), "two", "old||0|");
    WriteUserString((std::string(kMenu) + "\\To").c_str(), "stay", "s||0|");
    LoadMenuTree();
    Show({"From"});
    SelectRowsNamed({"two", "three"});
    CopyItemsToGroup(Node({"To"}), false);
    EXPECT_EQ(Values("\\To"), (std::map<std::string, std::string>{{"stay", "s||0|"},
                                                                   {"two", "***HOLM Special: MonitorRegSpecifiedPath: K\\V"},
                                                                   {"three", "3.exe||2|x"}}));
    EXPECT_EQ(Values("\\From").size(), 3u);

    SelectRowsNamed({"one"});
    CopyItemsToGroup(Node({"To"}), true);
    EXPECT_EQ(Values("\\To")["one"], "1.exe||0|");
    EXPECT_EQ(Values("\\From").count("one"), 0u);
    EXPECT_EQ(RowCount(views_.List()), 2);

    SelectRowsNamed({"two"});
    CopyItemsToGroup(Node({"From"}), true);
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].text, "Dragging to the same group");
    EXPECT_EQ(Values("\\From").size(), 2u);
}

TEST_F(ConfigModelTest, AMoveKeepsEveryRowTheTargetDidNotTake) {
    WriteUserString((std::string(kMenu) + "\\From").c_str(), "one", "1.exe||0|");
    WriteUserString((std::string(kMenu) + "\\To").c_str(), "stay", "s||0|");
    LoadMenuTree();
    Show({"From"});
    DeleteUserTree((std::string(kMenu) + "\\To").c_str());  // gone behind the program's back
    SelectRowsNamed({"one"});
    CopyItemsToGroup(Node({"To"}), true);
    EXPECT_EQ(Values("\\From"), (std::map<std::string, std::string>{{"one", "1.exe||0|"}}));
    EXPECT_EQ(RowCount(views_.List()), 1);
}

TEST_F(ConfigModelTest, TextsOfAnyLengthSurviveASaveAndTooLongRowsAreNamed) {
    const std::string text = std::string(1500, 'x') + "|c:\\|0|";
    WriteUserString((std::string(kMenu) + "\\Long").c_str(), "long", text);
    LoadMenuTree();
    Show({"Long"});
    ASSERT_TRUE(SaveGroupItems());
    EXPECT_EQ(Values("\\Long")["long"], text);

    ItemRow row = ParseItemText("fits", std::string(507, 'x') + "||0|");  // 511 characters
    EXPECT_EQ(StoreProblemOf(row), "");
    row.target += "x";
    EXPECT_NE(StoreProblemOf(row), "");
    row = ParseItemText(std::string(256, 'n'), "x||0|");
    EXPECT_NE(StoreProblemOf(row), "");
    row = ParseItemText("bar", "x||0|");
    row.startIn = "c:\\|3|Z";
    EXPECT_NE(StoreProblemOf(row), "");
    row = ParseItemText("watch", "***HOLM Special: MonitorRegSpecifiedPath: Key|With\\Bar");
    EXPECT_EQ(StoreProblemOf(row), "");
}

TEST_F(ConfigModelTest, DeletingAGroupRemovesItsWholeTree) {
    WriteUserString((std::string(kMenu) + "\\Gone\\A\\B\\C").c_str(), "c", "c||0|");
    WriteUserString((std::string(kMenu) + "\\Gone\\D").c_str(), "d", "d||0|");
    WriteUserString((std::string(kMenu) + "\\Kept").c_str(), "k", "k||0|");
    EXPECT_TRUE(DeleteKeyTree("Init Menu\\Gone"));
    const std::vector<std::string> left = DumpUserTree(kMenu);
    EXPECT_EQ(left, (std::vector<std::string>{":Root item=SZ:notepad||0|", "Kept", "Kept:k=SZ:k||0|"}));
    EXPECT_FALSE(DeleteKeyTree("Init Menu\\Gone"));
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].text, "DeleteKey: Failed to Open Group in Registry!");
}

TEST_F(ConfigModelTest, TheFirstRunWritesExactlyTheDefaultValues) {
    ResetHolmRegistry();
    // An empty Start Menu and no Quick Launch: the import adds nothing.
    const std::string empty = FreshTempFolder("holm_empty_start_menu");
    const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    const char kMapGroups[] = "Software\\Microsoft\\Windows\\CurrentVersion\\GrpConv\\MapGroups";
    const auto saved = UserValues(kShellFolders);
    const auto savedGroups = UserValues(kMapGroups);
    WriteUserString(kShellFolders, "Start Menu", empty);
    DeleteUserTree(kMapGroups);
    SetIsNT(false);
    LoadMenuTree();
    if (saved.count("Start Menu")) WriteUserString(kShellFolders, "Start Menu", saved.at("Start Menu"));
    for (const auto& v : savedGroups) WriteUserString(kMapGroups, v.first.c_str(), v.second);
    EXPECT_TRUE(FirstRun());
    ASSERT_EQ(RecordedMessages().size(), 2u);
    EXPECT_EQ(RecordedMessages()[0].caption, "Setwise for HOLM v1.0: Welcome!");
    EXPECT_EQ(RecordedMessages()[1].text,
              "Default Settings have been created. To Complete installation, configure your personal settings and reboot.");
    const std::vector<std::string> expected = {
        ":StartupGroupName=SZ:",
        ":Cloak=SZ:Default",
        ":UseCustomMenus=DWORD:1",
        "Init Menu",
        "Init Menu:Desktop=SZ:explorer /root,,||0|",
        "Init Menu:Dial-up Networking=SZ:explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{992CFFA0-F557-101A-88EC-00DD010CCC48}||0|",
        "Init Menu:My Computer=SZ:explorer /root,,::{20D04FE0-3AEA-1069-A2D8-08002B30309D}||0|",
        "Init Menu:Network Neighborhood=SZ:explorer /root,::{208D2C60-3AEA-1069-A2D7-08002B30309D}||0|",
        "Cloaks",
        "Cloaks\\Default",
        "Cloaks\\Default:BackgroundBitmap=SZ:",
        "Cloaks\\Default:SubmenuIcon=SZ:",
        "Cloaks\\Default:Font=SZ:MS Sans Serif",
        "Cloaks\\Default:Underline=DWORD:0",
        "Cloaks\\Default:Italics=DWORD:0",
        "Cloaks\\Default:Bold=DWORD:0",
        "Cloaks\\Default:TextColor=SZ:255 255 255",
        "Cloaks\\Default:DisabledTextColor=SZ:175 175 175",
        "Cloaks\\Default:BorderAndSepColor=SZ:255 255 255",
        "Cloaks\\Default:HideCursor=SZ:",
        "Cloaks\\Default:CloseCursor=SZ:",
        "Cloaks\\Default:KillCursor=SZ:",
    };
    std::vector<std::string> got = DumpUserTree("Software\\Tarvel\\Holm");
    std::vector<std::string> want = expected;
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
    // The list shows the root's four items.
    EXPECT_EQ(RowCount(views_.List()), 4);
}
