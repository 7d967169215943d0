// GoogleTest's start signal for the threads of its own tests, without
// std::mutex and std::condition_variable, which MinGW's win32 thread model
// (the one the programs are built with) lacks. Found before GoogleTest's
// empty header of the same name.
#ifndef HOLM_GTEST_CUSTOM_PORT_H
#define HOLM_GTEST_CUSTOM_PORT_H

#include <atomic>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

// Only GoogleTest's own tests wait on it; a spin is enough there.
class Notification {
public:
    Notification() = default;
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { notified_ = true; }
    void WaitForNotification() {
        while (!notified_) __builtin_ia32_pause();
    }

private:
    std::atomic<bool> notified_{false};
};

}  // namespace internal
}  // namespace testing

#endif  // HOLM_GTEST_CUSTOM_PORT_H
