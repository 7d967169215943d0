#include "config_driver.h"

#include <cstdio>
#include <sstream>

#include "config_support.h"
#include "shell_driver.h"
#include "spy_client.h"

namespace holmtest {

namespace {

const Spy& ViewSpy() {
    static const Spy spy("viewspy.dll", "ViewSpyProc");
    return spy;
}

std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, sep)) parts.push_back(part);
    if (!line.empty() && line.back() == sep) parts.push_back("");
    return parts;
}

ConfigViewsSnapshot Parse(const std::string& listing) {
    ConfigViewsSnapshot snap;
    snap.read = !listing.empty();
    std::istringstream in(listing);
    std::string line;
    while (std::getline(in, line)) {
        if (line.size() < 2) continue;
        const std::string body = line.substr(2);
        if (line[0] == 'T') {
            const std::vector<std::string> p = Split(body, '|');
            if (p.size() < 6) continue;
            TreeNodeView n;
            n.depth = std::stoi(p[0]);
            n.image = std::stoi(p[1]);
            n.selectedImage = std::stoi(p[2]);
            n.selected = p[3] == "S";
            n.rect = ParseRect(p[4]);
            n.text = p[5];
            snap.nodes.push_back(n);
        } else if (line[0] == 'L') {
            const std::vector<std::string> p = Split(body, '|');
            if (p.size() < 9) continue;
            RowView r;
            r.image = std::stoi(p[0]);
            r.selected = p[1] == "S";
            r.rect = ParseRect(p[2]);
            for (int c = 0; c < 6; ++c) r.columns[c] = p[3 + c];
            snap.rows.push_back(r);
        } else if (line[0] == 'E') {
            snap.editingLabel = body == "1";
        } else if (line[0] == 'S') {
            snap.status = body;
        }
    }
    return snap;
}

}  // namespace

const TreeNodeView* ConfigViewsSnapshot::Node(const std::vector<std::string>& path) const {
    size_t depth = 0;
    for (const TreeNodeView& n : nodes) {
        if (n.depth < static_cast<int>(depth) - 1) return nullptr;  // left the subtree
        if (n.depth == static_cast<int>(depth) && depth < path.size() && n.text == path[depth]) {
            if (++depth == path.size()) return &n;
        }
    }
    return nullptr;
}

const RowView* ConfigViewsSnapshot::Row(const std::string& name) const {
    for (const RowView& r : rows)
        if (r.columns[0] == name) return &r;
    return nullptr;
}

std::vector<std::string> ConfigViewsSnapshot::RowNames() const {
    std::vector<std::string> names;
    for (const RowView& r : rows) names.push_back(r.columns[0]);
    return names;
}

ConfigProgram::~ConfigProgram() {
    if (process_) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
        CloseHandle(process_);
    }
}

bool ConfigProgram::Start() {
    const std::string exe = BinDir() + "\\HolmCfg.exe";
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + exe + "\"";
    // Under a loaded machine Wine has refused a start at once now and then;
    // a second try a moment later starts it, and the reason is kept.
    for (int attempt = 0;; ++attempt) {
        if (CreateProcessA(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, BinDir().c_str(), &si, &pi))
            break;
        std::fprintf(stderr, "HolmCfg.exe did not start: error %lu\n", GetLastError());
        if (attempt == 2) return false;
        Sleep(500);
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    return true;
}

HWND ConfigProgram::Form() const { return FindVisibleWindow(pid_, "TMainForm", nullptr); }

bool ConfigProgram::WaitShown(int timeoutMs) {
    return WaitFor([&] { return Form() != nullptr; }, timeoutMs) && WaitFor([&] { return ReadViews().read; }, 5000);
}

bool ConfigProgram::WaitExit(int timeoutMs) {
    return process_ && WaitForSingleObject(process_, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0;
}

ConfigViewsSnapshot ConfigProgram::ReadViews() const {
    HWND form = Form();
    if (!form) return ConfigViewsSnapshot();
    SpyAnswer listing;
    ViewSpy().Ask(form, "HolmTestReadViews", 0, &listing);
    return Parse(listing.Text());
}

bool ConfigProgram::DropFiles(const std::vector<std::string>& files, POINT at) const {
    HWND form = Form();
    if (!form) return false;
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);
    std::string list = std::to_string(at.x) + " " + std::to_string(at.y) + "\n";
    for (const std::string& f : files) list += f + "\n";
    WriteFileBytes(std::string(temp) + "holm_viewspy_drop.txt", list);
    return ViewSpy().Ask(form, "HolmTestDropFiles");
}

void TypeText(const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1) continue;
        PressKey(LOBYTE(scan), (HIBYTE(scan) & 1) != 0);
    }
}

POINT CenterOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

void ClickCenter(const RECT& rect, bool right) {
    const POINT p = CenterOf(rect);
    Click(p.x, p.y, right);
}

HWND FindDialogTitled(DWORD pid, const char* caption, int timeoutMs) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindVisibleWindow(pid, "#32770", caption)) != nullptr; }, timeoutMs);
    return found;
}

RECT ControlRect(HWND dialog, int id) {
    RECT rc = {};
    GetWindowRect(GetDlgItem(dialog, id), &rc);
    return rc;
}

std::string ControlText(HWND dialog, int id) {
    // GetWindowText does not ask a control of another process for its text.
    char text[512] = "";
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &ignored);
    return text;
}

bool WaitForPopupMenu(DWORD pid, int timeoutMs) {
    return WaitFor([&] { return FindVisibleWindow(pid, "#32768", nullptr) != nullptr; }, timeoutMs);
}

}  // namespace holmtest
