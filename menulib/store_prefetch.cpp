#include "store_prefetch.h"

#include <iterator>
#include <new>
#include <vector>

#include "registry.h"
#include "store_reader.h"
#include "value_ranges.h"
#include "win_handles.h"

namespace holm {

namespace {

// Ranges short enough that the threads finish together; taking one costs a
// turn of a shared counter.
constexpr std::size_t kValuesPerRange = 100;

// A group whose values are to be read.
struct GroupToRead {
    UniqueKey key;
    std::size_t valueCount;
    GroupRead* read;
};

// What the reading threads share: the ranges, each range's values and the
// next range to take.
struct SharedReading {
    const std::vector<GroupToRead>& groups;
    const std::vector<ValueRange>& ranges;
    std::vector<std::vector<StoreValue>> values;  // one per range
    std::vector<char> failed;                     // one per range: an exception ended it
    volatile LONG next = -1;
};

void ReadRanges(SharedReading& shared) noexcept {
    for (;;) {
        const LONG taken = InterlockedIncrement(&shared.next);
        if (taken < 0 || static_cast<std::size_t>(taken) >= shared.ranges.size()) return;
        const ValueRange& range = shared.ranges[taken];
        try {
            ReadValueRange(shared.groups[range.group].key.Get(), range.first, range.end, shared.values[taken]);
        } catch (...) {
            shared.failed[taken] = 1;
        }
    }
}

DWORD WINAPI ReadRangesThread(LPVOID shared) {
    ReadRanges(*static_cast<SharedReading*>(shared));
    return 0;
}

// Threads that read beside the caller, waited for when they go. Fewer start
// when the system has no more to give.
class HelperThreads {
public:
    HelperThreads(SharedReading& shared, std::size_t count) {
        for (std::size_t i = 0; i < count && i < kStoreReadThreads; ++i) {
            DWORD id = 0;  // Windows 95 fails without somewhere to put it
            threads_[started_].Reset(CreateThread(nullptr, 0, ReadRangesThread, &shared, 0, &id));
            if (threads_[started_]) ++started_;
        }
    }
    HelperThreads(const HelperThreads&) = delete;
    HelperThreads& operator=(const HelperThreads&) = delete;
    ~HelperThreads() {
        HANDLE handles[kStoreReadThreads];
        for (DWORD i = 0; i < started_; ++i) handles[i] = threads_[i].Get();
        if (started_) WaitForMultipleObjects(started_, handles, TRUE, INFINITE);
    }

private:
    UniqueKernelHandle threads_[kStoreReadThreads];
    DWORD started_ = 0;
};

// Finds the groups of the tree at `path` as the walk reaches them: the
// subgroups of a kept group are its kept ones; any other group's are listed
// now and its values left to read.
void FindGroups(const std::string& path, int depth, const KeptGroupLookup& kept, GroupReads& reads,
                std::vector<GroupToRead>& toRead) {
    if (!GroupDepthAllowed(depth)) return;
    GroupRead& read = reads[path];
    UniqueKey key = OpenUserKey(path.c_str(), KEY_READ);
    if (!key) return;
    read.opened = true;
    DWORD values = 0;
    read.dated = RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                                  nullptr, nullptr, &read.written) == ERROR_SUCCESS &&
                 (read.written.dwLowDateTime | read.written.dwHighDateTime) != 0;
    const GroupContents* keptContents = read.dated ? kept(path, read.written) : nullptr;
    read.kept = keptContents != nullptr;
    if (!read.kept) {
        read.contents.subgroups = SubkeyNames(key.Get());
        toRead.push_back({std::move(key), values, &read});
    }
    for (const std::string& name : read.kept ? keptContents->subgroups : read.contents.subgroups)
        FindGroups(path + "\\" + name, depth + 1, kept, reads, toRead);
}

void ReadValues(const std::vector<GroupToRead>& groups, int threads) {
    std::vector<std::size_t> counts;
    for (const GroupToRead& group : groups) counts.push_back(group.valueCount);
    const std::vector<ValueRange> ranges = PlanValueRanges(counts, kValuesPerRange);
    SharedReading shared{groups, ranges, std::vector<std::vector<StoreValue>>(ranges.size()),
                         std::vector<char>(ranges.size(), 0)};
    std::size_t readers = threads < 1 ? 1 : static_cast<std::size_t>(threads);
    if (readers > ranges.size()) readers = ranges.size();
    {
        HelperThreads helpers(shared, readers > 1 ? readers - 1 : 0);  // the caller reads too
        ReadRanges(shared);
    }
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        if (shared.failed[i]) throw std::bad_alloc();
        std::vector<StoreValue>& into = groups[ranges[i].group].read->contents.values;
        into.insert(into.end(), std::make_move_iterator(shared.values[i].begin()),
                    std::make_move_iterator(shared.values[i].end()));
    }
}

}  // namespace

GroupReads ReadStoreTree(const std::string& root, const KeptGroupLookup& kept, int threads) {
    GroupReads reads;
    std::vector<GroupToRead> toRead;
    FindGroups(root, 0, kept, reads, toRead);
    ReadValues(toRead, threads);
    return reads;
}

}  // namespace holm
