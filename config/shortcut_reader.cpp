#include "shortcut_reader.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

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

}  // namespace

std::optional<Shortcut> ReadShortcut(const std::string& file) {
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Out()))))
        return std::nullopt;
    ComPtr<IPersistFile> persist;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(persist.Out())))) return std::nullopt;
    if (FAILED(persist->Load(Wide(file).c_str(), STGM_READ))) return std::nullopt;
    // Resolving may fail for a target that is gone; what the file holds is
    // still read.
    link->Resolve(nullptr, SLR_NO_UI | SLR_ANY_MATCH);
    Shortcut out;
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
    int show = 1;
    if (SUCCEEDED(link->GetShowCmd(&show))) out.showCommand = show;
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
