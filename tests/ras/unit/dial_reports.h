// What the simulated service reported through the notifier, for the dialing tests. The notifier
// is a plain function, so the record is shared by the whole test program.
#pragma once

#include <cstdint>
#include <mutex>
#include <ostream>
#include <vector>

#include "dialer/ras/ras_codes.h"

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
    static void notify(unsigned message, std::uint32_t state, std::uint32_t error) {
        std::lock_guard lock(mutex());
        all().push_back({state, error});
        wrongMessage() = wrongMessage() || message != ras::kDialEventMessage;
    }
    static std::vector<DialReport> take() {
        std::lock_guard lock(mutex());
        std::vector<DialReport> reports;
        reports.swap(all());
        return reports;
    }
    static bool sawWrongMessage() {
        std::lock_guard lock(mutex());
        return wrongMessage();
    }

  private:
    static std::mutex& mutex() {
        static std::mutex instance;
        return instance;
    }
    static std::vector<DialReport>& all() {
        static std::vector<DialReport> instance;
        return instance;
    }
    static bool& wrongMessage() {
        static bool instance = false;
        return instance;
    }
};
