// One group of the Init Menu store as the menu shows it: its subgroups and
// items in the order they are read (which gives the items their launch ids)
// and in menu order, the labels, which subgroups run at start-up, and the
// "[Uninhabited]" entry of an empty group. Pure logic: the registry reader
// fills the contents, the menu builder carries the model out.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "item_text.h"

namespace holm {

// What the reader takes from the store, each with its terminating zero: a
// name beyond its limit, or data beyond its limit, ends the enumeration.
constexpr std::size_t kStoreNameChars = 256;
constexpr std::size_t kStoreDataBytes = 512;

// Groups are read this many levels deep at most, as deep as the registry
// of Windows itself nests keys; deeper groups stay empty.
constexpr int kMaxGroupDepth = 512;

constexpr char kUninhabitedText[] = "[Uninhabited]";

struct StoreValue {
    std::string name;
    std::string data;
    bool isText = true;  // REG_SZ or REG_EXPAND_SZ; numbers and binary data are not items
};

struct GroupContents {
    std::vector<std::string> subgroups;  // subkey names, in enumeration order
    std::vector<StoreValue> values;      // in enumeration order
};

struct GroupOptions {
    bool showHotkeys = false;      // ShowHotkeysInLpum
    bool runStartup = false;       // this build runs the startup group
    std::string startupGroupName;  // StartupGroupName; empty: none
};

struct SubgroupEntry {
    std::string name;  // the label, unchanged: an ampersand is a mnemonic
    std::string path;  // the subkey's path
    bool runItems = false;
};

struct ItemEntry {
    std::string label;  // ampersands doubled; with ShowHotkeysInLpum a tab and the hotkey
    ItemText item;
};

struct GroupModel {
    std::vector<SubgroupEntry> subgroups;
    std::vector<std::size_t> subgroupOrder;  // positions in `subgroups`, in menu order
    std::vector<ItemEntry> items;
    std::vector<std::size_t> itemOrder;  // positions in `items`, in menu order
    bool uninhabited = false;            // nothing to show: "[Uninhabited]"
};

GroupModel MakeGroupModel(const std::string& path, const GroupContents& contents, const GroupOptions& options);

// Whether a group `depth` levels below the root is read (the root is 0).
bool GroupDepthAllowed(int depth);

// The status text shown while a group's items are read: the last component
// of its path.
std::string GroupStatusText(const std::string& path);

// An item's hotkey from what the system's key scan gives for its character:
// the virtual key in the low byte, a shift state in the high byte, which
// adds Shift to Control and Alt.
struct ItemHotkey {
    unsigned modifiers;
    unsigned vk;
};
ItemHotkey ItemHotkeyFor(std::uint16_t keyScan);

}  // namespace holm
