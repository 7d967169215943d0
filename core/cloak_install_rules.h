// The rules of "/InstallCloak" that need no system calls: the cloak file's
// path from the command line, and which names may become files and keys.
// Pure logic: no Windows headers.
#pragma once
#include <string>

namespace holm {

// The path from the text that follows the switch: its first character (the
// blank) is skipped, then an opening double quote and a closing one at the
// very end. A path without quotes runs to the end, blanks included.
std::string CloakFilePath(const std::string& argument);

// The directory part of a path, up to and including its last backslash;
// empty when there is none.
std::string DirectoryOf(const std::string& path);

// A cloak name becomes a directory below the cloak directory and a key
// below "Cloaks": it must be one plain name of a file system entry.
bool IsSafeCloakName(const std::string& name);

// A file entry of a cloak file names a file beside the cloak file and is
// copied into the cloak's own directory: it must be empty or a bare file
// name (no drive, no directory, nothing that climbs out).
bool IsSafeFileEntry(const std::string& entry);

// The integer of a style entry: leading blanks, an optional sign, decimal
// digits; anything else ends the number. Empty or not a number: 0.
long StyleNumber(const std::string& entry);

}  // namespace holm
