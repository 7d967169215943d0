// In-place text editing shared by the shell and the menu library.
// Pure logic: no Windows headers.
#pragma once
#include <cstddef>
#include <string>

namespace holm {

// Returns `text` with every `c` doubled. Only the first 255 characters of the
// input are taken, as menu texts are limited to that.
std::string DoubleChar(const std::string& text, char c);

// Removes every `c` from the zero-terminated `text`; returns how many went.
int RemoveChar(char* text, char c);

// Replaces the `n` characters at `pos` by `replacement` inside a buffer of
// `capacity` bytes holding a zero-terminated text. The rest of the text moves
// to fit; whatever would not fit is cut so the buffer always stays terminated.
// Returns the number of replacement characters written.
std::size_t ReplaceSpan(char* buffer, std::size_t capacity, std::size_t pos,
                        std::size_t n, const char* replacement);

// ASCII-only case folding and comparison (a-z folded to A-Z, then compared as
// unsigned bytes), as used for menu ordering and hidden titles.
int CompareFoldAscii(const char* a, const char* b);
bool EqualsFoldAscii(const char* a, const char* b);

}  // namespace holm
