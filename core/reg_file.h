// Configuration files in the registry editor's version 4 text format: the
// writer's lines, and the reader that checks a file from outside before the
// registry editor is let to import it. Pure logic: no Windows headers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace holm::regfile {

constexpr char kUserRoot[] = "HKEY_CURRENT_USER";

struct Value {
    enum class Type { String, Dword };
    std::string name;  // empty: the key's default value
    Type type = Type::String;
    std::string text;
    std::uint32_t number = 0;
};

struct Section {
    std::string path;  // below HKEY_CURRENT_USER, without a closing backslash
    std::vector<Value> values;
};

// The first line of every file, with its line end.
std::string FileHeader();
// An empty line, the key's header line (its path closed by a backslash) and
// one line per value; every line ends in CR LF.
std::string SectionText(const Section& section);
// Backslashes doubled, double quotes, CR and LF escaped.
std::string Escaped(const std::string& text);

struct ReadResult {
    bool ok = false;
    std::string error;  // what is wrong, with the line number
    std::vector<Section> sections;
};

// Reads a whole file. It is accepted only when it is the kind of file the
// writer makes: "REGEDIT4" first, then comments, empty lines, key headers
// and string or dword values; every key at or below `allowedRoot` (a path
// below HKEY_CURRENT_USER, compared without regard to case); and a section
// for `requiredKey`.
ReadResult ReadFile(const std::string& bytes, const std::string& allowedRoot, const std::string& requiredKey);

// Whether `path` is `root` or lies below it, ignoring ASCII case.
bool IsAtOrBelow(const std::string& path, const std::string& root);

}  // namespace holm::regfile
