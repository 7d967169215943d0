// The cloak rules the chooser shares with the shell: colour strings, the
// exported cloak file, and which files Delete may remove.
#include <gtest/gtest.h>

#include "cloak_files.h"
#include "cloak_install_rules.h"
#ifdef _WIN32
#include "cloak_record.h"
#endif

using namespace holm;

TEST(CloakFiles, ColourStringsAreWrittenAndReadAsTheMenuLibraryDoes) {
    EXPECT_EQ(ColourText({255, 255, 255}), "255 255 255");
    EXPECT_EQ(ColourText({0, 128, 7}), "0 128 7");
    const struct {
        const char* text;
        bool ok;
        Colour colour;
    } cases[] = {
        {"175 175 175", true, {175, 175, 175}}, {"  1\t2  3 trailing", true, {1, 2, 3}},
        {"256 -1 +5", true, {0, 255, 5}},       {"1 2", false, {}},
        {"red green blue", false, {}},          {"", false, {}},
        {"99999999999999999999 0 0", true, {255, 0, 0}},
    };
    for (const auto& c : cases) {
        Colour read{9, 9, 9};
        EXPECT_EQ(ParseColourText(c.text, read), c.ok) << c.text;
        EXPECT_EQ(read, c.ok ? c.colour : (Colour{9, 9, 9})) << c.text;
#ifdef _WIN32
        if (std::string(c.text).find("9999") != std::string::npos) continue;  // out of the shell's int range
        COLORREF shell = 0;
        EXPECT_EQ(ParseColour(c.text, shell), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(shell, RGB(read.red, read.green, read.blue)) << c.text;
        }
#endif
    }
}

TEST(CloakFiles, ExportWritesTheThirteenLinesWithBareFileNames) {
    CloakExport ocean;
    ocean.name = "Ocean";
    ocean.files[kBackgroundSlot] = "C:\\My Pictures\\waves.bmp";
    ocean.font = "MS Sans Serif";
    ocean.bold = true;
    ocean.text = {255, 255, 255};
    ocean.disabledText = {175, 175, 175};
    ocean.border = {255, 255, 255};
    const std::vector<std::string> names = ExportFileNames(ocean);
    EXPECT_EQ(names, (std::vector<std::string>{"waves.bmp", "", "", "", ""}));
    EXPECT_EQ(ExportText(ocean, names),
              "[Ocean]\r\nBackgroundBitmap=waves.bmp\r\nSubmenuIcon=\r\nHideCursor=\r\nCloseCursor=\r\n"
              "KillCursor=\r\nFont=MS Sans Serif\r\nUnderline=0\r\nItalics=0\r\nBold=1\r\n"
              "TextColor=255 255 255\r\nDisabledTextColor=175 175 175\r\nBorderAndSepColor=255 255 255\r\n");

    // A value cannot add lines of its own.
    ocean.font = "Arial\r\nBackgroundBitmap=..\\..\\evil.bmp";
    EXPECT_NE(ExportText(ocean, names).find("Font=ArialBackgroundBitmap"), std::string::npos);
}

TEST(CloakFiles, ExportNamesNeverCollideOrLeaveTheExportDirectory) {
    CloakExport cloak;
    cloak.files[kBackgroundSlot] = "C:\\a\\arrow.cur";
    cloak.files[kHideCursorSlot] = "C:\\b\\Arrow.cur";  // another file, the same name
    cloak.files[kCloseCursorSlot] = "c:\\A\\ARROW.CUR";  // the first file again
    cloak.files[kKillCursorSlot] = "C:\\b\\arrow";
    cloak.files[kSubmenuIconSlot] = "C:\\x\\..";
    std::vector<std::string> refused;
    EXPECT_EQ(ExportFileNames(cloak, &refused),
              (std::vector<std::string>{"arrow.cur", "", "Arrow (2).cur", "ARROW.CUR", "arrow"}));
    EXPECT_EQ(refused, std::vector<std::string>{"C:\\x\\.."});
    for (const char* bad : {"D:nul.bmp", "C:\\x\\con", "C:\\x\\name.", "C:\\x\\"}) {
        cloak = CloakExport();
        cloak.files[kKillCursorSlot] = bad;
        EXPECT_EQ(ExportFileNames(cloak)[kKillCursorSlot], "") << bad;
    }
    EXPECT_EQ(FileNamePart("D:waves.bmp"), "waves.bmp");
    EXPECT_FALSE(IsSafeFileEntry("COM1.cur"));
    EXPECT_TRUE(IsSafeFileEntry("console.cur"));
}

TEST(CloakFiles, DeleteTouchesOnlyFilesDirectlyInTheCloaksOwnDirectory) {
    const std::string own = "C:\\Holm\\Cloaks\\Ocean";
    EXPECT_TRUE(IsOwnCloakFile("C:\\Holm\\Cloaks\\Ocean\\waves.bmp", own));
    EXPECT_TRUE(IsOwnCloakFile("c:/holm/cloaks/OCEAN/./waves.bmp", own));
    EXPECT_TRUE(IsOwnCloakFile("C:\\Holm\\Cloaks\\Other\\..\\Ocean\\waves.bmp", own));
    EXPECT_TRUE(IsOwnCloakFile("C:\\Holm\\Cloaks\\Ocean.\\waves.bmp", own));
    const char* outside[] = {
        "C:\\windows\\system32\\user32.dll",
        "C:\\Holm\\Cloaks\\Ocean\\..\\..\\holm.exe",
        "C:\\Holm\\Cloaks\\Ocean\\..\\Other\\waves.bmp",
        "C:\\Holm\\Cloaks\\Ocean\\sub\\waves.bmp",
        "C:\\Holm\\Cloaks\\Ocean\\",  // an installed empty entry: the directory itself
        "C:\\Holm\\Cloaks\\Ocean",
        "C:\\Holm\\Cloaks\\OceanDeep\\waves.bmp",
        "Ocean\\waves.bmp",
        "\\Holm\\Cloaks\\Ocean\\waves.bmp",
        "D:\\Holm\\Cloaks\\Ocean\\waves.bmp",
        "C:\\Holm\\Cloaks\\Ocean\\waves.bmp:stream",
        "C:\\..\\Holm\\Cloaks\\Ocean\\waves.bmp",
        "C:\\Holm\\Cloaks\\Ocean\\...\\waves.bmp",
        "",
    };
    for (const char* path : outside) EXPECT_FALSE(IsOwnCloakFile(path, own)) << path;
    EXPECT_TRUE(IsOwnCloakFile("\\\\server\\share\\c\\Ocean\\x.cur", "\\\\SERVER\\share\\c\\ocean"));
    EXPECT_FALSE(IsOwnCloakFile("\\\\server\\other\\c\\Ocean\\x.cur", "\\\\server\\share\\c\\Ocean"));
    EXPECT_EQ(ComparablePath("C:/A/./b/../C"), "c:\\a\\c");
    EXPECT_EQ(ComparablePath("C:\\..\\x"), "");
}
