// The notification-icon record that other programs send to the tray, and the
// reading of the WM_COPYDATA block that carries it. Everything here treats
// the incoming bytes as hostile: no size field is trusted to say how much
// data there is.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace holm::tray {

constexpr std::uint32_t kNifMessage = 1;
constexpr std::uint32_t kNifIcon = 2;
constexpr std::uint32_t kNifTip = 4;

constexpr std::uint32_t kRecordSize = 152;     // the wide NOTIFYICONDATA
constexpr std::uint32_t kAnsiRecordSize = 88;  // the ANSI NOTIFYICONDATA
constexpr std::uint32_t kWideFormFrom = 110;   // a cbSize from here on means UTF-16 tips
constexpr std::size_t kTipChars = 64;          // characters in either form of the tip
constexpr std::size_t kTipBytes = 128;

// The copy-data identifier of notification messages.
constexpr std::uintptr_t kNotifyCopyDataId = 1;

// The record as it travels: the 32-bit NOTIFYICONDATA, at most 152 bytes.
struct IconRecord {
    std::uint32_t cbSize;
    std::uint32_t hWnd;
    std::uint32_t uID;
    std::uint32_t uFlags;
    std::uint32_t uCallbackMessage;
    std::uint32_t hIcon;
    unsigned char tip[kTipBytes];

    bool Has(std::uint32_t flag) const { return (uFlags & flag) != 0; }
    bool WideTip() const { return cbSize >= kWideFormFrom; }
    bool SameIcon(const IconRecord& other) const { return hWnd == other.hWnd && uID == other.uID; }
};
static_assert(sizeof(IconRecord) == kRecordSize, "the record must keep the wire layout");

// Window and icon handles travel as 32-bit fields whatever the sender's
// bitness. Windows keeps handle values within 32 bits and widens them by sign
// extension, so a 64-bit shell widens them the same way and never keeps more
// than the low 32 bits on the way out.
constexpr std::uint32_t HandleToWire(std::uintptr_t handle) { return static_cast<std::uint32_t>(handle); }
constexpr std::uintptr_t WireToHandle(std::uint32_t bits) {
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(bits)));
}

enum class Operation : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

struct Notification {
    Operation operation;
    IconRecord record;
    std::uint32_t length;  // bytes of the record that were sent and asked for
};

// Reads a notification from a copy-data block of `size` bytes: the operation
// at offset 4 and the record from offset 8. Returns nothing for a foreign
// identifier, an unknown operation or a block too short to hold them. The
// record is built from the first min(cbSize, 152, bytes present) bytes; the
// rest is zero.
std::optional<Notification> ReadNotification(std::uintptr_t copyDataId, const void* data, std::size_t size);

// Folds a modify into the stored record: the incoming record keeps the
// stored callback and the stored tip where it brings none of its own. The
// icon handle is left for the caller, which owns the copies.
void MergeModify(IconRecord& stored, const IconRecord& incoming);

// The tip as ANSI text (at most 63 characters); empty for a wide tip.
std::string AnsiTip(const IconRecord& record);

// The tip as UTF-16 text (at most 63 characters); empty for an ANSI tip.
std::u16string WideTip(const IconRecord& record);

// Stores `text` as the record's ANSI tip, cut to fit, and marks the record
// as the ANSI form.
void StoreAnsiTip(IconRecord& record, const std::string& text);

}  // namespace holm::tray
