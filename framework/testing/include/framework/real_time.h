// Real time for test programs and benchmarks that run worker threads without windows: while an
// object of this class lives, the clock and the waits of worker threads are the real ones, and
// anything that needs a window or a question stops the program.
#pragma once

#include <memory>

namespace fw::detail {
class Host;
}

namespace fw::test {

class RealTime {
  public:
    RealTime();
    RealTime(const RealTime&) = delete;
    RealTime& operator=(const RealTime&) = delete;
    ~RealTime();

  private:
    std::unique_ptr<detail::Host> host_;
};

}  // namespace fw::test
