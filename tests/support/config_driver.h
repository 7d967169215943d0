// Drives the real HolmCfg.exe from a test in the same Wine desktop: starts
// it, reads its tree and list through the view spy, types and clicks.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace holmtest {

struct TreeNodeView {
    int depth = 0, image = 0, selectedImage = 0;
    bool selected = false;
    RECT rect = {};
    std::string text;
};

struct RowView {
    int image = 0;
    bool selected = false;
    RECT rect = {};
    std::string columns[6];  // Name, Type, Target, Start In, Shortcut, Run Style
};

struct ConfigViewsSnapshot {
    bool read = false;
    std::vector<TreeNodeView> nodes;
    std::vector<RowView> rows;
    bool editingLabel = false;
    std::string status;
    // The node reached by these texts from the root ("Init Menu" first).
    const TreeNodeView* Node(const std::vector<std::string>& path) const;
    const RowView* Row(const std::string& name) const;
    std::vector<std::string> RowNames() const;
};

class ConfigProgram {
public:
    ConfigProgram() = default;
    ConfigProgram(const ConfigProgram&) = delete;
    ConfigProgram& operator=(const ConfigProgram&) = delete;
    ~ConfigProgram();  // ends the program if it still runs

    bool Start();
    // Waits for the main window to be visible.
    bool WaitShown(int timeoutMs = 20000);
    bool WaitExit(int timeoutMs = 10000);
    DWORD Pid() const { return pid_; }
    HWND Form() const;
    ConfigViewsSnapshot ReadViews() const;
    // Hands files to the window as a drop from the shell at (x, y).
    bool DropFiles(const std::vector<std::string>& files, POINT at) const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Real input.
void TypeText(const std::string& text);
void ClickCenter(const RECT& rect, bool right = false);
POINT CenterOf(const RECT& rect);
// The dialog of the process with this caption (visible), or null.
HWND FindDialogTitled(DWORD pid, const char* caption, int timeoutMs = 5000);
// A control's screen rectangle.
RECT ControlRect(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
// Waits for a popup menu of the process to open.
bool WaitForPopupMenu(DWORD pid, int timeoutMs = 5000);

}  // namespace holmtest
