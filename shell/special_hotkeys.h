// The eight shell-wide hotkeys (ids 2720 to 2727).
#pragma once

namespace holm {

void RegisterSpecialHotkeys();
void UnregisterSpecialHotkeys();

}  // namespace holm
