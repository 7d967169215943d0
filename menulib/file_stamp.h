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

// All zero when the file cannot be reached.
inline FileStamp StampOfFile(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return FileStamp();
    return {data.nFileSizeLow, data.nFileSizeHigh, data.ftLastWriteTime};
}

}  // namespace holm
