#include "command_line.h"

#include <cstring>

#include "text_edit.h"

namespace holm {

static bool StartsWithFold(const char* text, const char* prefix) {
    const std::size_t n = std::strlen(prefix);
    if (std::strlen(text) < n) return false;
    return CompareFoldAscii(std::string(text, n).c_str(), prefix) == 0;
}

CommandLineAction ParseCommandLine(const char* commandLine) {
    CommandLineAction action;
    const char* rest = commandLine ? std::strchr(commandLine, '/') : nullptr;
    if (!rest) return action;
    if (EqualsFoldAscii(rest, "/Version")) {
        action.which = Switch::Version;
    } else if (EqualsFoldAscii(rest, "/redo-hook")) {
        action.which = Switch::RedoHook;
    } else if (StartsWithFold(rest, "/InstallCloak")) {
        action.which = Switch::InstallCloak;
        const char* blank = std::strchr(rest, ' ');
        if (blank) action.cloakArgument = blank;
    }
    return action;
}

}  // namespace holm
