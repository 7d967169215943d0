#include "text_edit.h"

#include <cstring>

namespace holm {

std::string DoubleChar(const std::string& text, char c) {
    std::string out;
    const std::size_t len = text.size() < 255 ? text.size() : 255;
    out.reserve(len * 2);
    for (std::size_t i = 0; i < len; ++i) {
        out += text[i];
        if (text[i] == c) out += c;
    }
    return out;
}

int RemoveChar(char* text, char c) {
    int removed = 0;
    char* out = text;
    for (const char* in = text; *in; ++in) {
        if (*in == c)
            ++removed;
        else
            *out++ = *in;
    }
    *out = '\0';
    return removed;
}

std::size_t ReplaceSpan(char* buffer, std::size_t capacity, std::size_t pos,
                        std::size_t n, const char* replacement) {
    if (capacity == 0) return 0;
    const std::size_t len = std::strlen(buffer);
    if (pos > len) pos = len;
    if (pos + n > len) n = len - pos;
    const std::size_t last = capacity - 1;  // room for characters
    std::size_t repLen = std::strlen(replacement);
    if (pos + repLen > last) repLen = last - pos;
    const std::size_t tailFrom = pos + n;
    std::size_t tailLen = len - tailFrom;
    const std::size_t tailTo = pos + repLen;
    if (tailTo + tailLen > last) tailLen = last - tailTo;
    std::memmove(buffer + tailTo, buffer + tailFrom, tailLen);
    std::memcpy(buffer + pos, replacement, repLen);
    buffer[tailTo + tailLen] = '\0';
    return repLen;
}

static unsigned char FoldAscii(unsigned char ch) {
    return (ch >= 'a' && ch <= 'z') ? static_cast<unsigned char>(ch - 'a' + 'A') : ch;
}

int CompareFoldAscii(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        const unsigned char fx = FoldAscii(*x), fy = FoldAscii(*y);
        if (fx != fy) return fx < fy ? -1 : 1;
        if (fx == 0) return 0;
    }
}

bool EqualsFoldAscii(const char* a, const char* b) { return CompareFoldAscii(a, b) == 0; }

}  // namespace holm
