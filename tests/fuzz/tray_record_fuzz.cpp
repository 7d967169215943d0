// Any program may send the tray a copy-data block of any size and content.
// The reading is checked against a plain model of the wire format; the
// merge and the tip against what they must keep.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "fuzz_input.h"
#include "tray_record.h"

namespace {

using holm::tray::IconRecord;
using holm::tray::kRecordSize;

// The record is the block's bytes from offset 8, as many as its size field
// asks and the block holds (at most 152), zero beyond; the size field says
// at most 152.
void CheckRead(const IconRecord& record, const std::uint8_t* block, std::size_t size) {
    unsigned char expected[kRecordSize] = {};
    std::uint32_t stated = 0;
    std::memcpy(&stated, block + 8, 4);
    std::memcpy(expected, block + 8, std::min<std::size_t>({stated, kRecordSize, size - 8}));
    stated = std::min(stated, kRecordSize);
    std::memcpy(expected, &stated, 4);
    if (std::memcmp(&record, expected, kRecordSize) != 0) std::abort();
}

// Every byte of a merged record came from one of the two records (the
// flags from either), and the stored icon handle stays.
void CheckMerge(const IconRecord& stored, const IconRecord& incoming, IconRecord merged) {
    if (merged.hIcon != stored.hIcon || (merged.uFlags & ~(stored.uFlags | incoming.uFlags)) != 0) std::abort();
    merged.uFlags = stored.uFlags;
    const auto* a = reinterpret_cast<const unsigned char*>(&stored);
    const auto* b = reinterpret_cast<const unsigned char*>(&incoming);
    const auto* m = reinterpret_cast<const unsigned char*>(&merged);
    for (std::size_t i = 0; i < kRecordSize; ++i)
        if (m[i] != a[i] && m[i] != b[i]) std::abort();
}

// A stored ANSI tip reads back as the text up to its first NUL, at most 63
// characters.
void CheckTip(IconRecord record, const std::string& text) {
    holm::tray::StoreAnsiTip(record, text);
    const std::string expected = text.substr(0, std::min<std::size_t>(text.find('\0'), 63));
    if (holm::tray::AnsiTip(record) != expected || !holm::tray::WideTip(record).empty()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::uintptr_t id = in.Byte() % 3;
    const std::size_t split = std::min<std::size_t>(in.Byte() * 2u, in.RestSize());
    const std::uint8_t* first = in.Rest();
    const auto stored = holm::tray::ReadNotification(id, first, split);
    const auto incoming = holm::tray::ReadNotification(id, first + split, in.RestSize() - split);
    if (stored) CheckRead(stored->record, first, split);
    if (incoming) CheckRead(incoming->record, first + split, in.RestSize() - split);
    if (!stored || !incoming) return 0;
    IconRecord merged = stored->record;
    holm::tray::MergeModify(merged, incoming->record);
    CheckMerge(stored->record, incoming->record, merged);
    const std::string text(reinterpret_cast<const char*>(in.Rest()), std::min<std::size_t>(in.RestSize(), 80));
    CheckTip(merged, text);
    return 0;
}
