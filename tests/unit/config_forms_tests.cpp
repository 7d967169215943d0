// The option forms and configuration files of the configuration program
// against the real registry and the real registry editor: what each form
// writes and reads back, the cloak file type, and a configuration saved,
// erased and opened again value by value, and files that must be refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "HotKeyDlg.h"
#include "OptionsUnit.h"
#include "RegUnit.h"
#include "config_file.h"
#include "config_support.h"
#include "holm_names.h"
#include "shell_driver.h"

using namespace setwise;
using namespace holmtest;

namespace {

constexpr const char* kProduct = holm::kOptionsKey;
const char kProductPath[] = "Software\\Tarvel\\Holm\\";
constexpr const char* kMenu = holm::kInitMenuKey;
constexpr const char* kHidden = holm::kHiddenTitlesKey;
constexpr const char* kHotkeys = holm::kConfigHotkeysKey;
const char kDesktop[] = "Control Panel\\Desktop";
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class ConfigFormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetHolmRegistry();
        const auto desktop = UserValues(kDesktop);
        if (desktop.count("MenuShowDelay")) savedDelay_ = desktop.at("MenuShowDelay");
        RecordMessages(IDOK);
        SetIsNT(true);
        AttachViews(views_.Tree(), views_.List());
        ResetTree();
        file_ = FreshTempFolder("holm_cfg_file") + "\\saved.reg";
    }
    void TearDown() override {
        ResetHolmRegistry();
        if (!savedDelay_.empty()) WriteUserString(kDesktop, "MenuShowDelay", savedDelay_);
    }
    std::string ReadBack(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ConfigViews views_;
    std::string savedDelay_, file_;
};

std::string ClassesText(const char* key, const char* name) {
    char data[512] = "";
    LONG size = sizeof(data);
    HKEY k = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, &k) != ERROR_SUCCESS) return "<missing>";
    DWORD type = 0, bytes = sizeof(data);
    RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes);
    RegCloseKey(k);
    (void)size;
    return data;
}

}  // namespace

TEST_F(ConfigFormsTest, TheOptionsWindowWritesEveryValueAndReadsItBack) {
    WriteUserString(kProduct, "LCancelStr", "%t!");
    WriteUserDword(kProduct, "ShowCplIcons", 0);
    WriteUserDword(kProduct, "UseCustomMenus", 5);   // read as a boolean
    WriteUserDword(kProduct, "TrayVertical", 7);     // neither 0 nor 1: the box keeps its state
    WriteUserDword(kProduct, "ForceDesktopDLL", 1);  // never on Windows NT
    WriteUserString(kProduct, "CloakDir", "c:\\cloaks");
    WriteUserString(kHidden, "One", "");
    WriteUserString(kHidden, "Two", "");
    WriteUserString(kHidden, "Three", "");
    WriteUserString(kDesktop, "MenuShowDelay", "250");
    OptionsFillForm(kProductPath);
    OptionsFormState& form = OptionsForm();
    EXPECT_EQ(form.initMenuTitle, "%t!");
    EXPECT_FALSE(form.checked[kShowCplIcons]);
    EXPECT_TRUE(form.checked[kUseCustomMenus]);
    EXPECT_FALSE(form.checked[kTrayVertical]);
    EXPECT_FALSE(form.checked[kForceDesktopDLL]);
    EXPECT_FALSE(form.enabled[kForceDesktopDLL]);
    EXPECT_EQ(form.menuShowDelay, 250);
    EXPECT_EQ(std::set<std::string>(form.hiddenTitles.begin(), form.hiddenTitles.end()),
              (std::set<std::string>{"One", "Two", "Three"}));

    // Two titles removed, an empty cloak directory, the bar at its end.
    form.hiddenTitles = {"Two"};
    form.cloakDir.clear();
    form.menuShowDelay = 400;
    form.checked[kReverseRightAndLeftButtons] = true;
    ASSERT_TRUE(OptionsSaveForm());
    const auto stored = UserValues(kProduct);
    // Every option the shell reads, each a number.
    const std::vector<std::string> dump = DumpUserTree(kProduct);
    for (const char* name : {"MiddleButtonAsDblClick", "ShowCplIcons", "ShowNoTitleWindows", "ShowWindowIcons",
                             "TrayOnTop", "TrayAutoSize", "TraySnapToEdge", "ShowHotkeysInLpum", "TrayVisible",
                             "ShowProgIcons", "RunStartupGroupByDefault", "ForceDesktopDLL", "HideMinimized",
                             "TrayVertical", "UseCustomMenus", "ReverseRightAndLeftButtons", "MaxWinTitleLen"})
        EXPECT_EQ(std::count_if(dump.begin(), dump.end(),
                                [&](const std::string& line) { return line.rfind(std::string(":") + name + "=DWORD:", 0) == 0; }),
                  1)
            << name;
    for (const char* name : {"LCancelStr", "RCancelStr", "CloakDir"})
        EXPECT_EQ(std::count_if(dump.begin(), dump.end(),
                                [&](const std::string& line) { return line.rfind(std::string(":") + name + "=SZ:", 0) == 0; }),
                  1)
            << name;
    EXPECT_EQ(stored.at("UseCustomMenus"), "1");
    EXPECT_EQ(stored.at("ReverseRightAndLeftButtons"), "1");
    EXPECT_EQ(stored.at("ForceDesktopDLL"), "0");
    EXPECT_EQ(stored.at("ShowCplIcons"), "0");
    EXPECT_EQ(stored.at("MaxWinTitleLen"), "255");
    EXPECT_EQ(stored.at("CloakDir"), "c:\\cloaks");
    EXPECT_EQ(UserValues(kHidden), (std::map<std::string, std::string>{{"Two", ""}}));
    EXPECT_EQ(UserValues(kDesktop).at("MenuShowDelay"), "400");

    // A delay that is no number leaves the form as it was.
    WriteUserString(kDesktop, "MenuShowDelay", "soon");
    OptionsFillForm(kProductPath);
    EXPECT_EQ(form.menuShowDelay, 400);
}

TEST_F(ConfigFormsTest, TheFirstRunStoresTheMiddleButtonOptionOnBothPlatforms) {
    for (const bool isNT : {true, false}) {
        ResetHolmRegistry();
        OptionsFillForm(kProductPath);
        SetOptionDefaults(isNT);
        EXPECT_EQ(OptionsForm().enabled[kMiddleButtonAsDblClick], isNT);
        ASSERT_TRUE(OptionsSaveForm());
        EXPECT_EQ(UserValues(kProduct).at("MiddleButtonAsDblClick"), "1") << isNT;
    }
}

TEST_F(ConfigFormsTest, TheHotkeysDialogStoresItsShortcutsInTheShellsFormat) {
    HotKeyFillForm();  // nothing stored: the form's own shortcuts
    ASSERT_TRUE(HotKeySaveForm());
    EXPECT_EQ(UserValues(kHotkeys), (std::map<std::string, std::string>{{"Init Menu", "8219"},
                                                                        {"Window List", "24603"},
                                                                        {"Configure HOLM", "0"},
                                                                        {"Run", "0"},
                                                                        {"ShowHide Tray", "0"},
                                                                        {"Logoff", "0"},
                                                                        {"Shutdown", "0"},
                                                                        {"Reboot", "0"}}));
    WriteUserDword(holm::kHotkeysKey, "Run", 0x8070);
    WriteUserDword(holm::kHotkeysKey, "Init Menu", 0);
    HotKeyFillForm();
    EXPECT_EQ(HotKeyShortcut(3), 0x8070u);
    EXPECT_EQ(HotKeyShortcut(0), 0u);
}

TEST_F(ConfigFormsTest, TheCloakFileTypeInstallsThroughTheShellProgram) {
    ASSERT_TRUE(RegisterCloakFileType(nullptr));
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string holm = exe;
    holm = holm.substr(0, holm.find_last_of('\\') + 1) + "holm.exe";
    EXPECT_EQ(ClassesText(".hc", nullptr), "hcfile");
    EXPECT_EQ(ClassesText("hcfile", nullptr), "HOLM Cloak");
    EXPECT_EQ(ClassesText("hcfile\\DefaultIcon", nullptr), holm + ",2");
    EXPECT_EQ(ClassesText("hcfile\\Shell", nullptr), "Install");
    EXPECT_EQ(ClassesText("hcfile\\Shell\\Install\\command", nullptr), "\"" + holm + "\" /installcloak \"%1\"");
    EXPECT_EQ(ClassesText("hcfile\\Shell\\Edit\\command", nullptr), "notepad \"%1\"");
}

TEST_F(ConfigFormsTest, ASavedConfigurationOpensBackValueByValue) {
    WriteUserString(kProduct, "LCancelStr", "%d, %t");
    WriteUserDword(kProduct, "MaxWinTitleLen", 30);
    WriteUserDword(kProduct, "Big", 0xFFFFFFFF);
    WriteUserString(kProduct, "Empty", "");
    WriteUserString(kMenu, "Desktop", "explorer /root,,||0|");
    WriteUserString(kMenu, "Dial-up Networking", "explorer /root,,::{20D04FE0}\\::{992CFFA0}||0|");
    WriteUserString(kMenu, "Say \"hi\" = [now]", "\"c:\\a b\\x.exe\" \"q\"|c:\\|0|\\");
    WriteUserString(kMenu, "caf\xE9", "\xE9t\xE9||0|");
    WriteUserString(kMenu, "", "default item");
    WriteUserString((std::string(kMenu) + "\\Group [1]\\Inner").c_str(), "Deep", "deep.exe||1|");
    WriteUserString((std::string(holm::kCloaksKey) + "\\Blue").c_str(), "Font", "Arial");
    HKEY key = nullptr;
    RegOpenKeyExA(HKEY_CURRENT_USER, kProduct, 0, KEY_SET_VALUE, &key);
    const BYTE binary[] = {1, 2, 3};
    RegSetValueExA(key, "Binary", 0, REG_BINARY, binary, sizeof(binary));
    RegCloseKey(key);
    std::vector<std::string> before = DumpUserTree(kProduct);
    before.erase(std::remove_if(before.begin(), before.end(),
                                [](const std::string& l) { return l.find(":Binary=") != std::string::npos; }),
                 before.end());

    std::string error;
    ASSERT_TRUE(SaveConfiguration(file_, error)) << error;
    const std::string text = ReadBack(file_);
    EXPECT_EQ(text.substr(0, 10), "REGEDIT4\r\n");
    EXPECT_NE(text.find("\r\n\"MaxWinTitleLen\"=dword:0000001E\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n\"Desktop\"=\"explorer /root,,||0|\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("::{20D04FE0}\\\\::{992CFFA0}"), std::string::npos);
    EXPECT_EQ(text.find("Binary"), std::string::npos);

    ResetHolmRegistry();
    WriteUserString(kMenu, "Stale", "old.exe||0|");
    std::string message;
    ASSERT_EQ(OpenConfiguration(file_, message), OpenOutcome::Loaded) << message;
    EXPECT_EQ(DumpUserTree(kProduct), before);
}

TEST_F(ConfigFormsTest, FilesWithForeignKeysOrCutShortAreRefusedAndChangeNothing) {
    WriteUserString(kMenu, "Kept", "kept.exe||0|");
    std::string error, message;
    ASSERT_TRUE(SaveConfiguration(file_, error));
    const std::string good = ReadBack(file_);
    const std::vector<std::string> before = DumpUserTree(kProduct);
    const auto runBefore = UserValues(kRun);

    const std::string bad[] = {
        good + "\r\n[HKEY_CURRENT_USER\\" + kRun + "]\r\n\"Holm test\"=\"evil.exe\"\r\n",
        good.substr(0, good.size() - 5),                       // cut inside the last line
        good.substr(0, good.find("[HKEY_CURRENT_USER\\Software\\Tarvel\\Holm\\Init Menu")),  // no menu
        "Windows Registry Editor Version 5.00\r\n" + good.substr(10),
    };
    for (const std::string& bytes : bad) {
        WriteFileBytes(file_, bytes);
        message.clear();
        EXPECT_EQ(OpenConfiguration(file_, message), OpenOutcome::Refused) << bytes;
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(DumpUserTree(kProduct), before);
    }
    EXPECT_EQ(UserValues(kRun), runBefore);
}

TEST_F(ConfigFormsTest, AnImportThatFailsPutsTheMenuBack) {
    WriteUserString(kMenu, "Kept", "kept.exe||0|");
    WriteUserString((std::string(kMenu) + "\\Group").c_str(), "Inner", "inner.exe||0|");
    std::string error, message;
    ASSERT_TRUE(SaveConfiguration(file_, error));
    // The menu as it is when the file is opened differs from the file's.
    WriteUserString(kMenu, "Later", "later.exe||0|");
    const std::vector<std::string> before = DumpUserTree(kProduct);
    // A well-formed file whose value the registry cannot hold: a name
    // longer than any value name may be.
    WriteFileBytes(file_, ReadBack(file_) + "\"" + std::string(20000, 'n') + "\"=\"x\"\r\n");
    EXPECT_EQ(OpenConfiguration(file_, message), OpenOutcome::ImportFailed);
    EXPECT_NE(message.find("could not import"), std::string::npos) << message;
    EXPECT_EQ(DumpUserTree(kProduct), before);
}

TEST_F(ConfigFormsTest, OpenAsksBeforeNewStartupSettingsAndRunsOnlyTheSystemsRegistryEditor) {
    WriteUserString(kMenu, "Kept", "kept.exe||0|");
    WriteUserString(kProduct, "CloakDir", "c:\\cloaks");
    std::string error, message;
    ASSERT_TRUE(SaveConfiguration(file_, error));
    WriteUserString(kProduct, "StartupGroupName", "Boot");
    const std::vector<std::string> before = DumpUserTree(kProduct);
    std::string text = ReadBack(file_);
    const std::string dir = "\"CloakDir\"=\"c:\\\\cloaks\"";
    ASSERT_NE(text.find(dir), std::string::npos);
    text.replace(text.find(dir), dir.size(), "\"CloakDir\"=\"c:\\\\windows\"\r\n\"StartupGroupName\"=\"Evil\"");
    WriteFileBytes(file_, text);

    RecordMessages(IDNO);
    EXPECT_EQ(OpenConfiguration(file_, message), OpenOutcome::Declined);
    ASSERT_EQ(RecordedMessages().size(), 1u);
    EXPECT_NE(RecordedMessages()[0].text.find("StartupGroupName: \"Evil\" (now \"Boot\")"), std::string::npos);
    EXPECT_NE(RecordedMessages()[0].text.find("CloakDir: \"c:\\windows\" (now \"c:\\cloaks\")"), std::string::npos);
    EXPECT_EQ(DumpUserTree(kProduct), before);

    // A program called regedit in the current folder is not the one run.
    const std::string planted = FreshTempFolder("holm_planted_regedit");
    char program[MAX_PATH] = "", current[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string recorder = program;
    recorder = recorder.substr(0, recorder.find_last_of('\\') + 1) + "recorder.exe";  // imports nothing
    ASSERT_TRUE(CopyFileA(recorder.c_str(), (planted + "\\regedit.exe").c_str(), FALSE));
    GetCurrentDirectoryA(MAX_PATH, current);
    SetCurrentDirectoryA(planted.c_str());
    RecordMessages(IDYES);
    const OpenOutcome outcome = OpenConfiguration(file_, message);
    SetCurrentDirectoryA(current);
    EXPECT_EQ(outcome, OpenOutcome::Loaded) << message;
    EXPECT_EQ(UserValues(kProduct).at("StartupGroupName"), "Evil");
}
