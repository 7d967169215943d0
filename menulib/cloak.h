// The cloak: the skin of the menus in the cloaked style.
#pragma once
#include <windows.h>

namespace holm {

// Loads the current cloak with the options key open (null: defaults).
void LoadCloak(HKEY optionsKey);

// Opens the options key and loads the cloak again after a reload.
void ReloadCloak();

}  // namespace holm
