// The balloon tip that an icon shows when its owner sends balloon text: a
// title, a text and an information, warning or error sign, beside the
// tray, until it is clicked or its time is up. Owners that asked for
// version 3 or later hear when it shows, is clicked and times out.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "tray_request.h"
#include "win_handles.h"

namespace holm::tray {

struct Balloon {
    HWND window = nullptr;  // owned by the tray window, destroyed with it
    UniqueFont titleFont;
    std::uint32_t owner = 0;  // the icon it belongs to, while shown
    std::uint32_t id = 0;
    std::string title;
    std::string text;
    std::uint32_t kind = 0;
};

ATOM RegisterBalloonClass();
// Shows the balloon of the icon at list index `index`, replacing any other.
void ShowBalloon(int index, const BalloonText& balloon);
// Closes the balloon if it belongs to the icon of `record`.
void CloseBalloonOf(const IconRecord& record);

}  // namespace holm::tray
