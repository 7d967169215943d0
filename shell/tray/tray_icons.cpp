#include "tray_icons.h"

namespace holm::tray {

namespace {

std::uint32_t HandleBits(HICON icon) { return HandleToWire(reinterpret_cast<std::uintptr_t>(icon)); }

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
    images_.Remove(index, Count());
    icons_.erase(icons_.begin() + index);
}

void IconList::RenderAll() {
    for (int i = 0; i < Count(); ++i) images_.Render(i, At(i).copy.Get());
}

HWND OwnerOf(const IconRecord& record) { return reinterpret_cast<HWND>(WireToHandle(record.hWnd)); }

HICON IconOf(const IconRecord& record) { return reinterpret_cast<HICON>(WireToHandle(record.hIcon)); }

}  // namespace holm::tray
