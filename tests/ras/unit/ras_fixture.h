// A fresh registry and virtual clock for each test, the simulated service, what it reports, and
// helpers that make entries and call the service's functions as a program would.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "dialer/ras/remote_access.h"
#include "framework/registry.h"
#include "framework/test_driver.h"
#include "platform/ras/phonebook.h"
#include "simulated_service.h"

// What the simulated service reported through the notifier. The notifier is a plain function, so
// the record is shared by the whole test program.
struct DialReport {
    std::uint32_t state;
    std::uint32_t error;
    bool operator==(const DialReport&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const DialReport& report) {
    return out << "{" << report.state << ", " << report.error << "}";
}

// The status of a handle hung up and closed, or never given.
constexpr DialReport kGone{~0u, ras::kErrorInvalidHandle};

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

// Dials the entry as the dialer does, reporting to the notifier; returns the call's result.
inline ras::Dword dialEntry(const std::string& name, ras::Connection* handle,
                            ras::DialFunc notifier = &DialReports::notify) {
    ras::DialParams params = ras::makeDialParams(name, "user", "secret");
    return RasDialA(nullptr, nullptr, ras::platformRecord(&params), 0,
                    reinterpret_cast<void*>(notifier), handle);
}

// The state and error of a connection, or the call's error in place of the error.
inline DialReport status(ras::Connection handle) {
    ras::ConnStatus record{};
    record.dwSize = sizeof record;
    const ras::Dword result = RasGetConnectStatusA(handle, ras::platformRecord(&record));
    return result == ras::kSuccess ? DialReport{record.rasconnstate, record.dwError}
                                   : DialReport{~0u, static_cast<std::uint32_t>(result)};
}

class SimulatedRasTest : public ::testing::Test {
  protected:
    SimulatedRasTest() { DialReports::take(); }

    static void addEntry(const std::string& name, ras::sim::Line line, std::uint32_t count = 0,
                         const std::string& device = "") {
        ASSERT_TRUE(ras::sim::writeEntry(name, {line, count, "555-0100", device}));
    }

    static ras::Connection dial(const std::string& name, ras::Dword expected = ras::kSuccess,
                                ras::DialFunc notifier = &DialReports::notify) {
        ras::Connection handle = nullptr;
        EXPECT_EQ(dialEntry(name, &handle, notifier), expected) << name;
        return handle;
    }
    // Dials and lets an answering line connect.
    ras::Connection connect(const std::string& name) {
        ras::Connection handle = dial(name);
        driver.advance(4000);
        return handle;
    }
    // Hangs up and waits until the line has closed.
    void hangUp(ras::Connection handle) {
        EXPECT_EQ(RasHangUpA(handle), ras::kSuccess);
        driver.advance(ras::sim::kLineCloseMs);
    }

    fw::test::Driver driver;
    SimulatedService simulated{driver};
};
