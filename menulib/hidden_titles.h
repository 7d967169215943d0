// The window titles the Window List leaves out, read once at start-up from
// the value names of the WindowsNotToShow key.
#pragma once
#include "window_titles.h"

namespace holm {

// Reads the list; the key is created when missing. Only string values count.
void LoadHiddenTitles();

const HiddenTitleList& HiddenTitles();

}  // namespace holm
