// Images on menu entries. In the plain style an entry shows a small bitmap
// made from an icon (its unchecked-state bitmap); in the cloaked style the
// icon itself is kept as the entry's item data and drawn by the cloak.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

// One image in the form the current style needs: an icon (cloaked) or a
// bitmap (plain). The owner releases it with ReleaseMenuImage.
struct MenuImage {
    HICON icon = nullptr;
    HBITMAP bitmap = nullptr;
    bool Empty() const { return !icon && !bitmap; }
};

// Turns `icon` into an image for the current style; in the plain style the
// icon is destroyed and a bitmap of the check-mark size is made from it.
MenuImage ImageFromIcon(HICON icon);

// Makes a bitmap of the check-mark size from an icon (the icon stays).
HBITMAP IconToMenuBitmap(HICON icon);

void ReleaseMenuImage(MenuImage& image);

// Attaches `image` to the entry with command id `id` of `menu`.
void AttachImage(HMENU menu, UINT id, const MenuImage& image);

// The executable that runs `program` (found through its association) in
// `directory`, which may be empty; empty when there is none.
std::string FindProgramExecutable(const std::string& program, const std::string& directory);

// The first icon associated with an executable file; null when there is none.
HICON AssociatedIcon(const std::string& executable);

// The fixed images of the menus, loaded once by _init.
enum class FixedImage {
    MonitorFolder, ChangedFolder, ExitHolm, Kill16Bit, HideTray, ShowTray, Logoff,
    Reboot, Shutdown, TaskManager, Configure, Explorer, Count
};

void LoadFixedImages();
const MenuImage& GetFixedImage(FixedImage which);

}  // namespace holm
