#include "window_titles.h"

#include <cstring>

#include "holm_names.h"
#include "text_edit.h"

namespace holm {

std::string WindowMenuText(const std::string& title, int shownChars) {
    const std::size_t shown = shownChars < 0 ? 0 : static_cast<std::size_t>(shownChars);
    std::string text = DoubleChar(title.substr(0, shown), '&');
    if (text.size() <= kMaxWindowMenuText) return text;
    text.resize(kMaxWindowMenuText);
    // Every '&' of the doubled text stands in a run of even length; an odd
    // run at the end means the cut took half of a pair.
    std::size_t run = 0;
    while (run < text.size() && text[text.size() - 1 - run] == '&') ++run;
    if (run % 2 != 0) text.pop_back();
    return text;
}

bool HiddenTitleList::Reset() { return entries_.Init(kInitialCapacity); }

void HiddenTitleList::Add(const char* title) {
    Entry entry;
    if (std::strlen(title) >= sizeof(entry.text)) return;
    std::strcpy(entry.text, title);
    entries_.Append(entry);
}

bool HiddenTitleList::Contains(const char* title) const {
    for (const Entry& entry : entries_)
        if (EqualsFoldAscii(entry.text, title)) return true;
    return false;
}

bool IsHiddenTitle(const char* title, const HiddenTitleList& hidden) {
    return std::strcmp(title, kTrayTitle) == 0 || hidden.Contains(title);
}

}  // namespace holm
