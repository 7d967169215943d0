#include "config_file.h"

#include <windows.h>

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "RegUnit.h"
#include "group_keys.h"
#include "messages.h"
#include "reg_file.h"
#include "registry.h"
#include "win_handles.h"
#include "window_util.h"

namespace setwise {

namespace {

using holm::regfile::Section;
using holm::regfile::Value;

constexpr char kKeptMenu[] = "Init Menu (kept while opening)";
constexpr DWORD kImportTimeoutMs = 120000;
constexpr std::streamoff kLargestFile = 64 * 1024 * 1024;

// The key's text and number values in enumeration order (a string's data
// ends at its first NUL); other types are left out.
std::vector<Value> ValuesOf(HKEY key) {
    std::vector<Value> values;
    for (const RawValue& raw : RawValues(key)) {
        Value v;
        v.name = raw.name;
        if (raw.type == REG_SZ) {
            v.text.assign(raw.data.begin(), raw.data.end());
            v.text.resize(v.text.find('\0') == std::string::npos ? v.text.size() : v.text.find('\0'));
        } else if (raw.type == REG_DWORD && raw.data.size() == sizeof(DWORD)) {
            v.type = Value::Type::Dword;
            v.number = *reinterpret_cast<const DWORD*>(raw.data.data());
        } else {
            continue;
        }
        values.push_back(v);
    }
    return values;
}

// ExportKey: the key's section, then the sections of its subkeys, depth first.
void ExportKey(const std::string& path, std::string& out) {
    Section section;
    section.path = path;
    holm::UniqueKey key = holm::OpenUserKey(path.c_str(), KEY_READ);
    if (key) section.values = ValuesOf(key.Get());
    out += holm::regfile::SectionText(section);
    if (!key) return;
    for (const std::string& name : holm::SubkeyNames(key.Get())) ExportKey(path + "\\" + name, out);
}

bool ReadWholeFile(const std::string& file, std::string& bytes) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kLargestFile) return false;
    in.seekg(0);
    bytes.assign(static_cast<size_t>(size), '\0');
    return static_cast<bool>(in.read(&bytes[0], size));
}

// The system's own registry editor, never one found by searching.
std::string RegistryEditorPath() {
    char windows[MAX_PATH] = "";
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return "";
    std::string path(windows, n);
    if (path.back() != '\\') path += '\\';
    return path + "regedit.exe";
}

// A file of our own that holds exactly `bytes`: what regedit reads is what was checked.
std::string PrivateCopy(const std::string& bytes) {
    char folder[MAX_PATH] = "", file[MAX_PATH] = "";
    const DWORD n = GetTempPathA(MAX_PATH, folder);
    if (n == 0 || n >= MAX_PATH || !GetTempFileNameA(folder, "hcf", 0, file)) return "";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (out) out.close();
    if (out) return file;
    DeleteFileA(file);
    return "";
}

bool RunRegistryEditor(const std::string& bytes) {
    const std::string editor = RegistryEditorPath();
    const std::string file = PrivateCopy(bytes);
    if (editor.empty() || file.empty()) return false;
    std::string command = "\"" + editor + "\" /s \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process = {};
    const bool started = CreateProcessA(editor.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process) != FALSE;
    bool ended = false;
    if (started) {
        holm::UniqueKernelHandle thread(process.hThread), handle(process.hProcess);
        ended = holm::WaitKeepingWindowsAlive(handle.Get(), kImportTimeoutMs);
    }
    // An editor still running may still read the copy: it stays then.
    if (!started || ended) DeleteFileA(file.c_str());
    return ended;
}

std::string Lowered(std::string text) {
    if (!text.empty()) CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Whether the registry now holds every value of the file (the last of
// several values of one name counts).
bool RegistryHolds(const std::vector<Section>& sections) {
    std::map<std::string, std::pair<std::string, Value>> expected;
    for (const Section& s : sections) {
        expected.emplace(Lowered(s.path), std::make_pair(s.path, Value()));  // the key itself
        for (const Value& v : s.values) expected[Lowered(s.path) + "\n" + Lowered(v.name)] = {s.path, v};
    }
    for (const auto& entry : expected) {
        holm::UniqueKey key = holm::OpenUserKey(entry.second.first.c_str(), KEY_READ);
        if (!key) return false;
        if (entry.first.find('\n') == std::string::npos) continue;
        const Value& want = entry.second.second;
        bool found = false;
        for (const Value& have : ValuesOf(key.Get()))
            if (Lowered(have.name) == Lowered(want.name))
                found = have.type == want.type && have.text == want.text && have.number == want.number;
        if (!found) return false;
    }
    return true;
}

// The settings that start programs or move the cloaks that the file would
// change, one line each; empty when it changes none of them.
std::string ChangedSettings(const std::vector<Section>& sections) {
    std::string lines;
    for (const char* name : {values::kStartupGroupName, values::kCloakDir}) {
        const std::string now = ReadProductText(name);
        for (const Section& s : sections) {
            if (Lowered(s.path) != Lowered(kProductKey)) continue;
            for (const Value& v : s.values)
                if (Lowered(v.name) == Lowered(name) && v.type == Value::Type::String && v.text != now)
                    lines += std::string("\r\n") + name + ": \"" + v.text + "\" (now \"" + now + "\")";
        }
    }
    return lines;
}

void PutKeptMenuBack() {
    DeleteGroupTree(kRootGroup);
    CopyGroupTree(kKeptMenu, kRootGroup);
    CreateGroupKeyAt(kRootGroup);
}

}  // namespace

bool SaveConfiguration(const std::string& file, std::string& error) {
    std::string text = holm::regfile::FileHeader();
    ExportKey(kProductKey, text);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (out) out.close();
    if (!out) {
        error = "I/O error: the configuration could not be written to \"" + file + "\".";
        return false;
    }
    return true;
}

OpenOutcome OpenConfiguration(const std::string& file, std::string& message) {
    std::string bytes;
    if (!ReadWholeFile(file, bytes)) {
        message = "The file \"" + file + "\" cannot be read.";
        return OpenOutcome::Refused;
    }
    const holm::regfile::ReadResult read =
        holm::regfile::ReadFile(bytes, kProductKey, GroupKeyOf(kRootGroup));
    if (!read.ok) {
        message = "The file \"" + file + "\" is no configuration of Setwise for HOLM and was not opened (" +
                  read.error + "). Nothing was changed.";
        return OpenOutcome::Refused;
    }
    const std::string changes = ChangedSettings(read.sections);
    if (!changes.empty() &&
        ShowMessage(("The file \"" + file + "\" changes the start-up group run at logon or the cloak directory:\r\n" +
                     changes + "\r\n\r\nOpen it all the same?")
                        .c_str(),
                    kCaptionWarning, MB_YESNO | MB_ICONWARNING) != IDYES)
        return OpenOutcome::Declined;
    DeleteGroupTree(kKeptMenu);
    if (!CopyGroupTree(kRootGroup, kKeptMenu)) CreateGroupKeyAt(kKeptMenu);
    DeleteGroupTree(kRootGroup);
    CreateGroupKey(kRootGroup);
    const bool imported = RunRegistryEditor(bytes) && RegistryHolds(read.sections);
    if (!imported) PutKeptMenuBack();
    DeleteGroupTree(kKeptMenu);
    if (!imported) {
        message = "The registry editor could not import \"" + file + "\". The Init Menu is as it was.";
        return OpenOutcome::ImportFailed;
    }
    return OpenOutcome::Loaded;
}

}  // namespace setwise
