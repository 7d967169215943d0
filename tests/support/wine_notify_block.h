// The block that Wine 8.0's Shell_NotifyIcon sends, declared as Wine's
// shell32 declares it, for tests that check the tray's reader against it.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace holmtest {

struct WineNotifyData {
    std::int32_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    char16_t szTip[128];
    std::uint32_t dwState;
    std::uint32_t dwStateMask;
    char16_t szInfo[256];
    std::uint32_t uTimeoutOrVersion;
    char16_t szInfoTitle[64];
    std::uint32_t dwInfoFlags;
    std::uint8_t guidItem[16];
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t planes;
    std::uint32_t bpp;
};
static_assert(sizeof(WineNotifyData) == 960, "Wine's fixed part");

inline void CopyWide(char16_t* field, std::size_t chars, const std::u16string& text) {
    std::memset(field, 0, chars * sizeof(char16_t));
    std::memcpy(field, text.data(), std::min(text.size(), chars) * sizeof(char16_t));
}

// The fixed part followed by `pixels` (mask then colour bits).
inline std::vector<std::uint8_t> WineBlock(const WineNotifyData& data, const std::vector<std::uint8_t>& pixels = {}) {
    std::vector<std::uint8_t> block(sizeof(data) + pixels.size());
    std::memcpy(block.data(), &data, sizeof(data));
    if (!pixels.empty()) std::memcpy(block.data() + sizeof(data), pixels.data(), pixels.size());
    return block;
}

}  // namespace holmtest
