// Any process may send the tray WM_COPYDATA. Malformed and hostile
// notifications, and a flood of icons, must leave the running shell
// answering and its tray working.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "shell_fixture.h"
#include "tray_client.h"

using namespace holmtest;

namespace {

#pragma pack(push, 4)
struct Header {
    DWORD unused;
    DWORD operation;
    DWORD cbSize;
    DWORD hWnd;
    DWORD uID;
    DWORD uFlags;
    DWORD uCallbackMessage;
    DWORD hIcon;
};
#pragma pack(pop)

DWORD Bits(const void* handle) { return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(handle)); }

void SetWord(std::vector<BYTE>& bytes, size_t offset, DWORD value) { std::memcpy(&bytes[offset], &value, 4); }

class TrayRobustnessTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        StartShell();
        ASSERT_NE(tray_ = WaitForTray(), nullptr);
        icons_ = MakeShellIcons(shell_, 4, 0);
        ASSERT_EQ(icons_.size(), 4u);
    }

    // Sends bytes the tray must take without harm: it answers in time, TRUE
    // for a notification it reads (even one it then ignores).
    void SendHostile(ULONG_PTR id, const void* bytes, DWORD size) {
        EXPECT_EQ(TrayAnswer(tray_, id, bytes, size), std::optional<DWORD_PTR>(TRUE)) << "id " << id << " size " << size;
    }
    // A block that is no notification is answered FALSE, so that its sender
    // does not believe its icon shown.
    void SendUnreadable(ULONG_PTR id, const void* bytes, DWORD size) {
        EXPECT_EQ(TrayAnswer(tray_, id, bytes, size), std::optional<DWORD_PTR>(FALSE)) << "id " << id << " size " << size;
    }

    void ExpectShellAnswers() {
        DWORD_PTR ignored = 0;
        EXPECT_NE(SendMessageTimeoutA(shell_.MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored), 0);
        EXPECT_NE(SendMessageTimeoutA(tray_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 10000, &ignored), 0);
        EXPECT_TRUE(shell_.Running());
    }

    Header Record(DWORD operation, DWORD cbSize, UINT id, UINT flags, HICON icon, HWND owner) const {
        return {0, operation, cbSize, Bits(owner), id, flags, WM_APP, Bits(icon)};
    }

    HWND tray_ = nullptr;
    std::vector<HICON> icons_;
    IconOwner owner_;
};

}  // namespace

TEST_F(TrayRobustnessTest, MalformedNotificationsAreIgnored) {
    const SIZE before = ClientSizeOf(tray_);
    const Header good = Record(kNimAdd, 88, 1, kNifIcon | kNifMessage, icons_[0], owner_.Get());

    for (DWORD size = 0; size < 12; ++size) SendUnreadable(1, &good, size);  // too short for a record
    SendUnreadable(1, nullptr, 0);
    for (ULONG_PTR id : {0ul, 2ul, 0xFFFFFFFFul}) SendUnreadable(id, &good, sizeof(good));  // foreign identifiers
    for (DWORD op : {3ul, 0x80000000ul, 0xFFFFFFFFul}) {
        Header bogus = good;
        bogus.operation = op;
        SendUnreadable(1, &bogus, sizeof(bogus));
    }
    // Icons that cannot be shown: none, null, one of another process, and
    // an owner that is not a window.
    for (Header h : {Record(kNimAdd, 88, 2, kNifMessage, icons_[0], owner_.Get()),
                     Record(kNimAdd, 88, 3, kNifIcon | kNifMessage, nullptr, owner_.Get()),
                     Record(kNimAdd, 88, 4, kNifIcon | kNifMessage, LoadIconA(nullptr, IDI_APPLICATION), owner_.Get()),
                     Record(kNimAdd, 88, 5, kNifIcon | kNifMessage, icons_[0], reinterpret_cast<HWND>(0x1234)),
                     Record(kNimAdd, 88, 6, kNifIcon, icons_[0], nullptr)})
        SendHostile(1, &h, sizeof(h));
    ExpectShellAnswers();
    PumpMessages(300);
    SIZE after = ClientSizeOf(tray_);
    EXPECT_EQ(after.cx, before.cx);
    EXPECT_EQ(after.cy, before.cy);

    // A cbSize that claims more than was sent: the record ends where the
    // data does, so the tip is empty rather than whatever lay beyond.
    for (DWORD claimed : {152ul, 1000ul, 0xFFFFFFFFul}) {
        Header h = Record(kNimAdd, claimed, 10 + claimed % 7, kNifIcon | kNifMessage | kNifTip, icons_[1],
                          owner_.Get());
        SendHostile(1, &h, sizeof(h));
    }
    ExpectShellAnswers();
    EXPECT_TRUE(WaitForClientSize(tray_, 2 + 4 * 18, 20));
    EXPECT_TRUE(WaitForCellColour(tray_, 3, 4, TestIconColour(1)));
}

TEST_F(TrayRobustnessTest, RandomBytesNeitherCrashNorHang) {
    std::mt19937 random(20240607);
    std::vector<BYTE> bytes(512);
    for (int round = 0; round < 3000; ++round) {
        const DWORD size = random() % bytes.size();
        for (BYTE& b : bytes) b = static_cast<BYTE>(random());
        // Every other block names a real operation, every fifth a plausible cbSize.
        if (round % 2 && size >= 8) SetWord(bytes, 4, static_cast<DWORD>(round % 3));
        if (round % 5 == 0 && size >= 12) SetWord(bytes, 8, random() % 160);
        EXPECT_TRUE(TrayAnswer(tray_, round % 7 ? 1 : round % 5, bytes.data(), size)) << "round " << round;
    }
    ExpectShellAnswers();
    // The tray still takes and shows icons.
    TrayIconData d;
    d.owner = owner_.Get();
    d.id = 77;
    d.flags = kNifIcon | kNifMessage;
    d.callback = WM_APP + 7;
    d.icon = icons_[2];
    ASSERT_TRUE(SendTrayNotification(tray_, kNimAdd, d));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, 2, TestIconColour(2)));
}

// Each icon holds a copy of its image: a program may keep 100, and the tray
// takes 500 in all; further adds are refused, as failed adds are.
TEST_F(TrayRobustnessTest, TenThousandIconsLeaveTheTrayWorking) {
    int taken = 0;
    for (UINT id = 1; id <= 10000; ++id) {
        const Header h = Record(kNimAdd, 88, id, kNifIcon | kNifMessage, icons_[id % 2], owner_.Get());
        if (SendTrayBytes(tray_, 1, &h, sizeof(h), 30000)) ++taken;
    }
    EXPECT_EQ(taken, 100);
    ExpectShellAnswers();
    RECT rc = {};
    GetWindowRect(tray_, &rc);
    EXPECT_LE(rc.right - rc.left, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(rc.bottom - rc.top, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_GE(rc.left, 0);
    EXPECT_GE(rc.top, 0);

    // The first icons still change at once and still answer clicks.
    const int columns = (ClientSizeOf(tray_).cx - 2) / 18;
    const Header modify = Record(kNimModify, 88, 1, kNifIcon, icons_[3], owner_.Get());
    ASSERT_TRUE(SendTrayBytes(tray_, 1, &modify, sizeof(modify)));
    EXPECT_TRUE(WaitForCellColour(tray_, 1, columns, TestIconColour(3)));
    owner_.Clear();
    const POINT p = CellCentre(tray_, 1, columns);
    Click(p.x, p.y);
    EXPECT_TRUE(owner_.WaitForEvent(
        [](const IconOwner::Event& e) { return e.message == WM_APP && e.wParam == 1 && e.lParam == WM_LBUTTONUP; },
        10000));
    ExpectShellAnswers();
}

TEST_F(TrayRobustnessTest, TheTrayTakesFiveHundredIconsInAll) {
    std::vector<std::unique_ptr<IconOwner>> owners;
    int taken = 0;
    for (int o = 0; o < 6; ++o) {
        owners.push_back(std::make_unique<IconOwner>());
        for (UINT id = 1; id <= 100; ++id) {
            const Header h = Record(kNimAdd, 88, id, kNifIcon, icons_[id % 2], owners.back()->Get());
            if (SendTrayBytes(tray_, 1, &h, sizeof(h), 30000)) ++taken;
        }
    }
    EXPECT_EQ(taken, 499);  // the shell's own icon is the 500th
    // A delete makes room for one more.
    const Header remove = Record(kNimDelete, 88, 1, 0, nullptr, owners[0]->Get());
    EXPECT_TRUE(SendTrayBytes(tray_, 1, &remove, sizeof(remove)));
    const Header again = Record(kNimAdd, 88, 100, kNifIcon, icons_[2], owners[5]->Get());
    EXPECT_TRUE(SendTrayBytes(tray_, 1, &again, sizeof(again)));
    const Header beyond = Record(kNimAdd, 88, 99, kNifIcon, icons_[2], owners[5]->Get());
    EXPECT_FALSE(SendTrayBytes(tray_, 1, &beyond, sizeof(beyond)));
    ExpectShellAnswers();
}
