#include "group_cache.h"

#include <windows.h>

#include <map>

#include "registry.h"
#include "store_reader.h"

namespace holm {

namespace {

// A key's last-write time has the system clock's resolution, so a write in
// the same tick as a read could leave it unchanged. A group is kept only
// when its key had last been written well before it was read; later writes
// then always give a different time.
constexpr ULONGLONG kSettledTicks = 2ULL * 10000000ULL;  // 2 s in units of 100 ns

struct KeptGroup {
    FILETIME written = {};
    GroupContents contents;
    unsigned walk = 0;  // the last walk that reached it
};

struct GroupCache {
    std::map<std::string, KeptGroup> groups;  // by key path
    unsigned walk = 0;
};

GroupCache g_groups;

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// False where the system keeps no such time (Windows 95 gives zero).
bool LastWriteTime(const std::string& path, FILETIME& written) {
    UniqueKey key = OpenUserKey(path.c_str(), KEY_READ);
    if (!key) return false;
    written = {};
    return RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, &written) == ERROR_SUCCESS &&
           Ticks(written) != 0;
}

bool SettledSince(const FILETIME& written) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return Ticks(now) >= Ticks(written) + kSettledTicks;
}

}  // namespace

bool GroupContentsOf(const std::string& path, GroupContents& contents) {
    FILETIME written = {};
    const bool dated = LastWriteTime(path, written);
    auto found = g_groups.groups.find(path);
    if (dated && found != g_groups.groups.end() && CompareFileTime(&written, &found->second.written) == 0) {
        found->second.walk = g_groups.walk;
        contents = found->second.contents;
        return true;
    }
    if (found != g_groups.groups.end()) g_groups.groups.erase(found);
    if (!ReadGroupContents(path, contents)) return false;
    if (dated && SettledSince(written)) g_groups.groups[path] = {written, contents, g_groups.walk};
    return true;
}

void BeginStoreWalk() { ++g_groups.walk; }

void EndStoreWalk() {
    for (auto it = g_groups.groups.begin(); it != g_groups.groups.end();) {
        if (it->second.walk == g_groups.walk)
            ++it;
        else
            it = g_groups.groups.erase(it);
    }
}

}  // namespace holm
