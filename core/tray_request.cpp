#include "tray_request.h"

#include <algorithm>
#include <cstring>

namespace holm::tray {

namespace {

// Offsets in Wine's fixed part.
constexpr std::size_t kWineTip = 16;
constexpr std::size_t kWineState = 272;
constexpr std::size_t kWineStateMask = 276;
constexpr std::size_t kWineInfo = 280;
constexpr std::size_t kWineTimeoutOrVersion = 792;
constexpr std::size_t kWineInfoTitle = 796;
constexpr std::size_t kWineInfoFlags = 924;
constexpr std::size_t kWineIconWidth = 944;
constexpr std::size_t kWineTipChars = 128;
constexpr std::size_t kWineInfoChars = 256;
constexpr std::size_t kWineInfoTitleChars = 64;

std::uint32_t WordAt(const unsigned char* bytes, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, bytes + offset, sizeof(value));
    return value;
}

// Wide text of at most `chars` characters, up to its first NUL.
std::u16string WideTextAt(const unsigned char* bytes, std::size_t offset, std::size_t chars) {
    std::u16string text;
    for (std::size_t i = 0; i < chars; ++i) {
        char16_t c;
        std::memcpy(&c, bytes + offset + 2 * i, sizeof(c));
        if (c == u'\0') break;
        text += c;
    }
    return text;
}

bool KnownColourDepth(std::uint32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
    }
}

std::vector<std::uint8_t> PaddedCopy(const unsigned char* sent, std::uint64_t sentBytes, std::uint64_t padded) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(padded), 0);
    std::memcpy(bytes.data(), sent, static_cast<std::size_t>(std::min(sentBytes, padded)));
    return bytes;
}

// The picture's size fields; refused (with `why`) unless they describe a
// bitmap the shell can rebuild.
bool ReadIconSize(const unsigned char* bytes, IconBits& bits, std::string& why) {
    bits.width = WordAt(bytes, kWineIconWidth);
    bits.height = WordAt(bytes, kWineIconWidth + 4);
    bits.planes = WordAt(bytes, kWineIconWidth + 8);
    bits.bitsPerPixel = WordAt(bytes, kWineIconWidth + 12);
    if (bits.width == 0 || bits.height == 0 || bits.width > kMaxIconSide || bits.height > kMaxIconSide) {
        why = "icon size " + std::to_string(bits.width) + "x" + std::to_string(bits.height) + " out of range";
        return false;
    }
    if (bits.planes != 1 || !KnownColourDepth(bits.bitsPerPixel)) {
        why = "icon with " + std::to_string(bits.planes) + " planes of " + std::to_string(bits.bitsPerPixel) +
              " bits per pixel";
        return false;
    }
    return true;
}

// A picture was sent unless the sender found no icon behind the handle,
// which leaves the size fields zero and sends the fixed part alone.
bool PictureSent(const unsigned char* bytes) {
    for (std::size_t i = 0; i < 16; ++i)
        if (bytes[kWineIconWidth + i] != 0) return true;
    return false;
}

bool ReadPicture(const unsigned char* bytes, std::size_t size, TrayRequest& request, std::string& why) {
    if (!request.record.Has(kNifIcon) || !PictureSent(bytes)) {
        if (size == kWineFixedSize) return true;
        why = "size " + std::to_string(size) + " is not the fixed part of " + std::to_string(kWineFixedSize);
        return false;
    }
    IconBits bits;
    if (!ReadIconSize(bytes, bits, why)) return false;
    const std::uint64_t maskSent = SentBitmapBytes(bits.width, bits.height, 1);
    const std::uint64_t colourSent = SentBitmapBytes(bits.width, bits.height, bits.bitsPerPixel);
    const std::uint64_t expected = kWineFixedSize + maskSent + colourSent;
    if (size != expected) {
        why = "size " + std::to_string(size) + " where a " + std::to_string(bits.width) + "x" +
              std::to_string(bits.height) + " icon of " + std::to_string(bits.bitsPerPixel) + " bits needs " +
              std::to_string(expected);
        return false;
    }
    const unsigned char* mask = bytes + kWineFixedSize;
    bits.mask = PaddedCopy(mask, maskSent, PaddedBitmapBytes(bits.width, bits.height, 1));
    bits.colour = PaddedCopy(mask + maskSent, colourSent,
                             PaddedBitmapBytes(bits.width, bits.height, bits.bitsPerPixel));
    request.bits = std::move(bits);
    return true;
}

// The tray keeps 63 characters of a tip; the record is the wide form.
void StoreWideTip(IconRecord& record, const std::u16string& tip) {
    record.cbSize = kRecordSize;
    std::memset(record.tip, 0, sizeof(record.tip));
    std::memcpy(record.tip, tip.data(), std::min(tip.size(), kTipChars - 1) * sizeof(char16_t));
}

TrayRequest FromWindowsLayout(const Notification& n) {
    TrayRequest request;
    request.kind = static_cast<RequestKind>(n.operation);
    request.record = n.record;
    return request;
}

}  // namespace

std::uint64_t SentBitmapBytes(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel) {
    const std::uint64_t bits = std::uint64_t{width} * height * bitsPerPixel;
    return (bits + 15) / 16 * 2;
}

std::uint64_t PaddedBitmapBytes(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel) {
    const std::uint64_t row = (std::uint64_t{width} * bitsPerPixel + 15) / 16 * 2;
    return row * height;
}

std::optional<TrayRequest> ReadWineNotification(std::uintptr_t copyDataId, const void* data, std::size_t size,
                                                std::string& why) {
    if (copyDataId > kNimSetVersion) {
        why = "unknown operation " + std::to_string(copyDataId);
        return std::nullopt;
    }
    if (!data || size < kWineFixedSize) {
        why = "block of " + std::to_string(size) + " bytes is shorter than the fixed part";
        return std::nullopt;
    }
    const auto* bytes = static_cast<const unsigned char*>(data);
    TrayRequest request;
    request.kind = static_cast<RequestKind>(copyDataId);
    request.record.hWnd = WordAt(bytes, 0);
    request.record.uID = WordAt(bytes, 4);
    request.record.uFlags = WordAt(bytes, 8);
    request.record.uCallbackMessage = WordAt(bytes, 12);
    StoreWideTip(request.record, WideTextAt(bytes, kWineTip, kWineTipChars));
    if (!ReadPicture(bytes, size, request, why)) return std::nullopt;
    request.state = WordAt(bytes, kWineState);
    request.stateMask = WordAt(bytes, kWineStateMask);
    request.version = WordAt(bytes, kWineTimeoutOrVersion);
    if (request.record.Has(kNifInfo)) {
        request.balloon = BalloonText{WideTextAt(bytes, kWineInfoTitle, kWineInfoTitleChars),
                                      WideTextAt(bytes, kWineInfo, kWineInfoChars),
                                      WordAt(bytes, kWineTimeoutOrVersion), WordAt(bytes, kWineInfoFlags)};
    }
    return request;
}

std::optional<TrayRequest> ReadTrayBlock(std::uintptr_t copyDataId, const void* data, std::size_t size,
                                         std::string& why) {
    if (std::optional<TrayRequest> request = ReadWineNotification(copyDataId, data, size, why)) return request;
    // No sender's Windows-layout block comes near Wine's fixed part in size;
    // a block that large is Wine's (or another Wine version's) gone wrong.
    if (size >= kWineFixedSize) return std::nullopt;
    if (const std::optional<Notification> n = ReadNotification(copyDataId, data, size)) return FromWindowsLayout(*n);
    if (copyDataId == kNotifyCopyDataId)
        why = "a Windows-layout block of " + std::to_string(size) + " bytes without a known operation and record";
    return std::nullopt;
}

std::optional<bool> HiddenAfter(const TrayRequest& request) {
    if (!request.record.Has(kNifState) || (request.stateMask & kNisHidden) == 0) return std::nullopt;
    return (request.state & kNisHidden) != 0;
}

}  // namespace holm::tray
