#include "config_support.h"

#include <commctrl.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>

#include "messages.h"
#include "registry.h"

namespace holmtest {

namespace {

std::wstring Wide(const std::string& text) {
    std::wstring out(text.size() + 1, L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], static_cast<int>(out.size()));
    out.resize(n > 0 ? n - 1 : 0);
    return out;
}

void DumpKey(HKEY key, const std::string& relative, std::vector<std::string>& out) {
    for (DWORD i = 0;; ++i) {
        char name[256];
        BYTE data[2048];
        DWORD nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        std::string line = relative + ":" + name + "=";
        if (type == REG_DWORD)
            line += "DWORD:" + std::to_string(*reinterpret_cast<DWORD*>(data));
        else if (type == REG_SZ)
            line += "SZ:" + std::string(reinterpret_cast<char*>(data), dataSize ? dataSize - 1 : 0);
        else
            line += "TYPE" + std::to_string(type);
        out.push_back(line);
    }
    for (const std::string& name : holm::SubkeyNames(key)) {
        const std::string sub = relative.empty() ? name : relative + "\\" + name;
        out.push_back(sub);
        HKEY child = nullptr;
        if (RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, &child) == ERROR_SUCCESS) {
            DumpKey(child, sub, out);
            RegCloseKey(child);
        }
    }
}

int g_answer = IDOK;
std::vector<int> g_answers;  // given in turn before g_answer

int Record(const char* text, const char* caption, UINT) {
    RecordedMessages().push_back({text, caption});
    const std::size_t turn = RecordedMessages().size() - 1;
    return turn < g_answers.size() ? g_answers[turn] : g_answer;
}

}  // namespace

void MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

std::string FreshTempFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + name;
    std::string doubleNull = folder + std::string(1, '\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = doubleNull.c_str();
    op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&op);
    MakeFolders(folder);
    return folder;
}

bool MakeShortcut(const std::string& file, const LinkFields& fields) {
    const size_t slash = file.find_last_of('\\');
    if (slash != std::string::npos) MakeFolders(file.substr(0, slash));
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    link->SetPath(fields.target.c_str());
    link->SetArguments(fields.arguments.c_str());
    link->SetWorkingDirectory(fields.workingDirectory.c_str());
    link->SetDescription(fields.description.c_str());
    link->SetShowCmd(fields.showCommand);
    link->SetHotkey(fields.hotkey);
    IPersistFile* persist = nullptr;
    bool saved = false;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        saved = SUCCEEDED(persist->Save(Wide(file).c_str(), TRUE));
        persist->Release();
    }
    link->Release();
    return saved;
}

std::vector<std::string> DumpUserTree(const std::string& path) {
    std::vector<std::string> out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return out;
    DumpKey(key, "", out);
    RegCloseKey(key);
    return out;
}

std::map<std::string, std::string> UserValues(const std::string& path) {
    std::map<std::string, std::string> values;
    for (const std::string& line : DumpUserTree(path)) {
        if (line.empty() || line[0] != ':') continue;
        const size_t eq = line.find('=');
        std::string data = line.substr(eq + 1);
        data = data.substr(data.find(':') + 1);
        values[line.substr(1, eq - 1)] = data;
    }
    return values;
}

void RecordMessages(int answer, const std::vector<int>& first) {
    g_answer = answer;
    g_answers = first;
    RecordedMessages().clear();
    setwise::SetMessageHandler(Record);
}

std::vector<ShownMessage>& RecordedMessages() {
    static std::vector<ShownMessage> messages;
    return messages;
}

ConfigViews::ConfigViews() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_TREEVIEW_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    parent_ = CreateWindowExA(0, "STATIC", "config views", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    tree_ = CreateWindowExA(0, WC_TREEVIEWA, nullptr, WS_CHILD | TVS_HASLINES | TVS_EDITLABELS, 0, 0, 200, 400,
                            parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    list_ = CreateWindowExA(0, WC_LISTVIEWA, nullptr, WS_CHILD | LVS_REPORT | LVS_SHOWSELALWAYS, 200, 0, 400, 400,
                            parent_, nullptr, GetModuleHandleA(nullptr), nullptr);
    for (int i = 0; i < 6; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        column.cx = 60;
        SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
}

ConfigViews::~ConfigViews() {
    setwise::SetMessageHandler(nullptr);
    DestroyWindow(parent_);
}

}  // namespace holmtest
