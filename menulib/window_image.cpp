#include "window_image.h"

#include "library_state.h"

namespace holm {

MenuImageView WindowImages::ImageOf(HICON icon) {
    if (!icon) return MenuImageView();
    if (g_lib.Cloaked()) return {icon, nullptr};
    auto found = bitmaps_.find(icon);
    if (found == bitmaps_.end()) found = bitmaps_.emplace(icon, IconToMenuBitmap(icon)).first;
    return {nullptr, found->second.Get()};
}

}  // namespace holm
