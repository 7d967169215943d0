#include "cloak.h"

#include "holm_names.h"
#include "registry.h"

namespace holm {

void LoadCloak(HKEY) {}

void ReloadCloak() {
    UniqueKey key = OpenUserKey(kOptionsKey);
    LoadCloak(key.Get());
}

}  // namespace holm
