#include "cloak_install_rules.h"

#include <cctype>
#include <climits>

namespace holm {

std::string CloakFilePath(const std::string& argument) {
    std::string path = argument.empty() ? argument : argument.substr(1);
    if (!path.empty() && path[0] == '"') {
        path.erase(0, 1);
        if (!path.empty() && path.back() == '"') path.pop_back();
    }
    return path;
}

std::string DirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

namespace {

// CON, NUL, COM1 and the like name devices in every directory, with any
// extension.
bool IsDeviceName(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (char& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CLOCK$") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
           stem[3] >= '1' && stem[3] <= '9';
}

bool IsPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == ".." || IsDeviceName(name)) return false;
    for (unsigned char c : name) {
        if (c < 32) return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return false;
        default:
            break;
        }
    }
    // The system drops trailing dots and blanks, which could turn the name
    // into another one (".. " is "..").
    const char last = name.back();
    return last != '.' && last != ' ';
}

}  // namespace

bool IsSafeCloakName(const std::string& name) { return IsPlainName(name); }

bool IsSafeFileEntry(const std::string& entry) { return entry.empty() || IsPlainName(entry); }

long StyleNumber(const std::string& entry) {
    std::size_t i = 0;
    while (i < entry.size() && (entry[i] == ' ' || entry[i] == '\t')) ++i;
    bool negative = false;
    if (i < entry.size() && (entry[i] == '+' || entry[i] == '-')) negative = entry[i++] == '-';
    long long value = 0;
    for (; i < entry.size() && std::isdigit(static_cast<unsigned char>(entry[i])); ++i) {
        value = value * 10 + (entry[i] - '0');
        if (value > 0xFFFFFFFFLL) value = 0xFFFFFFFFLL;  // stays non-zero, as the writer meant "on"
    }
    return static_cast<long>(negative ? -value : value);
}

}  // namespace holm
