// TMenuSchemeForm: the cloak chooser. Its state lives as long as the
// program: created once (the current cloak loaded), then shown and hidden,
// keeping what was typed from one opening to the next.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "cloak_files.h"

namespace setwise {

enum CloakColour { kTextColour, kDisabledTextColour, kBorderColour, kCloakColourCount };
enum CloakCursor { kHideCursor, kCloseCursor, kKillCursor, kCloakCursorCount };

struct MenuSchemeState {
    std::string name;                 // CurrentSchemeEdit: what Save, Export and Delete act on
    std::vector<std::string> cloaks;  // AvailSchemesListBox
    std::string fontName = "None";    // MenuSchemeFontName, saved as `Font`
    std::string face = "MS Sans Serif";  // the font dialog's face
    bool underline = false, italics = false, bold = false;
    holm::Colour colours[kCloakColourCount] = {{255, 255, 255}, {175, 175, 175}, {255, 255, 255}};
    CloakColour picking = kTextColour;  // the selected radio button
    std::string background, submenuIcon;
    std::string cursors[kCloakCursorCount];
};

MenuSchemeState& MenuSchemeForm();

// The creation step: `Cloak` into the name, the list filled, that cloak loaded.
void MenuSchemeCreate();
// The list from the subkeys of `Cloaks` (created when missing).
void MenuSchemeFillList();
// Loads a record into the form; values the record lacks leave the form as
// it was (except the cursors and the font name). Bad values load as the
// menu library would read them.
void MenuSchemeLoad(const std::string& name);
// Writes all twelve values and selects the cloak; false (with a message)
// when the name cannot be a cloak or a write failed.
bool MenuSchemeSave();
// Writes the cloak file `file` and copies the image and cursor files beside
// it; false (with a message) when the file cannot be written.
bool MenuSchemeExport(const std::string& file);
// Asks, then deletes the record (and, when asked, the cloak's own files);
// `Cloak` is left as it is. False when nothing was deleted.
bool MenuSchemeDelete(HWND owner = nullptr);

// The directory below which installed cloaks live, and a cloak's own one.
std::string CloakDirectory();
std::string OwnCloakDirectory(const std::string& name);

// Shows the form modally with its top left corner at (x, y).
void ShowMenuSchemeForm(HWND owner, int x, int y);

}  // namespace setwise
