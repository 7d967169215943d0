// A configuration file comes from outside: any bytes. Whatever the reader
// accepts must lie below the allowed key and be written back by the writer
// into a file that reads the same.
#include <cstdlib>

#include "fuzz_input.h"
#include "reg_file.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

// The key is the allowed one or lies below it, compared without letter case.
bool InsideAllowedKey(const std::string& path) {
    const std::string key = Lower(path), allowed = "software\\tarvel\\holm";
    return key == allowed || key.rfind(allowed + "\\", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace holm::regfile;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult read = ReadFile(bytes, "Software\\Tarvel\\Holm", "Software\\Tarvel\\Holm");
    if (!read.ok) return 0;
    std::string again = FileHeader();
    for (const Section& s : read.sections) {
        if (!InsideAllowedKey(s.path)) std::abort();
        again += SectionText(s);
    }
    const ReadResult reread = ReadFile(again, "Software\\Tarvel\\Holm", "Software\\Tarvel\\Holm");
    if (!reread.ok || reread.sections.size() != read.sections.size()) std::abort();
    for (std::size_t i = 0; i < read.sections.size(); ++i) {
        const Section &a = read.sections[i], &b = reread.sections[i];
        if (a.values.size() != b.values.size()) std::abort();
        for (std::size_t v = 0; v < a.values.size(); ++v)
            if (a.values[v].name != b.values[v].name || a.values[v].text != b.values[v].text ||
                a.values[v].number != b.values[v].number || a.values[v].type != b.values[v].type)
                std::abort();
    }
    return 0;
}
