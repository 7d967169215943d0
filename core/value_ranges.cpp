#include "value_ranges.h"

namespace holm {

std::vector<ValueRange> PlanValueRanges(const std::vector<std::size_t>& valueCounts, std::size_t rangeValues) {
    if (rangeValues == 0) rangeValues = 1;
    std::vector<ValueRange> ranges;
    for (std::size_t group = 0; group < valueCounts.size(); ++group) {
        std::size_t first = 0;
        for (; valueCounts[group] - first > rangeValues; first += rangeValues)
            ranges.push_back({group, first, first + rangeValues});
        ranges.push_back({group, first, kToTheEnd});
    }
    return ranges;
}

}  // namespace holm
