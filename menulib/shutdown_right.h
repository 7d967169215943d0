// Whether the user may shut the computer down.
#pragma once

namespace holm {

// 1 on Windows 95; on NT 1 when the process token holds the shut-down
// privilege, 0 when it does not or when that cannot be found out.
int ShutdownAllowed();

}  // namespace holm
