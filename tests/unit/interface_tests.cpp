// The deliverables' binary interface: holm.dll exports exactly its 22
// functions under undecorated names, and holm.exe binds them by name.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "about.h"

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

TEST(Interface, ShellBindsTheLibraryByName) {
    std::ifstream in(BinDir() + "\\holm.exe", std::ios::binary);
    ASSERT_TRUE(in);
    const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(image.find(std::string("holm.dll\0", 9)), std::string::npos);
    for (const char* name : {"_init", "_sethwnd", "_setmhook", "_doInitMenu", "_resetLpum", "_unregHotkeys"}) {
        // import-by-name entries: the name follows a two-byte hint
        EXPECT_NE(image.find(std::string(name) + std::string(1, '\0')), std::string::npos) << name;
    }
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
