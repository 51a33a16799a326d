// GoogleTest's Notification on a Win32 event, for the Windows builds, whose compilers have Win32
// threads and no std::mutex or std::condition_variable for GoogleTest's own. Included ahead of
// every source of GoogleTest and of the test programs (tests/CMakeLists.txt).
#pragma once

#include <windows.h>

namespace testing::internal {

class Notification {
  public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    ~Notification() { CloseHandle(event_); }

    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

  private:
    HANDLE event_;
};

}  // namespace testing::internal

#define GTEST_HAS_NOTIFICATION_ 1
