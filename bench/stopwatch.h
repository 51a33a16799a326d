// A stopwatch on the performance counter, the finest clock a Windows program has, for the
// benchmarks that run under Wine.
#pragma once

#include <windows.h>

class Stopwatch {
  public:
    Stopwatch() : started_(ticks()) {}

    double elapsedMs() const {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(ticks() - started_) * 1000.0 /
               static_cast<double>(frequency.QuadPart);
    }

  private:
    static LONGLONG ticks() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return now.QuadPart;
    }

    LONGLONG started_;
};
