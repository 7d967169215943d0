#include "recorder_log.h"

#include <windows.h>

#include <fstream>

#include "shell_driver.h"

namespace holmtest {

std::string NewRecorderLog(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    const std::string path = std::string(temp) + name + ".log";
    DeleteFileA(path.c_str());
    return path;
}

std::vector<RecordedStart> ReadRecorderLog(const std::string& path) {
    std::vector<RecordedStart> out;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t a = line.find('\t'), b = line.rfind('\t');
        if (a == std::string::npos || b == a) continue;
        RecordedStart r;
        r.commandLine = line.substr(0, a);
        r.directory = line.substr(a + 1, b - a - 1);
        r.show = std::stoi(line.substr(b + 1));
        out.push_back(r);
    }
    return out;
}

std::vector<RecordedStart> WaitForRecords(const std::string& path, std::size_t count, int timeoutMs) {
    std::vector<RecordedStart> records;
    WaitFor([&] { return (records = ReadRecorderLog(path)).size() >= count; }, timeoutMs);
    return records;
}

std::string RecorderPath() { return BinDir() + "\\recorder.exe"; }

}  // namespace holmtest
