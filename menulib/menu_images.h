// Images on menu entries. In the plain style an entry shows a small bitmap
// made from an icon (its unchecked-state bitmap); in the cloaked style the
// icon itself is kept as the entry's item data and drawn by the cloak.
#pragma once
#include <windows.h>

#include <string>
#include <utility>

#include "win_handles.h"

namespace holm {

// An image as a menu entry shows it: an icon (cloaked) or a bitmap (plain).
// A view owns neither; whoever lent it keeps them until the menu is gone.
struct MenuImageView {
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    bool Empty() const { return !icon && !bitmap; }
};

// An image that owns its icon or bitmap and releases it once, when it goes.
class MenuImage {
public:
    MenuImage() = default;
    explicit MenuImage(UniqueIcon icon) : icon_(std::move(icon)) {}
    explicit MenuImage(UniqueBitmap bitmap) : bitmap_(std::move(bitmap)) {}

    MenuImageView View() const { return {icon_.Get(), bitmap_.Get()}; }
    bool Empty() const { return !icon_ && !bitmap_; }

private:
    UniqueIcon icon_;
    UniqueBitmap bitmap_;
};

// Turns `icon` into an image for the current style: the icon itself
// (cloaked), or a bitmap of the check-mark size made from it (plain), in
// which case the icon is destroyed.
MenuImage ImageFromIcon(UniqueIcon icon);

// Makes a bitmap of the check-mark size from an icon (the icon stays).
UniqueBitmap IconToMenuBitmap(HICON icon);

// Attaches `image` to the entry with command id `id` of `menu`.
void AttachImage(HMENU menu, UINT id, MenuImageView image);

// The executable that runs `program` (found through its association) in
// `directory`, which may be empty; empty when there is none.
std::string FindProgramExecutable(const std::string& program, const std::string& directory);

// The first icon associated with an executable file; null when there is none.
HICON AssociatedIcon(const std::string& executable);

// The fixed images of the menus, loaded once at start-up and owned by their
// table for the life of the process.
enum class FixedImage {
    MonitorFolder, ChangedFolder, ExitHolm, Kill16Bit, HideTray, ShowTray, Logoff,
    Reboot, Shutdown, TaskManager, Configure, Explorer, Count
};

void LoadFixedImages();
MenuImageView GetFixedImage(FixedImage which);

}  // namespace holm
