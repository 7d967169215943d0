// Images of program items. A program's icon is looked up once per build and
// lent to every entry that starts it; the list owns the images.
#pragma once
#include <string>

#include "menu_images.h"

namespace holm {

// The image for the program of `command` started in `directory`; empty when
// it has no icon. It stays valid until the next release.
MenuImageView ProgramImageFor(const std::string& command, const std::string& directory);

// Releases every image made since the last release.
void ReleaseProgramImages();

}  // namespace holm
