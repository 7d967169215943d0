#include "store_walk.h"

#include <vector>

#include "folder_monitor.h"
#include "holm_names.h"
#include "item_text.h"
#include "launch.h"
#include "launch_table.h"
#include "library_state.h"
#include "menu_images.h"
#include "menu_order.h"
#include "program_icons.h"
#include "status_text.h"
#include "text_edit.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr DWORD kNameChars = 256;
constexpr DWORD kDataBytes = 512;

struct PendingItem {
    std::string label;
    UINT id;
    MenuImageView image;  // lent by the program images or the fixed images
    bool disabled;
};

struct PendingGroup {
    std::string name;
    HMENU menu;
};

std::string LastComponent(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

UINT NextLaunchId() { return static_cast<UINT>(kCmdFirstLaunch + LaunchEntryCount()); }

BYTE RegisterItemHotkey(char hotkey, const std::string& label) {
    const SHORT key = VkKeyScanA(hotkey);
    const BYTE vk = LOBYTE(key);
    const UINT modifiers = HIBYTE(key) ? (MOD_ALT | MOD_CONTROL | MOD_SHIFT) : (MOD_ALT | MOD_CONTROL);
    if (!RegisterHotKey(g_lib.shell, static_cast<int>(NextLaunchId()), modifiers, vk))
        MessageBoxA(g_lib.shell, label.c_str(), "Hotkey conflict detected:", MB_ICONINFORMATION | MB_TOPMOST);
    return vk;
}

PendingItem ReadProgramItem(const std::string& label, const ItemText& item, bool runItems) {
    PendingItem pending = {label, NextLaunchId(), MenuImageView(), false};
    const BYTE show = static_cast<BYTE>(ShowCommandForCode(item.showCode));
    const BYTE vk = item.hotkey ? RegisterItemHotkey(item.hotkey, label) : kNoHotkey;
    if (runItems) ShellRun(item.command.c_str(), item.directory.empty() ? nullptr : item.directory.c_str(), show);
    if (g_lib.options.showHotkeysInLpum && item.hotkey) {
        pending.label += '\t';
        pending.label += item.hotkey;
    }
    if (g_lib.options.showProgIcons) pending.image = ProgramImageFor(item.command, item.directory);
    AppendLaunchEntry(item.command.c_str(), item.directory.c_str(), show, vk);
    return pending;
}

// Reads the folder a monitor item watches; false after telling the user
// that its registry reference could not be read.
bool MonitorFolder(const ItemText& item, std::string& folder) {
    if (item.kind == ItemKind::MonitorPath) {
        folder = item.path;
        return true;
    }
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, item.registryKey.empty() ? nullptr : item.registryKey.c_str(), 0, KEY_READ,
                      &raw) != ERROR_SUCCESS) {
        MessageBoxA(GetForegroundWindow(), "The registry path specified could not be opened.  Item disabled.",
                    "HOLM Error", MB_ICONERROR | MB_TOPMOST);
        return false;
    }
    UniqueKey key(raw);
    char data[kDataBytes + 1] = "";
    DWORD size = kDataBytes, type = 0;
    if (RegQueryValueExA(key.Get(), item.registryValue.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data),
                         &size) != ERROR_SUCCESS) {
        MessageBoxA(nullptr, "The registry path specified could not be queried.  Item disabled.", "HOLM Error",
                    MB_ICONERROR | MB_TOPMOST);
        return false;
    }
    data[size < kDataBytes ? size : kDataBytes] = '\0';
    folder = data;
    return true;
}

PendingItem ReadMonitorItem(const std::string& label, const ItemText& item, HMENU menu) {
    PendingItem pending = {label, NextLaunchId(), MenuImageView(), false};
    std::string folder;
    if (!MonitorFolder(item, folder)) {
        pending.disabled = true;
        AppendLaunchEntry(nullptr, nullptr, SW_SHOWNORMAL, kNoHotkey);
        return pending;
    }
    AddMonitor(folder, menu, pending.id);
    if (g_lib.options.showProgIcons) pending.image = GetFixedImage(FixedImage::MonitorFolder);
    const std::string command = "explorer " + folder;
    AppendLaunchEntry(command.c_str(), nullptr, SW_SHOWNORMAL, kNoHotkey);
    return pending;
}

// Reads the data of value `index` as text; false when the enumeration ends
// (no more values, or a name or data beyond the store's limits).
bool EnumItem(HKEY key, DWORD index, std::string& name, std::string& data, bool& isText) {
    char nameBuffer[kNameChars] = "";
    char dataBuffer[kDataBytes + 1] = "";
    DWORD nameLength = kNameChars, dataLength = kDataBytes, type = 0;
    if (RegEnumValueA(key, index, nameBuffer, &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(dataBuffer),
                      &dataLength) != ERROR_SUCCESS)
        return false;
    dataBuffer[dataLength < kDataBytes ? dataLength : kDataBytes] = '\0';
    name = nameBuffer;
    data = dataBuffer;
    isText = type == REG_SZ || type == REG_EXPAND_SZ;
    return true;
}

bool IsStartupGroup(const std::string& name) {
    return !g_lib.options.startupGroupName.empty() && name == g_lib.options.startupGroupName;
}

// A subgroup's items run only when it is itself a startup group: the
// parent's run flag is not inherited.
std::vector<PendingGroup> ReadSubgroups(HKEY key, const std::string& path) {
    std::vector<PendingGroup> groups;
    char name[kNameChars];
    for (DWORD i = 0;; ++i) {
        DWORD length = kNameChars;
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        PendingGroup group = {name, CreatePopupMenu()};
        WalkGroup(path + "\\" + group.name, group.menu, g_lib.runStartup && IsStartupGroup(group.name));
        groups.push_back(group);
    }
    return groups;
}

std::vector<PendingItem> ReadItems(HKEY key, HMENU menu, bool runItems) {
    std::vector<PendingItem> items;
    std::string name, data;
    bool isText = false;
    for (DWORD i = 0; EnumItem(key, i, name, data, isText); ++i) {
        if (!isText) continue;  // numbers and binary data are not items
        const std::string label = DoubleChar(name, '&');
        const ItemText item = ParseItemText(data);
        items.push_back(item.kind == ItemKind::Program ? ReadProgramItem(label, item, runItems)
                                                       : ReadMonitorItem(label, item, menu));
    }
    return items;
}

void AppendGroupsInOrder(HMENU menu, const std::vector<PendingGroup>& groups) {
    std::vector<std::string> labels;
    for (const PendingGroup& g : groups) labels.push_back(g.name);
    for (std::size_t i : MenuOrder(labels))
        AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(groups[i].menu), groups[i].name.c_str());
}

void AppendItemsInOrder(HMENU menu, const std::vector<PendingItem>& items) {
    std::vector<std::string> labels;
    for (const PendingItem& item : items) labels.push_back(item.label);
    for (std::size_t i : MenuOrder(labels)) {
        const PendingItem& item = items[i];
        AppendMenuA(menu, MF_STRING | (item.disabled ? MF_GRAYED : 0), item.id, item.label.c_str());
        AttachImage(menu, item.id, item.image);
    }
}

}  // namespace

void WalkGroup(const std::string& path, HMENU menu, bool runItems) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS) return;
    UniqueKey key(raw);
    const std::vector<PendingGroup> groups = ReadSubgroups(key.Get(), path);
    AppendGroupsInOrder(menu, groups);
    const std::string status = "Reading Init Menu group '" + LastComponent(path) + "'";
    SetStatusText(status.c_str());
    const std::vector<PendingItem> items = ReadItems(key.Get(), menu, runItems);
    AppendItemsInOrder(menu, items);
    if (groups.empty() && items.empty()) AppendMenuA(menu, MF_STRING | MF_GRAYED, kCmdArrangeOrEmpty, "[Uninhabited]");
}

}  // namespace holm
