// The deliverables' binary interface: holm.dll exports exactly its 22
// functions under undecorated names, and holm.exe binds them by name.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include <algorithm>
#include <set>
#include <string>

#include "about.h"
#include "holm_names.h"

namespace {

std::string BinDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string dir = path;
    return dir.substr(0, dir.find_last_of('\\'));
}

const std::set<std::string> kExports = {
    "_init", "_setmhook", "_getmhook", "_sethwnd", "_setnotalready", "_RoL", "_setRoL", "_allowedShutdown",
    "_getnumprogs", "_ShowLeftMenu", "_ShowRightMenu", "_doInitMenu", "_doWinMenu", "_doCloseWinMenu",
    "_doHideWinMenu", "_doKillWinMenu", "_unregHotkeys", "_resetLpum", "_changeTrayStr",
    "_runConfigProgAndWait", "_updateMenu", "MouseHookProc"};

std::set<std::string> ExportNames(HMODULE module) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    std::set<std::string> names;
    if (dir.VirtualAddress == 0) return names;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + dir.VirtualAddress);
    auto* nameRvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) names.insert(reinterpret_cast<const char*>(base + nameRvas[i]));
    return names;
}

// The names that an image's delay-load table binds from `dll`. GNU ld leaves
// the delay-import directory entry empty, so the descriptor is found by its
// contents: offset-based, naming `dll`, with name and address tables in the
// image.
std::set<std::string> DelayImportedNames(HMODULE module, const char* dll) {
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const DWORD size = nt->OptionalHeader.SizeOfImage;
    std::set<std::string> names;
    for (DWORD at = 0; at + sizeof(IMAGE_DELAYLOAD_DESCRIPTOR) <= size; at += 4) {
        auto* d = reinterpret_cast<const IMAGE_DELAYLOAD_DESCRIPTOR*>(base + at);
        if (d->Attributes.AllAttributes != 1 || d->DllNameRVA == 0 || d->DllNameRVA >= size - 16 ||
            d->ImportNameTableRVA == 0 || d->ImportNameTableRVA >= size || d->ImportAddressTableRVA >= size ||
            lstrcmpiA(reinterpret_cast<const char*>(base + d->DllNameRVA), dll) != 0)
            continue;
        for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + d->ImportNameTableRVA);
             thunk->u1.AddressOfData; ++thunk) {
            if (IMAGE_SNAP_BY_ORDINAL(thunk->u1.Ordinal) || thunk->u1.AddressOfData >= size) {
                names.insert("#not by name");
                continue;
            }
            names.insert(reinterpret_cast<const char*>(
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)->Name));
        }
    }
    return names;
}

}  // namespace

TEST(Interface, LibraryExportsExactlyTheInterface) {
    HMODULE dll = LoadLibraryExA((BinDir() + "\\holm.dll").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(dll, nullptr);
    EXPECT_EQ(ExportNames(dll), kExports);
    FreeLibrary(dll);
}

TEST(Interface, EveryExportResolvesByItsPlainName) {
    HMODULE dll = LoadLibraryA((BinDir() + "\\holm.dll").c_str());
    ASSERT_NE(dll, nullptr);
    for (const std::string& name : kExports) EXPECT_NE(GetProcAddress(dll, name.c_str()), nullptr) << name;
    FreeLibrary(dll);
}

TEST(Interface, ShellBindsTheLibraryByNameThroughItsDelayLoadTable) {
    HMODULE exe = LoadLibraryExA((BinDir() + "\\holm.exe").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(exe, nullptr);
    const std::set<std::string> names = DelayImportedNames(exe, "holm.dll");
    FreeLibrary(exe);
    EXPECT_GE(names.size(), 20u);
    for (const std::string& name : names) EXPECT_EQ(kExports.count(name), 1u) << name;
    for (const char* name : {"_init", "_sethwnd", "_setmhook", "_doInitMenu", "_resetLpum", "_unregHotkeys"})
        EXPECT_EQ(names.count(name), 1u) << name;
}

TEST(Interface, ProxyExportsNothing) {
    HMODULE dll = LoadLibraryExA((BinDir() + "\\holm95.dll").c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(dll, nullptr);
    EXPECT_TRUE(ExportNames(dll).empty());
    FreeLibrary(dll);
}

namespace {

std::string VersionString(const std::string& file, const char* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return "";
    std::string block(size, '\0');
    if (!GetFileVersionInfoA(file.c_str(), 0, size, &block[0])) return "";
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(&block[0], path.c_str(), &value, &length) || length == 0) return "";
    return static_cast<const char*>(value);
}

}  // namespace

// Every deliverable names its product and the release the about message shows.
TEST(Interface, EveryDeliverableCarriesTheReleaseInItsVersionResource) {
    char release[64];
    std::snprintf(release, sizeof(release), "%0.2f, Build %d", holm::kVersion,
                  holm::BuildNumberFromDate(holm::kBuildDate));
    for (const char* file : {"holm.exe", "holm.dll", "holm95.dll", "HolmCfg.exe"}) {
        const std::string path = BinDir() + "\\" + file;
        EXPECT_EQ(VersionString(path, "ProductName"), "HOLM") << file;
        EXPECT_EQ(VersionString(path, "FileVersion"), release) << file;
        EXPECT_EQ(VersionString(path, "OriginalFilename"), file);
    }
}

// Freeing a library from DllMain is unsafe: unloading the proxy takes its
// window away and leaves the menu library to the process.
TEST(Interface, UnloadingTheProxyLeavesTheMenuLibraryLoaded) {
    ASSERT_EQ(GetModuleHandleA("holm.dll"), nullptr);
    HMODULE proxy = LoadLibraryA((BinDir() + "\\holm95.dll").c_str());
    ASSERT_NE(proxy, nullptr);
    EXPECT_NE(FindWindowA(holm::kProxyClass, nullptr), nullptr);
    ASSERT_NE(GetModuleHandleA("holm.dll"), nullptr);
    FreeLibrary(proxy);
    EXPECT_EQ(FindWindowA(holm::kProxyClass, nullptr), nullptr);
    EXPECT_NE(GetModuleHandleA("holm.dll"), nullptr);
}
