// The cloak store reader and the cloak load against the real registry and
// the built-in images of holm.exe: absent against empty values, oversized
// values, colour strings and a selected cloak whose record is gone.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "cloak.h"
#include "cloak_paint.h"
#include "cloak_record.h"
#include "library_state.h"
#include "shell_driver.h"
#include "win_handles.h"

using namespace holm;
using holmtest::CloakValues;

namespace {

class CloakStoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const std::string exe = holmtest::BinDir() + "\\holm.exe";
        g_lib.resources = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    void SetUp() override {
        ASSERT_NE(g_lib.resources, nullptr);
        holmtest::ResetHolmRegistry();
        holmtest::WriteOption("UseCustomMenus", 1);
    }
    static CloakRecord Read() {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_CURRENT_USER, holm::kOptionsKey, 0, KEY_QUERY_VALUE, &key);
        CloakRecord record = ReadCloakRecord(key);
        if (key) RegCloseKey(key);
        return record;
    }
    static const CloakLook& Load() {
        ReloadCloak();
        return CurrentCloak();
    }
    static void Select(const std::string& name, const CloakValues& values) {
        holmtest::WriteOption("Cloak", name);
        holmtest::WriteCloakRecord(name, values);
    }
    static void SetValue(const char* name, const std::string& value) {
        holmtest::WriteUserString("Software\\Tarvel\\Holm\\Cloaks\\Mine", name, value);
    }
    // Cursors loaded from a data-file module are not shared, so cursors are
    // compared by their pictures.
    static std::string Picture(HCURSOR cursor) {
        ICONINFO info = {};
        if (!cursor || !GetIconInfo(cursor, &info)) return "";
        std::string bits;
        for (HBITMAP b : {info.hbmMask, info.hbmColor}) {
            BITMAP bm = {};
            if (!b || !GetObjectA(b, sizeof(bm), &bm)) continue;
            std::string part(bm.bmWidthBytes * bm.bmHeight, '\0');
            GetBitmapBits(b, static_cast<LONG>(part.size()), &part[0]);
            bits += part;
            DeleteObject(b);
        }
        return bits;
    }
    static std::string BuiltInCursor(const char* name) { return Picture(LoadCursorA(g_lib.resources, name)); }
};

std::string TempFile(const char* name, const std::string& content) {
    char dir[MAX_PATH] = "";
    GetTempPathA(sizeof(dir), dir);
    const std::string path = std::string(dir) + name;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(f);
    return path;
}

}  // namespace

TEST(ColourString, ReadsThreeIntegersKeepingTheLowEightBits) {
    COLORREF c = 0;
    EXPECT_TRUE(ParseColour("255 255 255", c));
    EXPECT_EQ(c, RGB(255, 255, 255));
    EXPECT_TRUE(ParseColour("1 2 3", c));
    EXPECT_EQ(c, RGB(1, 2, 3));
    EXPECT_TRUE(ParseColour("300 256 -1", c));
    EXPECT_EQ(c, RGB(44, 0, 255));
    c = RGB(9, 9, 9);
    EXPECT_FALSE(ParseColour("255,0,0", c));
    EXPECT_FALSE(ParseColour("12 34", c));
    EXPECT_FALSE(ParseColour("white", c));
    EXPECT_FALSE(ParseColour("", c));
    EXPECT_EQ(c, RGB(9, 9, 9));
}

TEST_F(CloakStoreTest, NoSelectionAndTheFirstRunDefaultDrawAlike) {
    const CloakLook builtIn = Load();
    EXPECT_EQ(builtIn.bitmapWidth, 128);
    EXPECT_EQ(builtIn.bitmapHeight, 128);
    EXPECT_NE(builtIn.submenuIcon, nullptr);
    EXPECT_EQ(builtIn.text, RGB(255, 255, 255));
    EXPECT_EQ(builtIn.disabledText, RGB(175, 175, 175));
    EXPECT_EQ(Picture(builtIn.hide), BuiltInCursor("HIDECURSOR"));
    EXPECT_EQ(Picture(builtIn.close), BuiltInCursor("CLOSECURSOR"));
    EXPECT_EQ(Picture(builtIn.kill), BuiltInCursor("KILLCURSOR"));

    holmtest::WriteDefaultCloak();
    const CloakRecord record = Read();
    EXPECT_EQ(record.font, "MS Sans Serif");
    EXPECT_TRUE(record.background.Empty());
    const CloakLook& fromDefault = Load();
    EXPECT_EQ(fromDefault.bitmapWidth, 128);
    EXPECT_NE(fromDefault.submenuIcon, nullptr);
    EXPECT_EQ(fromDefault.text, builtIn.text);
    EXPECT_EQ(fromDefault.disabledText, builtIn.disabledText);
    EXPECT_EQ(Picture(fromDefault.hide), Picture(builtIn.hide));
}

TEST_F(CloakStoreTest, AbsentAndEmptyPathsDiffer) {
    CloakValues values;
    Select("Mine", values);
    EXPECT_EQ(Load().bitmapWidth, 128) << "empty background: the built-in one";
    holmtest::DeleteUserTree("Software\\Tarvel\\Holm\\Cloaks\\Mine");
    holmtest::WriteUserString("Software\\Tarvel\\Holm\\Cloaks\\Mine", "Font", "Arial");
    const CloakLook& bare = Load();
    EXPECT_EQ(bare.bitmapWidth, 0) << "absent background: none";
    EXPECT_NE(bare.submenuIcon, nullptr) << "absent icon: the built-in one";

    // A file that is no bitmap gives no picture; a file without icons no icon.
    const std::string text = TempFile("holm-not-an-image.txt", "plain text");
    SetValue("BackgroundBitmap", text);
    SetValue("SubmenuIcon", text);
    const CloakLook& bad = Load();
    EXPECT_EQ(bad.bitmapWidth, 0);
    EXPECT_EQ(bad.submenuIcon, nullptr);

    // A path naming a directory (an installed cloak's empty entry) or a bad
    // file gives the built-in cursors; a cursor file is loaded.
    SetValue("HideCursor", "C:\\windows\\");
    SetValue("CloseCursor", text);
    SetValue("KillCursor", holmtest::BinDir() + "\\testcloak-killcursor.cur");
    const CloakLook& cursors = Load();
    EXPECT_EQ(Picture(cursors.hide), BuiltInCursor("HIDECURSOR"));
    EXPECT_EQ(Picture(cursors.close), BuiltInCursor("CLOSECURSOR"));
    EXPECT_EQ(Picture(cursors.kill), BuiltInCursor("KILLCURSOR"));
    SetValue("CloseCursor", holmtest::BinDir() + "\\testcloak-killcursor.cur");
    EXPECT_EQ(Picture(Load().close), BuiltInCursor("KILLCURSOR"));
    // A file that holds an icon gives that icon.
    SetValue("SubmenuIcon", holmtest::BinDir() + "\\testcloak-defaultsubmenu.ico");
    EXPECT_NE(Load().submenuIcon, nullptr);
}

TEST_F(CloakStoreTest, ValuesOverTheLimitCountAsAbsent) {
    CloakValues values;
    values.font = std::string(259, 'F');  // 260 bytes with the terminator: still read
    values.background = std::string(260, 'b');
    Select("Mine", values);
    const CloakRecord record = Read();
    EXPECT_EQ(record.font.size(), 259u);
    EXPECT_FALSE(record.background.present);
    EXPECT_EQ(Load().bitmapWidth, 0);

    SetValue("Font", std::string(260, 'F'));
    EXPECT_EQ(Read().font, "MS Sans Serif");
    EXPECT_NE(Load().font, nullptr);
}

TEST_F(CloakStoreTest, BadColourStringsKeepTheBuiltInColours) {
    CloakValues values;
    values.text = "red";
    values.disabledText = "10 20";
    values.border = "1 2 3";
    Select("Mine", values);
    const CloakRecord record = Read();
    EXPECT_EQ(record.text, RGB(255, 255, 255));
    EXPECT_EQ(record.disabledText, RGB(175, 175, 175));
    EXPECT_EQ(record.border, RGB(1, 2, 3));
}

TEST_F(CloakStoreTest, SelectedCloakWithoutRecordReadsAsAllAbsent) {
    CloakValues values;
    values.font = "Courier New";
    values.bold = 1;
    Select("Gone", values);
    holmtest::DeleteUserTree("Software\\Tarvel\\Holm\\Cloaks\\Gone");
    const CloakRecord record = Read();
    EXPECT_EQ(record.font, "MS Sans Serif");
    EXPECT_EQ(record.bold, 0u);
    const CloakLook& look = Load();
    EXPECT_EQ(look.bitmapWidth, 0);
    EXPECT_NE(look.submenuIcon, nullptr);
    EXPECT_EQ(Picture(look.kill), BuiltInCursor("KILLCURSOR"));
    LOGFONTA font = {};
    GetObjectA(look.font, sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfHeight, 16);
}

TEST_F(CloakStoreTest, AHotkeyAfterATabIsSetOffByASpace) {
    Load();
    holm::UniqueMenu menu(CreatePopupMenu());
    AppendMenuA(menu.Get(), MF_STRING, 1, "Notepad\tn");
    const std::vector<MenuItem> items = ReadMenuItems(menu.Get());
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].facts.text, "Notepad n");
}
