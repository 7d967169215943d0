// The tray's tooltip window: tool i covers the cell of icon i and carries
// its tip (empty for an icon without one, which the tooltip never shows).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "tray_layout.h"

namespace holm::tray {

struct Tool {
    Cell cell;
    std::string text;
};

class Tooltips {
public:
    Tooltips() = default;
    Tooltips(const Tooltips&) = delete;
    Tooltips& operator=(const Tooltips&) = delete;

    void Create(HWND owner, HINSTANCE instance);
    HWND Window() const { return window_; }

    // Makes the tooltip window hold tool i as `wanted[i]` for every i and no
    // others. Only what differs is sent: the tooltip control looks tools up
    // one by one, so rebuilding them all would cost the square of their number.
    void Sync(const std::vector<Tool>& wanted);
    // Brings the one tool `id` in line with `wanted`, if the window holds it.
    void Update(UINT id, const Tool& wanted);
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);

private:
    TOOLINFOA Info(UINT id, const Tool& tool) const;
    void Change(std::size_t id, const Tool& wanted);

    HWND owner_ = nullptr;
    HWND window_ = nullptr;  // destroyed with its owner, the tray window
    HINSTANCE instance_ = nullptr;
    std::vector<Tool> tools_;  // what the tooltip window holds
};

}  // namespace holm::tray
