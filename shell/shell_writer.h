// Taking over from Explorer and registering the user's shell.
#pragma once

namespace holm {

// Decides whether this start goes on (false: end with exit code 0).
bool CheckShellTakeover();

// Makes `program` the user's shell; reports a failure itself.
void WriteShellSetting(const char* program);

}  // namespace holm
