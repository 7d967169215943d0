// Registry access shared by the shell and the menu library. Readers never
// trust the stored type or size: a value that does not fit leaves the
// caller's default in place.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "win_handles.h"

namespace holm {

// Opens an existing key; empty on failure.
UniqueKey OpenKey(HKEY root, const char* path, REGSAM access);
UniqueKey OpenUserKey(const char* path, REGSAM access = KEY_QUERY_VALUE);

// Opens a key, creating it (and the keys above it) when missing; empty on
// failure.
UniqueKey CreateKey(HKEY root, const char* path, REGSAM access = KEY_ALL_ACCESS);
UniqueKey CreateUserKey(const char* path, REGSAM access = KEY_ALL_ACCESS);

// Reads a 32-bit number into `value`. Data of any type is accepted when it
// is exactly four bytes long; anything else leaves `value` unchanged.
bool ReadNumber(HKEY key, const char* name, DWORD& value);

// Reads a string of at most `maxBytes` bytes (terminator included). Missing,
// oversized or non-string data leaves `value` unchanged. The result is always
// terminated even when the stored data was not.
bool ReadText(HKEY key, const char* name, std::string& value, DWORD maxBytes);

// The names of the key's direct subkeys, in the registry's order; none for
// a null key.
std::vector<std::string> SubkeyNames(HKEY key);

// Opens the existing `subkey` of `root` with set-value access and writes one
// value; never creates the key. Returns 1 on success, 0 on failure.
int WriteRegistryValue(HKEY root, const char* subkey, const char* name, DWORD type,
                       const void* data, DWORD size);

}  // namespace holm
