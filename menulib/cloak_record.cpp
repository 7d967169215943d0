#include "cloak_record.h"

#include <cstdio>

#include "holm_names.h"
#include "holm_values.h"
#include "registry.h"

namespace holm {

CloakRecord BuiltInCloak() {
    CloakRecord look;
    look.background.present = true;  // present and empty: the built-in picture
    return look;
}

bool ParseColour(const char* text, COLORREF& colour) {
    int red = 0, green = 0, blue = 0;
    if (!text || std::sscanf(text, "%d %d %d", &red, &green, &blue) != 3) return false;
    colour = RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
    return true;
}

namespace {

CloakPath ReadPath(HKEY record, const char* name) {
    CloakPath value;
    value.present = ReadText(record, name, value.path, kCloakTextBytes);
    return value;
}

void ReadColour(HKEY record, const char* name, COLORREF& colour) {
    std::string text;
    if (ReadText(record, name, text, kCloakTextBytes)) ParseColour(text.c_str(), colour);
}

}  // namespace

CloakRecord ReadCloakRecord(HKEY optionsKey) {
    std::string name;
    if (!ReadText(optionsKey, values::kCloak, name, kCloakTextBytes)) return BuiltInCloak();
    const std::string path = std::string(kCloaksKey) + "\\" + name;
    UniqueKey record = OpenUserKey(path.c_str(), KEY_QUERY_VALUE);  // missing: every value absent
    CloakRecord look;
    ReadText(record.Get(), values::kCloakFont, look.font, kCloakTextBytes);
    ReadNumber(record.Get(), values::kCloakBold, look.bold);
    ReadNumber(record.Get(), values::kCloakItalics, look.italics);
    ReadNumber(record.Get(), values::kCloakUnderline, look.underline);
    look.submenuIcon = ReadPath(record.Get(), values::kCloakSubmenuIcon);
    ReadColour(record.Get(), values::kCloakTextColour, look.text);
    ReadColour(record.Get(), values::kCloakDisabledTextColour, look.disabledText);
    ReadColour(record.Get(), values::kCloakBorderColour, look.border);
    look.background = ReadPath(record.Get(), values::kCloakBackground);
    look.hideCursor = ReadPath(record.Get(), values::kCloakHideCursor);
    look.closeCursor = ReadPath(record.Get(), values::kCloakCloseCursor);
    look.killCursor = ReadPath(record.Get(), values::kCloakKillCursor);
    return look;
}

}  // namespace holm
