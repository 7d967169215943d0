#include "startup_flag.h"

#include <cstring>

#include "text_edit.h"

namespace holm {

bool DecideStartupRun(const char* commandLine, bool runByDefault) {
    const char* last = commandLine ? std::strrchr(commandLine, '/') : nullptr;
    if (last && EqualsFoldAscii(last, "/Startup")) return true;
    if (!runByDefault) return false;
    return !(last && std::strncmp(last, "/nostartup", 10) == 0);
}

}  // namespace holm
