#include "view_rows.h"

#include <algorithm>

namespace setwise {

namespace {

// The whole text, however long: the buffer grows while the text fills it.
std::string SubItemText(HWND list, int index, int column) {
    constexpr size_t kLongest = 1 << 20;
    for (size_t size = 1024;; size *= 2) {
        std::vector<char> buffer(size);
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        const LRESULT n = SendMessageA(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
        const size_t got = static_cast<size_t>(n > 0 ? n : 0);
        if (got + 1 < size || size >= kLongest) return std::string(buffer.data(), got);
    }
}

void SetSubItemText(HWND list, int index, int column, const std::string& text) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

int CALLBACK CompareRowNames(LPARAM a, LPARAM b, LPARAM list) {
    const std::string x = SubItemText(reinterpret_cast<HWND>(list), static_cast<int>(a), 0);
    const std::string y = SubItemText(reinterpret_cast<HWND>(list), static_cast<int>(b), 0);
    return lstrcmpiA(x.c_str(), y.c_str());
}

void CollectNodes(HWND tree, HTREEITEM node, std::vector<HTREEITEM>& out) {
    out.push_back(node);
    for (HTREEITEM child : ChildNodes(tree, node)) CollectNodes(tree, child, out);
}

std::vector<HTREEITEM> AllNodes(HWND tree) {
    std::vector<HTREEITEM> out;
    for (HTREEITEM top = TreeView_GetRoot(tree); top; top = TreeView_GetNextSibling(tree, top))
        CollectNodes(tree, top, out);
    return out;
}

}  // namespace

int RowCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

ItemRow ReadRow(HWND list, int index) {
    ItemRow row;
    row.name = SubItemText(list, index, 0);
    row.type = SubItemText(list, index, 1);
    row.target = SubItemText(list, index, 2);
    row.startIn = SubItemText(list, index, 3);
    row.shortcut = SubItemText(list, index, 4);
    row.runStyle = SubItemText(list, index, 5);
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    row.image = item.iImage;
    return row;
}

int InsertRow(HWND list, int index, const ItemRow& row) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = std::min(index, RowCount(list));
    item.pszText = const_cast<char*>(row.name.c_str());
    item.iImage = row.image;
    const int at = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (at >= 0) WriteRow(list, at, row, false);
    return at;
}

void WriteRow(HWND list, int index, const ItemRow& row, bool withImage) {
    const std::string* columns[kColumnCount] = {&row.name,    &row.type,     &row.target,
                                                &row.startIn, &row.shortcut, &row.runStyle};
    for (int c = 0; c < kColumnCount; ++c) SetSubItemText(list, index, c, *columns[c]);
    if (withImage) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = index;
        item.iImage = row.image;
        SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void DeleteRow(HWND list, int index) { SendMessageA(list, LVM_DELETEITEM, index, 0); }

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    for (int i = -1; (i = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, i, LVNI_SELECTED))) >= 0;)
        rows.push_back(i);
    return rows;
}

int FirstSelectedRow(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, -1, LVNI_SELECTED)); }

void SelectOnlyRow(HWND list, int index) {
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(list, index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void SortRowsByName(HWND list) {
    SendMessageA(list, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(list), reinterpret_cast<LPARAM>(CompareRowNames));
}

std::string NodeText(HWND tree, HTREEITEM node) {
    char text[260] = "";
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return text;
}

void SetNodeText(HWND tree, HTREEITEM node, const std::string& text) {
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = node;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

HTREEITEM AddChildNode(HWND tree, HTREEITEM parent, const std::string& text, int image, int selectedImage) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::vector<HTREEITEM> ChildNodes(HWND tree, HTREEITEM parent) {
    std::vector<HTREEITEM> children;
    for (HTREEITEM c = TreeView_GetChild(tree, parent); c; c = TreeView_GetNextSibling(tree, c))
        children.push_back(c);
    return children;
}

HTREEITEM FindChildNode(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM c : ChildNodes(tree, parent))
        if (NodeText(tree, c) == text) return c;
    return nullptr;
}

int NodeImage(HWND tree, HTREEITEM node) {
    TVITEMA item = {};
    item.mask = TVIF_IMAGE;
    item.hItem = node;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

void SetNodeImages(HWND tree, HTREEITEM node, int image, int selectedImage) {
    TVITEMA item = {};
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = node;
    item.iImage = image;
    item.iSelectedImage = selectedImage;
    SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

void SortTree(HWND tree) {
    for (HTREEITEM node : AllNodes(tree)) TreeView_SortChildren(tree, node, FALSE);
}

}  // namespace setwise
