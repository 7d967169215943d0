// A cloak file is downloaded by users: its section name and file entries
// must never name a place outside the cloak's own directory, whatever they
// hold. Also the "/InstallCloak" argument, which any caller can pass.
#include <cstdlib>

#include "cloak_install_rules.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::string name = in.Text();
    const std::string entry = in.Text();
    // What the rules accept is one plain name: nothing that climbs out.
    if (holm::IsSafeCloakName(name) &&
        (name.find_first_of("\\/:") != std::string::npos || name == "." || name == ".."))
        std::abort();
    if (holm::IsSafeFileEntry(entry) && entry.find_first_of("\\/:") != std::string::npos) std::abort();
    holm::StyleNumber(entry);
    const std::string path = holm::CloakFilePath(in.Text());
    holm::DirectoryOf(path);
    return 0;
}
