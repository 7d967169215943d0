#include "group_model.h"

#include "hotkey_plan.h"
#include "menu_order.h"
#include "text_edit.h"

namespace holm {

namespace {

bool IsStartupGroup(const std::string& name, const GroupOptions& options) {
    return !options.startupGroupName.empty() && name == options.startupGroupName;
}

std::string ItemLabel(const std::string& name, const ItemText& item, const GroupOptions& options) {
    std::string label = DoubleChar(name, '&');
    if (options.showHotkeys && item.kind == ItemKind::Program && item.hotkey) {
        label += '\t';
        label += item.hotkey;
    }
    return label;
}

template <typename Entry, typename LabelOf>
std::vector<std::size_t> OrderOf(const std::vector<Entry>& entries, LabelOf labelOf) {
    std::vector<std::string> labels;
    labels.reserve(entries.size());
    for (const Entry& e : entries) labels.push_back(labelOf(e));
    return MenuOrder(labels);
}

}  // namespace

// A subgroup runs only when it is itself a startup group: the parent's run
// flag is not inherited.
GroupModel MakeGroupModel(const std::string& path, const GroupContents& contents, const GroupOptions& options) {
    GroupModel model;
    for (const std::string& name : contents.subgroups)
        model.subgroups.push_back({name, path + "\\" + name, options.runStartup && IsStartupGroup(name, options)});
    for (const StoreValue& value : contents.values) {
        if (!value.isText) continue;
        ItemText item = ParseItemText(value.data);
        model.items.push_back({ItemLabel(value.name, item, options), std::move(item)});
    }
    model.subgroupOrder = OrderOf(model.subgroups, [](const SubgroupEntry& g) { return g.name; });
    model.itemOrder = OrderOf(model.items, [](const ItemEntry& i) { return i.label; });
    model.uninhabited = model.subgroups.empty() && model.items.empty();
    return model;
}

bool GroupDepthAllowed(int depth) { return depth >= 0 && depth <= kMaxGroupDepth; }

std::string GroupStatusText(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    const std::string last = slash == std::string::npos ? path : path.substr(slash + 1);
    return "Reading Init Menu group '" + last + "'";
}

ItemHotkey ItemHotkeyFor(std::uint16_t keyScan) {
    const unsigned vk = keyScan & 0xFFu, shiftState = keyScan >> 8;
    const unsigned modifiers = hotkeys::kModAlt | hotkeys::kModControl | (shiftState ? hotkeys::kModShift : 0u);
    return {modifiers, vk};
}

}  // namespace holm
