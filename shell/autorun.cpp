#include "autorun.h"

namespace holm {

void ReadAutorunPolicy() {}
LRESULT OnDiscArrival(LPARAM) { return TRUE; }

}  // namespace holm
