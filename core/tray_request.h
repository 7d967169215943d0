// A notification block as the tray applies it, whichever layout it came in:
// the Windows layout (copy-data id 1, the record after an 8-byte header) or
// the layout of Wine's shell32 (the copy-data id is the operation; a fixed
// part in wide characters, then the icon's pixels). Reading never trusts a
// size field, and a block is decoded once, here.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tray_record.h"

namespace holm::tray {

constexpr std::uint32_t kNifState = 8;
constexpr std::uint32_t kNifInfo = 0x10;
constexpr std::uint32_t kNisHidden = 1;

constexpr std::uint32_t kNimSetFocus = 3;
constexpr std::uint32_t kNimSetVersion = 4;

// Balloon icon kinds (the low bits of the balloon flags).
constexpr std::uint32_t kBalloonIconMask = 0x0F;
constexpr std::uint32_t kBalloonInfo = 1;
constexpr std::uint32_t kBalloonWarning = 2;
constexpr std::uint32_t kBalloonError = 3;

// What owners that asked for version 3 or later are told about balloons,
// as the callback message's lParam.
constexpr std::uint32_t kFirstBalloonVersion = 3;
constexpr std::uint32_t kBalloonShow = 0x0402;
constexpr std::uint32_t kBalloonTimeout = 0x0404;
constexpr std::uint32_t kBalloonUserClick = 0x0405;

// How long a balloon stays, whatever its owner asks for.
constexpr std::uint32_t kBalloonShortestMs = 10000;
constexpr std::uint32_t kBalloonLongestMs = 30000;
constexpr std::uint32_t BalloonTimeoutMs(std::uint32_t asked) {
    return asked < kBalloonShortestMs ? kBalloonShortestMs : asked > kBalloonLongestMs ? kBalloonLongestMs : asked;
}

// Wine's fixed part: owner, id, flags, callback (16), tip 128 wide (256),
// state and mask (8), balloon text 256 wide (512), timeout or version (4),
// balloon title 64 wide (128), balloon flags (4), item GUID (16), then the
// icon's width, height, planes and bits per pixel (16).
constexpr std::size_t kWineFixedSize = 960;
constexpr std::uint32_t kMaxIconSide = 256;

// An icon's picture as bitmaps: rows padded to 16 bits, the mask first
// (1 bit per pixel) then the colour bits. The byte vectors always hold
// whole padded rows, zero where the sender sent less.
struct IconBits {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bitsPerPixel = 0;
    std::vector<std::uint8_t> mask;
    std::vector<std::uint8_t> colour;
};

struct BalloonText {
    std::u16string title;
    std::u16string text;
    std::uint32_t timeoutMs = 0;
    std::uint32_t flags = 0;
};

enum class RequestKind : std::uint32_t { Add = 0, Modify = 1, Delete = 2, SetFocus = 3, SetVersion = 4 };

struct TrayRequest {
    RequestKind kind = RequestKind::Add;
    // Owner, id, flags, callback and tip; hIcon is the sender's icon handle
    // in the Windows layout and 0 when the picture came as bits.
    IconRecord record = {};
    std::optional<IconBits> bits;
    std::uint32_t state = 0;
    std::uint32_t stateMask = 0;
    std::uint32_t version = 0;
    std::optional<BalloonText> balloon;  // with NIF_INFO
};

// The byte size of a w x h bitmap with `bitsPerPixel` as the sender counts
// it: all the bits rounded up to 16, and as rows each padded to 16 bits.
std::uint64_t SentBitmapBytes(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);
std::uint64_t PaddedBitmapBytes(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel);

// Reads Wine's layout; `why` says what was wrong when nothing is returned.
std::optional<TrayRequest> ReadWineNotification(std::uintptr_t copyDataId, const void* data, std::size_t size,
                                                std::string& why);

// Reads either layout: Wine's when its size adds up exactly, the Windows
// layout when the block is smaller than Wine's fixed part.
std::optional<TrayRequest> ReadTrayBlock(std::uintptr_t copyDataId, const void* data, std::size_t size,
                                         std::string& why);

// Whether the request's state change hides or shows the icon (nothing when
// it leaves visibility alone).
std::optional<bool> HiddenAfter(const TrayRequest& request);

}  // namespace holm::tray
