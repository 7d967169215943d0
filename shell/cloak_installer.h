// "/InstallCloak": installing a cloak file. The files it names are copied
// into <cloak directory>\<cloak name> and the cloak record is written; the
// current cloak stays as it is. One message box tells the outcome.
#pragma once

namespace holm {

// `argument` is the command line from the first blank after the switch.
void InstallCloak(const char* argument);

}  // namespace holm
