#include "shortcut_reader.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "win_handles.h"

namespace setwise {

namespace {

// Owns one COM interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { if (p_) p_->Release(); }
    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

std::wstring Wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> buffer(n > 0 ? n : 1);
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer.data(), static_cast<int>(buffer.size()));
    return buffer.data();
}

// Some shell link objects (Wine's) report every loaded link as shown
// normally; the file's header holds the show command it was saved with.
int StoredShowCommand(const std::string& file, int fallback) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return fallback;
    holm::UniqueKernelHandle owner(h);
    DWORD header[0x4C / 4] = {};
    DWORD got = 0;
    if (!ReadFile(h, header, sizeof(header), &got, nullptr) || got != sizeof(header) || header[0] != 0x4C)
        return fallback;
    const int show = static_cast<int>(header[0x3C / 4]);
    return show == SW_SHOWMAXIMIZED || show == SW_SHOWMINNOACTIVE ? show : fallback;
}

}  // namespace

std::optional<Shortcut> ReadShortcut(const std::string& file) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Out()))))
        return std::nullopt;
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.Out())))) return std::nullopt;
    if (FAILED(persist->Load(Wide(file).c_str(), STGM_READ))) return std::nullopt;
    Shortcut out;
    // Resolving may fail for a target that is gone; what the file holds is
    // still read.
    link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH);
    char text[MAX_PATH];
    const auto take = [&](HRESULT hr) { return SUCCEEDED(hr) ? std::string(text) : std::string(); };
    text[0] = '\0';
    out.workingDirectory = take(link->GetWorkingDirectory(text, MAX_PATH));
    text[0] = '\0';
    out.path = take(link->GetPath(text, MAX_PATH, nullptr, SLGP_UNCPRIORITY));
    int icon = 0;
    text[0] = '\0';
    out.iconLocation = take(link->GetIconLocation(text, MAX_PATH, &icon));
    text[0] = '\0';
    out.description = take(link->GetDescription(text, MAX_PATH));
    int show = SW_SHOWNORMAL;
    if (SUCCEEDED(link->GetShowCmd(&show))) out.showCommand = show;
    if (show == SW_SHOWNORMAL) out.showCommand = StoredShowCommand(file, show);
    WORD hotkey = 0;
    if (SUCCEEDED(link->GetHotkey(&hotkey))) out.hotkey = hotkey;
    text[0] = '\0';
    out.arguments = take(link->GetArguments(text, MAX_PATH));
    if (out.path.empty()) return std::nullopt;  // nothing to start
    return out;
}

std::string QuotedWhenBlank(const std::string& path) {
    return path.find(' ') != std::string::npos ? "\"" + path + "\"" : path;
}

std::string TargetWithArguments(const Shortcut& link) { return QuotedWhenBlank(link.path) + " " + link.arguments; }

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string ExtensionOf(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? "" : name.substr(dot + 1);
}

std::string WithoutExtension(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace setwise
