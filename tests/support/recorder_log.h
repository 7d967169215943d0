// Reading what recorder.exe wrote.
#pragma once
#include <string>
#include <vector>

namespace holmtest {

struct RecordedStart {
    std::string commandLine;
    std::string directory;
    int show = -1;
};

// A fresh log path in the temporary directory (the file does not exist).
std::string NewRecorderLog(const char* name);
std::vector<RecordedStart> ReadRecorderLog(const std::string& path);
// Waits until the log holds at least `count` lines.
std::vector<RecordedStart> WaitForRecords(const std::string& path, std::size_t count, int timeoutMs = 8000);
std::string RecorderPath();

}  // namespace holmtest
