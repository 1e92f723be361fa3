// Taken in ahead of every GoogleTest source (-include, with
// GTEST_HAS_NOTIFICATION_=1) where the C++ library has no std::mutex, as with
// MinGW's win32 thread model before GCC 13. gtest-port.h wants std::mutex and
// std::condition_variable only for Notification, with which GoogleTest's own
// thread tests hold a new thread until they let it start; the rest of its
// Windows port locks with Win32 critical sections. This stand-in waits on an
// atomic flag: no test of ours starts threads.
#pragma once
#ifdef __cplusplus
#include <atomic>

namespace testing {
namespace internal {

class Notification {
public:
    Notification() = default;
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;

    void Notify() { Notified.store(true, std::memory_order_release); }
    void WaitForNotification()
    {
        while (!Notified.load(std::memory_order_acquire)) {
        }
    }

private:
    std::atomic<bool> Notified{false};
};

} // namespace internal
} // namespace testing
#endif
