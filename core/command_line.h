// The switches of holm.exe. Pure logic: no Windows headers.
#pragma once
#include <string>

namespace holm {

enum class Switch { None, Version, RedoHook, InstallCloak };

struct CommandLineAction {
    Switch which = Switch::None;
    std::string cloakArgument;  // for InstallCloak: from the first blank on
};

// Looks at the text from the first "/" of the whole command line.
CommandLineAction ParseCommandLine(const char* commandLine);

}  // namespace holm
