#include "tray_tooltips.h"

namespace holm::tray {

namespace {

bool SameCell(const Cell& a, const Cell& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

void Tooltips::Create(HWND owner, HINSTANCE instance) {
    owner_ = owner;
    instance_ = instance;
    InitCommonControls();
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance,
                              nullptr);
    if (window_) PostMessageA(window_, TTM_ACTIVATE, TRUE, 0);
}

TOOLINFOA Tooltips::Info(UINT id, const Tool& tool) const {
    TOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = owner_;
    info.uId = id;
    info.rect = {tool.cell.left, tool.cell.top, tool.cell.right, tool.cell.bottom};
    info.hinst = instance_;
    info.lpszText = const_cast<char*>(tool.text.c_str());
    return info;
}

void Tooltips::Sync(const std::vector<Tool>& wanted) {
    if (!window_) return;
    while (tools_.size() > wanted.size()) {  // last first: the control keeps the others in place
        TOOLINFOA info = Info(static_cast<UINT>(tools_.size() - 1), tools_.back());
        SendMessageA(window_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
        tools_.pop_back();
    }
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (i < tools_.size()) {
            Change(i, wanted[i]);
            continue;
        }
        TOOLINFOA info = Info(static_cast<UINT>(i), wanted[i]);
        if (!SendMessageA(window_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info))) return;
        tools_.push_back(wanted[i]);
    }
}

void Tooltips::Update(UINT id, const Tool& wanted) {
    if (window_ && id < tools_.size()) Change(id, wanted);
}

void Tooltips::Change(std::size_t id, const Tool& wanted) {
    TOOLINFOA info = Info(static_cast<UINT>(id), wanted);
    if (!SameCell(tools_[id].cell, wanted.cell))
        SendMessageA(window_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&info));
    if (tools_[id].text != wanted.text) SendMessageA(window_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    tools_[id] = wanted;
}

void Tooltips::Relay(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window_) return;
    MSG msg = {};
    msg.hwnd = owner_;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendMessageA(window_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

}  // namespace holm::tray
