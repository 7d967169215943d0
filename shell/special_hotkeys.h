// The eight shell-wide hotkeys (ids 2720 to 2727), registered on the shell
// main window from Software\Tarvel\Holm\Special HotKeys.
#pragma once

namespace holm {

// Registers every hotkey that is set; each one that cannot be registered
// says so in its own message, and the others are registered all the same.
void RegisterSpecialHotkeys();
// Unregisters all eight ids, whether registered or not.
void UnregisterSpecialHotkeys();

}  // namespace holm
