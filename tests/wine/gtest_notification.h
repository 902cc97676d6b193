// GoogleTest's start signal for threads of its own, on a Windows event:
// the Win32 threads flavour of the compiler has no std::mutex, which
// GoogleTest's own version is built on. Included before GoogleTest by the
// build, which says so with GTEST_HAS_NOTIFICATION_.
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
public:
    Notification() : event_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { ::CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;

    void Notify() { ::SetEvent(event_); }
    // Bounded, as every wait of the tests is.
    void WaitForNotification() { ::WaitForSingleObject(event_, 60000); }

private:
    HANDLE event_;
};

}  // namespace testing::internal
