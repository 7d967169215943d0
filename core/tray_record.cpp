#include "tray_record.h"

#include <algorithm>
#include <cstring>

namespace holm::tray {

namespace {

constexpr std::size_t kHeaderSize = 8;  // a word nobody reads, then the operation

std::uint32_t ReadWord(const unsigned char* bytes) {
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof(value));
    return value;
}

bool KnownOperation(std::uint32_t operation) { return operation <= static_cast<std::uint32_t>(Operation::Delete); }

}  // namespace

std::optional<Notification> ReadNotification(std::uintptr_t copyDataId, const void* data, std::size_t size) {
    if (copyDataId != kNotifyCopyDataId || !data) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(data);
    if (size < kHeaderSize + sizeof(std::uint32_t)) return std::nullopt;
    const std::uint32_t operation = ReadWord(bytes + 4);
    if (!KnownOperation(operation)) return std::nullopt;

    const std::size_t present = size - kHeaderSize;
    const std::uint32_t stated = ReadWord(bytes + kHeaderSize);
    const std::size_t length = std::min<std::size_t>({stated, kRecordSize, present});

    Notification n{};
    n.operation = static_cast<Operation>(operation);
    std::memcpy(&n.record, bytes + kHeaderSize, length);
    n.record.cbSize = std::min(stated, kRecordSize);
    n.length = static_cast<std::uint32_t>(length);
    return n;
}

void MergeModify(IconRecord& stored, const IconRecord& incoming) {
    IconRecord merged = incoming;
    if (stored.Has(kNifMessage) && !merged.Has(kNifMessage)) {
        merged.uFlags |= kNifMessage;
        merged.hWnd = stored.hWnd;
        merged.uCallbackMessage = stored.uCallbackMessage;
    }
    if (stored.Has(kNifTip) && !merged.Has(kNifTip)) {
        merged.uFlags |= kNifTip;
        std::memcpy(merged.tip, stored.tip, sizeof(merged.tip));
        merged.cbSize = stored.cbSize;
    }
    // The incoming record is zero beyond what the sender gave, so copying
    // cbSize bytes never brings in anything that was neither sent nor stored.
    const std::uint32_t keepIcon = stored.hIcon;
    std::memcpy(&stored, &merged, std::min(merged.cbSize, kRecordSize));
    stored.hIcon = keepIcon;
}

std::string AnsiTip(const IconRecord& record) {
    if (record.WideTip()) return std::string();
    const char* text = reinterpret_cast<const char*>(record.tip);
    const std::size_t length = std::find(text, text + kTipChars - 1, '\0') - text;
    return std::string(text, length);
}

std::u16string WideTip(const IconRecord& record) {
    if (!record.WideTip()) return std::u16string();
    char16_t chars[kTipChars];
    std::memcpy(chars, record.tip, sizeof(chars));
    const std::size_t length = std::find(chars, chars + kTipChars - 1, u'\0') - chars;
    return std::u16string(chars, length);
}

void StoreAnsiTip(IconRecord& record, const std::string& text) {
    std::memset(record.tip, 0, sizeof(record.tip));
    std::memcpy(record.tip, text.data(), std::min(text.size(), kTipChars - 1));
    record.cbSize = kAnsiRecordSize;
}

}  // namespace holm::tray
