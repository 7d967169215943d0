#include "tray_icons.h"

namespace holm::tray {

namespace {

std::uint32_t HandleBits(HICON icon) { return HandleToWire(reinterpret_cast<std::uintptr_t>(icon)); }

UniqueIcon IconFromBits(const IconBits& bits) {
    const int width = static_cast<int>(bits.width), height = static_cast<int>(bits.height);
    UniqueBitmap mask(CreateBitmap(width, height, 1, 1, bits.mask.data()));
    UniqueBitmap colour(
        CreateBitmap(width, height, bits.planes, bits.bitsPerPixel, bits.colour.data()));
    if (!mask || !colour) return UniqueIcon();
    ICONINFO info = {TRUE, 0, 0, mask.Get(), colour.Get()};
    return UniqueIcon(CreateIconIndirect(&info));
}

}  // namespace

int IconList::Find(const IconRecord& key) const {
    for (std::size_t i = 0; i < icons_.size(); ++i)
        if (icons_[i].record.SameIcon(key)) return static_cast<int>(i);
    return -1;
}

bool IconList::Append(const IconRecord& record, UniqueIcon copy) {
    if (!images_.Render(Count(), copy.Get())) return false;
    TrayIcon icon{record, std::move(copy)};
    icon.record.hIcon = HandleBits(icon.copy.Get());
    icons_.push_back(std::move(icon));
    return true;
}

bool IconList::ReplaceIcon(int index, UniqueIcon copy) {
    if (!images_.Render(index, copy.Get())) {
        images_.Render(index, At(index).copy.Get());
        return false;
    }
    TrayIcon& icon = At(index);
    icon.copy = std::move(copy);
    icon.record.hIcon = HandleBits(icon.copy.Get());
    return true;
}

void IconList::Remove(int index) {
    if (At(index).hidden) --hiddenCount_;
    images_.Remove(index, Count());
    icons_.erase(icons_.begin() + index);
}

void IconList::SetHidden(int index, bool hidden) {
    TrayIcon& icon = At(index);
    if (icon.hidden == hidden) return;
    icon.hidden = hidden;
    hiddenCount_ += hidden ? 1 : -1;
}

int IconList::IndexOfSlot(int slot) const {
    if (slot < 0 || slot >= ShownCount()) return -1;
    if (hiddenCount_ == 0) return slot;
    for (int i = 0; i < Count(); ++i)
        if (!At(i).hidden && slot-- == 0) return i;
    return -1;
}

int IconList::SlotOf(int index) const {
    if (index < 0 || index >= Count() || At(index).hidden) return -1;
    if (hiddenCount_ == 0) return index;
    int slot = 0;
    for (int i = 0; i < index; ++i)
        if (!At(i).hidden) ++slot;
    return slot;
}

void IconList::RenderAll() {
    for (int i = 0; i < Count(); ++i) images_.Render(i, At(i).copy.Get());
}

HWND OwnerOf(const IconRecord& record) { return reinterpret_cast<HWND>(WireToHandle(record.hWnd)); }

HICON IconOf(const IconRecord& record) { return reinterpret_cast<HICON>(WireToHandle(record.hIcon)); }

UniqueIcon IconFor(const TrayRequest& request) {
    if (request.bits) return IconFromBits(*request.bits);
    HICON icon = IconOf(request.record);
    return UniqueIcon(icon ? CopyIcon(icon) : nullptr);
}

}  // namespace holm::tray
