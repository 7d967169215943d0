#include "cloak.h"

#include <shellapi.h>

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
struct LoadedCursor {
    HCURSOR cursor = nullptr;
    bool owned = false;
};

struct CloakResources {
    CloakLook look;
    HBITMAP bitmap = nullptr;
    HGDIOBJ bitmapDCDefault = nullptr;
    bool submenuIconOwned = false;
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

HBITMAP LoadBackground(const CloakPath& value) {
    if (!value.present) return nullptr;
    if (value.path.empty()) return LoadBitmapA(g_lib.resources, "DEFAULT_MENU_BKGND");
    return static_cast<HBITMAP>(LoadImageA(nullptr, value.path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

// The submenu icon and whether it is ours to destroy.
HICON LoadSubmenuIcon(const CloakPath& value, bool& owned) {
    owned = false;
    if (!value.present || value.path.empty()) return LoadIconA(g_lib.resources, "DEFAULTSUBMENUICON");
    HICON icon = ExtractIconA(g_lib.resources, value.path.c_str(), 0);
    if (reinterpret_cast<INT_PTR>(icon) <= 1) return nullptr;  // 1: not a program, library or icon file
    owned = true;
    return icon;
}

LoadedCursor LoadCloakCursor(const CloakPath& value, const char* builtIn) {
    LoadedCursor loaded;
    if (value.present && !value.path.empty()) loaded.cursor = LoadCursorFromFileA(value.path.c_str());
    loaded.owned = loaded.cursor != nullptr;
    if (!loaded.cursor) loaded.cursor = LoadCursorA(g_lib.resources, builtIn);
    return loaded;
}

void ReleaseCursor(LoadedCursor& loaded) {
    if (loaded.owned) DestroyCursor(loaded.cursor);
    loaded = LoadedCursor();
}

void ReleaseBackground(CloakResources& r) {
    if (r.look.bitmapDC) {
        SelectObject(r.look.bitmapDC, r.bitmapDCDefault);
        DeleteDC(r.look.bitmapDC);
    }
    if (r.bitmap) DeleteObject(r.bitmap);
    r.look.bitmapDC = nullptr;
    r.bitmap = nullptr;
    r.bitmapDCDefault = nullptr;
    r.look.bitmapWidth = r.look.bitmapHeight = 0;
}

void TakeBackground(CloakResources& r, HBITMAP bitmap) {
    ReleaseBackground(r);
    if (!bitmap) return;
    BITMAP info = {};
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc || !GetObjectA(bitmap, sizeof(info), &info)) {
        if (dc) DeleteDC(dc);
        DeleteObject(bitmap);
        return;
    }
    r.bitmap = bitmap;
    r.look.bitmapDC = dc;
    r.bitmapDCDefault = SelectObject(dc, bitmap);
    r.look.bitmapWidth = info.bmWidth;
    r.look.bitmapHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
}

void ApplyCloak(const CloakRecord& record) {
    RegisterMenuClass(g_lib.resources);
    CloakResources& r = g_cloak;
    if (r.look.font) DeleteObject(r.look.font);
    r.look.font = MakeFont(record);
    TakeBackground(r, LoadBackground(record.background));
    if (r.look.borderPen) DeleteObject(r.look.borderPen);
    r.look.borderPen = CreatePen(PS_SOLID, 0, record.border);
    if (r.submenuIconOwned && r.look.submenuIcon) DestroyIcon(r.look.submenuIcon);
    r.look.submenuIcon = LoadSubmenuIcon(record.submenuIcon, r.submenuIconOwned);
    r.look.text = record.text;
    r.look.disabledText = record.disabledText;
    if (!r.look.arrow) r.look.arrow = LoadCursorA(nullptr, IDC_ARROW);
    ReleaseCursor(r.hide);
    ReleaseCursor(r.close);
    ReleaseCursor(r.kill);
    r.hide = LoadCloakCursor(record.hideCursor, "HIDECURSOR");
    r.close = LoadCloakCursor(record.closeCursor, "CLOSECURSOR");
    r.kill = LoadCloakCursor(record.killCursor, "KILLCURSOR");
    r.look.hide = r.hide.cursor;
    r.look.close = r.close.cursor;
    r.look.kill = r.kill.cursor;
}

}  // namespace

void LoadCloak(HKEY optionsKey) { ApplyCloak(ReadCloakRecord(optionsKey)); }

void ReloadCloak() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    LoadCloak(key.Get());
}

const CloakLook& CurrentCloak() { return g_cloak.look; }

}  // namespace holm
