// The program file that a process runs. NT names it through psapi, Windows 95
// through the toolhelp snapshot; neither is there on every system (NT 4's
// kernel32 has no toolhelp, psapi.dll may be missing), so both are looked up
// at run time and an empty name means "not known".
#pragma once
#include <windows.h>

#include <map>
#include <string>

namespace holm {

// Answers for one round of questions: what it found is kept, and on
// Windows 95 one snapshot of the processes serves every question.
class ProcessFileFinder {
public:
    std::string FileOf(DWORD processId);

private:
    void TakeSnapshot();
    std::map<DWORD, std::string> known_;
    bool snapshotTaken_ = false;
};

}  // namespace holm
