// What the simulated service reported through the notifier, for the dialing tests. The notifier
// is a plain function, so the record is shared by the whole test program.
#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <utility>
#include <vector>

#include "dialer/ras/remote_access.h"

struct DialReport {
    std::uint32_t state;
    std::uint32_t error;
    bool operator==(const DialReport&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const DialReport& report) {
    return out << "{" << report.state << ", " << report.error << "}";
}

class DialReports {
  public:
    static void RASAPI_CALL notify(unsigned /*message*/, ras::ConnState state, ras::Dword error) {
        std::lock_guard lock(mutex_);
        reports_.push_back({static_cast<std::uint32_t>(state), static_cast<std::uint32_t>(error)});
    }
    static std::vector<DialReport> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(reports_, {});
    }

  private:
    static inline std::mutex mutex_;
    static inline std::vector<DialReport> reports_;
};
