// The tip conversion: a record's UTF-16 tip becomes ANSI text the first time
// the tip is needed, and the record becomes the ANSI form for good.
#pragma once
#include "tray_record.h"

namespace holm::tray {

// Converts a wide tip to the ANSI code page in place; an ANSI tip is left
// as it is. Returns the tip as ANSI text.
std::string ConvertTipToAnsi(IconRecord& record);

}  // namespace holm::tray
