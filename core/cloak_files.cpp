#include "cloak_files.h"

#include <cctype>

#include "cloak_install_rules.h"
#include "holm_values.h"

namespace holm {

const char* const kCloakFileKeys[kCloakFileSlotCount] = {
    values::kCloakBackground, values::kCloakSubmenuIcon, values::kCloakHideCursor, values::kCloakCloseCursor,
    values::kCloakKillCursor};

std::string ColourText(const Colour& colour) {
    return std::to_string(colour.red & 0xFF) + " " + std::to_string(colour.green & 0xFF) + " " +
           std::to_string(colour.blue & 0xFF);
}

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// One "%d": white space, an optional sign, at least one digit.
bool ReadInteger(const std::string& text, std::size_t& at, int& value) {
    while (at < text.size() && IsBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || !std::isdigit(static_cast<unsigned char>(text[at]))) return false;
    unsigned long long magnitude = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at)
        magnitude = (magnitude * 10 + static_cast<unsigned>(text[at] - '0')) & 0xFFFFFFFFULL;
    const unsigned low = static_cast<unsigned>(magnitude);
    value = static_cast<int>((negative ? 0u - low : low) & 0xFF);
    return true;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Control characters would end a line of the cloak file early.
std::string OneLine(const std::string& value) {
    std::string line;
    for (char c : value)
        if (static_cast<unsigned char>(c) >= 32) line += c;
    return line;
}

std::string Numbered(const std::string& name, int n) {
    const std::size_t dot = name.rfind('.');
    const std::string suffix = " (" + std::to_string(n) + ")";
    return dot == std::string::npos || dot == 0 ? name + suffix : name.substr(0, dot) + suffix + name.substr(dot);
}

}  // namespace

bool ParseColourText(const std::string& text, Colour& colour) {
    std::size_t at = 0;
    Colour read;
    if (!ReadInteger(text, at, read.red) || !ReadInteger(text, at, read.green) || !ReadInteger(text, at, read.blue))
        return false;
    colour = read;
    return true;
}

std::string FileNamePart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::vector<std::string> ExportFileNames(const CloakExport& cloak, std::vector<std::string>* refused) {
    std::vector<std::string> names(kCloakFileSlotCount);
    for (int slot = 0; slot < kCloakFileSlotCount; ++slot) {
        const std::string& source = cloak.files[slot];
        const std::string name = FileNamePart(source);
        if (source.empty() || name.empty()) continue;
        if (!IsSafeFileEntry(name)) {
            if (refused) refused->push_back(source);
            continue;
        }
        // The same source keeps its name; another file of the same name gets a number.
        std::string chosen = name;
        for (int n = 2;; ++n) {
            bool clash = false;
            for (int earlier = 0; earlier < slot && !clash; ++earlier)
                clash = LowerAscii(names[earlier]) == LowerAscii(chosen) &&
                        LowerAscii(cloak.files[earlier]) != LowerAscii(source);
            if (!clash) break;
            chosen = Numbered(name, n);
        }
        names[slot] = chosen;
    }
    return names;
}

static std::string ExportLine(const char* name, const std::string& value) {
    return std::string(name) + "=" + value + "\r\n";
}

std::string ExportText(const CloakExport& cloak, const std::vector<std::string>& fileNames) {
    std::string text = "[" + OneLine(cloak.name) + "]\r\n";
    for (int slot = 0; slot < kCloakFileSlotCount; ++slot)
        text += ExportLine(kCloakFileKeys[slot],
                           slot < static_cast<int>(fileNames.size()) ? OneLine(fileNames[slot]) : std::string());
    text += ExportLine(values::kCloakFont, OneLine(cloak.font));
    text += ExportLine(values::kCloakUnderline, cloak.underline ? "1" : "0");
    text += ExportLine(values::kCloakItalics, cloak.italics ? "1" : "0");
    text += ExportLine(values::kCloakBold, cloak.bold ? "1" : "0");
    text += ExportLine(values::kCloakTextColour, ColourText(cloak.text));
    text += ExportLine(values::kCloakDisabledTextColour, ColourText(cloak.disabledText));
    text += ExportLine(values::kCloakBorderColour, ColourText(cloak.border));
    return text;
}

std::string ComparablePath(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '/') c = '\\';
    std::string root;
    std::size_t at = 0;
    if (p.size() >= 3 && std::isalpha(static_cast<unsigned char>(p[0])) && p[1] == ':' && p[2] == '\\') {
        root = p.substr(0, 2);
        at = 3;
    } else if (p.size() > 2 && p[0] == '\\' && p[1] == '\\') {
        const std::size_t server = p.find('\\', 2);
        if (server == std::string::npos || server == 2) return "";
        std::size_t share = p.find('\\', server + 1);
        if (share == std::string::npos) share = p.size();
        if (share == server + 1) return "";
        root = p.substr(0, share);
        at = share;
    } else {
        return "";
    }
    std::vector<std::string> parts;
    while (at < p.size()) {
        std::size_t end = p.find('\\', at);
        if (end == std::string::npos) end = p.size();
        std::string part = p.substr(at, end - at);
        at = end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (parts.empty()) return "";
            parts.pop_back();
            continue;
        }
        // The system drops trailing dots and blanks of a name.
        while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
        if (part.empty()) return "";
        parts.push_back(part);
    }
    std::string out = root;
    for (const std::string& part : parts) out += "\\" + part;
    return LowerAscii(out);
}

bool IsOwnCloakFile(const std::string& path, const std::string& ownDirectory) {
    const std::string file = ComparablePath(path);
    const std::string own = ComparablePath(ownDirectory);
    if (file.empty() || own.empty() || file.size() <= own.size() + 1) return false;
    if (file.compare(0, own.size(), own) != 0 || file[own.size()] != '\\') return false;
    const std::string rest = file.substr(own.size() + 1);
    return rest.find('\\') == std::string::npos && IsSafeFileEntry(rest);
}

}  // namespace holm
