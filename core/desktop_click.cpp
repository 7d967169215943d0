#include "desktop_click.h"

namespace holm::hook {

namespace {

bool IsPress(Mouse m) { return m == Mouse::LeftDown || m == Mouse::RightDown; }
bool IsRelease(Mouse m) { return m == Mouse::LeftUp || m == Mouse::RightUp; }

Menu MenuForRelease(Mouse release, bool reverseButtons) {
    const bool left = (release == Mouse::LeftUp) != reverseButtons;
    return left ? Menu::InitMenu : Menu::WindowList;
}

std::uint16_t LowWord(std::uintptr_t v) { return static_cast<std::uint16_t>(v & 0xFFFF); }
std::uint16_t HighWord(std::uintptr_t v) { return static_cast<std::uint16_t>((v >> 16) & 0xFFFF); }

}  // namespace

ClickOutcome OnButton(ClickState& state, Mouse message, bool onDesktop, bool menusReady, bool reverseButtons) {
    ClickOutcome outcome;
    if (!onDesktop) {
        if (IsRelease(message)) state.pending = false;
        return outcome;
    }
    if (IsPress(message) && menusReady) state.pending = true;
    if (IsRelease(message) && state.pending && menusReady) {
        state.pending = false;
        outcome.open = MenuForRelease(message, reverseButtons);
        outcome.passOn = false;
    }
    return outcome;
}

MiddleAction MiddleButtonAction(Mouse message, bool middleAsDoubleClick) {
    if (!middleAsDoubleClick) return MiddleAction::None;
    switch (message) {
    case Mouse::MiddleDown:
    case Mouse::NonClientMiddleDown: return MiddleAction::Swallow;
    case Mouse::MiddleUp: return MiddleAction::PlayClientDoubleClick;
    case Mouse::NonClientMiddleUp: return MiddleAction::PlayNonClientDoubleClick;
    default: return MiddleAction::None;
    }
}

bool ForwardsToShell(Mouse message, bool onDesktop) {
    return IsRelease(message) || (onDesktop && IsPress(message));
}

PackedNotice PackDesktopButton(const DesktopButtonNotice& notice) {
    const std::uintptr_t wParam = (notice.message & 0xFFFFu) | (std::uintptr_t{notice.onDesktop ? 1u : 0u} << 16);
    const std::uint32_t x = static_cast<std::uint16_t>(notice.x), y = static_cast<std::uint16_t>(notice.y);
    return {wParam, static_cast<std::intptr_t>(x | (y << 16))};
}

DesktopButtonNotice UnpackDesktopButton(std::uintptr_t wParam, std::intptr_t lParam) {
    DesktopButtonNotice notice;
    notice.message = LowWord(wParam);
    notice.onDesktop = HighWord(wParam) != 0;
    const auto bits = static_cast<std::uintptr_t>(lParam);
    notice.x = static_cast<std::int16_t>(LowWord(bits));
    notice.y = static_cast<std::int16_t>(HighWord(bits));
    return notice;
}

}  // namespace holm::hook
