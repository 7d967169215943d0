// Popup titles and window titles: the user's title format, the user and
// computer names and other programs' window titles, all of any content.
#include <vector>

#include "fuzz_input.h"
#include "title_text.h"
#include "window_titles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::size_t capacity = 1 + in.Byte() * 2;
    const std::string format = in.Text();
    const std::string value = in.Text();
    std::vector<char> buffer(capacity, '\0');
    format.copy(buffer.data(), capacity - 1);
    holm::ReplaceEvery(buffer.data(), capacity, "%u", value.c_str());
    holm::ReplaceEvery(buffer.data(), capacity, "%c", format.c_str());
    holm::WindowMenuText(value, in.Byte());
    return 0;
}
