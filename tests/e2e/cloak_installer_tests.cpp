// "holm.exe /InstallCloak" with real cloak files: what it copies, what it
// writes to the registry, what it refuses, the message it shows, and how an
// installed cloak then looks in the real shell's menus.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "screen_pixels.h"
#include "shell_fixture.h"

using namespace holmtest;

namespace {

const char kOceanFile[] =
    "[Ocean]\r\nBackgroundBitmap=waves.bmp\r\nSubmenuIcon=arrow.ico\r\nHideCursor=\r\nCloseCursor=close.cur\r\n"
    "KillCursor=\r\nFont=MS Sans Serif\r\nUnderline=0\r\nItalics= -2\r\nBold=1\r\nTextColor=255 255 0\r\n"
    "DisabledTextColor=175 175 175\r\nBorderAndSepColor=0 255 255\r\n"
    "[Second]\r\nBackgroundBitmap=waves.bmp\r\nFont=Arial\r\n";

class CloakInstallerTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteDefaultCloak();
        source_ = TempFolder("My Cloak Files");
        cloakDir_ = TempFolder("holm installed cloaks");
        WriteOption("CloakDir", cloakDir_);
        CopyFileA((BinDir() + "\\testcloak-menubkgnd.bmp").c_str(), (source_ + "\\waves.bmp").c_str(), FALSE);
        CopyFileA((BinDir() + "\\testcloak-defaultsubmenu.ico").c_str(), (source_ + "\\arrow.ico").c_str(), FALSE);
        CopyFileA((BinDir() + "\\testcloak-killcursor.cur").c_str(), (source_ + "\\close.cur").c_str(), FALSE);
    }
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
    std::string CloakKey(const std::string& name) const { return std::string(holm::kOptionsKey) + "\\Cloaks\\" + name; }

    std::string source_, cloakDir_;
};

}  // namespace

TEST_F(CloakInstallerTest, InstallsTheFirstSectionAndOverwritesOnTheSecondRun) {
    const std::string file = source_ + "\\ocean.hc";
    WriteFileBytes(file, kOceanFile);
    const std::string own = cloakDir_ + "\\Ocean";
    EXPECT_EQ(Install("\"" + file + "\""), "Cloak 'Ocean' successfully installed to '" + own + "'.");

    const std::string key = CloakKey("Ocean");
    std::string text;
    ASSERT_TRUE(ReadUserString(key, "BackgroundBitmap", &text));
    EXPECT_EQ(text, own + "\\waves.bmp");
    EXPECT_EQ(ReadFileBytes(own + "\\waves.bmp"), ReadFileBytes(source_ + "\\waves.bmp"));
    EXPECT_TRUE(FileExists(own + "\\arrow.ico"));
    EXPECT_TRUE(FileExists(own + "\\close.cur"));
    ASSERT_TRUE(ReadUserString(key, "HideCursor", &text));
    EXPECT_EQ(text, own + "\\");  // an empty entry names the cloak's own directory
    ASSERT_TRUE(ReadUserString(key, "TextColor", &text));
    EXPECT_EQ(text, "255 255 0");
    DWORD number = 0;
    ASSERT_TRUE(ReadUserDword(key, "Bold", &number));
    EXPECT_EQ(number, 1u);
    ASSERT_TRUE(ReadUserDword(key, "Italics", &number));
    EXPECT_EQ(number, static_cast<DWORD>(-2));
    EXPECT_FALSE(UserKeyExists(CloakKey("Second")));
    ASSERT_TRUE(ReadUserString(holm::kOptionsKey, "Cloak", &text));
    EXPECT_EQ(text, "Default");  // installing selects nothing

    // A second run, unquoted with blanks in the path, replaces files and values.
    WriteFileBytes(file, std::string(kOceanFile).replace(std::string(kOceanFile).find("MS Sans Serif"), 13, "Arial"));
    WriteFileBytes(source_ + "\\close.cur", "not a cursor any more");
    EXPECT_EQ(Install(file), "Cloak 'Ocean' successfully installed to '" + own + "'.");
    ASSERT_TRUE(ReadUserString(key, "Font", &text));
    EXPECT_EQ(text, "Arial");
    EXPECT_EQ(ReadFileBytes(own + "\\close.cur"), "not a cursor any more");
}

TEST_F(CloakInstallerTest, NamesAndEntriesReachingOutsideAreRefusedAndNothingIsWritten) {
    const std::string outside = TempFolder("holm outside");
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
        WriteFileBytes(file, c.file);
        const std::string text = Install("\"" + file + "\"");
        EXPECT_NE(text.find("outside the cloak's own directory"), std::string::npos) << c.file;
        EXPECT_FALSE(UserKeyExists(CloakKey(c.name))) << c.file;
    }
    EXPECT_FALSE(FileExists(outside + "\\x.bmp"));
    EXPECT_FALSE(FileExists(outside + "\\waves.bmp"));
    EXPECT_FALSE(FileExists(cloakDir_ + "\\Evil"));
}

TEST_F(CloakInstallerTest, FileWithoutSectionsOrWithoutPathIsReported) {
    const std::string file = source_ + "\\empty.hc";
    WriteFileBytes(file, "just text\r\n");
    EXPECT_EQ(Install("\"" + file + "\""), "No schemes found in this file.");
    EXPECT_EQ(Install("\"" + source_ + "\\missing.hc\""), "No schemes found in this file.");
    EXPECT_FALSE(UserKeyExists(std::string(holm::kOptionsKey) + "\\Cloaks\\just text"));
    ShellProcess bare;
    ASSERT_TRUE(bare.Start("/InstallCloak"));
    const MessageBoxInfo box = WaitForMessageBox(bare.Pid(), 10000);
    EXPECT_NE(box.text.find("No cloak file was given"), std::string::npos);
    if (box.hwnd) AnswerMessageBox(box.hwnd, IDOK);
    EXPECT_TRUE(bare.WaitExit(10000));
}

TEST_F(CloakInstallerTest, InstalledCloakDrawsItsBackgroundAndKeepsBuiltInCursorsForEmptyEntries) {
    const std::string file = source_ + "\\ocean.hc";
    WriteFileBytes(file, kOceanFile);
    Install(file);
    WriteOption("Cloak", "Ocean");
    WindowThread windows;
    windows.Create("CI Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, true, 40, 40);
    StartShell();

    MenuSnapshot menu = OpenInitMenu(500, 400);
    ASSERT_TRUE(menu.cloaked);
    Sleep(300);
    MoveMouse(menu.rect.right - 20, menu.rect.bottom - 9);  // over "Special"
    ASSERT_TRUE(WaitFor([&] { return WaitForMenu(shell_, 1000).levels.size() == 2; }, 3000));
    Sleep(200);
    SaveScreenshotIfAsked("ocean-init-menu");
    // The border takes the cloak's colour; cyan, not white.
    const Pixels shot = CaptureScreen(menu.rect);
    EXPECT_EQ(shot.At(0, 5), Rgb(0, 255, 255));
    ASSERT_TRUE(DismissMenus(shell_.Pid()));

    menu = OpenWindowList(700, 600);
    ASSERT_TRUE(menu.cloaked);
    RECT entry = {};
    ASSERT_TRUE(MenuEntryRect(shell_, "CI Target", &entry));
    MoveMouse(entry.left + 30, (entry.top + entry.bottom) / 2);
    SaveScreenshotIfAsked("ocean-window-list");
    {
        HeldModifiers control(false, true);
        EXPECT_TRUE(WaitFor([&] { return WaitForMenu(shell_, 1000).cursor == "hide"; }, 1000));
    }
    {
        HeldModifiers shift(true, false);  // the cloak's own close cursor
        EXPECT_TRUE(WaitFor([&] { return WaitForMenu(shell_, 1000).cursor == "other"; }, 1000));
    }
}
