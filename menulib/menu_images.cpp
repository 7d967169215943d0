#include "menu_images.h"

#include <shellapi.h>

#include "holm_names.h"
#include "library_state.h"

namespace holm {

namespace {

MenuImage g_fixed[static_cast<int>(FixedImage::Count)];

const char* const kFixedIconNames[] = {
    "MONITORFOLDERICON", "CHANGEDFOLDERICON", "EXITHOLMICON", "KILLNTVDMICON",
    "HIDETRAYICON", "SHOWTRAYICON", "LOGOFFICON", "REBOOTICON", "SHUTDOWNICON",
};

// A copy of an icon resource of the standard icon size that is ours to
// destroy (LoadIcon's icons are shared and must never be destroyed).
UniqueIcon LoadOwnedIcon(const char* name) {
    return UniqueIcon(static_cast<HICON>(LoadImageA(g_lib.resources, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
}

}  // namespace

UniqueBitmap IconToMenuBitmap(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return UniqueBitmap();
    UniqueBitmap mask(info.hbmMask);
    UniqueBitmap colour(info.hbmColor);
    if (!colour) return UniqueBitmap();
    BITMAP bm = {};
    GetObjectA(colour.Get(), sizeof(bm), &bm);
    WindowDC screen(g_lib.shell);
    MemoryDC colourDC(screen.Get());
    MemoryDC maskDC(screen.Get());
    {
        SelectInDC selColour(colourDC.Get(), colour.Get());
        SelectInDC selMask(maskDC.Get(), mask.Get());
        BitBlt(colourDC.Get(), 0, 0, bm.bmWidth, bm.bmHeight, maskDC.Get(), 0, 0, SRCINVERT);
        SetStretchBltMode(colourDC.Get(), COLORONCOLOR);
        StretchBlt(colourDC.Get(), 0, 0, g_lib.checkWidth, g_lib.checkHeight, colourDC.Get(), 0, 0,
                   bm.bmWidth, bm.bmHeight, SRCCOPY);
    }
    return colour;
}

MenuImage ImageFromIcon(UniqueIcon icon) {
    if (!icon) return MenuImage();
    if (g_lib.Cloaked()) return MenuImage(std::move(icon));
    return MenuImage(IconToMenuBitmap(icon.Get()));
}

void AttachImage(HMENU menu, UINT id, MenuImageView image) {
    if (image.icon) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(image.icon);
        SetMenuItemInfoA(menu, id, FALSE, &mii);
    } else if (image.bitmap) {
        SetMenuItemBitmaps(menu, id, MF_BYCOMMAND, image.bitmap, nullptr);
    }
}

std::string FindProgramExecutable(const std::string& program, const std::string& directory) {
    char executable[MAX_PATH] = "";
    const auto found = reinterpret_cast<INT_PTR>(FindExecutableA(program.c_str(), directory.c_str(), executable));
    return found > 32 ? executable : "";
}

HICON AssociatedIcon(const std::string& executable) {
    if (executable.empty()) return nullptr;
    char path[MAX_PATH];
    lstrcpynA(path, executable.c_str(), sizeof(path));
    WORD index = 0;
    return ExtractAssociatedIconA(g_lib.resources, path, &index);
}

void LoadFixedImages() {
    for (int i = 0; i < static_cast<int>(sizeof(kFixedIconNames) / sizeof(kFixedIconNames[0])); ++i) {
        if (g_fixed[i].Empty()) g_fixed[i] = ImageFromIcon(LoadOwnedIcon(kFixedIconNames[i]));
    }
    auto loadProgram = [](FixedImage which, const char* program) {
        MenuImage& image = g_fixed[static_cast<int>(which)];
        if (image.Empty()) image = ImageFromIcon(UniqueIcon(AssociatedIcon(FindProgramExecutable(program, ""))));
    };
    loadProgram(FixedImage::TaskManager, g_lib.IsNT() ? "taskmgr.exe" : "taskman.exe");
    loadProgram(FixedImage::Configure, kConfigProgram);
    loadProgram(FixedImage::Explorer, "explorer.exe");
}

MenuImageView GetFixedImage(FixedImage which) { return g_fixed[static_cast<int>(which)].View(); }

}  // namespace holm
