#include "menu_order.h"

#include <algorithm>
#include <numeric>

#include "text_edit.h"

namespace holm {

bool LabelSortsBefore(const std::string& a, const std::string& b) {
    return CompareFoldAscii(a.substr(0, kComparedLabelLength).c_str(),
                            b.substr(0, kComparedLabelLength).c_str()) < 0;
}

std::vector<std::size_t> MenuOrder(const std::vector<std::string>& labels) {
    std::vector<std::size_t> order(labels.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&labels](std::size_t x, std::size_t y) { return LabelSortsBefore(labels[x], labels[y]); });
    return order;
}

}  // namespace holm
