// TAddForm: the item editor, a modal dialog that edits one row of the item
// list and then has the group saved.
#pragma once
#include <windows.h>

namespace setwise {

// The main window's editing flags, shared with the editor.
struct EditSession {
    int editIndex = -1;
    bool newItem = false;     // the row was created for this opening
    bool addingItem = false;  // opened by New Item
};

enum class EditorStart { Clear, ClearOnMonitorPage, Fill };

// Shows the editor modally at (x, y) for the row `session.editIndex`.
void ShowItemEditor(HWND owner, int x, int y, EditSession& session, EditorStart start);

// The hotkey control's combination as shortcut text: only Ctrl+Alt and
// Shift+Ctrl+Alt exist; any other modifiers become Ctrl+Alt.
unsigned NormalizedHotkey(unsigned controlValue);

}  // namespace setwise
