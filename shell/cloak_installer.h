// "/InstallCloak": copying a cloak file's images into the cloak directory.
#pragma once

namespace holm {

void InstallCloak(const char* argument);

}  // namespace holm
