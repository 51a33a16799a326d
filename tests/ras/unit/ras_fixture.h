// A fresh registry and virtual clock for each test, the simulated service, and helpers that make
// entries and call the service's functions as a program would.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dial_reports.h"
#include "framework/registry.h"
#include "framework/test_driver.h"
#include "platform/ras/phonebook.h"
#include "simulated_service.h"

// Dials the entry as the dialer does, reporting to the notifier; returns the call's result.
inline ras::Dword dialEntry(const std::string& name, ras::Connection* handle,
                            ras::DialFunc notifier = &DialReports::notify) {
    ras::DialParams params = ras::makeDialParams(name, "user", "secret");
    return RasDialA(nullptr, nullptr, ras::platformRecord(&params), 0,
                    reinterpret_cast<void*>(notifier), handle);
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

    // The state and error of a connection, or the call's error in place of the error.
    static DialReport status(ras::Connection handle) {
        ras::ConnStatus record{};
        record.dwSize = sizeof record;
        const ras::Dword result = RasGetConnectStatusA(handle, ras::platformRecord(&record));
        return result == ras::kSuccess ? DialReport{record.rasconnstate, record.dwError}
                                       : DialReport{~0u, static_cast<std::uint32_t>(result)};
    }

    fw::test::Driver driver;
    SimulatedService simulated{driver};
};
