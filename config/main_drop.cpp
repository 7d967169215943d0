#include "main_drop.h"

#include <optional>

#include "RegUnit.h"
#include "item_row.h"
#include "resource.h"
#include "shortcut_reader.h"
#include "view_rows.h"
#include "win_handles.h"

namespace setwise {

namespace {

std::string FreeCaption(HWND list, std::string caption) {
    for (;;) {
        bool taken = false;
        for (int i = 0, n = RowCount(list); i < n && !taken; ++i) taken = ReadRow(list, i).name == caption;
        if (!taken) return caption;
        caption += "_";
    }
}

// Why the file was left out, or empty.
std::string AddDroppedFile(HWND list, const std::string& path) {
    const std::string name = FileNameOf(path);
    const std::string ext = ExtensionOf(name);
    std::string lowerExt = ext;
    if (!lowerExt.empty()) CharLowerBuffA(&lowerExt[0], static_cast<DWORD>(lowerExt.size()));
    ItemRow row;
    row.type = kTypeShortcut;
    row.runStyle = kRunNormal;
    if (lowerExt != "lnk") {
        row.name = FreeCaption(list, WithoutExtension(name));
        row.target = QuotedWhenBlank(path);
        row.startIn = FolderOf(path);
    } else {
        const std::optional<Shortcut> link = ReadShortcut(path);
        if (!link) return "The shortcut cannot be read.";
        row.name = FreeCaption(list, link->description.empty() ? WithoutExtension(name) : link->description);
        row.target = QuotedWhenBlank(link->path);
        row.startIn = link->workingDirectory;
        row.runStyle = RunStyleOfShowCommand(link->showCommand);
    }
    const std::string problem = StoreProblemOf(row);
    if (!problem.empty()) return problem;
    InsertRow(list, RowCount(list), row);
    SaveGroupItems();
    return "";
}

struct RowDrag {
    bool right = false;
    bool active = false;
};

RowDrag g_drag;

}  // namespace

std::vector<std::string> AddDroppedFiles(HDROP drop, HWND list) {
    std::vector<std::string> refused;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char path[MAX_PATH] = "";
        if (!DragQueryFileA(drop, i, path, MAX_PATH)) continue;
        const std::string why = AddDroppedFile(list, path);
        if (!why.empty()) refused.push_back(std::string(path) + ": " + why);
    }
    DragFinish(drop);
    return refused;
}

void StartRowDrag(HWND form, bool right) {
    g_drag.right = right;
    if (!right) return;  // rows go with the right button only
    g_drag.active = true;
    SetCapture(form);
    SetCursor(LoadCursorA(nullptr, (GetKeyState(VK_CONTROL) < 0) ? IDC_SIZEALL : IDC_UPARROW));
}

bool RowDragging() { return g_drag.active; }
void CancelRowDrag() { g_drag.active = false; }

// Rows dragged with the right button onto a group.
void EndRowDrag(HWND tree, HWND form, POINT screen) {
    ReleaseCapture();
    g_drag.active = false;
    if (!g_drag.right) return;
    TVHITTESTINFO hit = {};
    hit.pt = screen;
    ScreenToClient(tree, &hit.pt);
    HTREEITEM target = TreeView_HitTest(tree, &hit);
    if (!target || !(hit.flags & TVHT_ONITEM)) return;
    holm::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, CM_MOVEHERE, "Move Here");
    AppendMenuA(menu.Get(), MF_STRING, CM_COPYHERE, "Copy Here");
    AppendMenuA(menu.Get(), MF_STRING, CM_DRAGCANCEL, "Cancel");
    const int choice = TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, form,
                                      nullptr);
    if (choice == CM_MOVEHERE) CopyItemsToGroup(target, true);
    if (choice == CM_COPYHERE) CopyItemsToGroup(target, false);
}

}  // namespace setwise
