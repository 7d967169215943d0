#include "command_ids.h"

namespace holm {

int LaunchIndexOf(std::uintptr_t id, int count) {
    if (id < static_cast<std::uintptr_t>(kCmdFirstLaunch) || id > static_cast<std::uintptr_t>(kLastCommandId))
        return -1;
    const int index = static_cast<int>(id) - kCmdFirstLaunch;
    return index < count ? index : -1;
}

}  // namespace holm
