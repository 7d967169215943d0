#include "launch.h"

#include <shellapi.h>

#include <cstdio>
#include <vector>

#include "command_split.h"
#include "folder_monitor.h"
#include "holm_names.h"
#include "launch_table.h"
#include "library_state.h"
#include "no_throw.h"

namespace holm {

namespace {

std::string ExpandEnvironment(const char* command) {
    const DWORD needed = ExpandEnvironmentStringsA(command, nullptr, 0);
    std::vector<char> buffer(needed ? needed + 1 : 4096);
    const DWORD got = ExpandEnvironmentStringsA(command, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (got == 0 || got > buffer.size()) return command;
    return buffer.data();
}

}  // namespace

int ShellRun(const char* command, const char* directory, int show) {
    if (!command || !*command) return 1;
    ProgramAndParameters parts;
    try {
        parts = SplitCommand(ExpandEnvironment(command));
    } catch (const std::bad_alloc&) {
        ReportOutOfMemory();
        return 0;
    }
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, nullptr, parts.program.c_str(),
                      parts.parameters.empty() ? nullptr : parts.parameters.c_str(), directory, show));
    return result > 32 ? 1 : 0;
}

namespace {

int Launch(int index) {
    const LaunchEntry* entry = LaunchEntryAt(index);
    if (!entry) return 0;
    ClearMonitorMarkFor(kCmdFirstLaunch + index);
    if (ShellRun(entry->CommandOrNull(), entry->DirectoryOrNull(), entry->showCmd)) return 1;
    char message[1076];
    std::snprintf(message, sizeof(message), "(%d) Execution of \"%s\" in directory \"%s\" failed", index,
                  entry->command.c_str(), entry->directory.empty() ? "(null)" : entry->directory.c_str());
    return MessageBoxA(g_lib.shell, message, "HOLM", MB_ICONERROR | MB_TOPMOST);
}

}  // namespace

int RunLaunchEntry(int index) {
    return Guarded(0, [&] { return Launch(index); });
}

}  // namespace holm
