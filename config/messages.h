// Message boxes of the configuration program. Every question and error goes
// through ShowMessage so that tests of the model can answer them.
#pragma once
#include <windows.h>

namespace setwise {

using MessageHandler = int (*)(const char* text, const char* caption, UINT flags);

// A message box without an owner window; returns the button pressed.
int ShowMessage(const char* text, const char* caption, UINT flags = MB_OK);
// A message box owned by one of the program's forms.
int ShowFormMessage(HWND owner, const char* text, const char* caption, UINT flags);
// Replaces the message box (null restores it).
void SetMessageHandler(MessageHandler handler);

extern const char kCaption[];         // Setwise for HOLM v1.0
extern const char kCaptionError[];    // Setwise for HOLM v1.0: Error!
extern const char kCaptionWarning[];  // Setwise for HOLM v1.0: Warning
extern const char kCaptionShortError[];  // Setwise Error!

}  // namespace setwise
