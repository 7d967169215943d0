// Placeholder replacement for the popup titles. Pure logic: no Windows headers.
#pragma once
#include <cstddef>

namespace holm {

constexpr std::size_t kTitleBytes = 399;

// Replaces every `placeholder` in the zero-terminated text in `buffer`
// (`capacity` bytes) by `value`; the scan goes on after each inserted value,
// so a value that itself holds the placeholder is not expanded again. Text
// that would not fit is cut at the end of the buffer.
void ReplaceEvery(char* buffer, std::size_t capacity, const char* placeholder, const char* value);

}  // namespace holm
