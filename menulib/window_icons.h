// Which icon stands for each window of the Window List. The windows are asked
// all at once and what they answer is kept while they live, so that opening
// the list never waits on one window after another, nor on a hung one. An
// icon that this process cannot read (under Wine another process's icons
// cannot be read) is passed over; a window left without one is shown with
// its program file's own small icon, kept per file.
#pragma once
#include <windows.h>

#include <vector>

namespace holm {

// Learns the icons of `windows`: asks those not known yet for their small
// and big icons at once, waits for the answers at most the icon time-out,
// and forgets every window not among `windows`. A hung window is not asked;
// an answer that comes later is used from the next opening on.
void LearnWindowIcons(const std::vector<HWND>& windows);

// The icon learnt for `window`, null when it has none. It is borrowed: it
// belongs to the window, its class or the program-file cache.
HICON KnownWindowIcon(HWND window);

}  // namespace holm
