#include "group_cache.h"

#include <windows.h>

#include <map>
#include <utility>

#include "store_prefetch.h"

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
    GroupReads walked;                        // the current walk's groups, as found before it
    FILETIME walkBegan = {};                  // before any of them was read
    unsigned walk = 0;
};

GroupCache g_groups;

ULONGLONG Ticks(const FILETIME& time) {
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

bool SettledBeforeTheWalk(const FILETIME& written) {
    return Ticks(g_groups.walkBegan) >= Ticks(written) + kSettledTicks;
}

const GroupContents* ValidKeptContents(const std::string& path, const FILETIME& written) {
    auto found = g_groups.groups.find(path);
    if (found == g_groups.groups.end() || CompareFileTime(&written, &found->second.written) != 0) return nullptr;
    return &found->second.contents;
}

}  // namespace

bool GroupContentsOf(const std::string& path, GroupContents& contents) {
    auto read = g_groups.walked.find(path);
    auto found = g_groups.groups.find(path);
    if (read == g_groups.walked.end() || !read->second.opened) {
        if (found != g_groups.groups.end()) g_groups.groups.erase(found);
        return false;
    }
    if (read->second.kept && found != g_groups.groups.end()) {
        found->second.walk = g_groups.walk;
        contents = found->second.contents;
        return true;
    }
    if (found != g_groups.groups.end()) g_groups.groups.erase(found);
    contents = std::move(read->second.contents);
    if (read->second.dated && SettledBeforeTheWalk(read->second.written))
        g_groups.groups[path] = {read->second.written, contents, g_groups.walk};
    return true;
}

void BeginStoreWalk(const std::string& root) {
    ++g_groups.walk;
    GetSystemTimeAsFileTime(&g_groups.walkBegan);
    g_groups.walked = ReadStoreTree(root, ValidKeptContents);
}

void EndStoreWalk() {
    g_groups.walked.clear();
    for (auto it = g_groups.groups.begin(); it != g_groups.groups.end();) {
        if (it->second.walk == g_groups.walk)
            ++it;
        else
            it = g_groups.groups.erase(it);
    }
}

}  // namespace holm
