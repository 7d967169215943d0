// Reading a whole tree of the Init Menu store before it is walked: the keys
// are found one after the other, their values read by several threads at
// once, a large group's values in several ranges.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "group_model.h"

namespace holm {

// The registry answers each value with a round trip to its server (Wine's
// wineserver, the kernel on Windows); with several requests in flight their
// latency overlaps.
constexpr int kStoreReadThreads = 8;

// One group as found for a walk.
struct GroupRead {
    bool opened = false;   // its key could be opened
    bool dated = false;    // the key has a last-write time (Windows 95 keeps none)
    FILETIME written = {};
    bool kept = false;     // the kept copy is still valid: `contents` was not read
    GroupContents contents;
};

using GroupReads = std::map<std::string, GroupRead>;  // by key path

// The kept contents of the group at `path` when they are still valid for a
// key last written at `written`; null otherwise.
using KeptGroupLookup = std::function<const GroupContents*(const std::string& path, const FILETIME& written)>;

// Every group of the tree at `root` (under HKEY_CURRENT_USER) that a walk
// reaches, read with at most `threads` threads; a group that has a valid
// kept copy is not read, and its kept subgroups are followed.
GroupReads ReadStoreTree(const std::string& root, const KeptGroupLookup& kept, int threads = kStoreReadThreads);

}  // namespace holm
