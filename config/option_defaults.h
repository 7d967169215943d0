// The options a new installation starts with, stored when the program
// closes while no options were ever stored.
#pragma once

namespace setwise {

void StoreDefaultOptionsIfMissing();

}  // namespace setwise
