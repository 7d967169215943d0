// The title entries of the two desktop menus.
#pragma once

namespace holm {

enum class TitleSide { Left, Right };

// Brings the display text of a title up to date (reading the stored text
// once per load) and returns it.
const char* RefreshTitle(TitleSide side);

// Makes the next refresh of both titles read the options again.
void ResetTitles();

}  // namespace holm
