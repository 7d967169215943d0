// What the system's shell entry says and what HOLM writes into it.
// Pure logic: no Windows headers.
#pragma once
#include <string>

namespace holm {

// True when the entry names HOLM: it contains "holm" in any letter case.
bool ShellEntryNamesHolm(const std::string& entry);

// The text registered as the shell: on NT the program's full path followed
// by " /startup"; on Windows 95 the short path alone.
std::string ShellTextFor(bool nt, const std::string& fullPath, const std::string& shortPath);

}  // namespace holm
