// Support for tests of the configuration program: shortcut files made
// through the system's shell link object, a dump of a registry tree, and
// the model's views in a hidden window of the test.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "test_files.h"

namespace holmtest {

struct LinkFields {
    std::string target;
    std::string arguments;
    std::string workingDirectory;
    std::string description;
    int showCommand = SW_SHOWNORMAL;
    WORD hotkey = 0;
};

// Writes a .lnk file (folders created as needed); false on failure.
bool MakeShortcut(const std::string& file, const LinkFields& fields);
// Creates every folder of `path`.
void MakeFolders(const std::string& path);
// A fresh empty folder under the temp folder.
std::string FreshTempFolder(const std::string& name);

// Every key and value below `path` of HKEY_CURRENT_USER, one line each:
// "key\sub" for keys (relative to `path`) and "key\sub:name=TYPE:data".
std::vector<std::string> DumpUserTree(const std::string& path);
// The values of one key: name -> text (REG_SZ) or the number in decimal.
std::map<std::string, std::string> UserValues(const std::string& path);

// Message boxes raised through the model, answered with `answer`.
struct ShownMessage {
    std::string text, caption;
};
// The first messages get the answers of `first`, in turn.
void RecordMessages(int answer, const std::vector<int>& first = {});
std::vector<ShownMessage>& RecordedMessages();

// A hidden window holding a tree view and a six-column report list view.
class ConfigViews {
public:
    ConfigViews();
    ConfigViews(const ConfigViews&) = delete;
    ConfigViews& operator=(const ConfigViews&) = delete;
    ~ConfigViews();
    HWND Tree() const { return tree_; }
    HWND List() const { return list_; }

private:
    HWND parent_ = nullptr, tree_ = nullptr, list_ = nullptr;
};

}  // namespace holmtest
