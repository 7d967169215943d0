// session_driver.exe CASE REPORT: run by commands_session_end.sh inside a
// Wine prefix and server of its own, which the run may lose. It starts the shell
// and a witness program, gives the shell one command that ends the session
// (or the shell) and answers its question. Cases:
//   logoff-yes logoff-no shutdown-yes shutdown-no reboot-yes reboot-no:
//     prints ANSWERED as it answers the question; a session that is still
//     there 30 s later prints SURVIVED and fails.
//   exit, explorer: the shell must end with exit code 0 while the session
//     goes on (explorer: a new Explorer is started); prints PASS.
//   check: fails when the shell or the witness from before is still running.
// Each line goes to the REPORT file, written and closed at once: an ending
// session kills this program, and output still on its way through Wine's
// console would be lost with it.
#include <windows.h>
#include <tlhelp32.h>

#include <cstring>
#include <set>
#include <string>

#include "shell_driver.h"
#include "test_ids.h"

using namespace holmtest;

namespace {

constexpr char kWitness[] = "WL Witness";

struct SessionCase {
    const char* name;
    int hotkey;
    const char* caption;
    int answer;
};

const SessionCase kSessionCases[] = {
    {"logoff-yes", kHotkeyLogoff, "HOLM - Logoff", IDYES},
    {"logoff-no", kHotkeyLogoff, "HOLM - Logoff", IDNO},
    {"shutdown-yes", kHotkeyShutdown, "HOLM - Shutdown", IDYES},
    {"shutdown-no", kHotkeyShutdown, "HOLM - Shutdown", IDNO},
    {"reboot-yes", kHotkeyReboot, "HOLM - Reboot", IDYES},
    {"reboot-no", kHotkeyReboot, "HOLM - Reboot", IDNO},
};

const char* g_report = nullptr;

void Say(const std::string& line) {
    HANDLE file = CreateFileA(g_report, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

int Fail(const char* what) {
    Say(std::string("FAIL ") + what);
    return 1;
}

bool StartShellAndWitness(ShellProcess& shell, HANDLE& witness) {
    ResetHolmRegistry();
    WriteMinimalConfiguration();
    if (!shell.Start() || !shell.WaitReady()) return false;
    DWORD pid = 0;
    witness = StartWindowOwner(kWitness, &pid);
    return witness && WaitFor([&] { return FindProcessWindow(pid, kWitness) != nullptr; }, 10000);
}

int EndSession(const SessionCase& c) {
    ShellProcess shell;
    HANDLE witness = nullptr;
    if (!StartShellAndWitness(shell, witness)) return Fail("start");
    if (!PostHotkey(shell, c.hotkey)) return Fail("hotkey");
    MessageBoxInfo box = WaitForMessageBox(shell.Pid(), 10000);
    if (!box.hwnd) return Fail("no question");
    if (box.caption != c.caption) return Fail(box.caption.c_str());
    // Said before the answer goes: an ending session may take this program
    // with it at once.
    Say(std::string("ANSWERED ") + c.name);
    AnswerMessageBox(box.hwnd, c.answer);
    const bool ended =
        WaitFor([&] { return !shell.Running() && WaitForSingleObject(witness, 0) == WAIT_OBJECT_0; }, 30000, 200);
    Say(ended ? "ENDED" : "SURVIVED");
    return ended ? 0 : 3;
}

int ExitShell() {
    ShellProcess shell;
    HANDLE witness = nullptr;
    if (!StartShellAndWitness(shell, witness)) return Fail("start");
    if (!PostCommand(shell, holm::kCmdExit)) return Fail("command");
    if (!shell.WaitExit(10000)) return Fail("the shell did not end");
    if (shell.ExitCode() != 0) return Fail("exit code");
    Sleep(1000);
    if (WaitForSingleObject(witness, 0) == WAIT_OBJECT_0) return Fail("the session ended too");
    Say("PASS exit");
    return 0;
}

int SwitchToExplorer() {
    ShellProcess shell;
    HANDLE witness = nullptr;
    if (!StartShellAndWitness(shell, witness)) return Fail("start");
    const std::set<DWORD> before = ProcessesNamed("explorer.exe");
    if (!PostCommand(shell, holm::kCmdSwitchToExplorer)) return Fail("command");
    MessageBoxInfo box = WaitForMessageBox(shell.Pid(), 10000);
    if (!box.hwnd || box.text != "Are you sure you want to switch to Explorer?") return Fail("no question");
    AnswerMessageBox(box.hwnd, IDYES);
    if (!shell.WaitExit(10000)) return Fail("the shell did not end");
    if (shell.ExitCode() != 0) return Fail("exit code");
    const bool started = WaitFor(
        [&] {
            for (DWORD pid : ProcessesNamed("explorer.exe"))
                if (!before.count(pid)) return true;
            return false;
        },
        10000);
    if (!started) return Fail("Explorer was not started");
    if (WaitForSingleObject(witness, 0) == WAIT_OBJECT_0) return Fail("the session ended");
    Say("PASS explorer");
    return 0;
}

int CheckSessionEnded() {
    if (!ProcessesNamed("holm.exe").empty()) return Fail("the shell still runs");
    if (!ProcessesNamed("window_owner.exe").empty()) return Fail("the witness still runs");
    Say("PASS check");
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const char* name = argv[1];
    g_report = argv[2];
    for (const SessionCase& c : kSessionCases)
        if (std::strcmp(name, c.name) == 0) return EndSession(c);
    if (std::strcmp(name, "exit") == 0) return ExitShell();
    if (std::strcmp(name, "explorer") == 0) return SwitchToExplorer();
    if (std::strcmp(name, "check") == 0) return CheckSessionEnded();
    return 2;
}
