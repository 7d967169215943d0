// Images of program items. Which executable starts a program is looked up
// once per build; its image is made once and kept across builds while the
// executable file is unchanged, lent to every entry that starts it.
#pragma once
#include <string>

#include "menu_images.h"

namespace holm {

// The image for the program of `command` started in `directory`; empty when
// it has no icon. It stays valid while the builds show it.
MenuImageView ProgramImageFor(const std::string& command, const std::string& directory);

// Called at the end of a build (the menus of the builds before are gone):
// releases the images this build did not show and forgets which
// executables start which programs.
void ReleaseUnshownProgramImages();

}  // namespace holm
