// Whether this start of the shell runs the start-up programs, decided from
// the command line. Pure logic: no Windows headers.
#pragma once

namespace holm {

// The last "/" of the command line starts the option looked at: "/Startup"
// (letter case ignored, nothing after it) always runs them; otherwise they
// run when `runByDefault` is set, unless that option begins with
// "/nostartup" (letter case significant).
bool DecideStartupRun(const char* commandLine, bool runByDefault);

}  // namespace holm
