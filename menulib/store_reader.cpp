#include "store_reader.h"

#include <windows.h>

#include "registry.h"

namespace holm {

void ReadValueRange(HKEY key, std::size_t first, std::size_t end, std::vector<StoreValue>& values) {
    char name[kStoreNameChars];
    char data[kStoreDataBytes + 1];
    for (std::size_t i = first; i < end; ++i) {
        DWORD nameLength = kStoreNameChars, dataLength = kStoreDataBytes, type = 0;
        const LONG result = RegEnumValueA(key, static_cast<DWORD>(i), name, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataLength);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS) return;
        data[dataLength < kStoreDataBytes ? dataLength : kStoreDataBytes] = '\0';
        values.push_back({name, data, type == REG_SZ || type == REG_EXPAND_SZ});
    }
}

bool ReadGroupContents(const std::string& path, GroupContents& contents) {
    UniqueKey key = OpenUserKey(path.c_str(), KEY_READ);
    if (!key) return false;
    const std::vector<std::string> subgroups = SubkeyNames(key.Get());
    contents.subgroups.insert(contents.subgroups.end(), subgroups.begin(), subgroups.end());
    ReadValueRange(key.Get(), 0, kToTheEnd, contents.values);
    return true;
}

FolderRead ReadMonitorFolder(const ItemText& item, std::string& folder) {
    if (item.kind == ItemKind::MonitorPath) {
        folder = item.path;
        return FolderRead::Read;
    }
    UniqueKey key = OpenUserKey(item.registryKey.empty() ? nullptr : item.registryKey.c_str(), KEY_READ);
    if (!key) return FolderRead::KeyNotOpened;
    char data[kStoreDataBytes + 1] = "";
    DWORD size = kStoreDataBytes, type = 0;
    if (RegQueryValueExA(key.Get(), item.registryValue.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
        ERROR_SUCCESS)
        return FolderRead::ValueNotRead;
    data[size < kStoreDataBytes ? size : kStoreDataBytes] = '\0';
    folder = data;
    return FolderRead::Read;
}

}  // namespace holm
