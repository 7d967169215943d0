// The cloak chooser's window: its controls, the previews of the menu font,
// colours, background, submenu icon and cursors, and the standard dialogs
// that choose them.
#include "MenuScheme.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include "cloak_install_rules.h"
#include "file_dialog.h"
#include "form_layout.h"
#include "resource.h"
#include "win_handles.h"
#include "window_util.h"
#include "no_throw.h"

namespace setwise {

namespace {

constexpr int kClientWidth = 615, kClientHeight = 473;
constexpr int kPreviewWidth = 193, kPreviewHeight = 113;
constexpr int kIconSize = 16;
constexpr int kFontHeight = 16;
constexpr int kExampleLineWidth = 65;

const int kColourRadios[kCloakColourCount] = {IDC_MS_TEXTRADIO, IDC_MS_DISABLEDRADIO, IDC_MS_BORDERRADIO};
const int kColourPanels[kCloakColourCount] = {IDC_MS_TEXTPANEL, IDC_MS_DISABLEDPANEL, IDC_MS_BORDERPANEL};
const int kBars[3] = {IDC_MS_REDBAR, IDC_MS_GREENBAR, IDC_MS_BLUEBAR};
const int kFields[3] = {IDC_MS_REDEDIT, IDC_MS_GREENEDIT, IDC_MS_BLUEEDIT};
const int kSpins[3] = {IDC_MS_REDSPIN, IDC_MS_GREENSPIN, IDC_MS_BLUESPIN};
const int kCursorAreas[kCloakCursorCount] = {IDC_MS_HIDEAREA, IDC_MS_CLOSEAREA, IDC_MS_KILLAREA};
const int kCursorButtons[kCloakCursorCount] = {IDC_MS_HIDECHOOSE, IDC_MS_CLOSECHOOSE, IDC_MS_KILLCHOOSE};

// The window and what it draws with: one set, replaced when a choice changes.
struct FormView {
    HWND dialog = nullptr;
    POINT position = {0, 0};
    bool created = false;
    bool showing = false;     // controls being filled: their notices are not edits
    bool stretch = false;     // the background preview fills the picture
    std::string exportDirectory;
    holm::UniqueFont font;
    holm::UniqueBitmap background;
    holm::UniqueIcon icon;
    holm::UniqueCursor cursors[kCloakCursorCount];
};
FormView g_view;

const ControlSpec kControls[] = {
    {"BUTTON", "Cloak", -1, BS_GROUPBOX, 8, 4, 150, 286},
    {"STATIC", "Current Cloak", -1, SS_LEFT, 16, 22, 134, 14},
    {"EDIT", "", IDC_MS_NAME, ES_AUTOHSCROLL | WS_TABSTOP, 16, 38, 134, 21, WS_EX_CLIENTEDGE},
    {"STATIC", "Available Cloaks", -1, SS_LEFT, 16, 66, 134, 14},
    {"LISTBOX", "", IDC_MS_LIST, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, 16, 82, 134, 200,
     WS_EX_CLIENTEDGE},
    {"BUTTON", "Font", -1, BS_GROUPBOX, 166, 4, 210, 114},
    {"STATIC", "Name", -1, SS_LEFT, 174, 22, 60, 14},
    {"EDIT", "", IDC_MS_FONTNAME, ES_AUTOHSCROLL | ES_READONLY | WS_DISABLED, 174, 38, 194, 24, WS_EX_CLIENTEDGE},
    {"BUTTON", "Choose...", IDC_MS_FONTCHOOSE, BS_PUSHBUTTON | WS_TABSTOP, 293, 72, 75, 24},
    {"BUTTON", "Underline", IDC_MS_UNDERLINE, BS_AUTOCHECKBOX | WS_TABSTOP, 174, 66, 100, 16},
    {"BUTTON", "Italics", IDC_MS_ITALICS, BS_AUTOCHECKBOX | WS_TABSTOP, 174, 82, 100, 16},
    {"BUTTON", "Bold", IDC_MS_BOLD, BS_AUTOCHECKBOX | WS_TABSTOP, 174, 98, 100, 16},
    {"BUTTON", "Colors", -1, BS_GROUPBOX, 166, 122, 210, 168},
    {"BUTTON", "Text color", IDC_MS_TEXTRADIO, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 174, 138, 134, 16},
    {"BUTTON", "Disabled text color", IDC_MS_DISABLEDRADIO, BS_AUTORADIOBUTTON, 174, 156, 134, 16},
    {"BUTTON", "Border color", IDC_MS_BORDERRADIO, BS_AUTORADIOBUTTON, 174, 174, 134, 16},
    {"STATIC", "", IDC_MS_TEXTPANEL, SS_OWNERDRAW | SS_NOTIFY | WS_GROUP, 312, 138, 56, 16},
    {"STATIC", "", IDC_MS_DISABLEDPANEL, SS_OWNERDRAW | SS_NOTIFY, 312, 156, 56, 16},
    {"STATIC", "", IDC_MS_BORDERPANEL, SS_OWNERDRAW | SS_NOTIFY, 312, 174, 56, 16},
    {"BUTTON", "Color Picker", -1, BS_GROUPBOX, 174, 194, 194, 92},
    {"STATIC", "Red", -1, SS_LEFT, 180, 208, 50, 14},
    {"STATIC", "Green", -1, SS_LEFT, 242, 208, 50, 14},
    {"STATIC", "Blue", -1, SS_LEFT, 304, 208, 50, 14},
    {TRACKBAR_CLASSA, "", IDC_MS_REDBAR, TBS_VERT | TBS_NOTICKS | WS_TABSTOP, 176, 222, 18, 60},
    {TRACKBAR_CLASSA, "", IDC_MS_GREENBAR, TBS_VERT | TBS_NOTICKS | WS_TABSTOP, 238, 222, 18, 60},
    {TRACKBAR_CLASSA, "", IDC_MS_BLUEBAR, TBS_VERT | TBS_NOTICKS | WS_TABSTOP, 300, 222, 18, 60},
    // The spin buttons stand beside their fields, which keep room for three digits.
    {"EDIT", "", IDC_MS_REDEDIT, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, 194, 242, 34, 20, WS_EX_CLIENTEDGE},
    {UPDOWN_CLASSA, "", IDC_MS_REDSPIN, UDS_SETBUDDYINT | UDS_ARROWKEYS, 228, 242, 12, 20},
    {"EDIT", "", IDC_MS_GREENEDIT, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, 256, 242, 34, 20, WS_EX_CLIENTEDGE},
    {UPDOWN_CLASSA, "", IDC_MS_GREENSPIN, UDS_SETBUDDYINT | UDS_ARROWKEYS, 290, 242, 12, 20},
    {"EDIT", "", IDC_MS_BLUEEDIT, ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, 318, 242, 34, 20, WS_EX_CLIENTEDGE},
    {UPDOWN_CLASSA, "", IDC_MS_BLUESPIN, UDS_SETBUDDYINT | UDS_ARROWKEYS, 352, 242, 12, 20},
    {"BUTTON", "Special Cursors", -1, BS_GROUPBOX, 384, 4, 223, 286},
    {"BUTTON", "Hide", -1, BS_GROUPBOX, 392, 20, 207, 86},
    {"STATIC", "Test area", IDC_MS_HIDEAREA, SS_CENTER | SS_NOTIFY | SS_SUNKEN, 400, 36, 65, 65},
    {"BUTTON", "Choose...", IDC_MS_HIDECHOOSE, BS_PUSHBUTTON | WS_TABSTOP, 480, 56, 75, 24},
    {"BUTTON", "Close", -1, BS_GROUPBOX, 392, 108, 207, 86},
    {"STATIC", "Test area", IDC_MS_CLOSEAREA, SS_CENTER | SS_NOTIFY | SS_SUNKEN, 400, 124, 65, 65},
    {"BUTTON", "Choose...", IDC_MS_CLOSECHOOSE, BS_PUSHBUTTON | WS_TABSTOP, 480, 144, 75, 24},
    {"BUTTON", "Kill", -1, BS_GROUPBOX, 392, 196, 207, 86},
    {"STATIC", "Test area", IDC_MS_KILLAREA, SS_CENTER | SS_NOTIFY | SS_SUNKEN, 400, 212, 65, 65},
    {"BUTTON", "Choose...", IDC_MS_KILLCHOOSE, BS_PUSHBUTTON | WS_TABSTOP, 480, 232, 75, 24},
    {"BUTTON", "Images", -1, BS_GROUPBOX, 8, 294, 599, 143},
    {"STATIC", "Background bitmap", -1, SS_LEFT, 16, 312, 200, 14},
    {"EDIT", "", IDC_MS_BGEDIT, ES_AUTOHSCROLL | WS_TABSTOP, 16, 328, 158, 21, WS_EX_CLIENTEDGE},
    {"BUTTON", "Choose...", IDC_MS_BGCHOOSE, BS_PUSHBUTTON | WS_TABSTOP, 178, 327, 70, 23},
    {"STATIC", "Submenu icon", -1, SS_LEFT, 16, 362, 200, 14},
    {"EDIT", "", IDC_MS_ICONEDIT, ES_AUTOHSCROLL | WS_TABSTOP, 16, 378, 158, 21, WS_EX_CLIENTEDGE},
    {"BUTTON", "Choose...", IDC_MS_ICONCHOOSE, BS_PUSHBUTTON | WS_TABSTOP, 178, 377, 70, 23},
    {"BUTTON", "Background bitmap preview", -1, BS_GROUPBOX, 252, 304, 209, 129},
    {"STATIC", "", IDC_MS_BGPREVIEW, SS_OWNERDRAW, 260, 318, kPreviewWidth, kPreviewHeight},
    {"BUTTON", "Submenu icon preview", -1, BS_GROUPBOX, 465, 304, 136, 60},
    {"STATIC", "", IDC_MS_ICONPREVIEW, SS_OWNERDRAW, 525, 328, kIconSize, kIconSize},
    {"BUTTON", "&Delete...", IDC_MS_DELETE, BS_PUSHBUTTON | WS_TABSTOP, 200, 443, 75, 25},
    {"BUTTON", "&Export...", IDC_MS_EXPORT, BS_PUSHBUTTON | WS_TABSTOP, 283, 443, 75, 25},
    {"BUTTON", "&Save", IDC_MS_SAVE, BS_PUSHBUTTON | WS_TABSTOP, 366, 443, 75, 25},
    {"BUTTON", "O&K", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 449, 443, 75, 25},
    {"BUTTON", "&Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 532, 443, 75, 25},
};

HWND Item(int id) { return GetDlgItem(g_view.dialog, id); }

std::string TextOf(int id) { return holm::WindowText(Item(id)); }

COLORREF Ref(const holm::Colour& c) { return RGB(c.red, c.green, c.blue); }

int Component(const holm::Colour& c, int i) { return i == 0 ? c.red : i == 1 ? c.green : c.blue; }

void SetComponent(holm::Colour& c, int i, int value) { (i == 0 ? c.red : i == 1 ? c.green : c.blue) = value; }

// --- What the previews draw with -------------------------------------------

void LoadMenuFont() {
    const MenuSchemeState& s = MenuSchemeForm();
    LOGFONTA lf = {};
    lf.lfHeight = kFontHeight;
    lf.lfWeight = s.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = s.italics;
    lf.lfUnderline = s.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, s.face.c_str(), LF_FACESIZE);
    g_view.font.Reset(CreateFontIndirectA(&lf));
}

void LoadPictures() {
    const MenuSchemeState& s = MenuSchemeForm();
    // A file that is not a picture shows none; the path stays as typed.
    g_view.background.Reset(s.background.empty() ? nullptr
                                                 : static_cast<HBITMAP>(LoadImageA(nullptr, s.background.c_str(),
                                                                                   IMAGE_BITMAP, 0, 0,
                                                                                   LR_LOADFROMFILE)));
    HICON icon = s.submenuIcon.empty() ? nullptr : ExtractIconA(GetModuleHandleA(nullptr), s.submenuIcon.c_str(), 0);
    g_view.icon.Reset(reinterpret_cast<UINT_PTR>(icon) > 1 ? icon : nullptr);
    for (int c = 0; c < kCloakCursorCount; ++c)
        g_view.cursors[c].Reset(s.cursors[c].empty() ? nullptr : LoadCursorFromFileA(s.cursors[c].c_str()));
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void DrawBackground(HDC dc, const RECT& area) {
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    const SIZE size = BitmapSize(g_view.background.Get());
    if (!size.cx || !size.cy) return;
    holm::MemoryDC source(dc);
    holm::SelectInDC picture(source.Get(), g_view.background.Get());
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (g_view.stretch) {
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, width, height, source.Get(), 0, 0, size.cx, size.cy, SRCCOPY);
    } else {
        BitBlt(dc, (width - size.cx) / 2, (height - size.cy) / 2, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    }
}

// The picture with the two example texts and the separator line between
// them, as a menu of this cloak shows them.
void DrawPreview(const DRAWITEMSTRUCT& item) {
    const MenuSchemeState& s = MenuSchemeForm();
    HDC dc = item.hDC;
    const RECT area = item.rcItem;
    DrawBackground(dc, area);
    holm::SelectInDC font(dc, g_view.font.Get());
    SetBkMode(dc, TRANSPARENT);
    const int middle = (area.top + area.bottom) / 2;
    RECT upper = {area.left, middle - 26, area.right, middle - 4};
    RECT lower = {area.left, middle + 4, area.right, middle + 26};
    SetTextColor(dc, Ref(s.colours[kTextColour]));
    DrawTextA(dc, "Text Color", -1, &upper, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(dc, Ref(s.colours[kDisabledTextColour]));
    DrawTextA(dc, "Disabled Text Color", -1, &lower, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    holm::UniqueHandle<HPEN, holm::GdiDeleter> pen(CreatePen(PS_SOLID, 1, Ref(s.colours[kBorderColour])));
    holm::SelectInDC line(dc, pen.Get());
    const int left = (area.left + area.right - kExampleLineWidth) / 2;
    MoveToEx(dc, left, middle, nullptr);
    LineTo(dc, left + kExampleLineWidth, middle);
}

// The icon over a corner of the background, as a menu shows it.
void DrawIconPreview(const DRAWITEMSTRUCT& item) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    if (g_view.background) {
        holm::MemoryDC source(item.hDC);
        holm::SelectInDC picture(source.Get(), g_view.background.Get());
        BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, kIconSize, kIconSize, source.Get(), 0, 0, SRCCOPY);
    }
    if (g_view.icon)
        DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, g_view.icon.Get(), kIconSize, kIconSize, 0, nullptr,
                   DI_NORMAL);
}

void DrawSwatch(const DRAWITEMSTRUCT& item) {
    for (int c = 0; c < kCloakColourCount; ++c) {
        if (static_cast<int>(item.CtlID) != kColourPanels[c]) continue;
        holm::UniqueHandle<HBRUSH, holm::GdiDeleter> brush(CreateSolidBrush(Ref(MenuSchemeForm().colours[c])));
        FillRect(item.hDC, &item.rcItem, brush.Get());
        FrameRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

void RepaintPreviews() {
    if (!g_view.dialog) return;
    for (int id : {IDC_MS_BGPREVIEW, IDC_MS_ICONPREVIEW, IDC_MS_TEXTPANEL, IDC_MS_DISABLEDPANEL, IDC_MS_BORDERPANEL})
        InvalidateRect(Item(id), nullptr, FALSE);
}

// --- Between the state and the controls -------------------------------------

// The picker shows the selected colour: each bar at 255 - component, each
// field at the component.
void ShowPicker() {
    const MenuSchemeState& s = MenuSchemeForm();
    const bool was = g_view.showing;
    g_view.showing = true;
    for (int c = 0; c < kCloakColourCount; ++c)
        CheckDlgButton(g_view.dialog, kColourRadios[c], s.picking == c ? BST_CHECKED : BST_UNCHECKED);
    for (int i = 0; i < 3; ++i) {
        const int value = Component(s.colours[s.picking], i);
        SendMessageA(Item(kBars[i]), TBM_SETPOS, TRUE, 255 - value);
        SendMessageA(Item(kSpins[i]), UDM_SETPOS32, 0, value);
    }
    g_view.showing = was;
}

void ShowFont() {
    LoadMenuFont();
    SendMessageA(Item(IDC_MS_FONTNAME), WM_SETFONT, reinterpret_cast<WPARAM>(g_view.font.Get()), TRUE);
    SetWindowTextA(Item(IDC_MS_FONTNAME), MenuSchemeForm().fontName.c_str());
    RepaintPreviews();
}

void ShowList() {
    const MenuSchemeState& s = MenuSchemeForm();
    HWND list = Item(IDC_MS_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : s.cloaks) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    for (std::size_t i = 0; i < s.cloaks.size(); ++i)
        if (s.cloaks[i] == s.name) SendMessageA(list, LB_SETCURSEL, i, 0);
}

void ShowState() {
    const MenuSchemeState& s = MenuSchemeForm();
    g_view.showing = true;
    SetWindowTextA(Item(IDC_MS_NAME), s.name.c_str());
    ShowList();
    CheckDlgButton(g_view.dialog, IDC_MS_UNDERLINE, s.underline ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(g_view.dialog, IDC_MS_ITALICS, s.italics ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(g_view.dialog, IDC_MS_BOLD, s.bold ? BST_CHECKED : BST_UNCHECKED);
    SetWindowTextA(Item(IDC_MS_BGEDIT), s.background.c_str());
    SetWindowTextA(Item(IDC_MS_ICONEDIT), s.submenuIcon.c_str());
    ShowPicker();
    LoadPictures();
    ShowFont();
    g_view.showing = false;
}

// The fields the user types into go back to the state.
void KeepTypedState() {
    MenuSchemeState& s = MenuSchemeForm();
    s.name = TextOf(IDC_MS_NAME);
    s.background = TextOf(IDC_MS_BGEDIT);
    s.submenuIcon = TextOf(IDC_MS_ICONEDIT);
}

// --- Events -----------------------------------------------------------------

void OnStyleClicked() {
    MenuSchemeState& s = MenuSchemeForm();
    s.underline = IsDlgButtonChecked(g_view.dialog, IDC_MS_UNDERLINE) == BST_CHECKED;
    s.italics = IsDlgButtonChecked(g_view.dialog, IDC_MS_ITALICS) == BST_CHECKED;
    s.bold = IsDlgButtonChecked(g_view.dialog, IDC_MS_BOLD) == BST_CHECKED;
    ShowFont();
}

void OnRadioClicked(CloakColour which) {
    MenuSchemeForm().picking = which;
    ShowPicker();
}

// A bar or a field changed component i of the selected colour.
void OnComponentChanged(int i, int value, bool fromBar) {
    if (g_view.showing) return;
    MenuSchemeState& s = MenuSchemeForm();
    value = value < 0 ? 0 : value > 255 ? 255 : value;
    SetComponent(s.colours[s.picking], i, value);
    g_view.showing = true;
    if (fromBar) SendMessageA(Item(kSpins[i]), UDM_SETPOS32, 0, value);
    else SendMessageA(Item(kBars[i]), TBM_SETPOS, TRUE, 255 - value);
    g_view.showing = false;
    RepaintPreviews();
}

void OnBarMoved(HWND bar) {
    for (int i = 0; i < 3; ++i)
        if (bar == Item(kBars[i])) OnComponentChanged(i, 255 - static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0)), true);
}

void OnFieldChanged(int i) {
    BOOL ok = FALSE;
    const UINT value = GetDlgItemInt(g_view.dialog, kFields[i], &ok, FALSE);
    if (ok) OnComponentChanged(i, static_cast<int>(value), false);
}

// A click on a swatch picks its colour in the system's colour dialog.
void OnSwatchClicked(CloakColour which) {
    static COLORREF custom[16] = {};
    MenuSchemeState& s = MenuSchemeForm();
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = g_view.dialog;
    cc.rgbResult = Ref(s.colours[which]);
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&cc)) return;
    s.colours[which] = {GetRValue(cc.rgbResult), GetGValue(cc.rgbResult), GetBValue(cc.rgbResult)};
    s.picking = which;
    ShowPicker();
    RepaintPreviews();
}

void OnChooseFont() {
    MenuSchemeState& s = MenuSchemeForm();
    LOGFONTA lf = {};
    lf.lfHeight = kFontHeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, s.face.c_str(), LF_FACESIZE);
    CHOOSEFONTA cf = {};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = g_view.dialog;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_FORCEFONTEXIST | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&cf)) return;
    // Only the face is taken: the style is the check boxes', the size the menus'.
    s.face = lf.lfFaceName;
    s.fontName = lf.lfFaceName;
    ShowFont();
}

// The open dialog for an image or cursor file; `path` is the preset and
// the result.
bool ChooseFile(const char* filter, const char* extension, std::string& path) {
    FileDialog dialog;
    dialog.owner = g_view.dialog;
    dialog.filter = filter;
    dialog.defaultExtension = extension;
    dialog.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    const std::string file = AskOpenFile(dialog, path);
    if (file.empty()) return false;
    path = file;
    return true;
}

void OnChooseBackground() {
    KeepTypedState();
    MenuSchemeState& s = MenuSchemeForm();
    if (!ChooseFile("Bitmaps (*.bmp)\0*.bmp\0", "bmp", s.background)) return;
    SetWindowTextA(Item(IDC_MS_BGEDIT), s.background.c_str());
    LoadPictures();
    const SIZE size = BitmapSize(g_view.background.Get());
    g_view.stretch = size.cx > kPreviewWidth || size.cy > kPreviewHeight;
    RepaintPreviews();
}

void OnChooseIcon() {
    KeepTypedState();
    MenuSchemeState& s = MenuSchemeForm();
    if (!ChooseFile("Icons (*.ico)\0*.ico\0", "ico", s.submenuIcon)) return;
    SetWindowTextA(Item(IDC_MS_ICONEDIT), s.submenuIcon.c_str());
    LoadPictures();
    RepaintPreviews();
}

void OnChooseCursor(CloakCursor which) {
    KeepTypedState();
    if (!ChooseFile("Cursors (*.cur, *.ani)\0*.cur;*.ani\0", "cur", MenuSchemeForm().cursors[which])) return;
    LoadPictures();
}

// A path typed into a field is previewed when the field is left.
void OnPathEdited() {
    KeepTypedState();
    LoadPictures();
    RepaintPreviews();
}

void OnListClicked() {
    HWND list = Item(IDC_MS_LIST);
    const LRESULT at = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (at < 0 || at >= static_cast<LRESULT>(MenuSchemeForm().cloaks.size())) return;
    KeepTypedState();
    MenuSchemeLoad(MenuSchemeForm().cloaks[at]);
    ShowState();
}

bool OnSave() {
    KeepTypedState();
    const bool saved = MenuSchemeSave();
    ShowList();
    return saved;
}

void OnExport() {
    KeepTypedState();
    const std::string name = MenuSchemeForm().name;
    const std::string title = "Export \"" + name + "\" Cloak to...";
    FileDialog dialog;
    dialog.owner = g_view.dialog;
    dialog.title = title.c_str();
    dialog.filter = "HOLM Cloaks (*.hc)\0*.hc\0";
    dialog.defaultExtension = "hc";
    dialog.initialFolder = g_view.exportDirectory.c_str();
    dialog.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    const std::string file = AskSaveFile(dialog, name + ".hc");
    if (file.empty()) return;
    g_view.exportDirectory = holm::DirectoryOf(file);
    MenuSchemeExport(file);
}

void OnDelete() {
    KeepTypedState();
    MenuSchemeDelete(g_view.dialog);
    ShowList();
}

bool SetCursorOverArea(HWND over) {
    for (int c = 0; c < kCloakCursorCount; ++c) {
        if (over != Item(kCursorAreas[c])) continue;
        SetCursor(g_view.cursors[c] ? g_view.cursors[c].Get() : LoadCursor(nullptr, IDC_ARROW));
        return true;
    }
    return false;
}

void CreateFormControls() {
    CreateControls(g_view.dialog, kControls);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(Item(kBars[i]), TBM_SETRANGE, FALSE, MAKELPARAM(0, 255));
        SendMessageA(Item(kFields[i]), EM_LIMITTEXT, 3, 0);
        SendMessageA(Item(kSpins[i]), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(kFields[i])), 0);
        SendMessageA(Item(kSpins[i]), UDM_SETRANGE32, 0, 255);
    }
}

bool OnCommand(int id, int code) {
    for (int c = 0; c < kCloakColourCount; ++c) {
        if (id == kColourRadios[c] && code == BN_CLICKED) OnRadioClicked(static_cast<CloakColour>(c));
        if (id == kColourPanels[c] && code == STN_CLICKED) OnSwatchClicked(static_cast<CloakColour>(c));
    }
    for (int c = 0; c < kCloakCursorCount; ++c)
        if (id == kCursorButtons[c]) OnChooseCursor(static_cast<CloakCursor>(c));
    for (int i = 0; i < 3; ++i)
        if (id == kFields[i] && code == EN_CHANGE) OnFieldChanged(i);
    switch (id) {
    case IDC_MS_LIST:
        if (code == LBN_SELCHANGE) OnListClicked();
        return true;
    case IDC_MS_UNDERLINE: case IDC_MS_ITALICS: case IDC_MS_BOLD: OnStyleClicked(); return true;
    case IDC_MS_FONTCHOOSE: OnChooseFont(); return true;
    case IDC_MS_BGCHOOSE: OnChooseBackground(); return true;
    case IDC_MS_ICONCHOOSE: OnChooseIcon(); return true;
    case IDC_MS_BGEDIT: case IDC_MS_ICONEDIT:
        if (code == EN_KILLFOCUS) OnPathEdited();
        return true;
    case IDC_MS_SAVE: OnSave(); return true;
    case IDC_MS_EXPORT: OnExport(); return true;
    case IDC_MS_DELETE: OnDelete(); return true;
    case IDOK:
        if (OnSave()) EndDialog(g_view.dialog, IDOK);
        return true;
    case IDCANCEL:
        KeepTypedState();
        EndDialog(g_view.dialog, IDCANCEL);
        return true;
    }
    return false;
}

INT_PTR MenuSchemeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        g_view.dialog = dialog;
        PlaceForm(dialog, g_view.position.x, g_view.position.y, kClientWidth, kClientHeight);
        CreateFormControls();
        ShowState();
        SetFocus(Item(IDOK));
        return FALSE;
    case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_VSCROLL: OnBarMoved(reinterpret_cast<HWND>(lParam)); return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item) return FALSE;
        if (item->CtlID == IDC_MS_BGPREVIEW) DrawPreview(*item);
        else if (item->CtlID == IDC_MS_ICONPREVIEW) DrawIconPreview(*item);
        else DrawSwatch(*item);
        return TRUE;
    }
    case WM_SETCURSOR:
        if (!SetCursorOverArea(reinterpret_cast<HWND>(wParam))) return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_DESTROY:
        g_view.dialog = nullptr;
        break;
    }
    return FALSE;
}

}  // namespace

void ShowMenuSchemeForm(HWND owner, int x, int y) {
    if (!g_view.created) {
        MenuSchemeCreate();
        g_view.created = true;
    }
    g_view.position = POINT{x, y};
    DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MENUSCHEME), owner, holm::GuardedProc<INT_PTR, MenuSchemeProc>, 0);
}

}  // namespace setwise
