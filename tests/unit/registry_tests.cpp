// Registry readers against the real (Wine) registry: wrong types and sizes
// give the caller's default, and writers never create keys.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

#include "registry.h"

using namespace holm;

namespace {

const char kKey[] = "Software\\Tarvel\\HolmRegistryTest";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        ASSERT_NE(key_, nullptr);
    }
    void TearDown() override {
        RegCloseKey(key_);
        SHDeleteKeyA(HKEY_CURRENT_USER, kKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size) {
        RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    HKEY key_ = nullptr;
};

}  // namespace

TEST_F(RegistryTest, NumbersOfAnyTypeButOnlyFourBytes) {
    const DWORD four = 4;
    const WORD two = 2;
    const unsigned long long eight = 8;
    Set("dword", REG_DWORD, &four, sizeof(four));
    Set("binary4", REG_BINARY, &four, sizeof(four));
    Set("short", REG_BINARY, &two, sizeof(two));
    Set("long", REG_QWORD, &eight, sizeof(eight));
    DWORD value = 77;
    EXPECT_TRUE(ReadNumber(key_, "dword", value));
    EXPECT_EQ(value, 4u);
    value = 77;
    EXPECT_TRUE(ReadNumber(key_, "binary4", value));
    EXPECT_EQ(value, 4u);
    value = 77;
    EXPECT_FALSE(ReadNumber(key_, "short", value));
    EXPECT_FALSE(ReadNumber(key_, "long", value));
    EXPECT_FALSE(ReadNumber(key_, "missing", value));
    EXPECT_FALSE(ReadNumber(nullptr, "dword", value));
    EXPECT_EQ(value, 77u);
}

TEST_F(RegistryTest, TextsRespectTheirLimitAndType) {
    Set("ok", REG_SZ, "hello", 6);
    Set("unterminated", REG_SZ, "abc", 3);
    const DWORD number = 5;
    Set("number", REG_DWORD, &number, sizeof(number));
    std::string big(600, 'x');
    Set("big", REG_SZ, big.c_str(), static_cast<DWORD>(big.size() + 1));
    std::string value = "default";
    EXPECT_TRUE(ReadText(key_, "ok", value, 256));
    EXPECT_EQ(value, "hello");
    EXPECT_TRUE(ReadText(key_, "unterminated", value, 256));
    EXPECT_EQ(value, "abc");
    value = "default";
    EXPECT_FALSE(ReadText(key_, "number", value, 256));
    EXPECT_FALSE(ReadText(key_, "big", value, 512));
    EXPECT_EQ(value, "default");
}

TEST_F(RegistryTest, WriterOpensButNeverCreatesKeys) {
    const DWORD one = 1;
    EXPECT_EQ(WriteRegistryValue(HKEY_CURRENT_USER, kKey, "v", REG_DWORD, &one, sizeof(one)), 1);
    const std::string missing = std::string(kKey) + "\\Missing";
    EXPECT_EQ(WriteRegistryValue(HKEY_CURRENT_USER, missing.c_str(), "v", REG_DWORD, &one, sizeof(one)), 0);
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
}

TEST_F(RegistryTest, SubkeyNamesListOnlyDirectSubkeysUpToTheLongestName) {
    const std::string longest(255, 'k');
    for (const std::string& name : {std::string("a"), std::string("b\\nested"), longest}) {
        HKEY sub = nullptr;
        ASSERT_EQ(RegCreateKeyExA(key_, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &sub, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(sub);
    }
    std::vector<std::string> names = SubkeyNames(key_);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", longest}));
    EXPECT_TRUE(SubkeyNames(nullptr).empty());
}

TEST_F(RegistryTest, CreateMakesTheWholePathAndOpenNeverCreates) {
    const std::string nested = std::string(kKey) + "\\one\\two";
    EXPECT_FALSE(OpenUserKey(nested.c_str()));
    EXPECT_FALSE(OpenKey(key_, "one", KEY_READ));
    EXPECT_TRUE(CreateUserKey(nested.c_str()));
    EXPECT_TRUE(OpenUserKey(nested.c_str()));
    EXPECT_TRUE(OpenKey(key_, "one\\two", KEY_READ));
}
