// TAboutBox and the program's pictures.
#pragma once
#include <windows.h>

namespace setwise {

void ShowAboutBox(HWND owner);

enum class PictureKind { About, Import };
// Puts the program's picture into a static control (SS_BITMAP); a picture
// that cannot be decoded leaves the control empty.
void ShowProgramPicture(HWND pictureControl, PictureKind kind);

}  // namespace setwise
