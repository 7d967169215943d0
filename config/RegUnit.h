// The configuration program's registry work.
#pragma once

namespace setwise {

// True when no installation exists yet (the product key has no TrayVisible).
bool IsNewInstallation();

// Creates the product key and the default Init Menu of a new installation.
void CreateDefaultMenu();

// Stores the default options unless options were stored before.
void StoreDefaultOptionsIfMissing();

}  // namespace setwise
