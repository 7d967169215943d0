// Init Menu texts come from the registry, which any program of the user can
// write: item texts, commands, labels and group names of any length and
// content.
#include "command_split.h"
#include "fuzz_input.h"
#include "group_model.h"
#include "item_text.h"
#include "menu_order.h"
#include "text_edit.h"

namespace {

// The rest of the input as one group: a name and a text per value, a byte
// choosing whether each is a subgroup, a text value or a number.
void ModelGroup(holmfuzz::Input& in, const std::string& startup) {
    holm::GroupContents contents;
    while (in.RestSize() > 0) {
        const std::uint8_t kind = in.Byte();
        std::string name = in.Text();
        if (kind % 3 == 0)
            contents.subgroups.push_back(std::move(name));
        else
            contents.values.push_back({std::move(name), in.Text(), kind % 3 == 1});
    }
    holm::GroupOptions options;
    options.showHotkeys = !contents.values.empty() && contents.values[0].isText;
    options.runStartup = true;
    options.startupGroupName = startup;
    const holm::GroupModel model = holm::MakeGroupModel("Software\\Tarvel\\Holm\\Init Menu", contents, options);
    if (model.itemOrder.size() != model.items.size() || model.subgroupOrder.size() != model.subgroups.size())
        __builtin_trap();
    if (model.uninhabited != (model.items.empty() && model.subgroups.empty())) __builtin_trap();
    for (const holm::SubgroupEntry& group : model.subgroups) holm::GroupStatusText(group.path);
}

}  // namespace

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
    ModelGroup(in, other);
    return 0;
}
