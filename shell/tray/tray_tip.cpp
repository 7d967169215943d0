#include "tray_tip.h"

#include <windows.h>

namespace holm::tray {

namespace {

// Cuts ANSI text to at most `limit` bytes without splitting a double-byte
// character.
std::string CutToFit(const char* text, std::size_t limit) {
    const char* end = text;
    while (*end) {
        const char* next = CharNextExA(CP_ACP, end, 0);
        if (next == end || static_cast<std::size_t>(next - text) > limit) break;
        end = next;
    }
    return std::string(text, end);
}

}  // namespace

std::string ConvertTipToAnsi(IconRecord& record) {
    if (!record.WideTip()) return AnsiTip(record);
    const std::u16string wide = WideTip(record);
    char ansi[kTipChars * 2 + 1] = "";
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(wide.c_str()), -1, ansi, sizeof(ansi) - 1,
                        nullptr, nullptr);
    ansi[sizeof(ansi) - 1] = '\0';
    StoreAnsiTip(record, CutToFit(ansi, kTipChars - 1));
    return AnsiTip(record);
}

}  // namespace holm::tray
