#include "store_limits.h"

#include "group_model.h"

namespace holm {

bool IsStorableGroupName(const std::string& name) {
    return !name.empty() && name.find('\\') == std::string::npos && name.size() < kStoreNameChars;
}

StoreFault CheckStoredItem(const std::string& name, const std::string& text) {
    if (name.size() >= kStoreNameChars) return StoreFault::NameTooLong;
    if (text.size() >= kStoreDataBytes) return StoreFault::TextTooLong;
    return StoreFault::None;
}

StoreFault CheckItemField(const std::string& field) {
    return field.find('|') == std::string::npos ? StoreFault::None : StoreFault::BarInField;
}

std::string StoreFaultText(StoreFault fault, const std::string& itemName) {
    const std::string item = "The item \"" + itemName.substr(0, 64) + "\"";
    switch (fault) {
    case StoreFault::None: return "";
    case StoreFault::NameTooLong:
        return item + " has a name longer than " + std::to_string(kStoreNameChars - 1) +
               " characters, which the menu cannot show.";
    case StoreFault::TextTooLong:
        return item + " has a command line longer than " + std::to_string(kStoreDataBytes - 1) +
               " characters in all, which the menu cannot show.";
    case StoreFault::BarInField: return item + " has a \"|\" in its target or start folder, which the menu cannot hold.";
    }
    return "";
}

}  // namespace holm
