#include "store_walk.h"

#include <vector>

#include "command_ids.h"
#include "folder_monitor.h"
#include "group_cache.h"
#include "group_model.h"
#include "holm_names.h"
#include "launch.h"
#include "launch_table.h"
#include "library_state.h"
#include "menu_images.h"
#include "program_icons.h"
#include "status_text.h"
#include "store_reader.h"

namespace holm {

namespace {

// What building an item gave it, beside its label.
struct BuiltItem {
    UINT id;
    MenuImageView image;  // lent by the program images or the fixed images
    bool disabled;
};

UINT NextLaunchId() { return static_cast<UINT>(LaunchCommandId(LaunchEntryCount())); }

GroupOptions CurrentGroupOptions() {
    GroupOptions options;
    options.showHotkeys = g_lib.options.showHotkeysInLpum != 0;
    options.runStartup = g_lib.runStartup;
    options.startupGroupName = g_lib.options.startupGroupName;
    return options;
}

BYTE RegisterItemHotkey(char hotkey, const std::string& label) {
    const ItemHotkey key = ItemHotkeyFor(static_cast<std::uint16_t>(VkKeyScanA(hotkey)));
    if (!RegisterHotKey(g_lib.shell, static_cast<int>(NextLaunchId()), key.modifiers, key.vk))
        MessageBoxA(g_lib.shell, label.c_str(), "Hotkey conflict detected:", MB_ICONINFORMATION | MB_TOPMOST);
    return static_cast<BYTE>(key.vk);
}

BuiltItem BuildProgramItem(const ItemEntry& entry, bool runItems) {
    const ItemText& item = entry.item;
    BuiltItem built = {NextLaunchId(), MenuImageView(), false};
    const BYTE show = static_cast<BYTE>(ShowCommandForCode(item.showCode));
    const BYTE vk = item.hotkey ? RegisterItemHotkey(item.hotkey, entry.label) : kNoHotkey;
    if (runItems) ShellRun(item.command.c_str(), item.directory.empty() ? nullptr : item.directory.c_str(), show);
    if (g_lib.options.showProgIcons) built.image = ProgramImageFor(item.command, item.directory);
    AppendLaunchEntry(item.command.c_str(), item.directory.c_str(), show, vk);
    return built;
}

void ReportUnreadableFolder(FolderRead result) {
    if (result == FolderRead::KeyNotOpened)
        MessageBoxA(GetForegroundWindow(), "The registry path specified could not be opened.  Item disabled.",
                    "HOLM Error", MB_ICONERROR | MB_TOPMOST);
    else
        MessageBoxA(nullptr, "The registry path specified could not be queried.  Item disabled.", "HOLM Error",
                    MB_ICONERROR | MB_TOPMOST);
}

BuiltItem BuildMonitorItem(const ItemEntry& entry, HMENU menu) {
    BuiltItem built = {NextLaunchId(), MenuImageView(), false};
    std::string folder;
    const FolderRead result = ReadMonitorFolder(entry.item, folder);
    if (result != FolderRead::Read) {
        ReportUnreadableFolder(result);
        built.disabled = true;
        AppendLaunchEntry(nullptr, nullptr, SW_SHOWNORMAL, kNoHotkey);
        return built;
    }
    AddMonitor(folder, menu, built.id);
    if (g_lib.options.showProgIcons) built.image = GetFixedImage(FixedImage::MonitorFolder);
    const std::string command = "explorer " + folder;
    AppendLaunchEntry(command.c_str(), nullptr, SW_SHOWNORMAL, kNoHotkey);
    return built;
}

void WalkGroupAt(const std::string& path, HMENU menu, bool runItems, int depth);

// Subgroups are walked (and their items get their launch ids) before the
// group's own items.
void BuildSubgroups(const GroupModel& model, HMENU menu, int depth) {
    std::vector<HMENU> submenus;
    for (const SubgroupEntry& group : model.subgroups) {
        submenus.push_back(CreatePopupMenu());
        WalkGroupAt(group.path, submenus.back(), group.runItems, depth + 1);
    }
    for (std::size_t i : model.subgroupOrder)
        AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenus[i]),
                    model.subgroups[i].name.c_str());
}

void BuildItems(const GroupModel& model, HMENU menu, bool runItems) {
    std::vector<BuiltItem> built;
    for (const ItemEntry& entry : model.items)
        built.push_back(entry.item.kind == ItemKind::Program ? BuildProgramItem(entry, runItems)
                                                             : BuildMonitorItem(entry, menu));
    for (std::size_t i : model.itemOrder) {
        const BuiltItem& item = built[i];
        AppendMenuA(menu, MF_STRING | (item.disabled ? MF_GRAYED : 0), item.id, model.items[i].label.c_str());
        AttachImage(menu, item.id, item.image);
    }
}

void WalkGroupAt(const std::string& path, HMENU menu, bool runItems, int depth) {
    if (!GroupDepthAllowed(depth)) return;
    GroupContents contents;
    if (!GroupContentsOf(path, contents)) return;
    const GroupModel model = MakeGroupModel(path, contents, CurrentGroupOptions());
    BuildSubgroups(model, menu, depth);
    SetStatusText(GroupStatusText(path).c_str());
    BuildItems(model, menu, runItems);
    if (model.uninhabited) AppendMenuA(menu, MF_STRING | MF_GRAYED, kCmdArrangeOrEmpty, kUninhabitedText);
}

}  // namespace

void WalkGroup(const std::string& path, HMENU menu, bool runItems) {
    BeginStoreWalk(path);
    WalkGroupAt(path, menu, runItems, 0);
    EndStoreWalk();
}

}  // namespace holm
