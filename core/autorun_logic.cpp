#include "autorun_logic.h"

#include <cstring>

namespace holm {

namespace {

constexpr std::uint32_t kDeviceTypeVolume = 2;
constexpr std::uint16_t kVolumeMediaFlag = 1;
constexpr std::size_t kVolumeRecordSize = 18;  // header, unit mask, flags
constexpr std::uint32_t kAllDrives = (1u << 26) - 1;

std::uint32_t ReadU32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\0'; }

std::string Trim(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

char AsAscii(unsigned code) { return code < 0x80 ? static_cast<char>(code) : '?'; }

// The file as single-byte text. Bytes pass through as they are, as the
// system's INI reader passes them; UTF-16 is narrowed, a character outside
// ASCII becoming '?' (the code page that could hold it is not known here).
std::string SingleByteText(const std::string& bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    if (n >= 2 && ((p[0] == 0xFF && p[1] == 0xFE) || (p[0] == 0xFE && p[1] == 0xFF))) {
        const bool little = p[0] == 0xFF;
        std::string text;
        for (std::size_t i = 2; i + 1 < n; i += 2)
            text += AsAscii(little ? p[i] | (p[i + 1] << 8) : (p[i] << 8) | p[i + 1]);
        return text;
    }
    const std::size_t start = n >= 3 && p[0] == 0xEF && p[1] == 0xBB && p[2] == 0xBF ? 3 : 0;
    return bytes.substr(start);
}

std::string Unquoted(const std::string& value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') return value.substr(1, value.size() - 2);
    return value;
}

// The section name of a line "[name]", or false when it is no section line.
bool SectionName(const std::string& line, std::string& name) {
    if (line.empty() || line[0] != '[') return false;
    const std::size_t close = line.find(']');
    name = Trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

}  // namespace

bool AutorunAllowed(std::uint8_t policy, unsigned driveType) {
    if (driveType < kDriveRemovable || driveType > kDriveRamdisk) return false;
    return (policy & (1u << driveType)) == 0;
}

std::uint32_t MediaArrivalDrives(const void* record, std::size_t available) {
    if (!record || available < kVolumeRecordSize) return 0;
    const auto* p = static_cast<const unsigned char*>(record);
    if (ReadU32(p) < kVolumeRecordSize || ReadU32(p + 4) != kDeviceTypeVolume) return 0;
    const std::uint16_t flags = static_cast<std::uint16_t>(p[16] | (p[17] << 8));
    if (flags != kVolumeMediaFlag) return 0;
    return ReadU32(p + 12) & kAllDrives;
}

std::string AutorunOpenEntry(const std::string& fileBytes, std::size_t maxLength) {
    const std::string text = SingleByteText(fileBytes);
    bool inAutorun = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(pos, end - pos));
        pos = end + 1;
        std::string section;
        if (SectionName(line, section)) {
            inAutorun = EqualsNoCase(section, "autorun");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inAutorun || equals == std::string::npos) continue;
        if (!EqualsNoCase(Trim(line.substr(0, equals)), "open")) continue;
        const std::string value = Unquoted(Trim(line.substr(equals + 1)));
        return value.substr(0, maxLength);
    }
    return "";
}

std::string AudioCdCommand(const std::string& command, const std::string& drive) {
    std::string result = command;
    const std::size_t at = result.find("%1");
    if (at != std::string::npos) result.replace(at, 2, drive);
    return result;
}

}  // namespace holm
