// Window List texts and the hidden-title rule. Pure logic: no Windows headers.
#pragma once
#include <string>

#include "grow_array.h"

namespace holm {

// Text of an untitled window's entry under "All windows".
constexpr char kNoTitleText[] = " [No Title]";

// Longest menu text of a window entry.
constexpr std::size_t kMaxWindowMenuText = 255;

// The menu text for a window title: the first `shownChars` characters of the
// title with every '&' doubled (so that it shows as one), cut to 255
// characters. A cut never splits a doubled pair, which would leave a lone '&'
// at the end.
std::string WindowMenuText(const std::string& title, int shownChars);

// The window titles that the user does not want listed, compared without
// regard to the case of ASCII letters.
class HiddenTitleList {
public:
    static constexpr int kInitialCapacity = 5;

    // Empties the list.
    bool Reset();
    // Adds a title; titles of 256 characters or more can match no window and
    // are not kept.
    void Add(const char* title);
    bool Contains(const char* title) const;
    int Count() const { return entries_.Count(); }

private:
    struct Entry {
        char text[256];
    };
    GrowArray<Entry> entries_;
};

// Whether a window title is left out of the root of the Window List: the
// shell's own tray window ("HOLM Tray", exactly) or a title of the list.
bool IsHiddenTitle(const char* title, const HiddenTitleList& hidden);

}  // namespace holm
