#include "reg_file.h"

#include <cstdio>

namespace holm::regfile {

namespace {

constexpr char kCrLf[] = "\r\n";

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

std::string Quoted(const std::string& text) { return "\"" + Escaped(text) + "\""; }

std::string DwordText(std::uint32_t n) {
    char digits[9];
    std::snprintf(digits, sizeof(digits), "%08X", static_cast<unsigned>(n));
    return digits;
}

// The file's lines; CR LF, LF and a lone CR all end a line, as the
// registry editor reads them.
std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::size_t SkipBlanks(const std::string& line, std::size_t i) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return i;
}

// A quoted, escaped string starting at line[i] (the opening quote). On
// success `i` is just past the closing quote.
bool ReadQuoted(const std::string& line, std::size_t& i, std::string& out) {
    if (i >= line.size() || line[i] != '"') return false;
    out.clear();
    for (++i; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            ++i;
            return true;
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i >= line.size()) return false;
        switch (line[i]) {
        case '\\': out += '\\'; break;
        case '"': out += '"'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return false;
        }
    }
    return false;
}

bool ReadDword(const std::string& text, std::uint32_t& n) {
    if (text.empty() || text.size() > 8) return false;
    n = 0;
    for (char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return false;
        n = n * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

bool RestIsBlank(const std::string& line, std::size_t i) { return SkipBlanks(line, i) == line.size(); }

// "[HKEY_CURRENT_USER\path\]" (the closing backslash may be left out).
bool ReadHeader(const std::string& line, std::size_t i, std::string& path) {
    const std::size_t close = line.rfind(']');
    if (close == std::string::npos || close < i || !RestIsBlank(line, close + 1)) return false;
    std::string key = line.substr(i + 1, close - i - 1);
    const std::string root = std::string(kUserRoot) + "\\";
    if (key.size() <= root.size() || !SameIgnoringCase(key.substr(0, root.size()), root)) return false;
    key = key.substr(root.size());
    if (!key.empty() && key.back() == '\\') key.pop_back();
    if (key.empty() || key.front() == '\\' || key.find("\\\\") != std::string::npos) return false;
    path = key;
    return true;
}

bool ReadValue(const std::string& line, std::size_t i, Value& value) {
    if (line[i] == '@') {
        value.name.clear();
        ++i;
    } else if (!ReadQuoted(line, i, value.name)) {
        return false;
    }
    i = SkipBlanks(line, i);
    if (i >= line.size() || line[i] != '=') return false;
    i = SkipBlanks(line, i + 1);
    if (i < line.size() && line[i] == '"') {
        value.type = Value::Type::String;
        return ReadQuoted(line, i, value.text) && RestIsBlank(line, i);
    }
    static const std::string kDword = "dword:";
    if (!SameIgnoringCase(line.substr(i, kDword.size()), kDword)) return false;
    std::size_t end = i + kDword.size();
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    value.type = Value::Type::Dword;
    return ReadDword(line.substr(i + kDword.size(), end - i - kDword.size()), value.number) && RestIsBlank(line, end);
}

ReadResult Refused(std::size_t lineNumber, const std::string& why) {
    ReadResult result;
    result.error = lineNumber ? "line " + std::to_string(lineNumber) + ": " + why : why;
    return result;
}

}  // namespace

std::string Escaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '"') out += "\\\"";
        else if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else out += c;
    }
    return out;
}

std::string FileHeader() { return std::string("REGEDIT4") + kCrLf; }

std::string SectionText(const Section& section) {
    std::string text = std::string(kCrLf) + "[" + kUserRoot + "\\" + section.path + "\\]" + kCrLf;
    for (const Value& v : section.values) {
        text += v.name.empty() ? "@" : Quoted(v.name);
        text += v.type == Value::Type::String ? "=" + Quoted(v.text) : "=dword:" + DwordText(v.number);
        text += kCrLf;
    }
    return text;
}

bool IsAtOrBelow(const std::string& path, const std::string& root) {
    if (path.size() < root.size() || !SameIgnoringCase(path.substr(0, root.size()), root)) return false;
    return path.size() == root.size() || path[root.size()] == '\\';
}

ReadResult ReadFile(const std::string& bytes, const std::string& allowedRoot, const std::string& requiredKey) {
    if (bytes.find('\0') != std::string::npos) return Refused(0, "the file is no text file");
    const std::vector<std::string> lines = Lines(bytes);
    if (lines.empty() || lines[0].compare(0, 8, "REGEDIT4") != 0 || !RestIsBlank(lines[0], 8))
        return Refused(1, "the file does not begin with REGEDIT4");
    ReadResult result;
    bool hasRequired = false;
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        const std::size_t i = SkipBlanks(line, 0);
        if (i == line.size() || line[i] == ';') continue;
        if (line[i] == '[') {
            Section section;
            if (!ReadHeader(line, i, section.path)) return Refused(n + 1, "a key this program does not write");
            if (!IsAtOrBelow(section.path, allowedRoot))
                return Refused(n + 1, "a key outside HKEY_CURRENT_USER\\" + allowedRoot);
            hasRequired = hasRequired || SameIgnoringCase(section.path, requiredKey);
            result.sections.push_back(section);
            continue;
        }
        if (result.sections.empty()) return Refused(n + 1, "a value before the first key");
        Value value;
        if (!ReadValue(line, i, value)) return Refused(n + 1, "a line this program does not write");
        result.sections.back().values.push_back(value);
    }
    if (!hasRequired) return Refused(0, "the file holds no [HKEY_CURRENT_USER\\" + requiredKey + "] section");
    result.ok = true;
    return result;
}

}  // namespace holm::regfile
