// Configuration files: the writer's exact lines and the reader that guards
// the registry editor's import.
#include <gtest/gtest.h>

#include "holm_names.h"
#include "reg_file.h"

using namespace holm::regfile;

namespace {

constexpr const char* kRoot = holm::kOptionsKey;
constexpr const char* kMenu = holm::kInitMenuKey;

Value Text(const std::string& name, const std::string& text) {
    Value v;
    v.name = name;
    v.text = text;
    return v;
}

Value Number(const std::string& name, std::uint32_t n) {
    Value v;
    v.name = name;
    v.type = Value::Type::Dword;
    v.number = n;
    return v;
}

std::string File(const std::string& body) {
    return "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tarvel\\Holm\\Init Menu\\]\r\n" + body;
}

}  // namespace

TEST(RegFileWriter, WritesSectionsWithEscapedNamesAndData) {
    Section s;
    s.path = kMenu;
    s.values = {Text("Desktop", "explorer /root,,||0|"), Text("Dial-up", "a\\b"), Text("Say \"hi\"", "x\"y"),
                Number("MaxWinTitleLen", 30), Text("", ""), Text("two\r\nlines", "")};
    EXPECT_EQ(FileHeader(), "REGEDIT4\r\n");
    EXPECT_EQ(SectionText(s),
              "\r\n[HKEY_CURRENT_USER\\Software\\Tarvel\\Holm\\Init Menu\\]\r\n"
              "\"Desktop\"=\"explorer /root,,||0|\"\r\n"
              "\"Dial-up\"=\"a\\\\b\"\r\n"
              "\"Say \\\"hi\\\"\"=\"x\\\"y\"\r\n"
              "\"MaxWinTitleLen\"=dword:0000001E\r\n"
              "@=\"\"\r\n"
              "\"two\\r\\nlines\"=\"\"\r\n");
}

TEST(RegFileReader, ReadsBackWhatTheWriterWrote) {
    Section root, menu;
    root.path = kRoot;
    root.values = {Number("TrayVisible", 0xFFFFFFFF), Text("A=[b]", "\\\\server\\\"share\"\\"), Text("\xE9t\xE9", "")};
    menu.path = kMenu;
    menu.values = {Text("", "default"), Text("x", "y")};
    const ReadResult read = ReadFile(FileHeader() + SectionText(root) + SectionText(menu), kRoot, kMenu);
    ASSERT_TRUE(read.ok) << read.error;
    ASSERT_EQ(read.sections.size(), 2u);
    EXPECT_EQ(read.sections[0].path, kRoot);
    ASSERT_EQ(read.sections[0].values.size(), 3u);
    EXPECT_EQ(read.sections[0].values[0].number, 0xFFFFFFFFu);
    EXPECT_EQ(read.sections[0].values[1].name, "A=[b]");
    EXPECT_EQ(read.sections[0].values[1].text, "\\\\server\\\"share\"\\");
    EXPECT_EQ(read.sections[0].values[2].name, "\xE9t\xE9");
    EXPECT_EQ(read.sections[1].values[0].name, "");
    EXPECT_EQ(read.sections[1].values[0].text, "default");
}

TEST(RegFileReader, RefusesKeysOutsideTheProductAndLinesItDoesNotWrite) {
    EXPECT_TRUE(ReadFile(File("\"a\"=\"b\"\r\n; a comment\r\n"), kRoot, kMenu).ok);
    const char* const refused[] = {
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n\"x\"=\"evil.exe\"\r\n",
        "  [HKEY_LOCAL_MACHINE\\Software\\Tarvel\\Holm]\r\n",
        "[HKEY_CURRENT_USER\\Software\\Tarvel\\Holmes]\r\n",
        "[-HKEY_CURRENT_USER\\Software\\Tarvel\\Holm\\Init Menu]\r\n",
        "\"a\"=hex:41,42\r\n",
        "\"a\"=\"unterminated\r\n",
        "\"a\"=\"bad \\q escape\"\r\n",
        "\"a\"=dword:123456789\r\n",
        "\"a\"=\"b\" trailing\r\n",
        "\"a\"=-\r\n",
    };
    for (const char* body : refused) {
        const ReadResult read = ReadFile(File(body), kRoot, kMenu);
        EXPECT_FALSE(read.ok) << body;
        EXPECT_FALSE(read.error.empty()) << body;
    }
    // A lone CR ends a line as it does for the registry editor.
    EXPECT_FALSE(ReadFile(File("\"a\"=\"b\"\r[HKEY_USERS\\x]\r\n"), kRoot, kMenu).ok);
    EXPECT_NE(ReadFile(File("[HKEY_CURRENT_USER\\Software\\Run]\r\n"), kRoot, kMenu).error.find("line 4"),
              std::string::npos);
}

TEST(RegFileReader, RefusesWhatIsNoConfigurationOfThisProgram) {
    EXPECT_FALSE(ReadFile("", kRoot, kMenu).ok);
    EXPECT_FALSE(ReadFile("Windows Registry Editor Version 5.00\r\n", kRoot, kMenu).ok);
    EXPECT_FALSE(ReadFile(std::string("REGEDIT4\r\n\0", 11) + File(""), kRoot, kMenu).ok);
    EXPECT_FALSE(ReadFile("\xFF\xFER\0E\0", kRoot, kMenu).ok);
    // Cut before the Init Menu's section: nothing to load a menu from.
    const ReadResult cut = ReadFile("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tarvel\\Holm\\]\r\n", kRoot, kMenu);
    EXPECT_FALSE(cut.ok);
    EXPECT_NE(cut.error.find("Init Menu"), std::string::npos);
    EXPECT_FALSE(ReadFile("REGEDIT4\r\n\"a\"=\"b\"\r\n", kRoot, kMenu).ok);
}
