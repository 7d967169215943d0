// Reading and writing the rows of the item list and the nodes of the group
// tree (common-control views).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "item_row.h"
#include "win_handles.h"

namespace setwise {

constexpr int kColumnCount = 6;

struct ImageListDestroyer {
    void operator()(HIMAGELIST images) const { ImageList_Destroy(images); }
};
using UniqueImageList = holm::UniqueHandle<HIMAGELIST, ImageListDestroyer>;

// List rows.
int RowCount(HWND list);
ItemRow ReadRow(HWND list, int index);
// Inserts a row at `index` (appends for index >= count); returns its index.
int InsertRow(HWND list, int index, const ItemRow& row);
// Sets the caption and the five columns; the image only when `withImage`.
void WriteRow(HWND list, int index, const ItemRow& row, bool withImage);
void DeleteRow(HWND list, int index);
std::vector<int> SelectedRows(HWND list);
int FirstSelectedRow(HWND list);  // -1 when none
void SelectOnlyRow(HWND list, int index);
void SortRowsByName(HWND list);

// Tree nodes.
std::string NodeText(HWND tree, HTREEITEM node);
void SetNodeText(HWND tree, HTREEITEM node, const std::string& text);
HTREEITEM AddChildNode(HWND tree, HTREEITEM parent, const std::string& text, int image, int selectedImage);
std::vector<HTREEITEM> ChildNodes(HWND tree, HTREEITEM parent);
HTREEITEM FindChildNode(HWND tree, HTREEITEM parent, const std::string& text);  // exact text
int NodeImage(HWND tree, HTREEITEM node);
void SetNodeImages(HWND tree, HTREEITEM node, int image, int selectedImage);
void SortTree(HWND tree);

}  // namespace setwise
