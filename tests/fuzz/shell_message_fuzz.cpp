// Any program may post the shell main window a WM_COMMAND, a WM_HOTKEY or
// the desktop button message with anything in wParam and lParam, and the
// hook sees whatever sequence of mouse messages the user makes.
#include "desktop_click.h"
#include "fuzz_input.h"
#include "shell_routing.h"

namespace {

std::uintptr_t Word(holmfuzz::Input& in) {
    std::uintptr_t value = 0;
    for (std::size_t i = 0; i < sizeof(value); ++i) value = (value << 8) | in.Byte();
    return value;
}

void RouteMessages(holmfuzz::Input& in) {
    const std::uintptr_t wParam = Word(in);
    const auto lParam = static_cast<std::intptr_t>(Word(in));
    const holm::hook::DesktopButtonNotice notice = holm::hook::UnpackDesktopButton(wParam, lParam);
    const holm::hook::PackedNotice again = holm::hook::PackDesktopButton(notice);
    if (holm::hook::UnpackDesktopButton(again.wParam, again.lParam).x != notice.x) __builtin_trap();

    const std::uint8_t flags = in.Byte();
    holm::routing::CommandMessage m;
    m.id = wParam & 0xFFFF;
    m.notification = (wParam >> 16) & 0xFFFF;
    m.fromControl = lParam != 0;
    m.windowListLast = flags & 1;
    m.shift = flags & 2;
    m.control = flags & 4;
    m.launchCount = static_cast<int>(in.Byte()) * 256 + in.Byte();
    const holm::routing::CommandRoute route = holm::routing::RouteCommand(m);
    if (route.action == holm::routing::CommandAction::Launch && route.launchIndex >= m.launchCount) __builtin_trap();
    const holm::routing::HotkeyRoute hotkey = holm::routing::RouteHotkey(wParam);
    if (hotkey.action == holm::routing::HotkeyAction::Launch && hotkey.launchIndex < 0) __builtin_trap();
}

// The rest as mouse messages: at most one menu per press on the desktop.
void Click(holmfuzz::Input& in) {
    holm::hook::ClickState state;
    int presses = 0, menus = 0;
    while (in.RestSize() > 0) {
        const std::uint8_t b = in.Byte();
        const auto mouse = static_cast<holm::hook::Mouse>(b % 9);
        const bool onDesktop = b & 0x10, ready = b & 0x20;
        if (onDesktop && ready && (mouse == holm::hook::Mouse::LeftDown || mouse == holm::hook::Mouse::RightDown))
            ++presses;
        const holm::hook::ClickOutcome outcome = holm::hook::OnButton(state, mouse, onDesktop, ready, b & 0x40);
        if (outcome.open != holm::hook::Menu::None) ++menus;
        if (outcome.passOn == (outcome.open != holm::hook::Menu::None)) __builtin_trap();
        holm::hook::MiddleButtonAction(mouse, b & 0x80);
        holm::hook::ForwardsToShell(mouse, onDesktop);
    }
    if (menus > presses) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    RouteMessages(in);
    Click(in);
    return 0;
}
