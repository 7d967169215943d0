// Disc arrival at the real holm.exe: Wine drive letters of type CD-ROM and
// removable show folders with an Autorun.inf (or the "Audio CD" label), the
// test sends the shell main window the system's arrival broadcast, and the
// recorder program tells what started, with what and where.
#include <gtest/gtest.h>
#include <windows.h>
#include <dbt.h>
#include <shlwapi.h>

#include <string>

#include "recorder_log.h"
#include "shell_fixture.h"
#include "wine_drive.h"

using namespace holmtest;

namespace {

const char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kPlayCommand[] = "AudioCD\\shell\\play\\command";
constexpr char kCd = 'R';
constexpr char kStick = 'S';

DWORD DriveBit(char letter) { return 1u << (letter - 'A'); }

class AutorunTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        SHDeleteKeyA(HKEY_CURRENT_USER, kPolicies);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, "AudioCD");
        log_ = NewRecorderLog("holm-autorun");
        cd_ = MakeDisc("holm-cd");
        stick_ = MakeDisc("holm-stick");
        ASSERT_TRUE(MapWineDrive(kCd, cd_, DRIVE_CDROM));
        ASSERT_TRUE(MapWineDrive(kStick, stick_, DRIVE_REMOVABLE));
        ASSERT_EQ(GetDriveTypeA("R:\\"), static_cast<UINT>(DRIVE_CDROM));
    }
    void TearDown() override {
        ShellTest::TearDown();
        UnmapWineDrive(kCd);
        UnmapWineDrive(kStick);
        SHDeleteKeyA(HKEY_CURRENT_USER, kPolicies);
        SHDeleteKeyA(HKEY_CLASSES_ROOT, "AudioCD");
    }
    std::string MakeDisc(const char* name) {
        const std::string dir = TempFolder(name);
        DeleteFileA((dir + "\\.windows-label").c_str());
        DeleteFileA((dir + "\\Autorun.inf").c_str());
        CopyFileA(RecorderPath().c_str(), (dir + "\\rec.exe").c_str(), FALSE);
        return dir;
    }
    void WriteAutorun(const std::string& disc, const std::string& text) { WriteFileBytes(disc + "\\Autorun.inf", text); }
    // The arrival broadcast as the system sends it.
    LRESULT Arrive(DWORD drives, WORD flags = DBTF_MEDIA) {
        DEV_BROADCAST_VOLUME volume = {};
        volume.dbcv_size = sizeof(volume);
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = drives;
        volume.dbcv_flags = flags;
        DWORD_PTR result = 0;
        EXPECT_NE(SendMessageTimeoutA(shell_.MainWindow(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                      reinterpret_cast<LPARAM>(&volume), SMTO_ABORTIFHUNG, 10000, &result),
                  0);
        return static_cast<LRESULT>(result);
    }
    // What started, after a pause long enough for anything to show up.
    std::vector<RecordedStart> Started(std::size_t expected) {
        std::vector<RecordedStart> records = WaitForRecords(log_, expected, 5000);
        Sleep(expected ? 300 : 1200);
        return ReadRecorderLog(log_);
    }
    void ClearLog() { DeleteFileA(log_.c_str()); }

    std::string log_, cd_, stick_;
};

bool Has(const std::vector<RecordedStart>& records, const std::string& command, const std::string& directory) {
    for (const RecordedStart& r : records)
        if (r.commandLine == command && r.directory == directory) return true;
    return false;
}

}  // namespace

TEST_F(AutorunTest, DataDiscsAutorunFromTheirRootUnderTheDefaultPolicy) {
    WriteAutorun(cd_, "; a data disc\r\n[autorun]\r\nicon=disc.ico\r\nopen=rec.exe " + log_ + " cd\r\n");
    WriteAutorun(stick_, "[AutoRun]\nOPEN = \"rec.exe " + log_ + " stick\"\n");
    StartShell();

    // No audio-CD player is registered: the data disc still autoruns.
    EXPECT_EQ(Arrive(DriveBit(kCd) | DriveBit(kStick)), TRUE);
    const auto records = Started(2);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(Has(records, "R:rec.exe " + log_ + " cd", "R:\\"));
    EXPECT_TRUE(Has(records, "S:rec.exe " + log_ + " stick", "S:\\"));

    ClearLog();
    EXPECT_EQ(Arrive(DriveBit(kCd), 0), TRUE);  // a new device, no media change
    EXPECT_TRUE(Started(0).empty());
}

TEST_F(AutorunTest, PolicyTurnsDriveTypesOff) {
    WriteAutorun(cd_, "[autorun]\r\nopen=rec.exe " + log_ + " cd\r\n");
    WriteAutorun(stick_, "[autorun]\r\nopen=rec.exe " + log_ + " stick\r\n");
    const DWORD policy = 0x95;  // removable and network drives off
    WriteUserDword(kPolicies, "NoDriveTypeAutorun", policy);
    StartShell();
    Arrive(DriveBit(kCd) | DriveBit(kStick));
    const auto records = Started(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(Has(records, "R:rec.exe " + log_ + " cd", "R:\\"));
}

TEST_F(AutorunTest, AudioDiscsPlayWithTheDriveInPlaceOfPercentOne) {
    // Wine's mount manager reads the label when the drive is defined.
    WriteFileBytes(cd_ + "\\.windows-label", "Audio CD\n");
    ASSERT_TRUE(MapWineDrive(kCd, cd_, DRIVE_CDROM));
    WriteAutorun(cd_, "[autorun]\r\nopen=rec.exe " + log_ + " not-for-audio\r\n");
    StartShell();
    Arrive(DriveBit(kCd));
    EXPECT_TRUE(Started(0).empty()) << "an audio disc without a player starts nothing";

    const std::string play = "\"" + RecorderPath() + "\" " + log_ + " play %1 %1";
    WriteValue(HKEY_CLASSES_ROOT, kPlayCommand, nullptr, REG_SZ, play.c_str(), static_cast<DWORD>(play.size() + 1));
    Arrive(DriveBit(kCd));
    const auto records = Started(1);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(Has(records, "\"" + RecorderPath() + "\" " + log_ + " play R: %1", "R:\\"));
}

TEST_F(AutorunTest, HostileAutorunFilesStartNothingAndLeaveTheShellWell) {
    std::string garbage(3 * 1024 * 1024, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
    WriteAutorun(cd_, garbage);
    WriteAutorun(stick_, "[autorun]\r\nopen" + std::string(200000, 'x') + "\r\n[autorun\r\nopen=\r\n");
    StartShell();
    Arrive(DriveBit(kCd) | DriveBit(kStick));
    EXPECT_TRUE(Started(0).empty());
    DWORD_PTR answer = 0;
    EXPECT_NE(SendMessageTimeoutA(shell_.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer), 0);
    EXPECT_TRUE(shell_.Running());
}
