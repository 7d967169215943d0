#include "shell_entry.h"

#include <algorithm>

namespace holm {

namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool ShellEntryNamesHolm(const std::string& entry) {
    std::string upper = entry;
    std::transform(upper.begin(), upper.end(), upper.begin(), UpperAscii);
    return upper.find("HOLM") != std::string::npos;
}

std::string ShellTextFor(bool nt, const std::string& fullPath, const std::string& shortPath) {
    if (nt) return fullPath + " /startup";
    return shortPath.empty() ? fullPath : shortPath;
}

}  // namespace holm
