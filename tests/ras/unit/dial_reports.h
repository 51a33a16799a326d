// What the simulated service reported through the notifier, for the dialing tests. The notifier
// is a plain function, so the record is shared by the whole test program.
#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <utility>
#include <vector>

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
    static void notify(unsigned /*message*/, std::uint32_t state, std::uint32_t error) {
        std::lock_guard lock(mutex_);
        reports_.push_back({state, error});
    }
    static std::vector<DialReport> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(reports_, {});
    }

  private:
    static inline std::mutex mutex_;
    static inline std::vector<DialReport> reports_;
};
