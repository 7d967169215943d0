// The tray's stored settings under Software\Tarvel\Holm.
#pragma once
#include <windows.h>

#include "holm_values.h"

namespace holm::tray {

// Reads a number from the open settings key, or `fallback` when it is
// missing or not a 32-bit value.
DWORD ReadSetting(HKEY key, const char* name, DWORD fallback);

// Stores one number into the existing settings key; a missing key is not
// created and a failure is ignored.
void StoreSetting(const char* name, DWORD value);

}  // namespace holm::tray
