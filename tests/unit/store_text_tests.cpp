// The store's item texts and the menu order of labels.
#include <gtest/gtest.h>

#include "item_text.h"
#include "menu_order.h"
#include "store_limits.h"

using namespace holm;

TEST(ItemText, ProgramFieldsAndTheirAbsence) {
    ItemText t = ParseItemText("notepad");
    EXPECT_EQ(t.kind, ItemKind::Program);
    EXPECT_EQ(t.command, "notepad");
    EXPECT_EQ(t.directory, "");
    EXPECT_EQ(t.showCode, 0);
    EXPECT_EQ(t.hotkey, '\0');

    t = ParseItemText("notepad|c:\\temp");
    EXPECT_EQ(t.directory, "c:\\temp");
    t = ParseItemText("notepad|c:\\temp|2");
    EXPECT_EQ(t.showCode, 2);
    t = ParseItemText("notepad||1|n");
    EXPECT_EQ(t.showCode, 1);
    EXPECT_EQ(t.hotkey, 'n');
    t = ParseItemText("notepad||0|nx");
    EXPECT_EQ(t.hotkey, 'n');
    t = ParseItemText("|||");
    EXPECT_EQ(t.command, "");
    EXPECT_EQ(t.hotkey, '\0');
    t = ParseItemText("a|b|3|k|more|bars");
    EXPECT_EQ(t.command, "a");
    EXPECT_EQ(t.directory, "b");
    EXPECT_EQ(t.hotkey, 'k');
}

TEST(ItemText, ShowCodeReadsLikeANumberAndKeepsEightBits) {
    EXPECT_EQ(ParseItemText("x||259|").showCode, 3);
    EXPECT_EQ(ParseItemText("x||  2abc|").showCode, 2);
    EXPECT_EQ(ParseItemText("x||abc|").showCode, 0);
    EXPECT_EQ(ParseItemText("x||-1|").showCode, 255);
    // Beyond 32 bits the low 8 bits of the number still count, without an overflow trap.
    EXPECT_EQ(ParseItemText("x||99999999999999999999|").showCode, 255);
    EXPECT_EQ(ParseItemText("x||-99999999999999999999|").showCode, 1);
    EXPECT_EQ(ShowCommandForCode(0), 1);
    EXPECT_EQ(ShowCommandForCode(1), 6);
    EXPECT_EQ(ShowCommandForCode(2), 3);
    EXPECT_EQ(ShowCommandForCode(3), 0);
    EXPECT_EQ(ShowCommandForCode(7), 1);
    EXPECT_EQ(ShowCommandForCode(255), 1);
}

TEST(ItemText, FolderMonitorsIgnoreThePrefixCase) {
    ItemText t = ParseItemText("***holm special: monitorpath: c:\\data|x");
    EXPECT_EQ(t.kind, ItemKind::MonitorPath);
    EXPECT_EQ(t.path, "c:\\data|x");
    t = ParseItemText("***HOLM Special: MonitorRegSpecifiedPath: Software\\Paths\\Inbox");
    EXPECT_EQ(t.kind, ItemKind::MonitorRegistryPath);
    EXPECT_EQ(t.registryKey, "Software\\Paths");
    EXPECT_EQ(t.registryValue, "Inbox");
    t = ParseItemText("***HOLM Special: MonitorRegSpecifiedPath: Inbox");
    EXPECT_EQ(t.registryKey, "");
    EXPECT_EQ(t.registryValue, "Inbox");
    EXPECT_EQ(ParseItemText("***HOLM Special: Something").kind, ItemKind::Program);
}

TEST(ItemText, ProgramOfCommand) {
    EXPECT_EQ(ProgramOfCommand("notepad readme.txt"), "notepad");
    EXPECT_EQ(ProgramOfCommand("\"c:\\program files\\a.exe\" -x"), "c:\\program files\\a.exe");
    EXPECT_EQ(ProgramOfCommand("\"c:\\unclosed"), "c:\\unclosed");
    EXPECT_EQ(ProgramOfCommand(""), "");
}

TEST(MenuOrder, CaseInsensitiveAndStable) {
    const std::vector<std::string> labels = {"z", "Y", "b", "A", "a", "B"};
    std::vector<std::string> sorted;
    for (std::size_t i : MenuOrder(labels)) sorted.push_back(labels[i]);
    const std::vector<std::string> expected = {"A", "a", "b", "B", "Y", "z"};
    EXPECT_EQ(sorted, expected);
}

TEST(MenuOrder, LettersFoldToUpperCaseBeforeComparing) {
    // 'a' compares as 'A' (0x41), which is below '_' (0x5F).
    EXPECT_TRUE(LabelSortsBefore("a", "_x"));
    EXPECT_FALSE(LabelSortsBefore("_x", "a"));
    // The hotkey suffix (a tab) takes part: it sorts before any printable text.
    EXPECT_TRUE(LabelSortsBefore("Notepad\tn", "Notepad 2"));
}

TEST(MenuOrder, OnlyTheFirst255CharactersCount) {
    const std::string common(255, 'm');
    EXPECT_FALSE(LabelSortsBefore(common + "a", common + "b"));
    EXPECT_FALSE(LabelSortsBefore(common + "b", common + "a"));
}

TEST(StoreLimits, WhatTheConfigurationProgramMayWrite) {
    EXPECT_TRUE(IsStorableGroupName("Games"));
    EXPECT_TRUE(IsStorableGroupName(std::string(255, 'g')));
    EXPECT_FALSE(IsStorableGroupName(std::string(256, 'g')));
    EXPECT_FALSE(IsStorableGroupName(""));
    EXPECT_FALSE(IsStorableGroupName("A\\B"));
    EXPECT_EQ(CheckStoredItem(std::string(255, 'n'), std::string(511, 't')), StoreFault::None);
    EXPECT_EQ(CheckStoredItem(std::string(256, 'n'), "t"), StoreFault::NameTooLong);
    EXPECT_EQ(CheckStoredItem("n", std::string(512, 't')), StoreFault::TextTooLong);
    EXPECT_EQ(CheckItemField("c:\\a b"), StoreFault::None);
    EXPECT_EQ(CheckItemField("x|3|Z"), StoreFault::BarInField);
    EXPECT_EQ(StoreFaultText(StoreFault::None, "n"), "");
    EXPECT_NE(StoreFaultText(StoreFault::BarInField, "n").find("\"n\""), std::string::npos);
}
