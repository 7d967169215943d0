// Files and folders that tests make: under the temp folder of the prefix.
#pragma once
#include <string>

namespace holmtest {

// The folder `name` under the temp folder, created when missing (what it
// holds is kept).
std::string TempFolder(const std::string& name);
void WriteFileBytes(const std::string& file, const std::string& bytes);
// The whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& file);
bool FileExists(const std::string& path);

}  // namespace holmtest
