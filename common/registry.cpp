#include "registry.h"

#include <vector>

namespace holm {

UniqueKey OpenKey(HKEY root, const char* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return UniqueKey();
    return UniqueKey(key);
}

UniqueKey OpenUserKey(const char* path, REGSAM access) { return OpenKey(HKEY_CURRENT_USER, path, access); }

UniqueKey CreateKey(HKEY root, const char* path, REGSAM access) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return UniqueKey();
    return UniqueKey(key);
}

UniqueKey CreateUserKey(const char* path, REGSAM access) { return CreateKey(HKEY_CURRENT_USER, path, access); }

bool ReadNumber(HKEY key, const char* name, DWORD& value) {
    if (!key) return false;
    DWORD data = 0, size = sizeof(data), type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
        return false;
    if (size != sizeof(data)) return false;
    value = data;
    return true;
}

bool ReadText(HKEY key, const char* name, std::string& value, DWORD maxBytes) {
    if (!key || maxBytes == 0) return false;
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    if (size > maxBytes) return false;
    std::vector<char> buffer(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS)
        return false;
    buffer[got < size ? got : size] = '\0';
    value.assign(buffer.data());
    return true;
}

std::vector<std::string> SubkeyNames(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0; key; ++i) {
        char name[256];  // the longest key name the registry allows, and its terminator
        DWORD size = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, size);
    }
    return names;
}

int WriteRegistryValue(HKEY root, const char* subkey, const char* name, DWORD type,
                       const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subkey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return 0;
    UniqueKey owner(key);
    return RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS ? 1 : 0;
}

}  // namespace holm
