#include <windows.h>

#include "about.h"

namespace holm {

void ShowAbout() {
    const std::string text = AboutText();
    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = nullptr;
    params.hInstance = nullptr;
    params.lpszText = text.c_str();
    params.lpszCaption = "HOLM";
    params.dwStyle = MB_USERICON;
    params.lpszIcon = IDI_WINLOGO;
    params.dwLanguageId = MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT);
    MessageBoxIndirectA(&params);
}

}  // namespace holm
