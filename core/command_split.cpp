#include "command_split.h"

namespace holm {

ProgramAndParameters SplitCommand(const std::string& command) {
    ProgramAndParameters result;
    std::size_t start = command.find_first_not_of(' ');
    if (start == std::string::npos) return result;
    char terminator = ' ';
    if (command[start] == '"') {
        terminator = '"';
        ++start;
    }
    const std::size_t end = command.find(terminator, start);
    if (end == std::string::npos) {
        result.program = command.substr(start);
    } else {
        result.program = command.substr(start, end - start);
        result.parameters = command.substr(end + 1);
    }
    return result;
}

}  // namespace holm
