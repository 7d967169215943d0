// Library load: every process that loads holm.dll (the shell, and any
// process the system loads the hook into) reads the middle-button option.
#include <windows.h>

#include "holm_names.h"
#include "holm_values.h"
#include "library_state.h"
#include "registry.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        holm::UniqueKey key = holm::OpenUserKey(holm::kOptionsKey);
        holm::ReadNumber(key.Get(), holm::values::kMiddleButtonAsDblClick, holm::g_lib.middleButtonAsDblClick);
    }
    return TRUE;
}
