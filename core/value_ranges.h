// How the values of a store's groups are shared out among readers: each
// group's values in ranges of indices, the last range of a group open-ended
// so that it reads on to the group's end. Pure logic.
#pragma once
#include <cstddef>
#include <vector>

namespace holm {

// The end of a group's last range: read until the group has no more values.
constexpr std::size_t kToTheEnd = static_cast<std::size_t>(-1);

struct ValueRange {
    std::size_t group;  // position in the counts given
    std::size_t first;  // index of the first value
    std::size_t end;    // one past the last index, or kToTheEnd
};

// The ranges for groups of `valueCounts` values, at most `rangeValues` values
// each (but for the open end), in order of group and index. Every group gets
// at least one range.
std::vector<ValueRange> PlanValueRanges(const std::vector<std::size_t>& valueCounts, std::size_t rangeValues);

}  // namespace holm
