// The mouse hook: desktop clicks become the two menus, and the middle button
// may be played as a left double click.
#pragma once
#include <windows.h>

namespace holm {

// The body of the hook procedure; notes the time of every call.
LRESULT HandleMouseHook(int code, WPARAM message, LPARAM lParam);

}  // namespace holm
