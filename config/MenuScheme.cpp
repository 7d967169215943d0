// The cloak chooser's state and what it reads and writes: cloak records in
// the registry, exported cloak files, and the files Delete removes.
#include "MenuScheme.h"

#include <fstream>

#include "cloak_install_rules.h"
#include "group_keys.h"
#include "holm_names.h"
#include "holm_values.h"
#include "messages.h"
#include "registry.h"
#include "win_handles.h"

namespace setwise {

namespace {

using holm::kCloaksKey;
using holm::values::kCloakTextBytes;
constexpr const char* kDefaultFace = holm::values::kDefaultCloakFont;
const char* const kColourValues[kCloakColourCount] = {holm::values::kCloakTextColour,
                                                      holm::values::kCloakDisabledTextColour,
                                                      holm::values::kCloakBorderColour};
const char* const kCursorValues[kCloakCursorCount] = {holm::values::kCloakHideCursor, holm::values::kCloakCloseCursor,
                                                      holm::values::kCloakKillCursor};
const holm::Colour kBuiltInColours[kCloakColourCount] = {{255, 255, 255}, {175, 175, 175}, {255, 255, 255}};

MenuSchemeState g_state;

std::string RecordKey(const std::string& name) { return std::string(kCloaksKey) + "\\" + name; }

bool Exists(HKEY key, const char* name) {
    return key && RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

// A value that exists but cannot be read as the menu library reads it
// (wrong type, too long) loads as what the menu library then uses.
void LoadText(HKEY record, const char* name, std::string& field, const char* fallback) {
    if (!Exists(record, name)) return;
    if (!holm::ReadText(record, name, field, kCloakTextBytes)) field = fallback;
}

void LoadStyle(HKEY record, const char* name, bool& field) {
    if (!Exists(record, name)) return;
    DWORD value = 0;
    field = holm::ReadNumber(record, name, value) && value != 0;
}

void LoadColour(HKEY record, CloakColour which) {
    std::string text;
    if (!Exists(record, kColourValues[which])) return;
    if (!holm::ReadText(record, kColourValues[which], text, kCloakTextBytes) ||
        !holm::ParseColourText(text, g_state.colours[which]))
        g_state.colours[which] = kBuiltInColours[which];
}

bool WriteText(HKEY key, const char* name, const std::string& value) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool WriteFlag(HKEY key, const char* name, bool on) {
    const DWORD value = on ? 1 : 0;
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool WriteRecord(HKEY record) {
    namespace v = holm::values;
    const MenuSchemeState& s = g_state;
    bool ok = WriteText(record, v::kCloakBackground, s.background) &&
              WriteText(record, v::kCloakSubmenuIcon, s.submenuIcon) && WriteText(record, v::kCloakFont, s.fontName) &&
              WriteFlag(record, v::kCloakUnderline, s.underline) && WriteFlag(record, v::kCloakItalics, s.italics) &&
              WriteFlag(record, v::kCloakBold, s.bold);
    for (int c = 0; ok && c < kCloakColourCount; ++c)
        ok = WriteText(record, kColourValues[c], holm::ColourText(s.colours[c]));
    for (int c = 0; ok && c < kCloakCursorCount; ++c) ok = WriteText(record, kCursorValues[c], s.cursors[c]);
    return ok;
}

// A name becomes a registry key below "Cloaks" and, when installed, a
// directory: it must be one plain name.
bool RefuseBadName(const std::string& name) {
    if (holm::IsSafeCloakName(name)) return false;
    const std::string text = name.empty() ? std::string("Please type a name for the cloak.")
                                          : "\"" + name +
                                                "\" cannot be the name of a cloak: it must not be empty, end in a dot "
                                                "or a blank, or hold any of \\ / : * ? \" < > |.";
    ShowMessage(text.c_str(), kCaptionShortError, MB_OK | MB_ICONERROR);
    return true;
}

holm::CloakExport ExportOfForm() {
    holm::CloakExport cloak;
    cloak.name = g_state.name;
    cloak.files[holm::kBackgroundSlot] = g_state.background;
    cloak.files[holm::kSubmenuIconSlot] = g_state.submenuIcon;
    cloak.files[holm::kHideCursorSlot] = g_state.cursors[kHideCursor];
    cloak.files[holm::kCloseCursorSlot] = g_state.cursors[kCloseCursor];
    cloak.files[holm::kKillCursorSlot] = g_state.cursors[kKillCursor];
    cloak.font = g_state.fontName;
    cloak.underline = g_state.underline;
    cloak.italics = g_state.italics;
    cloak.bold = g_state.bold;
    cloak.text = g_state.colours[kTextColour];
    cloak.disabledText = g_state.colours[kDisabledTextColour];
    cloak.border = g_state.colours[kBorderColour];
    return cloak;
}

// The cloak of the list that `name` names, as the list spells it (the
// registry does not tell letter case apart); empty when none.
std::string ListedName(const std::string& name) {
    for (const std::string& cloak : g_state.cloaks)
        if (lstrcmpiA(cloak.c_str(), name.c_str()) == 0) return cloak;
    return "";
}

// The five file values of the record as stored (the files are the record's,
// not whatever the form shows at the moment).
std::vector<std::string> RecordFiles(const std::string& name) {
    std::vector<std::string> files;
    holm::UniqueKey record = holm::OpenUserKey(RecordKey(name).c_str());
    for (const char* value : holm::kCloakFileKeys) {
        std::string path;
        if (holm::ReadText(record.Get(), value, path, kCloakTextBytes) && !path.empty()) files.push_back(path);
    }
    return files;
}

// Removes the cloak's own files; files the record names elsewhere stay and
// are listed for the user.
void RemoveOwnFiles(HWND owner, const std::string& name) {
    const std::string own = OwnCloakDirectory(name);
    const bool nameIsPlain = holm::IsSafeCloakName(name);
    std::string kept;
    for (const std::string& file : RecordFiles(name)) {
        if (nameIsPlain && holm::IsOwnCloakFile(file, own)) DeleteFileA(file.c_str());
        else if (holm::ComparablePath(file) != holm::ComparablePath(own)) kept += "\r\n" + file;
    }
    if (nameIsPlain) RemoveDirectoryA(own.c_str());  // only when nothing else is left in it
    if (!kept.empty()) {
        const std::string text = "These files lie outside the cloak's own directory \"" + own +
                                 "\" and were left on the disk:" + kept;
        ShowFormMessage(owner, text.c_str(), ("Deleting cloak:  " + name).c_str(), MB_OK | MB_ICONINFORMATION);
    }
}

void DeleteRecord(const std::string& name) {
    if (holm::UniqueKey record = holm::OpenUserKey(RecordKey(name).c_str(), KEY_SET_VALUE)) {
        for (const char* value : holm::kCloakFileKeys) RegDeleteValueA(record.Get(), value);
        for (const char* value : {holm::values::kCloakFont, holm::values::kCloakUnderline, holm::values::kCloakItalics, holm::values::kCloakBold}) RegDeleteValueA(record.Get(), value);
        for (const char* value : kColourValues) RegDeleteValueA(record.Get(), value);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, RecordKey(name).c_str());
}

bool WriteWholeFile(const std::string& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return !out.fail();
}

}  // namespace

MenuSchemeState& MenuSchemeForm() { return g_state; }

void MenuSchemeCreate() {
    holm::UniqueKey options = holm::OpenUserKey(kProductKey);
    g_state.name.clear();
    holm::ReadText(options.Get(), holm::values::kCloak, g_state.name, kCloakTextBytes);
    MenuSchemeFillList();
    if (!g_state.name.empty()) MenuSchemeLoad(g_state.name);
}

void MenuSchemeFillList() {
    g_state.cloaks.clear();
    holm::UniqueKey key = holm::CreateUserKey(kCloaksKey, KEY_READ);
    g_state.cloaks = holm::SubkeyNames(key.Get());
}

void MenuSchemeLoad(const std::string& name) {
    g_state.name = name;
    holm::UniqueKey record = holm::OpenUserKey(RecordKey(name).c_str());
    const HKEY r = record.Get();
    LoadText(r, holm::values::kCloakBackground, g_state.background, "");
    LoadText(r, holm::values::kCloakSubmenuIcon, g_state.submenuIcon, "");
    LoadStyle(r, holm::values::kCloakUnderline, g_state.underline);
    LoadStyle(r, holm::values::kCloakItalics, g_state.italics);
    LoadStyle(r, holm::values::kCloakBold, g_state.bold);
    for (int c = 0; c < kCloakColourCount; ++c) LoadColour(r, static_cast<CloakColour>(c));
    for (int c = 0; c < kCloakCursorCount; ++c) {
        g_state.cursors[c].clear();
        LoadText(r, kCursorValues[c], g_state.cursors[c], "");
    }
    if (Exists(r, holm::values::kCloakFont)) {
        LoadText(r, holm::values::kCloakFont, g_state.fontName, kDefaultFace);
        g_state.face = g_state.fontName;
    } else {
        g_state.fontName = "None";
        g_state.face = kDefaultFace;
    }
}

bool MenuSchemeSave() {
    if (RefuseBadName(g_state.name)) return false;
    holm::UniqueKey options = holm::CreateUserKey(kProductKey, KEY_SET_VALUE);
    holm::UniqueKey record = holm::CreateUserKey(RecordKey(g_state.name).c_str(), KEY_SET_VALUE);
    const bool saved = options && WriteText(options.Get(), holm::values::kCloak, g_state.name) && record && WriteRecord(record.Get());
    if (!saved)
        ShowMessage(("The cloak \"" + g_state.name + "\" could not be written to the registry.").c_str(),
                    kCaptionShortError, MB_OK | MB_ICONERROR);
    MenuSchemeFillList();
    return saved;
}

bool MenuSchemeExport(const std::string& file) {
    if (RefuseBadName(g_state.name)) return false;
    const std::string directory = holm::DirectoryOf(file);
    if (directory.empty()) return false;
    DeleteFileA(file.c_str());
    const holm::CloakExport cloak = ExportOfForm();
    std::vector<std::string> refused;
    const std::vector<std::string> names = holm::ExportFileNames(cloak, &refused);
    for (int slot = 0; slot < holm::kCloakFileSlotCount; ++slot)
        if (!names[slot].empty()) CopyFileA(cloak.files[slot].c_str(), (directory + names[slot]).c_str(), FALSE);
    if (!WriteWholeFile(file, holm::ExportText(cloak, names))) {
        ShowMessage(("The cloak file \"" + file + "\" could not be written.").c_str(), kCaptionShortError,
                    MB_OK | MB_ICONERROR);
        return false;
    }
    if (!refused.empty()) {
        std::string text = "These paths do not name a file and were left out of the cloak file:";
        for (const std::string& path : refused) text += "\r\n" + path;
        ShowMessage(text.c_str(), kCaptionWarning, MB_OK | MB_ICONWARNING);
    }
    return true;
}

bool MenuSchemeDelete(HWND owner) {
    const std::string name = ListedName(g_state.name);
    if (name.empty()) {
        ShowFormMessage(owner, ("Cloak \"" + g_state.name + "\" doesn't exist!").c_str(), "Error deleting cloak",
                        MB_OK | MB_ICONERROR);
        return false;
    }
    const std::string question = "Are you sure you want to delete \"" + name +
                                 "\"?\r\n\r\n(Note:  This won't necessarily delete the files from the disk)";
    if (ShowFormMessage(owner, question.c_str(), "Delete cloak?", MB_YESNO | MB_ICONWARNING) == IDNO) return false;
    if (ShowFormMessage(owner, "Remove cloak from disk, too?", ("Deleting cloak:  " + name).c_str(),
                        MB_YESNO | MB_ICONWARNING) == IDYES)
        RemoveOwnFiles(owner, name);
    DeleteRecord(name);
    MenuSchemeFillList();
    return true;
}

std::string CloakDirectory() {
    std::string dir;
    holm::UniqueKey options = holm::OpenUserKey(kProductKey);
    if (holm::ReadText(options.Get(), holm::values::kCloakDir, dir, kCloakTextBytes) && !dir.empty()) return dir;
    char program[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, program, sizeof(program));
    return holm::DirectoryOf(program) + "Cloaks";
}

std::string OwnCloakDirectory(const std::string& name) { return CloakDirectory() + "\\" + name; }

}  // namespace setwise
