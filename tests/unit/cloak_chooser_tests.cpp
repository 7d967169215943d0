// The cloak chooser against the real registry, the real file system and the
// real "holm.exe /InstallCloak": Save, Export, Delete, and records holding
// values of the wrong kind.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>

#include "MenuScheme.h"
#include "cloak_record.h"
#include "config_support.h"
#include "shell_driver.h"

using namespace setwise;
using namespace holmtest;

namespace {

const char kProduct[] = "Software\\Tarvel\\Holm";
const std::string kCloaks = "Software\\Tarvel\\Holm\\Cloaks\\";
const char* const kFileValues[] = {"BackgroundBitmap", "SubmenuIcon", "HideCursor", "CloseCursor", "KillCursor"};

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteRaw(const std::string& key, const char* name, DWORD type, const std::string& data) {
    HKEY k = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr);
    RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
    RegCloseKey(k);
}

holm::CloakRecord ShellReading() {
    HKEY options = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, kProduct, 0, KEY_QUERY_VALUE, &options);
    holm::CloakRecord record = holm::ReadCloakRecord(options);
    RegCloseKey(options);
    return record;
}

class CloakChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        KillStrayShells();
        ResetHolmRegistry();
        RecordMessages(IDOK);
        folder_ = FreshTempFolder("holm_chooser");
        MakeFolders(folder_ + "\\pictures");
        CopyFileA((BinDir() + "\\testcloak-menubkgnd.bmp").c_str(), (folder_ + "\\pictures\\waves.bmp").c_str(), FALSE);
        CopyFileA((BinDir() + "\\testcloak-killcursor.cur").c_str(), (folder_ + "\\pictures\\kill.cur").c_str(), FALSE);
        MenuSchemeForm() = MenuSchemeState();
    }
    void TearDown() override { ResetHolmRegistry(); }
    std::string folder_;
};

}  // namespace

TEST_F(CloakChooserTest, SavedCloakIsSelectedAndComesBackTheSameThroughExportAndInstall) {
    MenuSchemeCreate();
    MenuSchemeState& form = MenuSchemeForm();
    EXPECT_EQ(form.name, "");
    for (const char* bad : {"", "a\\b", ".."}) {
        form.name = bad;
        EXPECT_FALSE(MenuSchemeSave()) << bad;
    }
    EXPECT_TRUE(UserValues(kCloaks + "a").empty());
    EXPECT_EQ(UserValues(kProduct).count("Cloak"), 0u);

    form.name = "Lagoon";
    form.background = folder_ + "\\pictures\\waves.bmp";
    form.cursors[kKillCursor] = folder_ + "\\pictures\\kill.cur";
    form.fontName = form.face = "Arial";
    form.bold = true;
    form.colours[kTextColour] = {10, 20, 30};
    form.colours[kBorderColour] = {0, 255, 255};
    ASSERT_TRUE(MenuSchemeSave());
    EXPECT_EQ(UserValues(kProduct).at("Cloak"), "Lagoon");
    EXPECT_EQ(form.cloaks, std::vector<std::string>{"Lagoon"});
    const auto saved = UserValues(kCloaks + "Lagoon");
    EXPECT_EQ(saved, (std::map<std::string, std::string>{{"BackgroundBitmap", form.background},
                                                         {"SubmenuIcon", ""},
                                                         {"Font", "Arial"},
                                                         {"Underline", "0"},
                                                         {"Italics", "0"},
                                                         {"Bold", "1"},
                                                         {"TextColor", "10 20 30"},
                                                         {"DisabledTextColor", "175 175 175"},
                                                         {"BorderAndSepColor", "0 255 255"},
                                                         {"HideCursor", ""},
                                                         {"CloseCursor", ""},
                                                         {"KillCursor", form.cursors[kKillCursor]}}));
    const holm::CloakRecord shell = ShellReading();  // the menu library reads what was saved
    EXPECT_EQ(shell.text, RGB(10, 20, 30));
    EXPECT_EQ(shell.border, RGB(0, 255, 255));
    EXPECT_EQ(shell.background.path, form.background);

    // Export beside its copied files, then install into a clean configuration.
    const std::string exported = folder_ + "\\export\\Lagoon.hc";
    MakeFolders(folder_ + "\\export");
    ASSERT_TRUE(MenuSchemeExport(exported));
    EXPECT_EQ(Bytes(folder_ + "\\export\\waves.bmp"), Bytes(form.background));
    EXPECT_TRUE(Exists(folder_ + "\\export\\kill.cur"));
    EXPECT_NE(Bytes(exported).find("[Lagoon]\r\nBackgroundBitmap=waves.bmp\r\n"), std::string::npos);
    ResetHolmRegistry();
    const std::string installed = folder_ + "\\installed";
    MakeFolders(installed);
    WriteUserString(kProduct, "CloakDir", installed);
    ShellProcess installer;
    ASSERT_TRUE(installer.Start("/InstallCloak \"" + exported + "\""));
    const MessageBoxInfo box = WaitForMessageBox(installer.Pid(), 10000);
    EXPECT_NE(box.text.find("successfully installed"), std::string::npos) << box.text;
    if (box.hwnd) AnswerMessageBox(box.hwnd, IDOK);
    ASSERT_TRUE(installer.WaitExit(10000));

    auto copy = UserValues(kCloaks + "Lagoon");
    const std::string own = installed + "\\Lagoon\\";
    for (const char* value : kFileValues) {
        const std::string original = saved.at(value);
        if (original.empty()) {
            EXPECT_EQ(copy.at(value), own) << value;
        } else {
            EXPECT_EQ(copy.at(value), own + original.substr(original.rfind('\\') + 1)) << value;
            EXPECT_EQ(Bytes(copy.at(value)), Bytes(original)) << value;
        }
        copy.erase(value);
    }
    for (const auto& value : copy) EXPECT_EQ(value.second, saved.at(value.first)) << value.first;
    EXPECT_EQ(copy.size(), 7u);
}

TEST_F(CloakChooserTest, DeletingTheCurrentCloakKeepsItSelectedAndRemovesOnlyItsOwnFiles) {
    const std::string cloaks = folder_ + "\\cloaks", own = cloaks + "\\Ocean";
    MakeFolders(own);
    MakeFolders(cloaks + "\\Other");
    MakeFolders(folder_ + "\\outside");
    for (const std::string& file : {own + "\\waves.bmp", own + "\\close.cur", cloaks + "\\Other\\other.cur",
                                    folder_ + "\\outside\\keep.bmp", cloaks + "\\Plain.bmp"})
        WriteFileBytes(file, "x");
    WriteUserString(kProduct, "CloakDir", cloaks);
    CloakValues ocean;
    ocean.background = own + "\\waves.bmp";
    ocean.closeCursor = own + "\\close.cur";
    ocean.submenuIcon = own + "\\";  // an installed empty entry
    ocean.hideCursor = own + "\\..\\Other\\other.cur";
    ocean.killCursor = folder_ + "\\outside\\keep.bmp";
    WriteCloakRecord("Ocean", ocean);
    CloakValues plain;
    plain.background = cloaks + "\\Plain.bmp";
    WriteCloakRecord("Plain", plain);
    WriteUserString(kProduct, "Cloak", "Ocean");

    MenuSchemeCreate();
    MenuSchemeState& form = MenuSchemeForm();
    ASSERT_EQ(form.name, "Ocean");
    EXPECT_EQ(form.background, ocean.background);
    form.name = "Nope";
    EXPECT_FALSE(MenuSchemeDelete());
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_EQ(RecordedMessages()[0].text, "Cloak \"Nope\" doesn't exist!");
    EXPECT_EQ(RecordedMessages()[0].caption, "Error deleting cloak");

    form.name = "ocean";  // the list's cloak, whatever the letter case
    RecordMessages(IDOK, {IDYES, IDYES});
    ASSERT_TRUE(MenuSchemeDelete());
    EXPECT_EQ(RecordedMessages()[0].caption, "Delete cloak?");
    EXPECT_EQ(RecordedMessages()[1].text, "Remove cloak from disk, too?");
    EXPECT_EQ(RecordedMessages()[1].caption, "Deleting cloak:  Ocean");
    ASSERT_EQ(RecordedMessages().size(), 3u);  // the files left on disk are named
    EXPECT_NE(RecordedMessages()[2].text.find("keep.bmp"), std::string::npos);
    EXPECT_NE(RecordedMessages()[2].text.find("other.cur"), std::string::npos);
    EXPECT_FALSE(Exists(own));
    EXPECT_TRUE(Exists(cloaks + "\\Other\\other.cur"));
    EXPECT_TRUE(Exists(folder_ + "\\outside\\keep.bmp"));
    EXPECT_TRUE(UserValues(kCloaks + "Ocean").empty());
    EXPECT_EQ(UserValues(kProduct).at("Cloak"), "Ocean");
    EXPECT_EQ(form.cloaks, std::vector<std::string>{"Plain"});
    EXPECT_EQ(form.background, ocean.background);  // the form stays as it was

    // Without removing from disk, and a file of the cloak directory itself
    // (not the cloak's own directory) is never removed.
    form.name = "Plain";
    RecordMessages(IDOK, {IDYES, IDNO});
    ASSERT_TRUE(MenuSchemeDelete());
    EXPECT_TRUE(form.cloaks.empty());
    EXPECT_TRUE(Exists(cloaks + "\\Plain.bmp"));
}

TEST_F(CloakChooserTest, ValuesOfTheWrongKindLoadAsTheMenuLibraryReadsThem) {
    const std::string odd = kCloaks + "Odd";
    WriteRaw(odd, "Italics", REG_BINARY, std::string("\1\0", 2));  // not four bytes
    WriteRaw(odd, "Font", REG_SZ, std::string(300, 'F') + '\0');   // longer than 260 bytes
    WriteRaw(odd, "TextColor", REG_SZ, std::string("junk") + '\0');
    WriteRaw(odd, "DisabledTextColor", REG_DWORD, std::string("\x10\0\0\0", 4));
    WriteRaw(odd, "BorderAndSepColor", REG_SZ, std::string("0 0 255") + '\0');
    WriteRaw(odd, "BackgroundBitmap", REG_DWORD, std::string("\1\0\0\0", 4));
    WriteUserString(kProduct, "Cloak", "Odd");
    MenuSchemeState& form = MenuSchemeForm();
    form.italics = true;
    form.colours[kTextColour] = {1, 2, 3};
    form.colours[kDisabledTextColour] = {1, 2, 3};
    form.background = "C:\\earlier.bmp";
    form.cursors[kHideCursor] = "C:\\earlier.cur";
    MenuSchemeCreate();
    EXPECT_FALSE(form.italics);
    EXPECT_EQ(form.fontName, "MS Sans Serif");
    EXPECT_EQ(form.background, "");
    EXPECT_EQ(form.cursors[kHideCursor], "");
    const holm::CloakRecord shell = ShellReading();
    EXPECT_EQ(form.fontName, shell.font);
    EXPECT_EQ(RGB(form.colours[kTextColour].red, form.colours[kTextColour].green, form.colours[kTextColour].blue),
              shell.text);
    EXPECT_EQ(RGB(175, 175, 175), shell.disabledText);
    EXPECT_EQ(form.colours[kDisabledTextColour], (holm::Colour{175, 175, 175}));
    EXPECT_EQ(form.colours[kBorderColour], (holm::Colour{0, 0, 255}));

    // Saving it writes every value back in the kind the readers take.
    ASSERT_TRUE(MenuSchemeSave());
    const auto saved = UserValues(odd);
    EXPECT_EQ(saved.at("Italics"), "0");
    EXPECT_EQ(saved.at("TextColor"), "255 255 255");
    EXPECT_EQ(saved.at("DisabledTextColor"), "175 175 175");
    EXPECT_EQ(saved.size(), 12u);
}
