// Drive letters of the Wine prefix made by the test: a letter of a chosen
// drive type that shows a folder, as Wine's configuration tool makes them.
#pragma once
#include <windows.h>

#include <string>

namespace holmtest {

// Maps drive `letter` to the folder `windowsPath` with GetDriveType answering
// `driveType`; false when Wine's mount manager refused.
bool MapWineDrive(char letter, const std::string& windowsPath, DWORD driveType);
// Removes the mapping again.
bool UnmapWineDrive(char letter);

}  // namespace holmtest
