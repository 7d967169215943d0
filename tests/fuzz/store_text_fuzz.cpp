// Init Menu texts come from the registry, which any program of the user can
// write: item texts, commands and labels of any length and content.
#include "command_split.h"
#include "fuzz_input.h"
#include "item_text.h"
#include "menu_order.h"
#include "text_edit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    holmfuzz::Input in(data, size);
    const std::string text = in.Text();
    const holm::ItemText item = holm::ParseItemText(text);
    holm::ShowCommandForCode(item.showCode);
    holm::SplitCommand(item.command);
    holm::ProgramOfCommand(item.command);
    const std::string other = in.Text();
    holm::MenuOrder({text, other, item.command, item.directory});
    holm::DoubleChar(text, '&');
    return 0;
}
