// Splitting a command line into program and parameters. Pure logic.
#pragma once
#include <string>

namespace holm {

struct ProgramAndParameters {
    std::string program;
    std::string parameters;
};

// Leading blanks are skipped. A program in double quotes runs to the next
// quote; otherwise to the next blank. The character that ends the program is
// dropped and the rest is the parameter text. Without an ending character
// the program is the rest of the text and there are no parameters.
ProgramAndParameters SplitCommand(const std::string& command);

}  // namespace holm
