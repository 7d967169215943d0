// A cloak file is downloaded by users: its section name and file entries
// must never name a place outside the cloak's own directory, whatever they
// hold. Also the "/InstallCloak" argument, which any caller can pass, and
// the record values the chooser exports and deletes files by.
#include <cstdlib>

#include "cloak_files.h"
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

    holm::Colour colour;
    if (holm::ParseColourText(entry, colour) && (colour.red > 255 || colour.green < 0)) std::abort();
    // Delete removes only a plain file directly in the own directory.
    const std::string own = in.Text();
    if (holm::IsOwnCloakFile(path, own)) {
        const std::string file = holm::ComparablePath(path), dir = holm::ComparablePath(own);
        if (file.compare(0, dir.size(), dir) != 0 || file.find('\\', dir.size() + 1) != std::string::npos ||
            (file + "\\").find("\\..\\") != std::string::npos)
            std::abort();
    }
    // Export copies files only under names that stay in its directory.
    holm::CloakExport cloak;
    cloak.name = name;
    for (std::string& file : cloak.files) file = in.Text();
    for (const std::string& exported : holm::ExportFileNames(cloak))
        if (!holm::IsSafeFileEntry(exported)) std::abort();
    holm::ExportText(cloak, holm::ExportFileNames(cloak));
    return 0;
}
