#include "window_icons.h"

#include <shellapi.h>

#include <map>
#include <string>

#include "no_throw.h"
#include "proc_address.h"
#include "process_file.h"
#include "win_handles.h"

namespace holm {

namespace {

constexpr double kIconTimeoutMs = 5;
constexpr WPARAM kQuestions[] = {ICON_SMALL, ICON_BIG};
constexpr int kQuestionCount = sizeof(kQuestions) / sizeof(kQuestions[0]);

struct KnownWindow {
    ULONG_PTR round = 0;  // the round in which it was last asked; 0: never
    HICON answers[kQuestionCount] = {};
    bool chosen = false;  // `icon` holds the choice from what is known
    HICON icon = nullptr;
};

using HungTest = BOOL(WINAPI*)(HWND);

struct WindowIcons {
    std::map<HWND, KnownWindow> windows;
    std::map<std::string, UniqueIcon> fileIcons;  // by program file; null when it has none
    ULONG_PTR round = 0;
    int awaited = 0;  // answers of the current round not in yet
    bool hungTestLooked = false;
    HungTest isHung = nullptr;
};

WindowIcons g_icons;

bool IsHung(HWND window) {
    if (!g_icons.hungTestLooked) {
        g_icons.hungTestLooked = true;
        g_icons.isHung = ProcAddress<HungTest>(GetModuleHandleA("user32.dll"), "IsHungAppWindow");
    }
    return g_icons.isHung && g_icons.isHung(window);
}

// Whether this process can draw `icon`.
bool Readable(HICON icon) {
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return false;
    UniqueBitmap mask(info.hbmMask), colour(info.hbmColor);
    return true;
}

// The answer data names the round and the question.
ULONG_PTR AnswerData(ULONG_PTR round, int question) { return round * kQuestionCount + question; }

void CALLBACK TakeAnswer(HWND window, UINT, ULONG_PTR data, LRESULT result) {
    Guarded([&] {
        const ULONG_PTR round = data / kQuestionCount;
        if (round == g_icons.round && g_icons.awaited > 0) --g_icons.awaited;
        auto found = g_icons.windows.find(window);
        if (found == g_icons.windows.end() || found->second.round != round) return;  // gone, or asked again since
        KnownWindow& known = found->second;
        HICON icon = reinterpret_cast<HICON>(result);
        known.answers[data % kQuestionCount] = icon;
        if (Readable(icon)) known.chosen = false;  // a late answer counts from the next choice on
    });
}

void Ask(HWND window, KnownWindow& known) {
    known.round = g_icons.round;
    for (int q = 0; q < kQuestionCount; ++q) {
        known.answers[q] = nullptr;
        ++g_icons.awaited;  // a window of this thread answers at once, inside the call
        if (!SendMessageCallbackA(window, WM_GETICON, kQuestions[q], 0, TakeAnswer, AnswerData(known.round, q)))
            --g_icons.awaited;
    }
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to, const LARGE_INTEGER& frequency) {
    return frequency.QuadPart ? 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart : 0;
}

// Takes the answers of the current round as they come, for at most the
// icon time-out; answers come through message retrieval.
void AwaitAnswers() {
    LARGE_INTEGER frequency = {}, start = {}, now = {};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (;;) {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        QueryPerformanceCounter(&now);
        const double left = kIconTimeoutMs - Milliseconds(start, now, frequency);
        if (g_icons.awaited <= 0 || left <= 0 || !frequency.QuadPart) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_SENDMESSAGE);
    }
    g_icons.awaited = 0;
}

HICON ClassIcon(HWND window, int which) { return reinterpret_cast<HICON>(GetClassLongPtrA(window, which)); }

HICON ProgramFileIcon(HWND window, ProcessFileFinder& finder) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const std::string file = finder.FileOf(processId);
    if (file.empty()) return nullptr;
    auto found = g_icons.fileIcons.find(file);
    if (found == g_icons.fileIcons.end()) {
        HICON small = nullptr;
        ExtractIconExA(file.c_str(), 0, nullptr, &small, 1);
        found = g_icons.fileIcons.emplace(file, UniqueIcon(small)).first;
    }
    return found->second.Get();
}

// The first icon this process can draw of: the window's small icon, its big
// icon, its class's small icon, its class icon; else its program's icon.
HICON ChooseIcon(HWND window, const KnownWindow& known, ProcessFileFinder& finder) {
    for (HICON answer : known.answers)
        if (Readable(answer)) return answer;
    for (int which : {GCLP_HICONSM, GCLP_HICON}) {
        HICON icon = ClassIcon(window, which);
        if (Readable(icon)) return icon;
    }
    return ProgramFileIcon(window, finder);
}

// Keeps only the windows of `windows`, adding those not known yet.
void KeepOnly(const std::vector<HWND>& windows) {
    std::map<HWND, KnownWindow> kept;
    for (HWND window : windows) {
        auto found = g_icons.windows.find(window);
        kept.emplace(window, found != g_icons.windows.end() ? found->second : KnownWindow());
    }
    g_icons.windows.swap(kept);
}

}  // namespace

void LearnWindowIcons(const std::vector<HWND>& windows) {
    KeepOnly(windows);
    ++g_icons.round;
    g_icons.awaited = 0;
    for (auto& [window, known] : g_icons.windows)
        if (!known.round && !IsHung(window)) Ask(window, known);
    if (g_icons.awaited > 0) AwaitAnswers();
    ProcessFileFinder finder;
    for (auto& [window, known] : g_icons.windows) {
        if (known.chosen) continue;
        known.icon = ChooseIcon(window, known, finder);
        known.chosen = true;
    }
}

HICON KnownWindowIcon(HWND window) {
    auto found = g_icons.windows.find(window);
    return found != g_icons.windows.end() ? found->second.icon : nullptr;
}

}  // namespace holm
