// viewspy.dll: hooked onto the configuration program's thread by a test, it
// reads the main window's group tree, item list, label editor and status
// text in-process (their item texts cannot be read from another process)
// and sends a listing back to the test's window. It also hands files to the
// window as the shell's drag and drop does (WM_DROPFILES with an HDROP).
//
// Listing lines:
//   T depth|image|selectedImage|flags|left top right bottom|text   tree nodes, depth first
//   L image|flags|left top right bottom|name|type|target|start in|shortcut|run style
//   E 0 or 1   (a group label is being edited)
//   S status text
// flags: S selected. Rectangles are in screen coordinates.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "spy_answer.h"

namespace {

constexpr ULONG_PTR kListingTag = 0x56494557;  // 'VIEW'

BOOL CALLBACK FindForm(HWND hwnd, LPARAM param) {
    char cls[32] = "";
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (lstrcmpA(cls, "TMainForm") != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = hwnd;
    return FALSE;
}

std::string RectText(HWND control, RECT rc) {
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    char text[64];
    std::snprintf(text, sizeof(text), "%ld %ld %ld %ld", rc.left, rc.top, rc.right, rc.bottom);
    return text;
}

void DescribeNodes(HWND tree, HTREEITEM node, int depth, std::string& out) {
    for (; node; node = TreeView_GetNextSibling(tree, node)) {
        char text[260] = "";
        TVITEMA item = {};
        item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
        item.hItem = node;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        item.stateMask = TVIS_SELECTED;
        TreeView_GetItem(tree, &item);
        RECT rc = {};
        if (!TreeView_GetItemRect(tree, node, &rc, TRUE)) rc = RECT{};
        char head[64];
        std::snprintf(head, sizeof(head), "T %d|%d|%d|%s|", depth, item.iImage, item.iSelectedImage,
                      (item.state & TVIS_SELECTED) ? "S" : "");
        out += head + RectText(tree, rc) + "|" + text + "\n";
        DescribeNodes(tree, TreeView_GetChild(tree, node), depth + 1, out);
    }
}

void DescribeRows(HWND list, std::string& out) {
    const int count = ListView_GetItemCount(list);
    for (int i = 0; i < count; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE | LVIF_STATE;
        item.iItem = i;
        item.stateMask = LVIS_SELECTED;
        ListView_GetItem(list, &item);
        RECT rc = {};
        ListView_GetItemRect(list, i, &rc, LVIR_LABEL);
        char head[32];
        std::snprintf(head, sizeof(head), "L %d|%s|", item.iImage, (item.state & LVIS_SELECTED) ? "S" : "");
        out += head + RectText(list, rc);
        for (int c = 0; c < 6; ++c) {
            char text[512] = "";
            ListView_GetItemText(list, i, c, text, sizeof(text));
            out += "|";
            out += text;
        }
        out += "\n";
    }
}

void Report(HWND target) {
    HWND form = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindForm, reinterpret_cast<LPARAM>(&form));
    std::string out;
    if (form) {
        HWND tree = FindWindowExA(form, nullptr, WC_TREEVIEWA, nullptr);
        HWND list = FindWindowExA(form, nullptr, WC_LISTVIEWA, nullptr);
        HWND status = FindWindowExA(form, nullptr, STATUSCLASSNAMEA, nullptr);
        if (tree) DescribeNodes(tree, TreeView_GetRoot(tree), 0, out);
        if (list) DescribeRows(list, out);
        out += std::string("E ") + (tree && TreeView_GetEditControl(tree) ? "1" : "0") + "\n";
        char text[512] = "";
        if (status) SendMessageA(status, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        out += std::string("S ") + text + "\n";
    }
    holmtest::SendSpyText(target, kListingTag, out);
}

// The test writes the drop into a file (messages sent from another process
// reach a hook without their data): "x y" on the first line, then one file
// name per line.
std::string DropListFile() {
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "holm_viewspy_drop.txt";
}

void Drop(HWND form) {
    FILE* f = std::fopen(DropListFile().c_str(), "rb");
    if (!f) return;
    POINT pt = {};
    char line[MAX_PATH + 2];
    std::string names;
    if (std::fgets(line, sizeof(line), f)) std::sscanf(line, "%ld %ld", &pt.x, &pt.y);
    while (std::fgets(line, sizeof(line), f)) {
        std::string name(line);
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
        if (!name.empty()) names += name + std::string(1, '\0');
    }
    std::fclose(f);
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size() + 1);
    if (!memory) return;
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = pt;
    drop->fNC = FALSE;
    drop->fWide = FALSE;
    CopyMemory(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(memory);
    PostMessageA(form, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ViewSpyProc(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT request = RegisterWindowMessageA("HolmTestReadViews");
    static const UINT drop = RegisterWindowMessageA("HolmTestDropFiles");
    if (const CWPSTRUCT* msg = holmtest::SpyMessage(code, lParam)) {
        if (msg->message == request) Report(holmtest::SpyReceiver(msg));
        if (msg->message == drop) Drop(msg->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

