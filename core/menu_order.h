// The order of entries within a group: labels compared as shown, without
// regard to the case of ASCII letters; equal labels keep their order. Pure.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace holm {

// Menu texts are read back at most 255 characters long, so only that much
// of a label takes part in the comparison.
constexpr std::size_t kComparedLabelLength = 255;

bool LabelSortsBefore(const std::string& a, const std::string& b);

// The positions of `labels` in menu order (a stable sort).
std::vector<std::size_t> MenuOrder(const std::vector<std::string>& labels);

}  // namespace holm
