#include "cloak.h"

#include <shellapi.h>

#include <utility>

#include "cloak_menu.h"
#include "cloak_record.h"
#include "holm_names.h"
#include "library_state.h"
#include "registry.h"
#include "win_handles.h"

namespace holm {

namespace {

// Images taken from the resource module are shared by the system and are
// never destroyed; those loaded from files are owned here.
template <typename H, typename Unique>
struct LoadedImage {
    Unique owned;
    H shared = nullptr;
    H Get() const { return owned ? owned.Get() : shared; }
};
using LoadedIcon = LoadedImage<HICON, UniqueIcon>;
using LoadedCursor = LoadedImage<HCURSOR, UniqueCursor>;

// What the look's handles point into.
struct CloakResources {
    CloakLook look;
    UniqueFont font;
    SelectedBitmap background;
    UniquePen borderPen;
    LoadedIcon submenuIcon;
    LoadedCursor hide, close, kill;
};

CloakResources g_cloak;

HFONT MakeFont(const CloakRecord& record) {
    LOGFONTA lf = {};
    lf.lfHeight = 16;
    lf.lfWeight = record.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = record.italics ? TRUE : FALSE;
    lf.lfUnderline = record.underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, record.font.c_str(), LF_FACESIZE);  // a longer name is cut to 31 characters
    return CreateFontIndirectA(&lf);
}

UniqueBitmap LoadBackground(const CloakPath& value) {
    if (!value.present) return UniqueBitmap();
    if (value.path.empty()) return UniqueBitmap(LoadBitmapA(g_lib.resources, "DEFAULT_MENU_BKGND"));
    return UniqueBitmap(
        static_cast<HBITMAP>(LoadImageA(nullptr, value.path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
}

LoadedIcon LoadSubmenuIcon(const CloakPath& value) {
    LoadedIcon loaded;
    if (!value.present || value.path.empty()) {
        loaded.shared = LoadIconA(g_lib.resources, "DEFAULTSUBMENUICON");
        return loaded;
    }
    HICON icon = ExtractIconA(g_lib.resources, value.path.c_str(), 0);
    if (reinterpret_cast<INT_PTR>(icon) > 1) loaded.owned.Reset(icon);  // 1: not a program, library or icon file
    return loaded;
}

LoadedCursor LoadCloakCursor(const CloakPath& value, const char* builtIn) {
    LoadedCursor loaded;
    if (value.present && !value.path.empty()) loaded.owned.Reset(LoadCursorFromFileA(value.path.c_str()));
    if (!loaded.owned) loaded.shared = LoadCursorA(g_lib.resources, builtIn);
    return loaded;
}

// An unusable bitmap leaves the cloak without a background.
void TakeBackground(CloakResources& r, UniqueBitmap bitmap) {
    r.background.Reset();
    r.look.bitmapDC = nullptr;
    r.look.bitmapWidth = r.look.bitmapHeight = 0;
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap.Get(), sizeof(info), &info)) return;
    if (!r.background.Take(std::move(bitmap))) return;
    r.look.bitmapDC = r.background.Dc();
    r.look.bitmapWidth = info.bmWidth;
    r.look.bitmapHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
}

void ApplyCloak(const CloakRecord& record) {
    RegisterMenuClass(g_lib.resources);
    CloakResources& r = g_cloak;
    r.font.Reset(MakeFont(record));
    r.look.font = r.font.Get();
    TakeBackground(r, LoadBackground(record.background));
    r.borderPen.Reset(CreatePen(PS_SOLID, 0, record.border));
    r.look.borderPen = r.borderPen.Get();
    r.submenuIcon = LoadSubmenuIcon(record.submenuIcon);
    r.look.submenuIcon = r.submenuIcon.Get();
    r.look.text = record.text;
    r.look.disabledText = record.disabledText;
    if (!r.look.arrow) r.look.arrow = LoadCursorA(nullptr, IDC_ARROW);
    r.hide = LoadCloakCursor(record.hideCursor, "HIDECURSOR");
    r.close = LoadCloakCursor(record.closeCursor, "CLOSECURSOR");
    r.kill = LoadCloakCursor(record.killCursor, "KILLCURSOR");
    r.look.hide = r.hide.Get();
    r.look.close = r.close.Get();
    r.look.kill = r.kill.Get();
}

}  // namespace

void LoadCloak(HKEY optionsKey) { ApplyCloak(ReadCloakRecord(optionsKey)); }

void ReloadCloak() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    LoadCloak(key.Get());
}

const CloakLook& CurrentCloak() { return g_cloak.look; }

}  // namespace holm
