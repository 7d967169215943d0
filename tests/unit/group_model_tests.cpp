// One Init Menu group as the menu shows it: order, labels, startup groups,
// the empty group and item hotkeys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "group_model.h"
#include "value_ranges.h"

using namespace holm;
using Texts = std::vector<std::string>;

namespace {

const std::string kPath = "Software\\Tarvel\\Holm\\Init Menu";

StoreValue Item(const std::string& name, const std::string& data) { return {name, data, true}; }

Texts SubgroupsShown(const GroupModel& m) {
    Texts texts;
    for (std::size_t i : m.subgroupOrder) texts.push_back(m.subgroups[i].name);
    return texts;
}

Texts ItemsShown(const GroupModel& m) {
    Texts texts;
    for (std::size_t i : m.itemOrder) texts.push_back(m.items[i].label);
    return texts;
}

}  // namespace

TEST(GroupModel, GroupsThenItemsEachSortedWithoutRegardToCase) {
    GroupContents c;
    c.subgroups = {"b", "A", "c"};
    c.values = {Item("z", "notepad"), Item("Y", "calc")};
    const GroupModel m = MakeGroupModel(kPath, c, {});
    EXPECT_EQ(SubgroupsShown(m), (Texts{"A", "b", "c"}));
    EXPECT_EQ(ItemsShown(m), (Texts{"Y", "z"}));
    // The read order stays: it gives the items their launch ids.
    EXPECT_EQ(m.items[0].label, "z");
    EXPECT_EQ(m.items[1].item.command, "calc");
    EXPECT_EQ(m.subgroups[1].path, kPath + "\\A");
    EXPECT_FALSE(m.uninhabited);
}

TEST(GroupModel, EqualLabelsKeepTheirReadOrder) {
    GroupContents c;
    c.values = {Item("same", "first"), Item("SAME", "second"), Item("a", "third")};
    const GroupModel m = MakeGroupModel(kPath, c, {});
    ASSERT_EQ(m.itemOrder.size(), 3u);
    EXPECT_EQ(m.items[m.itemOrder[1]].item.command, "first");
    EXPECT_EQ(m.items[m.itemOrder[2]].item.command, "second");
}

TEST(GroupModel, ItemLabelsShowTheirAmpersandsGroupLabelsKeepTheMnemonic) {
    GroupContents c;
    c.subgroups = {"Tom & Jerry"};
    c.values = {Item("Tom & Jerry", "notepad")};
    const GroupModel m = MakeGroupModel(kPath, c, {});
    EXPECT_EQ(m.subgroups[0].name, "Tom & Jerry");
    EXPECT_EQ(m.items[0].label, "Tom && Jerry");
}

TEST(GroupModel, HotkeysShownAfterATabAndSortedWithIt) {
    GroupContents c;
    c.values = {Item("Notepad", "notepad||0|n"), Item("Notepad", "notepad||0|"),
                Item("Folder", "***HOLM Special: MonitorPath: c:\\x|y")};
    GroupOptions shown;
    shown.showHotkeys = true;
    GroupModel m = MakeGroupModel(kPath, c, shown);
    EXPECT_EQ(ItemsShown(m), (Texts{"Folder", "Notepad", "Notepad\tn"}));
    EXPECT_EQ(m.items[2].item.kind, ItemKind::MonitorPath);
    m = MakeGroupModel(kPath, c, {});
    EXPECT_EQ(ItemsShown(m), (Texts{"Folder", "Notepad", "Notepad"}));
    EXPECT_EQ(m.items[0].item.hotkey, 'n');
}

TEST(GroupModel, OnlyTextValuesAreItemsAndAGroupWithoutEntriesIsUninhabited) {
    GroupContents c;
    EXPECT_TRUE(MakeGroupModel(kPath, c, {}).uninhabited);
    c.values = {{"count", "\x01\x00\x00\x00", false}};
    GroupModel m = MakeGroupModel(kPath, c, {});
    EXPECT_TRUE(m.items.empty());
    EXPECT_TRUE(m.uninhabited);
    c.subgroups = {"empty"};
    EXPECT_FALSE(MakeGroupModel(kPath, c, {}).uninhabited);
    c = GroupContents();
    c.values = {Item("", "")};  // a key's default value: an item without a label
    m = MakeGroupModel(kPath, c, {});
    EXPECT_FALSE(m.uninhabited);
    EXPECT_EQ(m.items[0].label, "");
}

TEST(GroupModel, OnlyASubgroupNamedExactlyAsTheStartupGroupRuns) {
    GroupContents c;
    c.subgroups = {"Startup", "startup", "Other"};
    GroupOptions options;
    options.startupGroupName = "Startup";
    options.runStartup = true;
    GroupModel m = MakeGroupModel(kPath, c, options);
    EXPECT_TRUE(m.subgroups[0].runItems);
    EXPECT_FALSE(m.subgroups[1].runItems);
    EXPECT_FALSE(m.subgroups[2].runItems);
    options.runStartup = false;  // a rebuild runs nothing
    EXPECT_FALSE(MakeGroupModel(kPath, c, options).subgroups[0].runItems);
    options.runStartup = true;
    options.startupGroupName.clear();  // no startup group, not even one with an empty name
    c.subgroups = {""};
    EXPECT_FALSE(MakeGroupModel(kPath, c, options).subgroups[0].runItems);
}

TEST(GroupModel, StatusNamesTheLastComponent) {
    EXPECT_EQ(GroupStatusText(kPath + "\\Games"), "Reading Init Menu group 'Games'");
    EXPECT_EQ(GroupStatusText("Alone"), "Reading Init Menu group 'Alone'");
    EXPECT_EQ(GroupStatusText("Ends\\"), "Reading Init Menu group ''");
}

TEST(GroupModel, DepthIsBoundedLikeTheRegistrys) {
    EXPECT_TRUE(GroupDepthAllowed(0));
    EXPECT_TRUE(GroupDepthAllowed(kMaxGroupDepth));
    EXPECT_FALSE(GroupDepthAllowed(kMaxGroupDepth + 1));
    EXPECT_FALSE(GroupDepthAllowed(-1));
}

TEST(ItemHotkey, ControlAltAndShiftWhenTheKeyNeedsAShiftState) {
    EXPECT_EQ(ItemHotkeyFor(0x004E).modifiers, 3u);  // n: Ctrl+Alt+N
    EXPECT_EQ(ItemHotkeyFor(0x004E).vk, 0x4Eu);
    EXPECT_EQ(ItemHotkeyFor(0x014E).modifiers, 7u);  // N: Shift+Ctrl+Alt+N
    EXPECT_EQ(ItemHotkeyFor(0x014E).vk, 0x4Eu);
    EXPECT_EQ(ItemHotkeyFor(0x0631).modifiers, 7u);  // any shift state counts
    EXPECT_EQ(ItemHotkeyFor(0xFFFF).vk, 0xFFu);      // no key for the character
}

// Each group's values in ranges of at most the given size, the last one
// reading on to the group's end; an empty group still gets its one range.
TEST(ValueRanges, SplitEachGroupAndLeaveItsLastRangeOpen) {
    const std::vector<ValueRange> ranges = PlanValueRanges({250, 0, 100, 101}, 100);
    const std::vector<std::vector<std::size_t>> expected = {{0, 0, 100},   {0, 100, 200},       {0, 200, kToTheEnd},
                                                            {1, 0, kToTheEnd}, {2, 0, kToTheEnd}, {3, 0, 100},
                                                            {3, 100, kToTheEnd}};
    ASSERT_EQ(ranges.size(), expected.size());
    for (std::size_t i = 0; i < ranges.size(); ++i)
        EXPECT_EQ((std::vector<std::size_t>{ranges[i].group, ranges[i].first, ranges[i].end}), expected[i]) << i;
}
