#include "title_text.h"

#include <cstring>

#include "text_edit.h"

namespace holm {

void ReplaceEvery(char* buffer, std::size_t capacity, const char* placeholder, const char* value) {
    const std::size_t keyLen = std::strlen(placeholder);
    if (keyLen == 0 || capacity == 0) return;
    std::size_t pos = 0;
    for (;;) {
        char* found = std::strstr(buffer + pos, placeholder);
        if (!found) return;
        const std::size_t at = static_cast<std::size_t>(found - buffer);
        pos = at + ReplaceSpan(buffer, capacity, at, keyLen, value);
        if (pos >= capacity - 1) return;
    }
}

}  // namespace holm
