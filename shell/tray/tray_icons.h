// The tray's icon list: records in list order, each with the icon copy that
// it owns and the picture of its cell. Hidden icons keep their place in the
// list and take no cell: the grid's slots are the shown icons in list order.
#pragma once
#include <windows.h>

#include <vector>

#include "tray_images.h"
#include "tray_record.h"
#include "tray_request.h"
#include "win_handles.h"

namespace holm::tray {

struct TrayIcon {
    IconRecord record;
    UniqueIcon copy;  // the tray's own copy; record.hIcon names it
    bool hidden = false;
    std::uint32_t version = 0;  // the notification version the owner asked for
};

class IconList {
public:
    IconList() { icons_.reserve(10); }

    void SetIconSize(int cx, int cy) { images_.SetSize(cx, cy); }
    int Count() const { return static_cast<int>(icons_.size()); }
    // The index of the icon with the record's (hWnd, uID), or -1.
    int Find(const IconRecord& key) const;

    TrayIcon& At(int index) { return icons_[static_cast<std::size_t>(index)]; }
    const TrayIcon& At(int index) const { return icons_[static_cast<std::size_t>(index)]; }

    // Appends the record with `copy` as its icon; false, and nothing
    // appended, when the icon cannot be drawn.
    bool Append(const IconRecord& record, UniqueIcon copy);
    // Gives entry `index` a new icon; false, keeping the old one, when the
    // new one cannot be drawn.
    bool ReplaceIcon(int index, UniqueIcon copy);
    // Removes entry `index`, keeping the order of the others.
    void Remove(int index);
    void SetHidden(int index, bool hidden);
    // The shown icons, and the mapping between grid slots and list indexes
    // (-1 for a slot past the end or a hidden icon).
    int ShownCount() const { return Count() - hiddenCount_; }
    int IndexOfSlot(int slot) const;
    int SlotOf(int index) const;
    // Draws the pictures again, after the background colour changed.
    void RenderAll();
    // Copies the picture of entry `index` to (x, y) of `dc`.
    void CopyPicture(HDC dc, int index, int x, int y) const { images_.Copy(dc, index, x, y); }

private:
    std::vector<TrayIcon> icons_;
    IconImages images_;
    int hiddenCount_ = 0;
};

HWND OwnerOf(const IconRecord& record);
HICON IconOf(const IconRecord& record);
// The tray's own icon for a request: rebuilt from its pixels, or a copy of
// the sender's icon; null when neither can be had.
UniqueIcon IconFor(const TrayRequest& request);

}  // namespace holm::tray
