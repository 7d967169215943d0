// A file's size and last-write time: what shows that a file read earlier
// has not changed since.
#pragma once
#include <windows.h>

#include <string>

namespace holm {

struct FileStamp {
    DWORD sizeLow = 0, sizeHigh = 0;
    FILETIME written = {};

    bool SameAs(const FileStamp& other) const {
        return sizeLow == other.sizeLow && sizeHigh == other.sizeHigh &&
               CompareFileTime(&written, &other.written) == 0;
    }
};

inline FileStamp StampOf(const WIN32_FIND_DATAA& found) {
    return {found.nFileSizeLow, found.nFileSizeHigh, found.ftLastWriteTime};
}

// All zero when the file cannot be reached. (Found by a search, since
// Windows 95 has no GetFileAttributesEx.)
inline FileStamp StampOfFile(const std::string& path) {
    if (path.find_first_of("*?") != std::string::npos) return FileStamp();
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return FileStamp();
    FindClose(search);
    return StampOf(found);
}

}  // namespace holm
