// The window timers of the program, kept in one portable queue on the windows' thread. The host
// arms a single platform timer for the earliest due time, so the code that fires a timer is the
// same under test, where the virtual clock drives the queue, as in the program.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "framework/types.h"

namespace fw::detail {

class TimerQueue {
  public:
    // Starts or restarts a window's timer: it fires every ms milliseconds from now.
    void set(Handle window, unsigned id, unsigned ms);
    void kill(Handle window, unsigned id);
    // A window that goes loses its timers.
    void killAll(Handle window);
    bool running(Handle window, unsigned id) const;
    unsigned interval(Handle window, unsigned id) const;

    // The tick at which the next timer is due, or nullopt when none runs.
    std::optional<std::int64_t> nextDue() const;
    // Fires the earliest timer due at tick now (the first set among equals): it is rescheduled
    // and its window gets wm::kTimer. False when none is due.
    bool fireNext(std::int64_t now);
    // Fires every timer due now, in order, then arms the platform timer for the next one.
    void fireDue();

  private:
    struct Timer {
        std::int64_t due;
        unsigned interval;
        std::uint64_t order;
    };
    // Tells the host when the next timer is due.
    void arm() const;

    std::map<std::pair<Handle, unsigned>, Timer> timers_;
    std::uint64_t nextOrder_ = 0;
};

TimerQueue& timerQueue();

}  // namespace fw::detail
