// Any program may send the tray a copy-data block of any size and content.
#include <cstring>

#include "fuzz_input.h"
#include "tray_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::uintptr_t id = in.Byte() % 3;
    const auto notification = holm::tray::ReadNotification(id, in.Rest(), in.RestSize());
    if (!notification) return 0;
    holm::tray::IconRecord stored = notification->record;
    holm::tray::AnsiTip(stored);
    holm::tray::WideTip(stored);
    holm::tray::MergeModify(stored, notification->record);
    holm::tray::StoreAnsiTip(stored, holm::tray::AnsiTip(notification->record));
    return 0;
}
