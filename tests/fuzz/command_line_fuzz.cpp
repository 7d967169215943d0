// The shell's command line is whatever the starting program passed.
#include "command_line.h"
#include "fuzz_input.h"
#include "startup_flag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const bool byDefault = in.Byte() & 1;
    const std::string line = in.Text();
    holm::ParseCommandLine(line.c_str());
    holm::DecideStartupRun(line.c_str(), byDefault);
    return 0;
}
