#include "item_text.h"

#include <cstring>

#include "text_edit.h"

namespace holm {

namespace {

constexpr char kMonitorPathPrefix[] = "***HOLM Special: MonitorPath: ";
constexpr char kMonitorRegPrefix[] = "***HOLM Special: MonitorRegSpecifiedPath: ";

bool StartsWithFold(const std::string& text, const char* prefix) {
    const std::size_t n = std::strlen(prefix);
    return text.size() >= n && CompareFoldAscii(text.substr(0, n).c_str(), prefix) == 0;
}

// Reads a decimal number the way atoi does: leading white space, an optional
// sign, then digits up to the first other character. Only the low 8 bits
// matter, so overflow is harmless.
int ParseShowCode(const std::string& field) {
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t')) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) negative = field[i++] == '-';
    unsigned value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) value = value * 10u + unsigned(field[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value & 0xFFu);
}

void SplitRegistryReference(const std::string& reference, ItemText& item) {
    const std::size_t slash = reference.rfind('\\');
    if (slash == std::string::npos) {
        item.registryValue = reference;
    } else {
        item.registryKey = reference.substr(0, slash);
        item.registryValue = reference.substr(slash + 1);
    }
}

}  // namespace

ItemText ParseItemText(const std::string& text) {
    ItemText item;
    if (StartsWithFold(text, kMonitorPathPrefix)) {
        item.kind = ItemKind::MonitorPath;
        item.path = text.substr(std::strlen(kMonitorPathPrefix));
        return item;
    }
    if (StartsWithFold(text, kMonitorRegPrefix)) {
        item.kind = ItemKind::MonitorRegistryPath;
        SplitRegistryReference(text.substr(std::strlen(kMonitorRegPrefix)), item);
        return item;
    }
    std::string fields[3];
    std::size_t start = 0;
    for (int f = 0; f < 3; ++f) {
        const std::size_t bar = text.find('|', start);
        if (bar == std::string::npos) {
            fields[f] = text.substr(start);
            start = std::string::npos;
            break;
        }
        fields[f] = text.substr(start, bar - start);
        start = bar + 1;
    }
    item.command = fields[0];
    item.directory = fields[1];
    item.showCode = ParseShowCode(fields[2]);
    if (start != std::string::npos && start < text.size()) item.hotkey = text[start];
    return item;
}

int ShowCommandForCode(int showCode) {
    switch (showCode) {
    case 1: return 6;  // SW_MINIMIZE
    case 2: return 3;  // SW_MAXIMIZE
    case 3: return 0;  // SW_HIDE
    default: return 1; // SW_SHOWNORMAL
    }
}

std::string ProgramOfCommand(const std::string& command) {
    if (!command.empty() && command[0] == '"') {
        const std::size_t close = command.find('"', 1);
        return command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    }
    return command.substr(0, command.find(' '));
}

}  // namespace holm
