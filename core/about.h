// The about message of "/Version".
#pragma once
#include <string>

namespace holm {

constexpr double kVersion = 0.96;
constexpr char kBuildDate[] = "Aug  2 1999";

// The build number from a build date such as "Aug  2 1999":
// (year - 1996) * 1000 + (month index - 9) * 31 + day. Pure logic.
int BuildNumberFromDate(const char* date);

// The three paragraphs of the about message.
std::string AboutText();

// Shows the about message box.
void ShowAbout();

}  // namespace holm
