// "holm.exe /InstallCloak" with real cloak files: what it copies, what it
// writes to the registry, what it refuses, the message it shows, and how an
// installed cloak then looks in the real shell's menus.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "holm_names.h"
#include "screen_pixels.h"
#include "shell_driver.h"

using namespace holmtest;

namespace {

constexpr const char* kOptions = holm::kOptionsKey;

std::string TempDir(const char* name) {
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    const std::string dir = std::string(temp) + name;
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ReadValue(const std::string& key, const char* name, std::string* text, DWORD* number = nullptr) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    char data[1024] = "";
    DWORD size = sizeof(data), type = 0;
    const bool ok = RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
    RegCloseKey(k);
    if (ok && text) *text = data;
    if (ok && number) *number = *reinterpret_cast<DWORD*>(data);
    return ok;
}

bool KeyExists(const std::string& key) {
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
}

const char kOceanFile[] =
    "[Ocean]\r\nBackgroundBitmap=waves.bmp\r\nSubmenuIcon=arrow.ico\r\nHideCursor=\r\nCloseCursor=close.cur\r\n"
    "KillCursor=\r\nFont=MS Sans Serif\r\nUnderline=0\r\nItalics= -2\r\nBold=1\r\nTextColor=255 255 0\r\n"
    "DisabledTextColor=175 175 175\r\nBorderAndSepColor=0 255 255\r\n"
    "[Second]\r\nBackgroundBitmap=waves.bmp\r\nFont=Arial\r\n";

class CloakInstallerTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStrayShells();
        ResetHolmRegistry();
        WriteMinimalConfiguration();
        WriteDefaultCloak();
        source_ = TempDir("My Cloak Files");
        cloakDir_ = TempDir("holm installed cloaks");
        WriteUserString(kOptions, "CloakDir", cloakDir_);
        CopyFileA((BinDir() + "\\testcloak-menubkgnd.bmp").c_str(), (source_ + "\\waves.bmp").c_str(), FALSE);
        CopyFileA((BinDir() + "\\testcloak-defaultsubmenu.ico").c_str(), (source_ + "\\arrow.ico").c_str(), FALSE);
        CopyFileA((BinDir() + "\\testcloak-killcursor.cur").c_str(), (source_ + "\\close.cur").c_str(), FALSE);
    }
    void TearDown() override { KillStrayShells(); }

    // Runs the installer and returns the text of its one message box, which
    // must carry `caption`.
    std::string Install(const std::string& argument, const char* caption = "HOLM") {
        ShellProcess installer;
        EXPECT_TRUE(installer.Start("/InstallCloak " + argument));
        const MessageBoxInfo box = WaitForMessageBox(installer.Pid(), 10000);
        EXPECT_EQ(box.caption, caption);
        if (box.hwnd) AnswerMessageBox(box.hwnd, IDOK);
        EXPECT_TRUE(installer.WaitExit(10000));
        EXPECT_TRUE(DialogsOf(installer.Pid()).empty());
        return box.text;
    }
    std::string CloakKey(const std::string& name) const { return std::string(kOptions) + "\\Cloaks\\" + name; }

    std::string source_, cloakDir_;
};

}  // namespace

TEST_F(CloakInstallerTest, InstallsTheFirstSectionAndOverwritesOnTheSecondRun) {
    const std::string file = source_ + "\\ocean.hc";
    WriteFile(file, kOceanFile);
    const std::string own = cloakDir_ + "\\Ocean";
    EXPECT_EQ(Install("\"" + file + "\""), "Cloak 'Ocean' successfully installed to '" + own + "'.");

    const std::string key = CloakKey("Ocean");
    std::string text;
    ASSERT_TRUE(ReadValue(key, "BackgroundBitmap", &text));
    EXPECT_EQ(text, own + "\\waves.bmp");
    EXPECT_EQ(ReadFile(own + "\\waves.bmp"), ReadFile(source_ + "\\waves.bmp"));
    EXPECT_TRUE(Exists(own + "\\arrow.ico"));
    EXPECT_TRUE(Exists(own + "\\close.cur"));
    ASSERT_TRUE(ReadValue(key, "HideCursor", &text));
    EXPECT_EQ(text, own + "\\");  // an empty entry names the cloak's own directory
    ASSERT_TRUE(ReadValue(key, "TextColor", &text));
    EXPECT_EQ(text, "255 255 0");
    DWORD number = 0;
    ASSERT_TRUE(ReadValue(key, "Bold", nullptr, &number));
    EXPECT_EQ(number, 1u);
    ASSERT_TRUE(ReadValue(key, "Italics", nullptr, &number));
    EXPECT_EQ(number, static_cast<DWORD>(-2));
    EXPECT_FALSE(KeyExists(CloakKey("Second")));
    ASSERT_TRUE(ReadValue(kOptions, "Cloak", &text));
    EXPECT_EQ(text, "Default");  // installing selects nothing

    // A second run, unquoted with blanks in the path, replaces files and values.
    WriteFile(file, std::string(kOceanFile).replace(std::string(kOceanFile).find("MS Sans Serif"), 13, "Arial"));
    WriteFile(source_ + "\\close.cur", "not a cursor any more");
    EXPECT_EQ(Install(file), "Cloak 'Ocean' successfully installed to '" + own + "'.");
    ASSERT_TRUE(ReadValue(key, "Font", &text));
    EXPECT_EQ(text, "Arial");
    EXPECT_EQ(ReadFile(own + "\\close.cur"), "not a cursor any more");
}

TEST_F(CloakInstallerTest, NamesAndEntriesReachingOutsideAreRefusedAndNothingIsWritten) {
    const std::string outside = TempDir("holm outside");
    DeleteFileA((outside + "\\x.bmp").c_str());
    const struct {
        const char* file;
        const char* name;
    } cases[] = {
        {"[..\\holm outside]\r\nBackgroundBitmap=waves.bmp\r\n", "..\\holm outside"},
        {"[Evil]\r\nBackgroundBitmap=..\\..\\holm outside\\x.bmp\r\n", "Evil"},
        {"[Evil]\r\nKillCursor=C:\\x.bmp\r\n", "Evil"},
        {"[a/b]\r\nFont=Arial\r\n", "a/b"},
    };
    for (const auto& c : cases) {
        const std::string file = source_ + "\\evil.hc";
        WriteFile(file, c.file);
        const std::string text = Install("\"" + file + "\"");
        EXPECT_NE(text.find("outside the cloak's own directory"), std::string::npos) << c.file;
        EXPECT_FALSE(KeyExists(CloakKey(c.name))) << c.file;
    }
    EXPECT_FALSE(Exists(outside + "\\x.bmp"));
    EXPECT_FALSE(Exists(outside + "\\waves.bmp"));
    EXPECT_FALSE(Exists(cloakDir_ + "\\Evil"));
}

TEST_F(CloakInstallerTest, FileWithoutSectionsOrWithoutPathIsReported) {
    const std::string file = source_ + "\\empty.hc";
    WriteFile(file, "just text\r\n");
    EXPECT_EQ(Install("\"" + file + "\""), "No schemes found in this file.");
    EXPECT_EQ(Install("\"" + source_ + "\\missing.hc\""), "No schemes found in this file.");
    EXPECT_FALSE(KeyExists(std::string(kOptions) + "\\Cloaks\\just text"));
    ShellProcess bare;
    ASSERT_TRUE(bare.Start("/InstallCloak"));
    const MessageBoxInfo box = WaitForMessageBox(bare.Pid(), 10000);
    EXPECT_NE(box.text.find("No cloak file was given"), std::string::npos);
    if (box.hwnd) AnswerMessageBox(box.hwnd, IDOK);
    EXPECT_TRUE(bare.WaitExit(10000));
}

TEST_F(CloakInstallerTest, InstalledCloakDrawsItsBackgroundAndKeepsBuiltInCursorsForEmptyEntries) {
    const std::string file = source_ + "\\ocean.hc";
    WriteFile(file, kOceanFile);
    Install(file);
    WriteUserString(kOptions, "Cloak", "Ocean");
    WindowThread windows;
    windows.Create("CI Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    ShellProcess shell;
    ASSERT_TRUE(shell.Start());
    ASSERT_TRUE(shell.WaitReady());

    Click(500, 400);
    MenuSnapshot menu = WaitForMenu(shell);
    ASSERT_TRUE(menu.cloaked);
    Sleep(300);
    MoveMouse(menu.rect.right - 20, menu.rect.bottom - 9);  // over "Special"
    ASSERT_TRUE(WaitFor([&] { return WaitForMenu(shell, 1000).levels.size() == 2; }, 3000));
    Sleep(200);
    SaveScreenshotIfAsked("ocean-init-menu");
    // The border takes the cloak's colour; cyan, not white.
    const Pixels shot = CaptureScreen(menu.rect);
    EXPECT_EQ(shot.At(0, 5), Rgb(0, 255, 255));
    ASSERT_TRUE(DismissMenus(shell.Pid()));

    Click(700, 600, true);
    menu = WaitForMenu(shell);
    ASSERT_TRUE(menu.cloaked);
    RECT entry = {};
    ASSERT_TRUE(MenuEntryRect(shell, "CI Target", &entry));
    MoveMouse(entry.left + 30, (entry.top + entry.bottom) / 2);
    SaveScreenshotIfAsked("ocean-window-list");
    {
        HeldModifiers control(false, true);
        EXPECT_TRUE(WaitFor([&] { return WaitForMenu(shell, 1000).cursor == "hide"; }, 1000));
    }
    {
        HeldModifiers shift(true, false);  // the cloak's own close cursor
        EXPECT_TRUE(WaitFor([&] { return WaitForMenu(shell, 1000).cursor == "other"; }, 1000));
    }
    DismissMenus(shell.Pid());
}
