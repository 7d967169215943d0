// Folder monitors of the real holm.exe: a change in a watched folder marks
// its entry in the menu on screen, choosing it opens the folder and clears
// the mark, a missing folder is reported and grayed, and every watcher
// thread ends at each reload and at the end.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>

#include <set>
#include <string>

#include "shell_fixture.h"

using namespace holmtest;

namespace {

int ThreadsOf(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == pid) ++count;
    CloseHandle(snapshot);
    return count;
}

void Monitor(const char* label, const std::string& folder) {
    WriteStoreItem("", label, "***HOLM Special: MonitorPath: " + folder);
}

class MonitorTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        WriteOption("UseCustomMenus", 0);
        GetDesktopWindow();  // Wine's desktop process runs from here on
        explorers_ = ProcessesNamed("explorer.exe");
    }
    void TearDown() override {
        ShellTest::TearDown();
        EndStartedExplorers();
    }
    void EndStartedExplorers() {
        for (DWORD pid : ProcessesNamed("explorer.exe")) {
            if (explorers_.count(pid)) continue;
            HANDLE started = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
            if (!started) continue;
            TerminateProcess(started, 0);
            WaitForSingleObject(started, 5000);
            CloseHandle(started);
        }
    }
    MenuEntry EntryOnScreen(const std::string& text) {
        MenuSnapshot menu = OpenInitMenu();
        const MenuEntry* entry = menu.Find(text);
        MenuEntry copy = entry ? *entry : MenuEntry();
        DismissMenus(shell_.Pid());
        return copy;
    }

    std::set<DWORD> explorers_;
};

}  // namespace

TEST_F(MonitorTest, AChangeMarksTheEntryAndOpeningTheFolderClearsIt) {
    const std::string folder = TempFolder("holm-watched"), sub = folder + "\\sub";
    DeleteFileA((folder + "\\new.txt").c_str());
    DeleteFileA((sub + "\\new.txt").c_str());
    RemoveDirectoryA(sub.c_str());
    Monitor("Watched", folder);
    StartShell();
    EXPECT_FALSE(EntryOnScreen("Watched").Has('C'));

    ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
    EXPECT_TRUE(WaitFor([&] { return EntryOnScreen("Watched").Has('C'); }, 5000, 500));

    ASSERT_TRUE(OpenInitMenu().open);
    ASSERT_TRUE(ClickMenuEntry(shell_, "Watched"));
    EXPECT_TRUE(WaitFor([&] { return ProcessesNamed("explorer.exe").size() > explorers_.size(); }, 5000))
        << "the folder was not opened";
    Sleep(300);
    EXPECT_FALSE(EntryOnScreen("Watched").Has('C'));
    EndStartedExplorers();

    // A new file in the subfolder marks the entry again. (Under Wine a folder
    // window open on the watched folder keeps later changes from other
    // watchers, so the window is closed first.)
    HANDLE file = CreateFileA((sub + "\\new.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(WaitFor([&] { return EntryOnScreen("Watched").Has('C'); }, 5000, 500));
}

TEST_F(MonitorTest, AMissingFolderIsReportedAndItsEntryGrayed) {
    Monitor("Gone", "C:\\holm-no-such-folder");
    ASSERT_TRUE(shell_.Start());
    ASSERT_TRUE(ExpectMessage("HOLM", "Cannot monitor \"C:\\holm-no-such-folder\""));
    ASSERT_TRUE(shell_.WaitReady());
    const MenuEntry gone = EntryOnScreen("Gone");
    EXPECT_EQ(gone.text, "Gone");
    EXPECT_TRUE(gone.Has('G'));
}

TEST_F(MonitorTest, EveryWatcherEndsAtEachReloadAndAtTheEnd) {
    Monitor("One", TempFolder("holm-watch-1"));
    Monitor("Two", TempFolder("holm-watch-2"));
    Monitor("Three", TempFolder("holm-watch-3"));
    StartShell();
    ASSERT_TRUE(Reload());
    const int first = ThreadsOf(shell_.Pid());
    for (int i = 0; i < 199; ++i) ASSERT_TRUE(Reload()) << i;
    EXPECT_LE(ThreadsOf(shell_.Pid()), first);
    // The watchers still see changes after all those reloads.
    CloseHandle(CreateFileA((TempFolder("holm-watch-2") + "\\x.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
    EXPECT_TRUE(WaitFor([&] { return EntryOnScreen("Two").Has('C'); }, 5000, 500));
    const MenuEntry one = EntryOnScreen("One");
    EXPECT_EQ(one.text, "One");
    EXPECT_FALSE(one.Has('C'));
    ASSERT_TRUE(shell_.Stop());
    EXPECT_EQ(shell_.ExitCode(), 0u);
}
