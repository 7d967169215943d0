#include "shell_fixture.h"

namespace holmtest {

void ShellTest::SetUp() {
    KillStrayShells();
    ResetHolmRegistry();
    WriteMinimalConfiguration();
}

void ShellTest::TearDown() {
    if (shell_.Running()) DismissMenus(shell_.Pid());
    KillStrayShells();
    for (HANDLE helper : helpers_) {
        TerminateProcess(helper, 0);
        WaitForSingleObject(helper, 5000);
        CloseHandle(helper);
    }
    helpers_.clear();
    ClearShellWindowsVersion();
}

void ShellTest::StartShell(const std::string& arguments) {
    ASSERT_TRUE(shell_.Start(arguments));
    ASSERT_TRUE(shell_.WaitReady());
}

void ShellTest::RestartShell() {
    ASSERT_TRUE(shell_.Stop());
    StartShell();
}

MenuSnapshot ShellTest::OpenMenu(int x, int y, bool right, int timeoutMs) {
    WaitOutDoubleClick(right);
    Click(x, y, right);
    return WaitForMenu(shell_, timeoutMs);
}

void ShellTest::Dismiss() { ASSERT_TRUE(DismissMenus(shell_.Pid())); }

bool ShellTest::Choose(const MenuSnapshot& menu, const std::vector<std::string>& path) {
    if (!SelectMenuEntry(menu, path)) return false;
    PressKey(VK_RETURN);
    return true;
}

bool ShellTest::ExpectMessage(const char* caption, const std::string& text, int button, int timeoutMs) {
    const MessageBoxInfo box = WaitForMessageBox(shell_.Pid(), timeoutMs);
    if (!box.hwnd) {
        ADD_FAILURE() << "no message: " << text;
        return false;
    }
    if (caption) {
        EXPECT_EQ(box.caption, caption);
    }
    EXPECT_EQ(box.text, text);
    AnswerMessageBox(box.hwnd, button);
    WaitFor([&] { return !IsWindow(box.hwnd); }, 5000);
    return true;
}

HANDLE ShellTest::StartHelper(const char* exe, const std::string& arguments, DWORD* pid) {
    HANDLE helper = StartBinProgram(exe, arguments, pid);
    if (helper) helpers_.push_back(helper);
    return helper;
}

HANDLE ShellTest::StartWindowsProgram(const char* exe, DWORD* pid) {
    char windows[MAX_PATH] = "";
    GetWindowsDirectoryA(windows, sizeof(windows));
    HANDLE program = StartProgramIn(windows, exe, "", pid);
    if (program) helpers_.push_back(program);
    return program;
}

HANDLE ShellTest::StartWindowOwnerShowing(const std::string& title, DWORD* pid) {
    DWORD started = 0;
    HANDLE owner = StartHelper("window_owner.exe", title, &started);
    if (pid) *pid = started;
    const bool shown = owner && WaitFor([&] { return FindProcessWindow(started, title.c_str()) != nullptr; }, 10000);
    return shown ? owner : nullptr;
}

namespace {

bool FocusInEdit(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    char cls[16] = "";
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) && info.hwndActive == window &&
           info.hwndFocus && GetClassNameA(info.hwndFocus, cls, sizeof(cls)) && lstrcmpiA(cls, "Edit") == 0;
}

}  // namespace

DWORD ShellTest::PutInFront(const std::string& command, const char* title) {
    DWORD pid = 0;
    HANDLE program = StartCommandLine(command, &pid);
    if (!program) return 0;
    helpers_.push_back(program);
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = FindVisibleWindow(pid, nullptr, title)) != nullptr; }, 10000)) return 0;
    const bool inFront = WaitFor(
        [&] {
            if (GetForegroundWindow() != window) SetForegroundWindow(window);
            return GetForegroundWindow() == window && FocusInEdit(window);
        },
        5000, 100);
    return inFront ? pid : 0;
}

DWORD ShellTest::PutEditorInFront(const std::string& title) {
    return PutInFront("\"" + BinDir() + "\\window_owner.exe\" /edit " + title, title.c_str());
}

bool ShellTest::Reload(int timeoutMs) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(shell_.MainWindow(), WM_COMMAND, holm::kCmdReload, 0, SMTO_ABORTIFHUNG,
                               static_cast<UINT>(timeoutMs), &ignored) != 0;
}

HWND ShellTest::WaitForTray(int timeoutMs) const {
    HWND tray = nullptr;
    WaitFor([&] { return (tray = FindWindowA(holm::kTrayIconsClass, holm::kTrayTitle)) != nullptr; }, timeoutMs);
    return tray;
}

}  // namespace holmtest
