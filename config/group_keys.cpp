#include "group_keys.h"

#include <windows.h>

#include <set>

#include "registry.h"
#include "win_handles.h"

namespace setwise {


namespace {

using holm::SubkeyNames;
using holm::UniqueKey;

UniqueKey Open(const std::string& path, REGSAM access = KEY_READ) { return holm::OpenUserKey(path.c_str(), access); }
UniqueKey Create(const std::string& path) { return holm::CreateUserKey(path.c_str()); }

bool IsText(const RawValue& value) { return value.type == REG_SZ || value.type == REG_EXPAND_SZ; }

std::string AsText(const RawValue& value) {
    if (!IsText(value)) return "";
    std::string text(value.data.begin(), value.data.end());
    const size_t end = text.find('\0');
    return end == std::string::npos ? text : text.substr(0, end);
}

bool SetText(HKEY key, const std::string& name, const std::string& text) {
    return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void DeleteBelow(HKEY key) {
    for (;;) {
        const std::vector<std::string> names = SubkeyNames(key);
        if (names.empty()) return;
        if (UniqueKey child = holm::OpenKey(key, names[0].c_str(), KEY_ALL_ACCESS)) DeleteBelow(child.Get());
        if (RegDeleteKeyA(key, names[0].c_str()) != ERROR_SUCCESS) return;  // never loop on a stuck key
    }
}

void CopyInto(HKEY from, HKEY to) {
    for (const RawValue& v : RawValues(from))
        RegSetValueExA(to, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
    for (const std::string& name : SubkeyNames(from)) {
        UniqueKey source = holm::OpenKey(from, name.c_str(), KEY_READ);
        UniqueKey target = source ? holm::CreateKey(to, name.c_str()) : UniqueKey();
        if (target) CopyInto(source.Get(), target.Get());
    }
}

struct CaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    }
};

}  // namespace

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string GroupKeyOf(const std::string& groupPath) { return std::string(kProductKey) + "\\" + groupPath; }

bool CreateGroupKeyAt(const std::string& groupPath) { return static_cast<bool>(Create(GroupKeyOf(groupPath))); }

bool DeleteGroupTree(const std::string& groupPath) {
    const std::string path = GroupKeyOf(groupPath);
    {
        UniqueKey key = Open(path, KEY_ALL_ACCESS);
        if (!key) return false;
        DeleteBelow(key.Get());
    }
    return RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str()) == ERROR_SUCCESS;
}

bool CopyGroupTree(const std::string& from, const std::string& to) {
    UniqueKey source = Open(GroupKeyOf(from));
    if (!source) return false;
    UniqueKey target = Create(GroupKeyOf(to));
    if (!target) return false;
    CopyInto(source.Get(), target.Get());
    return true;
}

bool ReadSubgroups(const std::string& groupPath, std::vector<std::string>& names) {
    UniqueKey key = Open(GroupKeyOf(groupPath));
    if (!key) return false;
    names = SubkeyNames(key.Get());
    return true;
}

bool ReadGroupValues(const std::string& groupPath, std::vector<NamedText>& values) {
    UniqueKey key = Open(GroupKeyOf(groupPath));
    if (!key) return false;
    values.clear();
    for (const RawValue& v : RawValues(key.Get()))
        if (IsText(v)) values.emplace_back(v.name, AsText(v));
    return true;
}

bool WriteGroupValue(const std::string& groupPath, const std::string& name, const std::string& text) {
    UniqueKey key = Open(GroupKeyOf(groupPath), KEY_SET_VALUE);
    return key && SetText(key.Get(), name, text);
}

bool ReplaceGroupValues(const std::string& groupPath, const std::vector<NamedText>& values,
                        const std::function<bool()>& afterStep) {
    UniqueKey key = Open(GroupKeyOf(groupPath), KEY_ALL_ACCESS);
    if (!key) return false;
    const auto step = [&] { return !afterStep || afterStep(); };
    // Values that are no item text (another type) are left alone.
    std::vector<std::string> before;
    for (const RawValue& v : RawValues(key.Get()))
        if (IsText(v)) before.push_back(v.name);
    std::set<std::string, CaseLess> kept;
    for (const NamedText& v : values) kept.insert(v.first);

    for (const NamedText& v : values) {
        // A name whose letter case changed: the registry would keep the old
        // spelling, so the item is written under a spare name first and the
        // old spelling removed before the new one is written.
        std::string old;
        for (const std::string& b : before)
            if (b != v.first && SameTextIgnoringCase(b, v.first)) old = b;
        if (!old.empty()) {
            const std::string spare = v.first + "\x01";
            if (!SetText(key.Get(), spare, v.second) || !step()) return false;
            RegDeleteValueA(key.Get(), old.c_str());
            if (!step()) return false;
            if (!SetText(key.Get(), v.first, v.second) || !step()) return false;
            RegDeleteValueA(key.Get(), spare.c_str());
            for (std::string& b : before)
                if (b == old) b = v.first;
        } else if (!SetText(key.Get(), v.first, v.second)) {
            return false;
        }
        if (!step()) return false;
    }
    for (const std::string& name : before) {
        if (kept.count(name)) continue;
        RegDeleteValueA(key.Get(), name.c_str());
        if (!step()) return false;
    }
    return true;
}

bool ProductKeyExists() { return static_cast<bool>(Open(kProductKey)); }

bool ProductHasValue(const char* name) {
    UniqueKey key = Open(kProductKey);
    return key && RegQueryValueExA(key.Get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string ReadProductText(const char* name) {
    UniqueKey key = Open(kProductKey);
    if (!key) return "";
    for (const RawValue& v : RawValues(key.Get()))
        if (SameTextIgnoringCase(v.name, name)) return AsText(v);
    return "";
}

void WriteProductText(const char* name, const std::string& value) {
    UniqueKey key = Create(kProductKey);
    if (key) SetText(key.Get(), name, value);
}

void WriteProductNumber(const char* name, unsigned long value) {
    UniqueKey key = Create(kProductKey);
    const DWORD data = value;
    if (key) RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data));
}

bool WriteProductNumberIfKeyExists(const char* name, unsigned long value) {
    UniqueKey key = Open(kProductKey, KEY_SET_VALUE);
    const DWORD data = value;
    return key &&
           RegSetValueExA(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
               ERROR_SUCCESS;
}

std::vector<RawValue> RawValues(HKEY key) {
    std::vector<RawValue> values;
    DWORD maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    std::vector<char> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize) != ERROR_SUCCESS)
            break;
        values.push_back({std::string(name.data(), nameSize), type,
                          std::vector<BYTE>(data.begin(), data.begin() + dataSize)});
    }
    return values;
}

}  // namespace setwise
