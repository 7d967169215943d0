#include "tray_settings.h"

#include "holm_names.h"
#include "registry.h"

namespace holm::tray {

DWORD ReadSetting(HKEY key, const char* name, DWORD fallback) {
    DWORD value = fallback;
    ReadNumber(key, name, value);
    return value;
}

void StoreSetting(const char* name, DWORD value) {
    WriteRegistryValue(HKEY_CURRENT_USER, kOptionsKey, name, REG_DWORD, &value, sizeof(value));
}

}  // namespace holm::tray
