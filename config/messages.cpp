#include "messages.h"

namespace setwise {

const char kCaption[] = "Setwise for HOLM v1.0";
const char kCaptionError[] = "Setwise for HOLM v1.0: Error!";
const char kCaptionWarning[] = "Setwise for HOLM v1.0: Warning";
const char kCaptionShortError[] = "Setwise Error!";

namespace {
MessageHandler g_handler = nullptr;
}

int ShowMessage(const char* text, const char* caption, UINT flags) {
    if (g_handler) return g_handler(text, caption, flags);
    return MessageBoxA(nullptr, text, caption, flags);
}

int ShowFormMessage(HWND owner, const char* text, const char* caption, UINT flags) {
    if (g_handler) return g_handler(text, caption, flags);
    return MessageBoxA(owner, text, caption, flags);
}

void SetMessageHandler(MessageHandler handler) { g_handler = handler; }

}  // namespace setwise
