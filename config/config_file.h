// Configuration files: everything under the product key saved as a
// REGEDIT4 file, and such a file loaded through the registry editor.
#pragma once
#include <string>

namespace setwise {

// Writes the product key and every key below it to `file` (replaced when it
// exists). False with `error` set when the file cannot be written.
bool SaveConfiguration(const std::string& file, std::string& error);

enum class OpenOutcome { Loaded, Refused, Declined, ImportFailed };

// Checks `file` (a REGEDIT4 file of this program, no key outside the product
// key, an Init Menu section) and asks before a file that changes the
// start-up group or the cloak directory (Declined on No), then replaces the
// Init Menu by what the file holds: the system's registry editor imports a
// private copy of the checked bytes. The Init Menu that was there is kept until the
// import is seen to have succeeded and is put back when it has not.
// `message` tells the user why a file was refused or failed.
OpenOutcome OpenConfiguration(const std::string& file, std::string& message);

}  // namespace setwise
