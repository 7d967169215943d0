// Reading the current cloak's record from the registry: the selection value
// `Cloak` and the record's twelve values, with the rules for absent, empty
// and oversized values. Nothing is loaded here; the paths stay paths.
#pragma once
#include <windows.h>

#include <string>

#include "holm_values.h"

namespace holm {

using values::kCloakTextBytes;
using values::kDefaultCloakFont;
constexpr COLORREF kBuiltInTextColour = RGB(255, 255, 255);
constexpr COLORREF kBuiltInDisabledColour = RGB(175, 175, 175);
constexpr COLORREF kBuiltInBorderColour = RGB(255, 255, 255);

// A text value of the record: absent (or unreadable), or present and
// possibly empty. The two differ for the background and the icon.
struct CloakPath {
    bool present = false;
    std::string path;
    bool Empty() const { return present && path.empty(); }
};

struct CloakRecord {
    std::string font = kDefaultCloakFont;
    DWORD bold = 0, italics = 0, underline = 0;
    COLORREF text = kBuiltInTextColour;
    COLORREF disabledText = kBuiltInDisabledColour;
    COLORREF border = kBuiltInBorderColour;
    CloakPath background;  // absent: no picture; empty: the built-in one
    CloakPath submenuIcon;  // absent or empty: the built-in icon
    CloakPath hideCursor, closeCursor, killCursor;  // absent, empty or bad: built-in
};

// The look used when no cloak is selected.
CloakRecord BuiltInCloak();

// Reads the cloak that `Cloak` names under the open options key; the
// built-in look when no cloak is selected. A missing record reads as a
// record whose values are all absent.
CloakRecord ReadCloakRecord(HKEY optionsKey);

// Parses "R G B" (three decimal integers, as "%d %d %d" reads them) into a
// colour, keeping the low eight bits of each; false when three integers
// cannot be read.
bool ParseColour(const char* text, COLORREF& colour);

}  // namespace holm
