// A disc's Autorun.inf and the device broadcast come from outside: any
// bytes, any encoding, any length.
#include "autorun_logic.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::size_t maxLength = in.Byte();
    const std::string bytes(reinterpret_cast<const char*>(in.Rest()), in.RestSize());
    const std::string open = holm::AutorunOpenEntry(bytes, maxLength);
    holm::AudioCdCommand(open, "D:");
    holm::MediaArrivalDrives(in.Rest(), in.RestSize());
    return 0;
}
