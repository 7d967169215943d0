// Autorun of inserted discs.
#pragma once
#include <windows.h>

namespace holm {

void ReadAutorunPolicy();
LRESULT OnDiscArrival(LPARAM lParam);

}  // namespace holm
