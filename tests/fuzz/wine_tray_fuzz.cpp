// Any program may send the tray a block of any size under any copy-data id.
// Two properties, checked against Wine's own declaration of its block and
// sizes worked out here: whatever the reader accepts in Wine's layout has
// exactly the size its icon fields call for and reads its fields from where
// Wine puts them; and a block built the way Wine builds one is accepted.
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "tray_request.h"
#include "wine_notify_block.h"

namespace {

using holmtest::WineNotifyData;
namespace tray = holm::tray;

void Check(bool condition) {
    if (!condition) std::abort();
}

std::size_t ExpectedSize(const WineNotifyData& d) {
    const bool picture = (d.uFlags & tray::kNifIcon) && (d.width || d.height || d.planes || d.bpp);
    if (!picture) return sizeof(d);
    const unsigned long long pixels = 1ull * d.width * d.height;
    return sizeof(d) + (pixels + 15) / 16 * 2 + (pixels * d.bpp + 15) / 16 * 2;
}

void CheckAccepted(const tray::TrayRequest& r, const WineNotifyData& d, std::size_t size) {
    Check(size == ExpectedSize(d));
    Check(r.record.hWnd == static_cast<std::uint32_t>(d.hWnd) && r.record.uID == d.uID);
    Check(r.record.uFlags == d.uFlags && r.record.uCallbackMessage == d.uCallbackMessage);
    if (r.bits) {
        Check(r.bits->width == d.width && r.bits->height == d.height && d.planes == 1);
        Check(r.bits->mask.size() == (d.width + 15) / 16 * 2 * d.height);
        Check(r.bits->colour.size() == (d.width * d.bpp + 15) / 16 * 2 * d.height);
    }
}

// A block as Wine sends it, from the fuzzer's choice of fields and size.
std::vector<std::uint8_t> WellFormed(holmfuzz::Input& in, WineNotifyData& d) {
    static const std::uint32_t kDepths[] = {1, 4, 8, 16, 24, 32};
    std::memcpy(&d, in.Rest(), std::min(in.RestSize(), sizeof(d)));
    d.uFlags |= tray::kNifIcon;
    d.width = 1 + in.Byte() % 64;
    d.height = 1 + in.Byte() % 64;
    d.planes = 1;
    d.bpp = kDepths[in.Byte() % 6];
    std::vector<std::uint8_t> pixels(ExpectedSize(d) - sizeof(d), 0x5A);
    return holmtest::WineBlock(d, pixels);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::uint8_t mode = in.Byte();
    const std::uintptr_t id = mode % 6;
    std::string why;
    if (mode & 0x80) {
        WineNotifyData d = {};
        const std::vector<std::uint8_t> block = WellFormed(in, d);
        const auto r = tray::ReadWineNotification(id % 5, block.data(), block.size(), why);
        Check(r.has_value() && r->bits.has_value());
        CheckAccepted(*r, d, block.size());
        return 0;
    }
    // The bytes as they come; a short block is padded only for the oracle's view.
    const auto r = tray::ReadWineNotification(id, in.Rest(), in.RestSize(), why);
    if (!r) {
        Check(!why.empty());
        return 0;
    }
    WineNotifyData d;
    std::memcpy(&d, in.Rest(), sizeof(d));
    CheckAccepted(*r, d, in.RestSize());
    std::string either;
    Check(tray::ReadTrayBlock(id, in.Rest(), in.RestSize(), either).has_value());
    return 0;
}
